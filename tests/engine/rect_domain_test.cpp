// The rectangular domain: the five fields, their caps and precisions, the field-5 line and
// the design-point search.
#include "engine/domain.h"
#include "engine/section.h"
#include "tests/engine/examples.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace fortema::engine;
using namespace fortema::engine::testing;

namespace {

CurrentSection read(const SectionTexts& t) {
    CurrentSection s;
    readSection(t, Layout::Rectangular, s);
    return s;
}

bool isSingle(double v) { return static_cast<double>(static_cast<float>(v)) == v; }

const CurvePoint& at(const DomainTrace& t, int field, int i) {
    return t.points[static_cast<std::size_t>(field)][static_cast<std::size_t>(i)];
}

}  // namespace

TEST(RectangularDomain, UnreinforcedParabola) {
    const DomainTrace t = traceRectangular(read(example1()));
    EXPECT_TRUE(t.unreinforced);
    EXPECT_EQ(t.count[1], 101);
    for (int f = 2; f <= 5; ++f) EXPECT_EQ(t.count[static_cast<std::size_t>(f)], 0);
    for (int i = 1; i <= 101; ++i) {
        const double n = 0.01 * (i - 1);
        EXPECT_EQ(at(t, 1, i).n, n);
        EXPECT_EQ(at(t, 1, i).m, 3 * n * (1 - n));
    }
    EXPECT_EQ(at(t, 1, 101).n, 1.0);
    EXPECT_EQ(at(t, 1, 101).m, 0.0);
    EXPECT_TRUE(t.found);
    EXPECT_EQ(t.n, 0.35);
}

TEST(RectangularDomain, PointCountsAndPrecisions) {
    const DomainTrace t = traceRectangular(read(example3()));
    EXPECT_EQ(t.count[1], 50);
    EXPECT_EQ(t.count[2], 50);
    EXPECT_EQ(t.count[3], 100);
    EXPECT_EQ(t.count[4], 50);
    EXPECT_EQ(t.count[5], 50);
    // m of fields 3 and 5 is held in single precision, of fields 1, 2, 4 in double.
    for (int f : {3, 5}) {
        for (int i = 1; i <= t.count[static_cast<std::size_t>(f)]; ++i) {
            EXPECT_TRUE(isSingle(at(t, f, i).m)) << f << " " << i;
        }
    }
    for (int f : {2, 4}) {
        int doubles = 0;
        for (int i = 1; i <= t.count[static_cast<std::size_t>(f)]; ++i) doubles += !isSingle(at(t, f, i).m);
        EXPECT_GT(doubles, 10) << f;
    }
}

TEST(RectangularDomain, FieldOneReachesYieldAfterTwentySteps) {
    const CurrentSection s = read(example2());
    const DomainTrace t = traceRectangular(s);
    const double nScale = 10 * 100 * 40.0;
    const double pureTension = -3913 * (1.5 + 1.0) / nScale;
    EXPECT_EQ(at(t, 1, 1).n, -3913 * 1.5 / nScale);  // e = 0: A2 unstressed
    EXPECT_GT(at(t, 1, 20).n, pureTension);
    for (int i = 21; i <= 50; ++i) {
        EXPECT_EQ(at(t, 1, i).n, at(t, 1, 21).n);
        EXPECT_EQ(at(t, 1, i).m, at(t, 1, 21).m);
    }
    EXPECT_NEAR(at(t, 1, 21).n, pureTension, 1e-6);
}

TEST(RectangularDomain, FieldsTwoToFourFromTheirStrainStates) {
    const CurrentSection s = read(example3());
    const DomainTrace t = traceRectangular(s);
    const double nScale = 118 * 30 * 50.0, d = 47.5;
    // Field 2, first point: no compressed zone yet, A1 yielded.
    EXPECT_EQ(at(t, 2, 1).n, -3913 * 6 / nScale);
    // The compressed edge reaches 0.0035 by step 37 and stays there.
    for (int i = 38; i <= 50; ++i) EXPECT_EQ(at(t, 2, i).n, at(t, 2, 37).n);
    EXPECT_LT(at(t, 2, 30).n, at(t, 2, 37).n);
    // Field 3 caps A1 at 0.01 from the end of its range on: the last points repeat.
    EXPECT_EQ(at(t, 3, 100).n, at(t, 3, 99).n);
    // x at e = 0.01: 0.0035·d/0.0135, A1 and A2 both yielded and equal: N = C.
    const double x = 0.0035 * d / (0.0035 + 0.01);
    EXPECT_NEAR(at(t, 3, 100).n, 0.8 * 118 * 30 * x / nScale, 1e-12);
    // Field 4 starts at x = d with A1 unstressed: P4.
    EXPECT_NEAR(at(t, 4, 1).n, (0.8 * 118 * 30 * d + 3913 * 6) / nScale, 1e-12);
    // ... and ends at yield, where it meets the start of field 3.
    EXPECT_NEAR(at(t, 4, 50).n, at(t, 3, 1).n, 1e-6);
    EXPECT_NEAR(at(t, 4, 50).m, at(t, 3, 1).m, 1e-6);
}

