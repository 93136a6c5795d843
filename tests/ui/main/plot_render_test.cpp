// The plot and the sketches painted for real, saved as pictures for a person to look at, and
// checked for the colours and shapes that must show.

#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QSet>

#include "drawing/painter_surface.h"
#include "tests/engine/examples.h"
#include "ui/main/domain_plot.h"
#include "ui/main/section_sketch.h"

namespace fortema::ui {
namespace {

using drawing::qbColor;
namespace ex = engine::testing;

// The plot box, 5535 × 4935 twips, and the sketch box, 3270 × 2790 twips.
constexpr QSize kPlotSize(369, 329);
constexpr QSize kSketchSize(218, 186);

QImage blank(QSize size) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

void save(const QImage& image, const QString& name) {
    const QDir dir(QStringLiteral(FORTEMA_SCREENSHOT_DIR));
    ASSERT_TRUE(dir.mkpath(QStringLiteral(".")));
    EXPECT_TRUE(image.save(dir.filePath(name)));
}

QSet<QRgb> colours(const QImage& image) {
    QSet<QRgb> out;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) out.insert(image.pixel(x, y) & 0xffffff);
    return out;
}

QImage plot(const engine::SectionTexts& texts, engine::Layout layout) {
    QImage image = blank(kPlotSize);
    engine::Analysis analysis;
    EXPECT_TRUE(analysis.calcola(texts, layout).traced);
    {
        drawing::QPainterSurface surface(&image);
        setUpPlotSurface(surface);
        const bool circular = layout == engine::Layout::Circular;
        drawDomainFrame(surface, {!circular, circular, analysis.reinforcedScale()});
        drawDomainCurves(surface, analysis);
    }
    return image;
}

TEST(PlotPicture, reinforcedRectangleShowsAllFieldColours) {
    const QImage image = plot(ex::example3(), engine::Layout::Rectangular);
    save(image, QStringLiteral("plot_example3.png"));
    const QSet<QRgb> shown = colours(image);
    for (const int c : {0, 8, 9, 10, 11, 12, 13, 15})
        EXPECT_TRUE(shown.contains(qbColor(c).rgb() & 0xffffff)) << "QBColor " << c;
}

TEST(PlotPicture, circleShowsAllFieldColours) {
    const QImage image = plot(ex::example4(), engine::Layout::Circular);
    save(image, QStringLiteral("plot_example4.png"));
    const QSet<QRgb> shown = colours(image);
    for (const int c : {0, 8, 9, 10, 11, 12, 13, 15})
        EXPECT_TRUE(shown.contains(qbColor(c).rgb() & 0xffffff)) << "QBColor " << c;
}

TEST(PlotPicture, sketchesAndTheirRoundCircle) {
    for (const auto& [draw, name] : {std::pair{&drawRectangularSketch, "sketch_rectangular.png"},
                                     std::pair{&drawCircularSketch, "sketch_circular.png"}}) {
        QImage image = blank(kSketchSize);
        {
            drawing::QPainterSurface surface(&image);
            setUpSketchSurface(surface);
            draw(surface);
        }
        save(image, QString::fromLatin1(name));
        EXPECT_TRUE(colours(image).contains(qbColor(12).rgb() & 0xffffff)) << name;
    }
    // The outline of the circle alone: as tall as it is wide on the screen.
    QImage image = blank(kSketchSize);
    {
        drawing::QPainterSurface surface(&image);
        setUpSketchSurface(surface);
        surface.setForeColor(qbColor(0));
        surface.circle(5, 5, 2.7);
    }
    int left = image.width(), right = -1, top = image.height(), bottom = -1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 128) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    ASSERT_GE(right, 0);
    EXPECT_NEAR(right - left, bottom - top, 2);
    // It meets the extension lines at y = 1.9 and 8.1 of the ten-unit height.
    EXPECT_NEAR(top, 1.9 / 10 * kSketchSize.height(), 3);
    EXPECT_NEAR(bottom, 8.1 / 10 * kSketchSize.height(), 3);
}

}  // namespace
}  // namespace fortema::ui
