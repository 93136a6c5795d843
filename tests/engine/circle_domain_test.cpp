// The circular domain: the strip integration (tabulated against plain), the placement of the
// bars, the cut yield strain, the fields and the order of the search.
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

// The strain states (upper, lower edge) of fields 2, 3 and 4, accumulated as the fields do.
std::vector<std::pair<double, double>> fieldStates(float eyd) {
    std::vector<std::pair<double, double>> states;
    double e = -0.0001;
    for (int i = 1; i <= 100; ++i) states.emplace_back(e = std::min(e + 0.0001, 0.0035), 0.01f);
    e = eyd - 0.0001;
    for (int i = 1; i <= 100; ++i) states.emplace_back(0.0035, e = std::min(e + 0.0001, 0.01));
    e = -0.0001;
    for (int i = 1; i <= 50; ++i) states.emplace_back(0.0035, e = std::min(e + 0.0001, double(eyd)));
    return states;
}

}  // namespace

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
        ASSERT_EQ(at(t, field, i).m, field == 3 ? static_cast<float>(p.m) : p.m) << field << " " << i;
    }
    // The tables agree with the plain loop bit for bit on other sections too: an elastic concrete
    // branch, a thick cover, no steel, odd sizes.
    for (const SectionTexts& texts : {circle(materials("118", "29900", "1", "0"), "400", "30", "700"),
                                      circle(materials("250", "100000", "1", "0"), "333", "77", "1234"),
                                      circle(materials("118", "299000", "1", "0"), "400", "30", "0")}) {
        const CircleSection other = circleSection(read(texts));
        const CircleStrips strips(other);
        std::vector<std::pair<double, double>> more = fieldStates(other.eyd);
        more.insert(more.end(), {{-1.0, 1.0}, {1.0, -1.0}, {0.0, 0.0}, {0.0002, -0.0001}});
        for (const auto& [top, bot] : more) {
            ASSERT_EQ(strips.integrate(top, bot).n, integrateCirclePlain(other, top, bot).n)
                << top << " " << bot;
            ASSERT_EQ(strips.integrate(top, bot).m, integrateCirclePlain(other, top, bot).m)
                << top << " " << bot;
        }
    }
}

TEST(CircleStrips, SteelSitsOnTheBarRing) {
    const CircleSection cs = circleSection(read(example4()));
    // Uniform tension beyond yield: every bar at fyd, no concrete; the ring integrates to Aa.
    const CurvePoint tension = integrateCirclePlain(cs, -1.0, 1.0);
    EXPECT_NEAR(-tension.n * cs.nScale / cs.fyd, 7.0, 0.01 * 7.0);
    EXPECT_NEAR(tension.m, 0.0, 0.01);
    // A strain gradient that leaves the steel elastic and the concrete all in tension bends the
    // ring as I = Aa·rs²/2 predicts: M = Ea·κ·Aa·rs²/2 with κ = 0.0002/40 cm and rs = 17 cm.
    const double M = integrateCirclePlain(cs, -0.0009, 0.0011).m * cs.mScale;
    const double expected = 2100000 * (0.0002 / 40.0) * 7.0 * 17.0 * 17.0 / 2;
    EXPECT_NEAR(M, expected, 0.02 * expected);
}

TEST(CircularDomain, CutYieldStrainFieldsAndEndPoints) {
    const CurrentSection s = read(example4());
    const CircleSection cs = circleSection(s);
    EXPECT_EQ(cs.eyd, 0.0018f);  // 3913/2100000 = 0.0018633 cut
    EXPECT_EQ(cs.e0, 0.0003);    // 118/299000 = 0.000394 cut
    const DomainTrace t = traceCircular(s);
    // Field 4 caps its lower strain at εyd at step 19, the state where field 3 starts.
    EXPECT_EQ(at(t, 4, 19).n, at(t, 3, 1).n);
    EXPECT_NE(at(t, 4, 18).n, at(t, 4, 19).n);
    EXPECT_EQ(at(t, 4, 50).n, at(t, 4, 19).n);
    // Field 1 from the pure tension −fyd·Aa to P2, field 5 from P4 to the pure compression.
    const double nScale = 118 * cs.Ac;
    EXPECT_EQ(at(t, 1, 1).n, -3913 * 7.0 / nScale);
    EXPECT_EQ(at(t, 1, 52).n, at(t, 2, 1).n);
    EXPECT_NEAR(at(t, 1, 27).m, 0.5 * at(t, 2, 1).m, 1e-12);
    EXPECT_EQ(at(t, 5, 1).n, (118 * cs.Ac + 3913 * 7.0) / nScale);
    EXPECT_EQ(at(t, 5, 2).n, at(t, 4, 1).n);

    // With much steel n_c − n_P4 exceeds 49 steps of 0.005: the line still reaches n_c.
    const DomainTrace heavy = traceCircular(read(circle(example4(), "400", "30", "7000")));
    ASSERT_GT(at(heavy, 5, 1).n - at(heavy, 4, 1).n, 0.24);
    EXPECT_NEAR(at(heavy, 5, 50).n, at(heavy, 5, 1).n, 1e-12);
    EXPECT_NEAR(at(heavy, 5, 50).m, 0.0, 1e-6);
}

TEST(CircularDomain, SearchOffersFieldTwoBeforeFieldOne) {
    // Field 1 ends on P2 with the same n: a design force there ties, and field 2, offered first,
    // keeps the point.
    const CurrentSection s = read(example4());
    const double n = at(traceCircular(s), 2, 1).n;
    const DomainTrace t = traceCircular(read(circle(
        materials("118", "299000", std::to_string(n * 118 * circleSection(s).Ac), "0"), "400", "30", "700")));
    ASSERT_TRUE(t.found);
    EXPECT_EQ(t.n, n);
    EXPECT_EQ(t.campo, 2);
}
