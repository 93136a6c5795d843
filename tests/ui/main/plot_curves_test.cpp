// The curves, the design-point cross and the origin mark of a calculation, and the cursor
// readout, on the recording surface.

#include <gtest/gtest.h>

#include <cmath>

#include "drawing/recording_surface.h"
#include "tests/engine/examples.h"
#include "ui/main/domain_plot.h"

namespace fortema::ui {
namespace {

using drawing::DrawRecord;
using drawing::qbColor;
using drawing::RecordingSurface;
using engine::Analysis;
using engine::Layout;
namespace ex = engine::testing;

constexpr double kEps = 1e-9;
constexpr double kPi = 3.141592654;

struct Drawn {
    Analysis analysis;
    RecordingSurface surface;
    Drawn(const engine::SectionTexts& texts, Layout layout) {
        const engine::CalcOutcome outcome = analysis.calcola(texts, layout);
        EXPECT_TRUE(outcome.traced) << outcome.refusal;
        setUpPlotSurface(surface);
        drawDomainCurves(surface, analysis);
    }
    QList<DrawRecord> lines() const { return surface.records(DrawRecord::Kind::Line); }
    // The curve segments: every line before the two of the cross.
    QList<DrawRecord> curveLines() const {
        QList<DrawRecord> l = lines();
        l.resize(l.size() - 2);
        return l;
    }
    QList<DrawRecord> inColour(int index) const {
        QList<DrawRecord> out;
        for (const DrawRecord& l : curveLines())
            if (l.color == qbColor(index)) out << l;
        return out;
    }
};

// The colours of the runs of segments, in the order drawn.
QList<QColor> colourRuns(const QList<DrawRecord>& lines) {
    QList<QColor> runs;
    for (const DrawRecord& l : lines)
        if (runs.isEmpty() || runs.last() != l.color) runs << l.color;
    return runs;
}

// campo 1 to 5: light red, light green, light magenta, light blue, light cyan.
constexpr int kFieldColour[] = {12, 10, 13, 9, 11};
QList<QColor> fieldColours() {
    QList<QColor> out;
    for (const int c : kFieldColour) out << qbColor(c);
    return out;
}

// Each segment of a field joins two successive traced points, both at (factor·m, 0.6 - n).
void expectSegmentsJoinPoints(const QList<DrawRecord>& segments, const engine::FieldCurve& curve, int first,
                              double factor) {
    for (qsizetype k = 0; k < segments.size(); ++k) {
        const int i = first + static_cast<int>(k);
        const DrawRecord& l = segments[k];
        EXPECT_NEAR(l.x1, factor * curve[i].m, kEps) << i;
        EXPECT_NEAR(l.y1, 0.6 - curve[i].n, kEps) << i;
        EXPECT_NEAR(l.x2, factor * curve[i + 1].m, kEps) << i;
        EXPECT_NEAR(l.y2, 0.6 - curve[i + 1].n, kEps) << i;
        // The capped tail of a field, which repeats its last n, is never drawn.
        EXPECT_NE(l.y1, l.y2) << i;
    }
}

void expectCross(const DrawRecord& across, const DrawRecord& down, double x, double y, const QColor& colour) {
    EXPECT_NEAR(across.x1, x - 0.03, 1e-6);
    EXPECT_NEAR(across.x2, x + 0.03, 1e-6);
    EXPECT_NEAR(across.y1, y, 1e-6);
    EXPECT_NEAR(across.y2, y, 1e-6);
    EXPECT_NEAR(down.x1, x, 1e-6);
    EXPECT_NEAR(down.x2, x, 1e-6);
    EXPECT_NEAR(std::min(down.y1, down.y2), y - 0.04, 1e-6);
    EXPECT_NEAR(std::max(down.y1, down.y2), y + 0.04, 1e-6);
    EXPECT_EQ(across.color, colour);
    EXPECT_EQ(down.color, colour);
}

void expectOriginMark(const RecordingSurface& s, const QColor& colour) {
    const auto circles = s.records(DrawRecord::Kind::Circle);
    ASSERT_EQ(circles.size(), 1);
    EXPECT_NEAR(circles[0].x1, 0.0, kEps);
    EXPECT_NEAR(circles[0].y1, 0.6, kEps);
    EXPECT_NEAR(circles[0].x2, 0.03, kEps);
    EXPECT_EQ(circles[0].color, colour);
    // The mark is the last thing drawn.
    EXPECT_EQ(s.records().last().kind, DrawRecord::Kind::Circle);
}

TEST(DomainCurves, drawnOverThePlotWithoutClearingIt) {
    for (const auto& [texts, layout] :
         {std::pair{ex::example1(), Layout::Rectangular}, std::pair{ex::example3(), Layout::Rectangular},
          std::pair{ex::example4(), Layout::Circular}}) {
        const Drawn d(texts, layout);
        EXPECT_TRUE(d.surface.records(DrawRecord::Kind::Clear).isEmpty());
        EXPECT_TRUE(d.surface.records(DrawRecord::Kind::Text).isEmpty());
    }
}

TEST(DomainCurves, unreinforcedRectangleIsOneBlueParabolaAtXEqualM) {
    const Drawn d(ex::example1(), Layout::Rectangular);
    const auto curve = d.curveLines();
    ASSERT_EQ(curve.size(), 100);
    EXPECT_EQ(colourRuns(curve), QList<QColor>{qbColor(9)});
    // From the origin (n = 0) to pure compression (n = 1), m = 3n(1 - n), widest at n = 0.5.
    EXPECT_NEAR(curve.first().x1, 0.0, kEps);
    EXPECT_NEAR(curve.first().y1, 0.6, kEps);
    EXPECT_NEAR(curve.last().x2, 0.0, 1e-9);
    EXPECT_NEAR(curve.last().y2, -0.4, 1e-9);
    EXPECT_NEAR(curve[49].x2, 0.75, 1e-9);
    EXPECT_NEAR(curve[49].y2, 0.1, 1e-9);
    expectSegmentsJoinPoints(curve, d.analysis.curve(1), 1, 1.0);

    // Example 1: b = 100 cm, h = 40 cm, fmd = 10, Nd = 14000 daN, Md = 130000 daN·cm.
    const double nd = 14000.0 / (10 * 100 * 40);
    const double md = 130000.0 / (10 * 100 * 40.0 * 40 / 6);
    const auto lines = d.lines();
    expectCross(lines[lines.size() - 2], lines.last(), md, 0.6 - nd, qbColor(0));
    expectOriginMark(d.surface, qbColor(13));
}

TEST(DomainCurves, reinforcedRectangleDrawsTheFiveFieldsInOrderAtHalfM) {
    const Drawn d(ex::example3(), Layout::Rectangular);
    const auto curve = d.curveLines();
    EXPECT_EQ(colourRuns(curve), fieldColours());
    // Field 1 reaches the yield strain after 20 steps; the capped points after it are not drawn.
    EXPECT_EQ(d.inColour(12).size(), 20);
    // Field 5 starts at the pure-compression point; its 49 steps from P4 stay below it here.
    const auto field5 = d.inColour(11);
    EXPECT_EQ(field5.size(), 49);
    const double nc = 1 + 3913.0 * (6 + 6) / (118 * 30 * 50);
    EXPECT_NEAR(field5.first().y1, 0.6 - nc, 1e-6);
    // A symmetric section: pure compression lies on the n axis.
    EXPECT_NEAR(field5.first().x1, 0.0, 1e-6);
    for (int field = 1; field <= 5; ++field)
        expectSegmentsJoinPoints(d.inColour(kFieldColour[field - 1]), d.analysis.curve(field), 1, 0.5);
    const double nd = 45000.0 / (118 * 30 * 50);
    const double md = 1400000.0 / (118 * 30 * 50.0 * 50 / 6);
    const auto lines = d.lines();
    expectCross(lines[lines.size() - 2], lines.last(), 0.5 * md, 0.6 - nd, qbColor(0));
    expectOriginMark(d.surface, qbColor(13));
}

TEST(DomainCurves, reinforcedMasonryUsesTheSameRules) {
    const Drawn d(ex::example2(), Layout::Rectangular);
    EXPECT_EQ(colourRuns(d.curveLines()), fieldColours());
    EXPECT_EQ(d.inColour(12).size(), 20);
    const auto lines = d.lines();
    expectCross(lines[lines.size() - 2], lines.last(), 0.5 * d.analysis.md(), 0.6 - d.analysis.nd(),
                qbColor(0));
}

TEST(DomainCurves, circleDrawsFieldOneFirstAtSixHundredthsOfM) {
    const Drawn d(ex::example4(), Layout::Circular);
    const auto curve = d.curveLines();
    EXPECT_EQ(colourRuns(curve), fieldColours());
    // Field 1 starts at pure tension on the n axis (its points 1 and 2 coincide) and runs 49
    // segments towards the first point of field 2.
    const double ac = kPi * 20 * 20;
    const double nt = -3913.0 * 7 / (118 * ac);
    const auto field1 = d.inColour(12);
    ASSERT_EQ(field1.size(), 49);
    EXPECT_NEAR(field1.first().x1, 0.0, 1e-6);
    EXPECT_NEAR(field1.first().y1, 0.6 - nt, 1e-6);
    expectSegmentsJoinPoints(field1, d.analysis.curve(1), 2, 0.06);
    // Field 2 adds 0.0001 per step: step 36 holds 0.0035 less a rounding residue and step 37
    // the capped 0.0035, a point of its own, so 36 segments are drawn and then the repeats stop.
    const auto field2 = d.inColour(10);
    EXPECT_EQ(field2.size(), 36);
    expectSegmentsJoinPoints(field2, d.analysis.curve(2), 1, 0.06);
    expectSegmentsJoinPoints(d.inColour(13), d.analysis.curve(3), 1, 0.06);
    expectSegmentsJoinPoints(d.inColour(9), d.analysis.curve(4), 1, 0.06);
    const auto field5 = d.inColour(11);
    expectSegmentsJoinPoints(field5, d.analysis.curve(5), 1, 0.06);
    const double nc = (118 * ac + 3913.0 * 7) / (118 * ac);
    EXPECT_NEAR(field5.first().y1, 0.6 - nc, 1e-6);
    EXPECT_NEAR(field5.first().x1, 0.0, 1e-9);

    // Example 4: d = 40 cm, Nd = 20000 daN, Md = 300000 daN·cm; a light red cross, a black mark.
    const double nd = 20000.0 / (118 * ac);
    const double md = 300000.0 / (118 * 20.0 * 20 * 20 / 10.2);
    const auto lines = d.lines();
    expectCross(lines[lines.size() - 2], lines.last(), 0.06 * md, 0.6 - nd, qbColor(12));
    expectOriginMark(d.surface, qbColor(0));
}

TEST(DomainCurves, curveScaleFollowsTheLastCalculation) {
    Analysis a;
    EXPECT_EQ(curvePlotScale(a), PlotScale::Unreinforced);
    a.calcola(ex::example3(), Layout::Rectangular);
    EXPECT_EQ(curvePlotScale(a), PlotScale::Reinforced);
    a.calcola(ex::example4(), Layout::Circular);
    EXPECT_EQ(curvePlotScale(a), PlotScale::Circular);
    a.calcola(ex::example1(), Layout::Rectangular);
    EXPECT_EQ(curvePlotScale(a), PlotScale::Unreinforced);
    for (const PlotScale s : {PlotScale::Unreinforced, PlotScale::Reinforced, PlotScale::Circular})
        EXPECT_NEAR(plotMFromX(plotX(3.7, s), s), 3.7, 1e-12);
}

QString readout(double x, double y, PlotScale scale, bool italian) {
    return cursorReadout(
        x, y, scale, italian ? engine::numtext::NumberLocale::italian() : engine::numtext::NumberLocale::c());
}

TEST(CursorReadout, readsMAndNUnderEachScaleAndLocale) {
    struct Case {
        double x, y;
        PlotScale scale;
        const char* c;
        const char* it;
    };
    const Case cases[] = {
        {0, 0.6, PlotScale::Reinforced, "m = 0.00   n = 0.00", "m = 0,00   n = 0,00"},
        {0, 0.6, PlotScale::Circular, "m = 0.00   n = 0.00", "m = 0,00   n = 0,00"},
        {0.6, -0.4, PlotScale::Reinforced, "m = 1.20   n = 1.00", "m = 1,20   n = 1,00"},
        {0.6, -0.4, PlotScale::Unreinforced, "m = 0.60   n = 1.00", "m = 0,60   n = 1,00"},
        {0.6, 0.1, PlotScale::Circular, "m = 10.00   n = 0.50", "m = 10,00   n = 0,50"},
        {-0.3, 1.2, PlotScale::Reinforced, "m = -0.60   n = -0.60", "m = -0,60   n = -0,60"},
        {1.7, -1.1, PlotScale::Circular, "m = 28.33   n = 1.70", "m = 28,33   n = 1,70"},
        // Far outside the plot the number still groups its digits as the locale does.
        {60, 0.6, PlotScale::Circular, "m = 1,000.00   n = 0.00", "m = 1.000,00   n = 0,00"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(readout(c.x, c.y, c.scale, false), QString::fromLatin1(c.c)) << c.c;
        EXPECT_EQ(readout(c.x, c.y, c.scale, true), QString::fromLatin1(c.it)) << c.it;
    }
}

}  // namespace
}  // namespace fortema::ui
