// The exact design point: through every traced point, continuous over the jumps of the laws, and
// at hand-derived points.
#include "engine/exact_domain.h"
#include "engine/section.h"
#include "tests/engine/examples.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace fortema::engine;
using namespace fortema::engine::testing;

namespace {

struct Example {
    const char* name;
    SectionTexts texts;
    Layout layout;
};

const Example kExamples[] = {{"unreinforced", example1(), Layout::Rectangular},
                             {"masonry", example2(), Layout::Rectangular},
                             {"concrete", example3(), Layout::Rectangular},
                             {"circle", example4(), Layout::Circular}};

CurrentSection read(const Example& e) {
    CurrentSection s;
    readSection(e.texts, e.layout, s);
    return s;
}

// Bisection on the boundary alone, down to neighbouring values of s: the step in N found there.
double stepInN(const ExactBoundary& b, double Nd) {
    double lo = 0, hi = b.end();
    for (double mid = hi / 2; mid > lo && mid < hi; mid = lo + (hi - lo) / 2)
        (b.evaluate(mid).N < Nd ? lo : hi) = mid;
    return b.evaluate(hi).N - b.evaluate(lo).N;
}

}  // namespace

TEST(ExactDomain, PassesThroughEveryTracedPointAndBridgesEveryJump) {
    for (const Example& e : kExamples) {
        const CurrentSection s = read(e);
        const DomainTrace t = e.layout == Layout::Rectangular ? traceRectangular(s) : traceCircular(s);
        const ExactBoundary b(s, e.layout);
        for (int f = 1; f <= 5; ++f) {
            for (int i = 1; i <= t.count[static_cast<std::size_t>(f)]; ++i) {
                const CurvePoint& p = t.points[static_cast<std::size_t>(f)][static_cast<std::size_t>(i)];
                const ExactResult x = solveExact(s, e.layout, p.n * b.nScale());
                ASSERT_TRUE(x.found) << e.name << " " << f << " " << i;
                EXPECT_NEAR(x.Mu / b.mScale(), p.m, 1e-6) << e.name << " " << f << " " << i;
            }
        }
        // From pure tension to pure compression N never jumps: a bridge spans every jump of the laws.
        const double nt = b.evaluate(0).N, nc = b.evaluate(b.end()).N;
        for (int j = 1; j < 200; ++j) {
            const double Nd = nt + (nc - nt) * j / 200;
            const ExactResult x = solveExact(s, e.layout, Nd);
            ASSERT_TRUE(x.found) << e.name << " " << Nd;
            EXPECT_NEAR(x.Nu, Nd, 0.5);
            EXPECT_LT(stepInN(b, Nd), 0.01) << e.name << " " << Nd;
        }
        for (double beyond : {nc + 1, 10 * nc, nt < 0 ? nt - 1 : nc + 2})
            EXPECT_TRUE(solveExact(s, e.layout, beyond).beyondCapacity) << e.name << " " << beyond;
    }
}

TEST(ExactDomain, HandDerivedPoints) {
    const double fyd = 3913, Ea = 2100000;
    // Unreinforced: m = 3n(1 − n), the compressed depth n·h.
    ExactResult x = solveExact(read(kExamples[0]), Layout::Rectangular, 14000);
    EXPECT_NEAR(x.Mu, 182000, 0.2);
    EXPECT_NEAR(x.yan, 14, 0.001 * 14);
    EXPECT_EQ(x.campo, 0);

    // Field 3, both bars yielded.
    CurrentSection s = read(kExamples[2]);
    const double C = 0.8 * 118 * 30, d = 47.5;
    x = solveExact(s, Layout::Rectangular, 45000);
    EXPECT_EQ(x.campo, 3);
    EXPECT_NEAR(x.yan, 45000 / C, 1e-3);
    EXPECT_NEAR(x.Mu, kExactMu3, 0.1);
    EXPECT_NEAR(x.steelStrain, 0.0035 * (d - 45000 / C) / (45000 / C), 1e-6);

    // Field 4, A1 elastic: C·x² + (fyd·A2 + 0.0035·Ea·A1 − N)·x − 0.0035·Ea·A1·d = 0.
    x = solveExact(s, Layout::Rectangular, 150000);
    const double p = fyd * 6 + 0.0035 * Ea * 6 - 150000, q = 0.0035 * Ea * 6 * d;
    const double depth = (-p + std::sqrt(p * p + 4 * C * q)) / (2 * C);
    const double s1 = Ea * 0.0035 * (d - depth) / depth;
    EXPECT_EQ(x.campo, 4);
    EXPECT_NEAR(x.yan, depth, 0.001 * depth);
    EXPECT_NEAR(x.Mu, (s1 + fyd) * 6 * 22.5 + C * depth * (25 - 0.4 * depth), 0.001 * x.Mu);

    // A deep A2 stays below yield at the end of field 2, where field 3 puts it at fyd: halfway
    // across that jump in N lies halfway between the two states in M.
    s.c2 = 8;
    const double xl = 0.0035 * d / 0.0135, s2 = Ea * 0.0035 * (xl - 8) / xl;
    const double N2 = -fyd * 6 + s2 * 6 + C * xl, N3 = N2 + (fyd - s2) * 6;
    const double M2 = fyd * 6 * 22.5 + s2 * 6 * 17 + C * xl * (25 - 0.4 * xl), M3 = M2 + (fyd - s2) * 6 * 17;
    x = solveExact(s, Layout::Rectangular, (N2 + N3) / 2);
    EXPECT_TRUE(x.onBridge);
    EXPECT_NEAR(x.Mu, (M2 + M3) / 2, 0.001 * x.Mu);
    EXPECT_FALSE(solveExact(s, Layout::Rectangular, N2 - 100).onBridge);
}

TEST(ExactDomain, RefusalsAndTheLoadRayFactor) {
    CurrentSection circle = read(kExamples[3]);
    circle.Md = -5;
    EXPECT_EQ(solveExact(circle, Layout::Circular, 1000).refusal, warning::kNegativeMoment);
    EXPECT_EQ(solveExact(read(kExamples[0]), Layout::Rectangular, -1).refusal, warning::kRectangularTension);

    // λ·(N, M) on the boundary is checked with the combinations; here the ends of a ray along N.
    // Symmetric steel: the pure-tension and pure-compression points lie on the N axis.
    const ExactBoundary b(read(kExamples[2]), Layout::Rectangular);
    EXPECT_NEAR(loadRayFactor(b, -1, 0).factor, 3913 * 12, 1e-6);
    EXPECT_NEAR(loadRayFactor(b, 1, 0).factor, 118 * 30 * 50 + 3913 * 12, 1e-6);
}
