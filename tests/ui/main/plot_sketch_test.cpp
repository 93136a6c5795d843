// The two section sketches on the recording surface, and the plot and the sketches painted for
// real: saved as pictures for a person to look at and checked for what must show.

#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QSet>

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

// Both sketches: cleared first, drawn in the box's colour but for the light red neutral axis,
// then their texts in Arial 8, starting inside the box and clear of one another. A redraw gives
// the same sketch whatever came before.
TEST(SectionSketch, clearedDrawnAndLabelledInTheBox) {
    for (const Draw draw : {&drawRectangularSketch, &drawCircularSketch}) {
        const RecordingSurface s = sketch(draw);
        EXPECT_EQ(s.records().first().kind, DrawRecord::Kind::Clear);
        EXPECT_EQ(s.records().last().kind, DrawRecord::Kind::Text);
        QList<QRectF> texts;
        for (const DrawRecord& r : s.records().mid(1)) {
            EXPECT_TRUE(r.color == qbColor(1) ||
                        (r.kind == DrawRecord::Kind::Line && r.color == qbColor(12)));
            if (r.kind != DrawRecord::Kind::Text) continue;
            EXPECT_TRUE(r.fontName == QStringLiteral("arial") && r.fontSize == 8);
            const QRectF box(r.x1, r.y1, s.textWidth(r.text), s.textHeight(r.text));
            EXPECT_TRUE(QRectF(0, 0, 10, 10).contains(box.topLeft())) << r.text.toStdString();
            for (const QRectF& other : texts) EXPECT_FALSE(other.intersects(box)) << r.text.toStdString();
            texts << box;
        }
        RecordingSurface again =
            sketch(draw == &drawCircularSketch ? &drawRectangularSketch : &drawCircularSketch);
        again.clearRecords();
        draw(again);
        EXPECT_EQ(again.dump(), s.dump());
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
