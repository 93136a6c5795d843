#include "report/text_fit.h"

#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <cmath>
#include <map>
#include <tuple>

#include "drawing/painter_surface.h"

namespace fortema::report {

namespace {

// Measured at a printer's resolution, where the hinting of small sizes no longer moves glyphs.
constexpr double kMeasureDpi = 1200;

// The metrics of each font asked for, kept: a report measures thousands of texts in a few fonts.
// The program measures on one thread only.
const QFontMetricsF& metricsFor(const QString& face, double points, bool bold) {
    static const QImage device = [] {
        QImage image(1, 1, QImage::Format_RGB32);
        const int dotsPerMeter = int(std::lround(kMeasureDpi / 0.0254));
        image.setDotsPerMeterX(dotsPerMeter);
        image.setDotsPerMeterY(dotsPerMeter);
        return image;
    }();
    static std::map<std::tuple<QString, double, bool>, QFontMetricsF> known;
    const auto key = std::make_tuple(face, points, bold);
    auto it = known.find(key);
    if (it == known.end()) {
        QFont font(drawing::installedFace(face));
        font.setPointSizeF(points);
        font.setBold(bold);
        it = known.emplace(key, QFontMetricsF(font, &device)).first;
    }
    return it->second;
}

}  // namespace

double textWidthPoints(const QString& text, const QString& face, double points, bool bold) {
    return metricsFor(face, points, bold).horizontalAdvance(text) * 72.0 / kMeasureDpi;
}

FittedText fitText(const QString& text, const QString& face, double points, bool bold, double roomPoints,
                   Qt::TextElideMode elide) {
    // No glyph is wider than the font's widest: most texts are seen to fit without being shaped.
    if (double(text.size()) * metricsFor(face, points, bold).maxWidth() * 72.0 / kMeasureDpi <= roomPoints) {
        return {text, points};
    }
    double size = points;
    for (;;) {
        if (textWidthPoints(text, face, size, bold) <= roomPoints) return {text, size};
        if (size <= kSmallestPoints) break;
        size = std::max(kSmallestPoints, std::ceil(size) - 1);
    }
    const QFontMetricsF& metrics = metricsFor(face, size, bold);
    return {metrics.elidedText(text, elide, roomPoints * kMeasureDpi / 72.0), size};
}

}  // namespace fortema::report
