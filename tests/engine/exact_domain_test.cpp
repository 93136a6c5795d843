// The exact design point: through every traced point, the traced Mu approaching it as the steps
// shrink, hand-derived points, and an implementation of the same laws written another way.
#include "engine/exact_domain.h"
#include "engine/section.h"
#include "tests/engine/examples.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

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

TEST(ExactDomain, PassesThroughEveryTracedPoint) {
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
    }
}

// The window's Mu is that of the traced point nearest to n_d. Taking the nearest of the exact
// boundary's states at the same strain steps gives the window's Mu again; at steps k times finer
// the difference from the exact Mu shrinks about k times, so the steps are all that part them.
TEST(ExactDomain, FinerStepsApproachTheExactMu) {
    for (const Example& e : {kExamples[1], kExamples[2], kExamples[3]}) {
        const CurrentSection s = read(e);
        const ExactBoundary b(s, e.layout);
        const double eyd = e.layout == Layout::Rectangular ? toSingle(s.fyd / s.Ea) : circleSection(s).eyd;
        const auto stepped = [&](double Nd, int k) {
            float best = 10;
            double mu = 0;
            const auto field = [&](int campo, double from, double cap) {
                for (int i = 0;; ++i) {
                    const double strain = std::min(from + 0.0001 * i / k, cap);
                    const BoundaryPoint p = b.state(campo, strain);
                    const float gap = toSingle(std::fabs(std::fabs(Nd) - std::fabs(p.N)) / b.nScale());
                    if (gap < best && p.N * Nd > 0) best = gap, mu = p.M;
                    if (strain == cap) return;
                }
            };
            field(2, 0, 0.0035);
            field(3, eyd, 0.01);
            field(4, 0, eyd);
            return mu;
        };
        const double from = b.state(2, 0.0002).N, to = b.state(4, 0.0002).N;
        double worst[3] = {0, 0, 0};
        for (int j = 0; j <= 120; ++j) {
            const double Nd = std::round(from + (to - from) * j / 120);
            if (Nd == 0) continue;
            const double exact = solveExact(s, e.layout, Nd).Mu;
            SectionTexts texts = e.texts;
            texts.Nd = std::to_string(static_cast<long>(Nd));
            Analysis window;
            ASSERT_TRUE(window.calcola(texts, e.layout).traced);
            EXPECT_NEAR(stepped(Nd, 1), window.result().Mu, 1 + 1e-6 * exact) << e.name << " " << Nd;
            const int ks[] = {1, 4, 16};
            for (int k = 0; k < 3; ++k)
                worst[k] = std::max(worst[k], std::fabs(stepped(Nd, ks[k]) / exact - 1));
        }
        EXPECT_GT(worst[0], 0.005) << e.name;
        EXPECT_LT(worst[1], worst[0] / 2.5) << e.name;
        EXPECT_LT(worst[2], worst[1] / 2.5) << e.name;
    }
}

TEST(ExactDomain, HandDerivedPoints) {
    const double fyd = 3913, Ea = 2100000;
    // Unreinforced: m = 3n(1 − n), the compressed depth n·h.
    CurrentSection s = read(kExamples[0]);
    ExactResult x = solveExact(s, Layout::Rectangular, 14000);  // n = 0.35
    EXPECT_NEAR(x.Mu, 3 * 0.35 * 0.65 * 10 * 100 * 1600 / 6, 0.001 * x.Mu);
    EXPECT_NEAR(x.yan, 14, 0.001 * 14);
    EXPECT_EQ(x.campo, 0);

    // Field 3, both bars yielded: N = 0.8·fmd·b·x as A1 = A2.
    s = read(kExamples[2]);
    const double C = 0.8 * 118 * 30, d = 47.5;
    x = solveExact(s, Layout::Rectangular, 45000);
    double depth = 45000 / C;
    EXPECT_EQ(x.campo, 3);
    EXPECT_NEAR(x.yan, depth, 0.001 * depth);
    EXPECT_NEAR(x.Mu, 2 * fyd * 6 * 22.5 + 45000 * (25 - 0.4 * depth), 0.001 * x.Mu);
    EXPECT_NEAR(x.steelStrain, 0.0035 * (d - depth) / depth, 1e-6);

    // Field 4, A1 elastic: C·x² + (fyd·A2 + 0.0035·Ea·A1 − N)·x − 0.0035·Ea·A1·d = 0.
    x = solveExact(s, Layout::Rectangular, 150000);
    const double p = fyd * 6 + 0.0035 * Ea * 6 - 150000, q = 0.0035 * Ea * 6 * d;
    depth = (-p + std::sqrt(p * p + 4 * C * q)) / (2 * C);
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
    EXPECT_LT(stepInN(ExactBoundary(s, Layout::Rectangular), (N2 + N3) / 2), 0.01);
    EXPECT_NEAR(x.Mu, (M2 + M3) / 2, 0.001 * x.Mu);
    EXPECT_FALSE(solveExact(s, Layout::Rectangular, N2 - 100).onBridge);
}