TEST(RectangularDomain, FieldFiveLineReachesPureCompression) {
    const CurrentSection s = read(example3());
    const DomainTrace t = traceRectangular(s);
    const double nc = (118 * 30 * 50.0 + 3913 * 12) / (118 * 30 * 50.0);
    EXPECT_EQ(at(t, 5, 1).n, nc);
    EXPECT_EQ(at(t, 5, 1).m, 0.0);  // symmetric steel: the line ends on the n axis
    const CurvePoint p4 = at(t, 4, 1);
    ASSERT_GT(nc - p4.n, 0.24);  // 49 steps of 0.005 would stop short
    EXPECT_EQ(at(t, 5, 2).n, p4.n - fieldFiveStep(nc, p4.n) + fieldFiveStep(nc, p4.n));
    EXPECT_NEAR(at(t, 5, 50).n, nc, 1e-12);
    EXPECT_NEAR(at(t, 5, 50).m, 0.0, 1e-6);
    for (int i = 2; i <= 50; ++i) {
        // On the straight line from P4 to (n_c, 0), within single precision.
        const double expected = p4.m * (nc - at(t, 5, i).n) / (nc - p4.n);
        EXPECT_NEAR(at(t, 5, i).m, expected, 1e-6) << i;
    }

    // A design force high in field 5 is matched on the line, not at its literal 0.24 end.
    SectionTexts texts = example3();
    texts.Nd = "212400";  // n_d = 1.2
    Analysis a;
    ASSERT_TRUE(a.calcola(texts, Layout::Rectangular).traced);
    EXPECT_EQ(a.result().campo, 5);
    EXPECT_NEAR(a.result().Nu, 212400, 0.005 * 177000);
    EXPECT_EQ(a.result().Mu, 222562);
}

TEST(RectangularDomain, FieldFiveKeepsTheSmallStepWhenItReaches) {
    // No lower cover and little tension steel: n_c − n_P4 ≈ 0.2, inside 49 steps of 0.005.
    const CurrentSection s =
        read(rectangle(materials("10", "10000", "14000", "130000"), "1000", "400", "0", "30", "1", "100"));
    const DomainTrace t = traceRectangular(s);
    const double nc = at(t, 5, 1).n;
    const double nP4 = at(t, 4, 1).n;
    ASSERT_LT(nc - nP4, 0.24);
    EXPECT_EQ(fieldFiveStep(nc, nP4), 0.005);
    EXPECT_NEAR(at(t, 5, 3).n - at(t, 5, 2).n, 0.005, 1e-12);
    EXPECT_EQ(at(t, 5, 50).n, nc);  // capped
    EXPECT_EQ(at(t, 5, 49).n, nc);
    // More steel at the top: the pure-compression point lies on the positive side of m.
    EXPECT_GT(at(t, 5, 1).m, 0.0);
}

TEST(RectangularDomain, DegenerateFieldFiveStaysFinite) {
    // P4 on the pure-compression point (h = c1, no steel in compression): k = 0 / 0.
    EXPECT_EQ(fieldFiveM(1.0, 1.0, 0.5, 0.0), 0.5);
    EXPECT_EQ(fieldFiveM(1.0, 1.0, 0.5, std::nan("")), 0.5);
    EXPECT_EQ(fieldFiveM(1.5, 1.0, 0.5, 0.25), -1.5);
}

TEST(DesignSearch, NearestSameSideStrictlyEarlierWins) {
    DomainTrace t;
    DesignSearch s(0.5);
    s.offer(-0.5, 9, 1, 0);  // opposite side: never
    s.offer(0.0, 9, 1, 0);   // n = 0: never
    s.offer(0.6, 1, 2, 1);
    s.offer(0.4, 2, 3, 2);  // the same gap: the earlier point stays
    s.writeTo(t);
    EXPECT_TRUE(t.found);
    EXPECT_EQ(t.m, 1);
    EXPECT_EQ(t.campo, 2);

    // Gaps equal in single precision tie even when their doubles differ.
    DesignSearch f(0.5);
    f.offer(0.6 + 1e-12, 1, 4, 0);
    f.offer(0.6, 2, 5, 0);
    f.writeTo(t);
    EXPECT_EQ(t.campo, 4);

    // The running minimum starts at 10: a gap of 10 or more is never taken.
    DesignSearch far(0.5);
    far.offer(10.5, 1, 1, 0);
    DomainTrace none;
    far.writeTo(none);
    EXPECT_FALSE(none.found);
    DesignSearch nearly(0.5);
    nearly.offer(10.4, 1, 1, 0);
    nearly.writeTo(none);
    EXPECT_TRUE(none.found);

    // Negative design forces match negative points by magnitude.
    DesignSearch neg(-0.3);
    neg.offer(0.3, 1, 1, 0);
    neg.offer(-0.2, 2, 2, 0);
    neg.offer(-0.35, 3, 3, 0);
    neg.writeTo(t);
    EXPECT_EQ(t.campo, 3);
}

TEST(DesignSearch, TensionOnlyPicksNegativePoints) {
    SectionTexts texts = example3();
    texts.Nd = "-30000";
    const DomainTrace t = traceRectangular(read(texts));
    ASSERT_TRUE(t.found);
    EXPECT_LT(t.n, 0);
    EXPECT_LE(t.campo, 4);
    // Nothing traced lies nearer to n_d on the negative side.
    for (int f = 1; f <= 5; ++f) {
        for (int i = (f == 5 ? 2 : 1); i <= t.count[static_cast<std::size_t>(f)]; ++i) {
            const double n = at(t, f, i).n;
            if (n < 0) {
                EXPECT_GE(static_cast<float>(std::fabs(std::fabs(t.nd) - std::fabs(n))),
                          static_cast<float>(std::fabs(std::fabs(t.nd) - std::fabs(t.n))));
            }
        }
    }
}
