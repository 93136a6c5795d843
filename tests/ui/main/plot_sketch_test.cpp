// The two section sketches on the recording surface, and the plot and the sketches painted for
// real: saved as pictures for a person to look at and checked for what must show.

#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QMap>
#include <QSet>
#include <cmath>

#include "drawing/painter_surface.h"
#include "drawing/recording_surface.h"
#include "tests/engine/examples.h"
#include "ui/main/domain_plot.h"
#include "ui/main/section_sketch.h"

namespace fortema::ui {
namespace {

using drawing::DrawRecord;
using drawing::qbColor;
using drawing::RecordingSurface;

// The sketch box, 3270 x 2790 twips, and the plot box, 5535 x 4935 twips.
constexpr QSize kSketchSize(218, 186);
constexpr QSize kPlotSize(369, 329);
using Draw = void (*)(drawing::Surface&);

RecordingSurface sketch(Draw draw) {
    RecordingSurface s(kSketchSize.width(), kSketchSize.height());
    setUpSketchSurface(s);
    s.setForeColor(qbColor(1));
    s.clearRecords();
    draw(s);
    return s;
}

// Both sketches: cleared first, drawn in the box's colour but for the six light red dashes, 0.5
// long, of the neutral axis at y = 3.5 across x = 2 .. 8, then their texts in Arial 8, starting
// inside the box and clear of one another. A redraw gives the same sketch whatever came before.
TEST(SectionSketch, clearedDrawnAndLabelledInTheBox) {
    for (const Draw draw : {&drawRectangularSketch, &drawCircularSketch}) {
        const RecordingSurface s = sketch(draw);
        EXPECT_EQ(QRectF(s.scaleLeft(), s.scaleTop(), s.scaleWidth(), s.scaleHeight()), QRectF(0, 0, 10, 10));
        EXPECT_EQ(s.records().first().kind, DrawRecord::Kind::Clear);
        EXPECT_EQ(s.records().last().kind, DrawRecord::Kind::Text);
        QList<QLineF> dashes;
        QList<QRectF> texts;
        for (const DrawRecord& r : s.records().mid(1)) {
            if (r.kind == DrawRecord::Kind::Line && r.color == qbColor(12)) {
                dashes << QLineF(r.x1, r.y1, r.x2, r.y2);
                continue;
            }
            EXPECT_EQ(r.color, qbColor(1));
            if (r.kind != DrawRecord::Kind::Text) continue;
            EXPECT_TRUE(r.fontName == QStringLiteral("arial") && r.fontSize == 8);
            const QRectF box(r.x1, r.y1, s.textWidth(r.text), s.textHeight(r.text));
            EXPECT_TRUE(QRectF(0, 0, 10, 10).contains(box.topLeft())) << r.text.toStdString();
            for (const QRectF& other : texts) EXPECT_FALSE(other.intersects(box)) << r.text.toStdString();
            texts << box;
        }
        ASSERT_EQ(dashes.size(), 6);
        EXPECT_EQ(QLineF(dashes.first().p1(), dashes.last().p2()), QLineF(2, 3.5, 8, 3.5));
        for (qsizetype i = 0; i < dashes.size(); ++i) {
            EXPECT_EQ(dashes[i].p2() - dashes[i].p1(), QPointF(0.5, 0));
            EXPECT_TRUE(i == 0 || dashes[i].x1() > dashes[i - 1].x2());
        }
        RecordingSurface again =
            sketch(draw == &drawCircularSketch ? &drawRectangularSketch : &drawCircularSketch);
        again.clearRecords();
        draw(again);
        EXPECT_EQ(again.dump(), s.dump());
    }
}

// The rectangle: a closed T (flange 2..8 from y = 2, web 4..6 down to y = 7), each corner joining
// two of its eight lines, with nine bars inside it. The circle: radius 2.7 about (5, 5), thirteen
// bars on a ring of 2.5 every 30 degrees, the last on the first.
TEST(SectionSketch, theSectionsAndTheirBars) {
    const RecordingSurface rect = sketch(&drawRectangularSketch);
    QMap<QPair<double, double>, int> ends;
    QRectF outline;
    for (const DrawRecord& l : rect.records(DrawRecord::Kind::Line).mid(0, 8)) {
        ++ends[{l.x1, l.y1}];
        ++ends[{l.x2, l.y2}];
        outline |= QRectF(QPointF(l.x1, l.y1), QPointF(l.x2, l.y2)).normalized();
    }
    EXPECT_EQ(ends.values(), QList<int>(8, 2));
    EXPECT_EQ(outline, QRectF(2, 2, 6, 5));
    const QRectF flange(2, 2, 6, 2), web(4, 4, 2, 3);
    const auto bars = rect.records(DrawRecord::Kind::Circle);
    EXPECT_EQ(bars.size(), 9);
    for (const DrawRecord& b : bars) EXPECT_TRUE(flange.contains(b.x1, b.y1) || web.contains(b.x1, b.y1));

    const auto circles = sketch(&drawCircularSketch).records(DrawRecord::Kind::Circle);
    ASSERT_EQ(circles.size(), 14);
    EXPECT_EQ(QList<double>({circles[0].x1, circles[0].y1, circles[0].x2}), QList<double>({5, 5, 2.7}));
    for (int k = 1; k <= 13; ++k) {
        const double angle = 30.0 * (k - 1) * M_PI / 180;
        EXPECT_LT(QLineF(circles[k].x1, circles[k].y1, 5 + 2.5 * std::cos(angle), 5 + 2.5 * std::sin(angle))
                      .length(),
                  1e-6);
    }
}

// Paints on a white picture of `size` and saves it as `name` for a person to look at.
QImage painted(QSize size, const char* name, const std::function<void(drawing::Surface&)>& draw) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        drawing::QPainterSurface surface(&image);
        draw(surface);
    }
    const QDir dir(QStringLiteral(FORTEMA_SCREENSHOT_DIR));
    dir.mkpath(QStringLiteral("."));
    image.save(dir.filePath(QString::fromLatin1(name)));
    return image;
}

// Painted for real, the plot shows black, grey, white and the five field colours. The sketches
// are painted too, for a person to look at.
TEST(PlotPicture, paintedPlotsShowEveryColour) {
    for (const auto& [draw, name] : {std::pair{&drawRectangularSketch, "sketch_rectangular.png"},
                                     std::pair{&drawCircularSketch, "sketch_circular.png"}})
        painted(kSketchSize, name, [&](drawing::Surface& s) {
            setUpSketchSurface(s);
            draw(s);
        });
    for (const auto& [texts, layout, name] :
         {std::tuple{engine::testing::example3(), engine::Layout::Rectangular, "plot_example3.png"},
          std::tuple{engine::testing::example4(), engine::Layout::Circular, "plot_example4.png"}}) {
        engine::Analysis analysis;
        ASSERT_TRUE(analysis.calcola(texts, layout).traced);
        const bool circle = layout == engine::Layout::Circular;
        const QImage image = painted(kPlotSize, name, [&](drawing::Surface& s) {
            setUpPlotSurface(s);
            drawDomainFrame(s, {!circle, circle, analysis.reinforcedScale()});
            drawDomainCurves(s, analysis);
        });
        QSet<QRgb> shown;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) shown.insert(image.pixel(x, y) & 0xffffff);
        for (const int c : {0, 8, 9, 10, 11, 12, 13, 15})
            EXPECT_TRUE(shown.contains(qbColor(c).rgb() & 0xffffff)) << name << " QBColor " << c;
    }
}

}  // namespace
}  // namespace fortema::ui