TEST(ExactDomain, BridgesEveryBarAtTheCutYieldStrain) {
    const CurrentSection s = read(kExamples[3]);
    const ExactBoundary b(s, Layout::Circular);
    const double r = 20, rs = 17, eyd = 0.0018;
    int bridged = 0;
    for (int k = 0; k <= 157; ++k) {
        // Upper edge at 0.0035: the lower edge's strain that brings this bar to ±εyd.
        const double eta = (r - rs * std::cos(0.02 * k)) / (2 * r);
        for (double yield : {eyd, -eyd}) {
            const double eBot = (yield + 0.0035) / eta - 0.0035;
            if (!(eBot > 1e-6 && eBot < 0.01 - 1e-6)) continue;
            const int campo = eBot >= eyd ? 3 : 4;
            const double Nd = (b.state(campo, eBot - 1e-9).N + b.state(campo, eBot + 1e-9).N) / 2;
            EXPECT_LT(stepInN(b, Nd), 0.01) << k;
            bridged += solveExact(s, Layout::Circular, Nd).onBridge;
        }
    }
    EXPECT_GT(bridged, 20);
}

TEST(ExactDomain, RefusesWhatTheCalculationRefuses) {
    CurrentSection s = read(kExamples[3]);
    s.Md = -5;
    EXPECT_EQ(solveExact(s, Layout::Circular, 1000).refusal, warning::kNegativeMoment);
    EXPECT_EQ(solveExact(read(kExamples[0]), Layout::Rectangular, -1).refusal, warning::kRectangularTension);
}

TEST(ExactDomain, LoadRayFactor) {
    for (const Example& e : kExamples) {
        const CurrentSection s = read(e);
        const ExactBoundary b(s, e.layout);
        const ExactResult x = solveExact(s, e.layout, s.Nd);
        EXPECT_NEAR(loadRayFactor(b, s.Nd, x.Mu).factor, 1, 1e-9) << e.name;
        EXPECT_NEAR(loadRayFactor(b, s.Nd / 4, x.Mu / 4).factor, 4, 4e-9) << e.name;
        EXPECT_FALSE(loadRayFactor(b, s.Nd, -1).found);
    }
    // Symmetric steel: the pure-tension and pure-compression points lie on the N axis.
    const ExactBoundary b(read(kExamples[2]), Layout::Rectangular);
    EXPECT_NEAR(loadRayFactor(b, -1, 0).factor, 3913 * 12, 1e-6);
    EXPECT_NEAR(loadRayFactor(b, 1, 0).factor, 118 * 30 * 50 + 3913 * 12, 1e-6);
}

// ---------------------------------------------------------------------------------------------
// The same laws written another way: forces and their depths from the compressed edge, states
// sampled densely along the boundary, and M read off by straight interpolation in N, which also
// steps over every jump of the laws between two samples.

