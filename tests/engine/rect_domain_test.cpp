// The rectangular domain: the five fields and their caps, the field-5 line and the design-point
// search.
#include "engine/domain.h"
#include "engine/section.h"
#include "tests/engine/examples.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace fortema::engine;
using namespace fortema::engine::testing;

namespace {

DomainTrace trace(const SectionTexts& texts) {
    CurrentSection s;
    readSection(texts, Layout::Rectangular, s);
    return traceRectangular(s);
}

const CurvePoint& at(const DomainTrace& t, int field, int i) {
    return t.points[static_cast<std::size_t>(field)][static_cast<std::size_t>(i)];
}

}  // namespace

TEST(RectangularDomain, UnreinforcedParabola) {
    const DomainTrace t = trace(example1());
    EXPECT_EQ(t.count[1], 101);
    EXPECT_EQ(t.count[2], 0);
    for (int i = 1; i <= 101; ++i) {
        const double n = 0.01 * (i - 1);
        EXPECT_EQ(at(t, 1, i).n, n);
        EXPECT_EQ(at(t, 1, i).m, 3 * n * (1 - n));
    }
}

TEST(RectangularDomain, FieldsOneToFourFromTheirStrainStates) {
    // Field 1 (example 2): A2 stretched in steps of 0.05·εyd, yielded after 20 of them.
    DomainTrace t = trace(example2());
    const double pureTension = -3913 * (1.5 + 1.0) / 40000;
    EXPECT_EQ(at(t, 1, 1).n, -3913 * 1.5 / 40000);  // A2 unstressed
    EXPECT_GT(at(t, 1, 20).n, pureTension);
    EXPECT_NEAR(at(t, 1, 21).n, pureTension, 1e-6);
    EXPECT_EQ(at(t, 1, 50).m, at(t, 1, 21).m);

    t = trace(example3());
    const double nScale = 118 * 30 * 50.0, d = 47.5;
    // Field 2 starts with no compressed zone; the compressed edge reaches 0.0035 by step 37 and stays.
    EXPECT_EQ(at(t, 2, 1).n, -3913 * 6 / nScale);
    EXPECT_LT(at(t, 2, 30).n, at(t, 2, 37).n);
    EXPECT_EQ(at(t, 2, 50).n, at(t, 2, 37).n);
    // Field 3 ends with A1 at 0.01, both bars yielded: N = C at x = 0.0035·d/0.0135.
    EXPECT_NEAR(at(t, 3, 100).n, 0.8 * 118 * 30 * (0.0035 * d / 0.0135) / nScale, 1e-12);
    // Field 4 starts at x = d with A1 unstressed (P4) and ends at yield, where field 3 starts.
    EXPECT_NEAR(at(t, 4, 1).n, (0.8 * 118 * 30 * d + 3913 * 6) / nScale, 1e-12);
    EXPECT_NEAR(at(t, 4, 50).n, at(t, 3, 1).n, 1e-6);
    EXPECT_NEAR(at(t, 4, 50).m, at(t, 3, 1).m, 1e-6);
}

TEST(RectangularDomain, FieldFiveLineReachesPureCompression) {
    const DomainTrace t = trace(example3());
    const double nc = (118 * 30 * 50.0 + 3913 * 12) / (118 * 30 * 50.0);
    const CurvePoint p4 = at(t, 4, 1);
    EXPECT_EQ(at(t, 5, 1).n, nc);
    EXPECT_EQ(at(t, 5, 1).m, 0.0);  // symmetric steel: the line ends on the n axis
    ASSERT_GT(nc - p4.n, 0.24);     // 49 steps of 0.005 would stop short
    EXPECT_NEAR(at(t, 5, 50).n, nc, 1e-12);
    for (int i = 2; i <= 50; ++i)
        EXPECT_NEAR(at(t, 5, i).m, p4.m * (nc - at(t, 5, i).n) / (nc - p4.n), 1e-6) << i;

    // A design force high in field 5 is matched on the line, not at its literal 0.24 end.
    Analysis a;
    SectionTexts texts = example3();
    texts.Nd = "212400";  // n_d = 1.2
    ASSERT_TRUE(a.calcola(texts, Layout::Rectangular).traced);
    EXPECT_EQ(a.result().campo, 5);
    EXPECT_NEAR(a.result().Nu, 212400, 0.005 * 177000);

    // Little steel and no lower cover: n_c − n_P4 ≈ 0.2 keeps the step of 0.005, then the cap.
    const DomainTrace small =
        trace(rectangle(materials("10", "10000", "14000", "130000"), "1000", "400", "0", "30", "1", "100"));
    ASSERT_LT(at(small, 5, 1).n - at(small, 4, 1).n, 0.24);
    EXPECT_NEAR(at(small, 5, 3).n - at(small, 5, 2).n, 0.005, 1e-12);
    EXPECT_EQ(at(small, 5, 50).n, at(small, 5, 1).n);
    EXPECT_GT(at(small, 5, 1).m, 0.0);  // more steel at the top: m_c on the positive side

    // P4 on the pure-compression point: k = 0/0 leaves m at P4.
    EXPECT_EQ(fieldFiveM(1.0, 1.0, 0.5, std::nan("")), 0.5);
    EXPECT_EQ(fieldFiveM(1.5, 1.0, 0.5, 0.25), -1.5);
}

TEST(DesignSearch, NearestSameSideStrictlyEarlierWins) {
    const auto chosen = [](double nd, std::initializer_list<std::pair<double, int>> offers) {
        DesignSearch s(nd);
        for (const auto& [n, campo] : offers) s.offer(n, 1, campo, 0);
        DomainTrace t;
        s.writeTo(t);
        return t.found ? t.campo : -1;
    };
    EXPECT_EQ(chosen(0.5, {{-0.5, 9}, {0.0, 9}, {0.6, 2}, {0.4, 3}}), 2);  // other side and 0 never
    EXPECT_EQ(chosen(0.5, {{0.6 + 1e-12, 4}, {0.6, 5}}), 4);               // equal gaps in single precision
    EXPECT_EQ(chosen(0.5, {{10.5, 1}}), -1);                               // the running minimum starts at 10
    EXPECT_EQ(chosen(0.5, {{10.4, 1}}), 1);
    EXPECT_EQ(chosen(-0.3, {{0.3, 1}, {-0.2, 2}, {-0.35, 3}}), 3);  // by magnitude on the negative side
}
