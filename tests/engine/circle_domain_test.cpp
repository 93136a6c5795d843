// The circular domain: the strip integration (tabulated against plain), the placement of
// the bars, the cut yield strain, the fields and the order of the search.
#include "engine/domain.h"
#include "engine/section.h"
#include "tests/engine/examples.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using namespace fortema::engine;
using namespace fortema::engine::testing;

namespace {

CurrentSection read(const SectionTexts& t) {
    CurrentSection s;
    readSection(t, Layout::Circular, s);
    return s;
}

const CurvePoint& at(const DomainTrace& t, int field, int i) {
    return t.points[static_cast<std::size_t>(field)][static_cast<std::size_t>(i)];
}

// The strain states of the integrated fields, accumulated as the fields accumulate them.
std::vector<std::pair<double, double>> fieldStates(float eyd) {
    std::vector<std::pair<double, double>> states;
    double e = -0.0001;
    for (int i = 1; i <= 100; ++i) {
        e += 0.0001;
        if (e > 0.0035) e = 0.0035;
        states.emplace_back(e, 0.01f);
    }
    e = eyd - 0.0001;
    for (int i = 1; i <= 100; ++i) {
        e += 0.0001;
        if (e >= 0.01) e = 0.01;
        states.emplace_back(0.0035, e);
    }
    e = -0.0001;
    for (int i = 1; i <= 50; ++i) {
        e += 0.0001;
        if (e > eyd) e = eyd;
        states.emplace_back(0.0035, e);
    }
    return states;
}

}  // namespace

TEST(CircleStrips, StripAnglesZeroToThreePointFourteen) { EXPECT_EQ(circleStripCount(), 158); }

TEST(CircleStrips, TabulatedIntegrationMatchesPlainBitForBit) {
    std::vector<SectionTexts> sections = {example4()};
    // An elastic concrete branch (ε0 > 0 read through fmd/Em), a thick cover, odd sizes.
    sections.push_back(circle(materials("118", "29900", "1", "0"), "400", "30", "700"));
    sections.push_back(circle(materials("250", "100000", "1", "0"), "333", "77", "1234"));
    sections.push_back(circle(materials("118", "299000", "1", "0"), "400", "30", "0"));
    sections.push_back(circle(materials("17.3", "12345", "1", "0"), "1215", "150", "25000"));
    for (const SectionTexts& texts : sections) {
        const CircleSection cs = circleSection(read(texts));
        const CircleStrips strips(cs);
        std::vector<std::pair<double, double>> states = fieldStates(cs.eyd);
        states.emplace_back(-1.0, 1.0);  // uniform tension
        states.emplace_back(1.0, -1.0);  // uniform compression
        states.emplace_back(0.0, 0.0);
        states.emplace_back(0.0002, -0.0001);
        for (const auto& [top, bot] : states) {
            const CurvePoint fast = strips.integrate(top, bot);
            const CurvePoint plain = integrateCirclePlain(cs, top, bot);
            ASSERT_EQ(fast.n, plain.n) << texts.d << " " << top << " " << bot;
            ASSERT_EQ(fast.m, plain.m) << texts.d << " " << top << " " << bot;
        }
    }
}

TEST(CircleStrips, TracedPointsAreThoseOfThePlainIntegration) {
    const CurrentSection s = read(example4());
    const CircleSection cs = circleSection(s);
    const DomainTrace t = traceCircular(s);
    const auto states = fieldStates(cs.eyd);
    for (std::size_t k = 0; k < states.size(); ++k) {
        const int field = k < 100 ? 2 : (k < 200 ? 3 : 4);
        const int i = static_cast<int>(k < 100 ? k + 1 : (k < 200 ? k - 99 : k - 199));
        const CurvePoint p = integrateCirclePlain(cs, states[k].first, states[k].second);
        ASSERT_EQ(at(t, field, i).n, p.n) << field << " " << i;
        const double m = field == 3 ? static_cast<float>(p.m) : p.m;
        ASSERT_EQ(at(t, field, i).m, m) << field << " " << i;
    }
}

TEST(CircleStrips, SteelSitsOnTheBarRing) {
    const CurrentSection s = read(example4());
    const CircleSection cs = circleSection(s);
    // Uniform tension beyond yield: every bar at fyd, no concrete. The ring integrates to Aa.
    const CurvePoint tension = integrateCirclePlain(cs, -1.0, 1.0);
    const double steel = -tension.n * cs.nScale / cs.fyd;
    EXPECT_NEAR(steel, 7.0, 0.01 * 7.0);
    EXPECT_NEAR(tension.m, 0.0, 0.01);
    // Uniform compression: the concrete disc and the ring, near the pure-compression point.
    const CurvePoint squash = integrateCirclePlain(cs, 1.0, -1.0);
    const double nc = (118 * cs.Ac + 3913 * 7.0) / cs.nScale;
    EXPECT_NEAR(squash.n, nc, 0.01 * nc);
    // A bar ring of radius rs carries bending as I = A·rs²/2 predicts: a strain gradient that
    // leaves the steel elastic and the concrete out (all in tension) gives M = Ea·κ·A·rs²/2.
    const double kappa = 0.0002 / 40.0;                                 // strain 0.0002 across the diameter
    const CurvePoint bend = integrateCirclePlain(cs, -0.0009, 0.0011);  // tension everywhere
    const double M = bend.m * cs.mScale;
    EXPECT_NEAR(M, 2100000 * kappa * 7.0 * 17.0 * 17.0 / 2, 0.02 * 2100000 * kappa * 7.0 * 17.0 * 17.0 / 2);
}