namespace {

struct Force {
    double F, depth;  // compression positive, cm from the compressed edge
};
struct Sample {
    double N, M;
};

Sample resultant(const std::vector<Force>& forces, double centre) {
    Sample p{0, 0};
    for (const Force& f : forces) p.N += f.F, p.M += f.F * (centre - f.depth);
    return p;
}

std::vector<Sample> rectangleSamples(const CurrentSection& s, int steps) {
    const double A2 = s.A2, d = s.h - s.c1, eyd = s.fyd / s.Ea, xl = 0.0035 * d / 0.0135;
    std::vector<Sample> out;
    for (int i = 0; i <= steps; ++i) {  // all in tension, A2 stretched from yield to nothing
        const double e = eyd * (steps - i) / steps;
        out.push_back(resultant({{-s.fyd * s.A1, d}, {-s.Ea * e * A2, s.c2}}, s.h / 2));
    }
    for (int part = 0; part < 2; ++part) {  // neutral axis down to the limit of field 2, then to A1
        for (int i = 0; i <= steps; ++i) {
            const double x = part == 0 ? xl * i / steps : xl + (d - xl) * i / steps;
            const double edge = part == 0 ? (x < d ? 0.01 * x / (d - x) : 0.0) : 0.0035;
            const double stretch = part == 0 ? s.fyd : std::min(s.fyd, s.Ea * 0.0035 * (d - x) / x);
            const double top =
                part == 0 ? (x > 0 ? std::clamp(s.Ea * edge * (x - s.c2) / x, 0.0, s.fyd) : 0) : s.fyd;
            out.push_back(resultant(
                {{0.8 * s.fmd * s.b * x, 0.4 * x}, {top * A2, s.c2}, {-stretch * s.A1, d}}, s.h / 2));
        }
    }
    out.push_back(resultant({{s.fmd * s.b * s.h, s.h / 2}, {s.fyd * A2, s.c2}, {s.fyd * s.A1, d}}, s.h / 2));
    return out;
}

std::vector<Sample> circleSamples(const CurrentSection& s, int steps) {
    const double r = s.d / 2, rs = r - s.c, t = s.Aa / (6.283185308 * rs);
    const double eyd = std::floor(10000 * s.fyd / s.Ea) / 10000,
                 e0 = std::floor(10000 * s.fmd / s.Em) / 10000;
    std::vector<Force> concrete, steel;  // unit stresses: areas at their depths
    float previous = 0;
    for (int k = 0; 0.02 * k <= 3.141592654; ++k) {
        const double theta = 0.02 * k, y = r * (1 - std::cos(theta));
        concrete.push_back({2 * r * std::sin(theta) * (y - previous), y});
        steel.push_back({2 * t * 0.02 * rs, r - rs * std::cos(theta)});
        previous = static_cast<float>(y);
    }
    const auto state = [&](double eTop, double eBot) {
        std::vector<Force> forces;
        const auto strain = [&](double y) { return -eTop + (eTop + eBot) * y / (2 * r); };
        for (const Force& a : steel) {
            const double e = strain(a.depth), stress = std::fabs(e) > eyd ? s.fyd : s.Ea * std::fabs(e);
            forces.push_back({(e > 0 ? -stress : stress) * a.F, a.depth});
        }
        for (const Force& a : concrete) {
            const double e = strain(a.depth);
            if (e < 0) forces.push_back({(-e < e0 ? -s.Em * e : s.fmd) * a.F, a.depth});
        }
        return resultant(forces, r);
    };
    std::vector<Sample> out{{-s.fyd * s.Aa, 0}};
    for (int i = 0; i <= steps; ++i) out.push_back(state(0.0035 * i / steps, 0.01));
    for (int i = 0; i <= steps; ++i) out.push_back(state(0.0035, 0.01 * (steps - i) / steps));
    out.push_back({s.fmd * 3.141592654 * r * r + s.fyd * s.Aa, 0});
    return out;
}

double interpolatedM(const std::vector<Sample>& samples, double N) {
    for (std::size_t i = 1; i < samples.size(); ++i) {
        const Sample &a = samples[i - 1], &b = samples[i];
        if (N >= a.N && N <= b.N && b.N > a.N) return a.M + (b.M - a.M) * (N - a.N) / (b.N - a.N);
    }
    return std::nan("");
}

}  // namespace

TEST(ExactDomain, AgreesWithTheLawsWrittenAnotherWay) {
    for (const Example& e : kExamples) {
        const CurrentSection s = read(e);
        std::vector<Sample> samples;
        if (e.layout == Layout::Circular) {
            samples = circleSamples(s, 20000);
        } else if (s.A1 == 0 && s.A2 == 0) {
            for (int i = 0; i <= 20000; ++i) {  // the compressed depth y at fmd, over 0.8·x = y
                const double y = s.h * i / 20000;
                samples.push_back(resultant({{s.fmd * s.b * y, y / 2}}, s.h / 2));
            }
        } else {
            samples = rectangleSamples(s, 20000);
        }
        const ExactBoundary b(s, e.layout);
        for (double at = 0.05; at < b.end(); at += 0.1) EXPECT_LE(b.evaluate(at - 0.05).N, b.evaluate(at).N);
        const double nt = samples.front().N, nc = samples.back().N;
        for (int j = 1; j < 200; ++j) {
            const double Nd = nt + (nc - nt) * j / 200;
            const ExactResult x = solveExact(s, e.layout, Nd);
            ASSERT_TRUE(x.found) << e.name << " " << Nd;
            EXPECT_NEAR(x.Nu, Nd, 0.5);
            EXPECT_LT(stepInN(b, Nd), 0.01) << e.name << " " << Nd;  // bridged wherever the laws jump
            const double ref = interpolatedM(samples, Nd);
            EXPECT_NEAR(x.Mu, ref, 0.0005 * std::fabs(ref)) << e.name << " " << Nd;
        }
        for (double beyond : {nc + 1, 10 * nc, nt < 0 ? nt - 1 : nc + 2}) {
            const ExactResult x = solveExact(s, e.layout, beyond);
            EXPECT_TRUE(x.beyondCapacity && !x.found) << e.name << " " << beyond;
        }
    }
}
