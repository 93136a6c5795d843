// The domain plot on the recording surface: the frame with its scales and legend, and the
// curves, cross and origin mark of a calculation.

#include <gtest/gtest.h>

#include <QRegularExpression>

#include "drawing/recording_surface.h"
#include "tests/engine/examples.h"
#include "ui/main/domain_plot.h"

namespace fortema::ui {
namespace {

using drawing::DrawRecord;
using drawing::qbColor;
using drawing::RecordingSurface;
using engine::Layout;
namespace ex = engine::testing;

constexpr double kEps = 1e-9;
// campo 1 to 5: light red, light green, light magenta, light blue, light cyan.
const QList<QColor> kFieldColours = {qbColor(12), qbColor(10), qbColor(13), qbColor(9), qbColor(11)};

struct Frame {
    RecordingSurface surface;
    explicit Frame(DomainFrameOptions options) {
        setUpPlotSurface(surface);
        surface.setBackColor(qbColor(1));
        surface.clearRecords();
        drawDomainFrame(surface, options);
    }
    QList<DrawRecord> texts(const QString& prefix = {}) const {
        QList<DrawRecord> out;
        for (const DrawRecord& t : surface.records(DrawRecord::Kind::Text))
            if (t.text.startsWith(prefix)) out << t;
        return out;
    }
    const DrawRecord* text(const QString& t) const {
        for (const DrawRecord& r : surface.records())
            if (r.kind == DrawRecord::Kind::Text && r.text == t) return &r;
        return nullptr;
    }
};

DomainFrameOptions rectangular(bool reinforced) { return {true, false, reinforced}; }
DomainFrameOptions circular(bool reinforced) { return {false, true, reinforced}; }

// Under each grid line x = 0.2k the row "m = ..." names the m that the curves of that scale put
// there, each label ending in column 7 + 7k so that it stands over its line (the circle's wider
// labels from 10.0 on start a column earlier). The colour legend, campo 5 at the top down to
// campo 1 on the n label rows 1.4 to 0.6, each in its curves' colour, shows where five fields can
// be drawn: a circle always has them, whatever the last rectangle left in A1 and A2. Every other
// text is black.
TEST(DomainFrame, mLabelsAndLegendFollowTheScaleOfTheCurves) {
    for (const auto& [options, scale] :
         {std::pair{rectangular(false), PlotScale::Unreinforced},
          std::pair{DomainFrameOptions{}, PlotScale::Unreinforced},
          std::pair{rectangular(true), PlotScale::Reinforced},
          std::pair{circular(false), PlotScale::Circular}, std::pair{circular(true), PlotScale::Circular}}) {
        const Frame f(options);
        const auto rows = f.texts(QStringLiteral("m = "));
        ASSERT_EQ(rows.size(), 1);
        const QString row = rows[0].text;
        static const QRegularExpression label(QStringLiteral("\\d+\\.\\d"));
        int k = 0;
        for (auto it = label.globalMatch(row); it.hasNext(); ++k) {
            const auto m = it.next();
            EXPECT_EQ(m.capturedEnd(), 7 + 7 * k) << row.toStdString();
            EXPECT_NEAR(plotX(m.captured().toDouble(), scale), 0.2 * k, 0.004) << row.toStdString();
        }
        EXPECT_EQ(k, 7) << row.toStdString();

        const auto legend = f.texts(QStringLiteral("___ campo"));
        ASSERT_EQ(legend.size(), scale == PlotScale::Unreinforced ? 0 : 5);
        for (int i = 0; i < legend.size(); ++i) {
            EXPECT_EQ(legend[i].text, QStringLiteral("___ campo%1").arg(5 - i));
            EXPECT_NEAR(legend[i].y1, f.text(QString::number(1.4 - 0.2 * i, 'f', 1))->y1, kEps);
            EXPECT_EQ(legend[i].color, kFieldColours[4 - i]);
        }
        for (const DrawRecord& t : f.texts())
            EXPECT_TRUE(t.text.startsWith(QStringLiteral("___")) || t.color == qbColor(0))
                << t.text.toStdString();
    }
}

// The curves of a calculation: the runs of segments in the field colours, field by field, each
// segment joining two successive traced points at (factor·m, 0.6 - n) and the capped tail of a
// field (which repeats its last n) left out; then the cross on the design point (factor·md,
// 0.6 - nd), then the mark on the origin. Nothing is cleared or written: the curves go over the frame.
TEST(DomainCurves, fieldsCrossAndMarkOfEachSection) {
    const struct {
        engine::SectionTexts texts;
        PlotScale scale;
        QList<int> segments;  // per field, from campo 1
        int first;            // the first point drawn of field 1
        int cross, mark;      // colours
    } cases[] = {
        // Unreinforced masonry: one blue parabola m = 3n(1 - n) from the origin to pure compression.
        {ex::example1(), PlotScale::Unreinforced, {100}, 1, 0, 13},
        // eyd = 3913/2100000 = 0.001863. Field 1: 20 steps of 0.05·eyd reach yield; field 2: steps of
        // 0.0001 reach 0.0035 in 35, and a rounding residue makes a 36th; field 3: ceil((0.01 - eyd)/0.0001)
        // = 82; field 4: 0 to eyd, 18 steps and the capped eyd; field 5: 49 steps from P4 to pure
        // compression.
        {ex::example3(), PlotScale::Reinforced, {20, 36, 82, 19, 49}, 1, 0, 13},
        // The circle: field 1 from its point 2 (point 1 is the same pure-tension point), in 49 steps; eyd cut
        // to 0.0018 gives field 3 one step more and field 4 one less; field 5 in the least step, 0.005. A
        // light red cross and a black mark.
        {ex::example4(), PlotScale::Circular, {49, 36, 83, 18, 17}, 2, 12, 0},
    };
    for (const auto& c : cases) {
        engine::Analysis analysis;
        const bool circle = c.scale == PlotScale::Circular;
        ASSERT_TRUE(analysis.calcola(c.texts, circle ? Layout::Circular : Layout::Rectangular).traced);
        EXPECT_EQ(curvePlotScale(analysis), c.scale);
        const double factor = plotX(1, c.scale);
        RecordingSurface s;
        setUpPlotSurface(s);
        drawDomainCurves(s, analysis);
        EXPECT_TRUE(s.records(DrawRecord::Kind::Clear).isEmpty() &&
                    s.records(DrawRecord::Kind::Text).isEmpty());
        const QList<DrawRecord> lines = s.records(DrawRecord::Kind::Line);
        qsizetype at = 0;
        for (int field = 1; field <= c.segments.size(); ++field) {
            const engine::FieldCurve& curve = analysis.curve(field);
            const QColor colour = c.segments.size() == 1 ? qbColor(9) : kFieldColours[field - 1];
            for (int k = 0; k < c.segments[field - 1]; ++k, ++at) {
                ASSERT_LT(at, lines.size());
                const int i = (field == 1 ? c.first : 1) + k;
                const QLineF expected(factor * curve[i].m, 0.6 - curve[i].n, factor * curve[i + 1].m,
                                      0.6 - curve[i + 1].n);
                EXPECT_EQ(QLineF(lines[at].x1, lines[at].y1, lines[at].x2, lines[at].y2), expected)
                    << field << " " << k;
                EXPECT_EQ(lines[at].color, colour) << field << " " << k;
            }
        }
        ASSERT_EQ(lines.size(), at + 2);
        for (const DrawRecord& l : {lines[at], lines[at + 1]}) {
            EXPECT_EQ(QLineF(l.x1, l.y1, l.x2, l.y2).center(),
                      QPointF(factor * analysis.md(), 0.6 - analysis.nd()));
            EXPECT_EQ(l.color, qbColor(c.cross));
        }
        const DrawRecord& mark = s.records().last();
        EXPECT_TRUE(mark.kind == DrawRecord::Kind::Circle && mark.x1 == 0 && mark.y1 == 0.6);
        EXPECT_EQ(mark.color, qbColor(c.mark));
    }
}

}  // namespace
}  // namespace fortema::ui