TEST(CircularDomain, YieldStrainCutToFourDecimalsWhereFieldsThreeAndFourMeet) {
    const CurrentSection s = read(example4());
    const CircleSection cs = circleSection(s);
    EXPECT_EQ(cs.eyd, 0.0018f);  // 3913/2100000 = 0.0018633 cut
    EXPECT_EQ(cs.e0, 0.0003);    // 118/299000 = 0.000394 cut
    const DomainTrace t = traceCircular(s);
    // Field 4 caps its lower strain at εyd at step 19, the state where field 3 starts.
    EXPECT_EQ(at(t, 4, 19).n, at(t, 3, 1).n);
    EXPECT_EQ(static_cast<float>(at(t, 4, 19).m), at(t, 3, 1).m);
    EXPECT_NE(at(t, 4, 18).n, at(t, 4, 19).n);
    for (int i = 20; i <= 50; ++i) EXPECT_EQ(at(t, 4, i).n, at(t, 4, 19).n);
}

TEST(CircularDomain, FieldsCapsAndEndPoints) {
    const CurrentSection s = read(example4());
    const CircleSection cs = circleSection(s);
    const DomainTrace t = traceCircular(s);
    EXPECT_EQ(t.count[1], 52);
    EXPECT_EQ(t.count[2], 100);
    EXPECT_EQ(t.count[3], 100);
    EXPECT_EQ(t.count[4], 50);
    EXPECT_EQ(t.count[5], 50);
    // Field 2: the upper strain is capped at 0.0035 from step 37 on.
    for (int i = 38; i <= 100; ++i) EXPECT_EQ(at(t, 2, i).n, at(t, 2, 37).n);
    // Field 3 reaches the 0.01 tension limit and repeats.
    EXPECT_EQ(at(t, 3, 100).n, at(t, 3, 99).n);
    // Field 5 from P4 to the pure-compression point.
    const double nc = (118 * cs.Ac + 3913 * 7.0) / (118 * cs.Ac);
    EXPECT_EQ(at(t, 5, 1).n, nc);
    EXPECT_EQ(at(t, 5, 1).m, 0.0);
    EXPECT_EQ(at(t, 5, 2).n, at(t, 4, 1).n);
    EXPECT_EQ(at(t, 5, 50).n, nc);
    // Field 1 from the pure-tension point to P2, in 50 equal steps of m.
    const double nt = -3913 * 7.0 / (118 * cs.Ac);
    EXPECT_EQ(at(t, 1, 1).n, nt);
    EXPECT_EQ(at(t, 1, 2).m, 0.0);
    EXPECT_NEAR(at(t, 1, 2).n, nt, 1e-12);
    EXPECT_NEAR(at(t, 1, 52).m, at(t, 2, 1).m, 1e-12);
    EXPECT_EQ(at(t, 1, 52).n, at(t, 2, 1).n);
    EXPECT_NEAR(at(t, 1, 27).m, 0.5 * at(t, 2, 1).m, 1e-12);
}

TEST(CircularDomain, FieldFiveReachesPureCompressionWithMuchSteel) {
    SectionTexts texts = example4();
    texts.Aa = "7000";
    const DomainTrace t = traceCircular(read(texts));
    const double nc = at(t, 5, 1).n;
    ASSERT_GT(nc - at(t, 4, 1).n, 0.24);
    EXPECT_NEAR(at(t, 5, 50).n, nc, 1e-12);
    EXPECT_NEAR(at(t, 5, 50).m, 0.0, 1e-6);
}

TEST(CircularDomain, UnreinforcedCircle) {
    SectionTexts texts = example4();
    texts.Aa = "0";
    const DomainTrace t = traceCircular(read(texts));
    EXPECT_EQ(at(t, 5, 1).n, 1.0);
    EXPECT_EQ(at(t, 1, 1).n, 0.0);
    // P2 has no compressed zone and no steel: m_P2 = 0, field 1 collapses onto the origin.
    EXPECT_EQ(at(t, 2, 1).m, 0.0);
    for (int i = 1; i <= 52; ++i) {
        EXPECT_EQ(at(t, 1, i).n, 0.0);
        EXPECT_EQ(at(t, 1, i).m, 0.0);
    }
    ASSERT_TRUE(t.found);
    EXPECT_GT(t.m, 0);
    EXPECT_LT(at(t, 5, 2).n, 1.0);  // concrete only: P4 below the squash load
}

TEST(CircularDomain, SearchOffersFieldTwoBeforeFieldOne) {
    // Field 1 ends on P2 with the same n: a design force there ties, and field 2, offered
    // first, keeps the point.
    const CurrentSection s = read(example4());
    const DomainTrace probe = traceCircular(s);
    ASSERT_EQ(at(probe, 1, 52).n, at(probe, 2, 1).n);
    SectionTexts texts = example4();
    const double Nd = at(probe, 2, 1).n * 118 * circleSection(s).Ac;
    texts.Nd = std::to_string(Nd);
    const DomainTrace t = traceCircular(read(texts));
    ASSERT_TRUE(t.found);
    EXPECT_EQ(t.n, at(probe, 2, 1).n);
    EXPECT_EQ(t.campo, 2);
}

TEST(CircularDomain, ResultKeepsThePreviousNeutralAxisDepth) {
    Analysis a;
    ASSERT_TRUE(a.calcola(example3(), Layout::Rectangular).traced);
    const float yan = a.result().yan;
    ASSERT_TRUE(a.calcola(example4(), Layout::Circular).traced);
    EXPECT_EQ(a.result().yan, yan);
}
