// Reading the input texts, the checks before tracing, the result step and the worked examples.
#include "engine/section.h"
#include "engine/domain.h"
#include "tests/engine/examples.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

using namespace fortema::engine;
using namespace fortema::engine::testing;

namespace {

void expectAllFinite(const Analysis& a) {
    const SectionResult& r = a.result();
    EXPECT_TRUE(std::isfinite(r.Nu) && std::isfinite(r.Mu) && std::isfinite(r.yan));
    EXPECT_TRUE(std::isfinite(a.nd()) && std::isfinite(a.md()));
    for (int f = 1; f <= 5; ++f) {
        for (int i = 1; i <= a.curve(f).size(); ++i) {
            ASSERT_TRUE(std::isfinite(a.curve(f)[i].n) && std::isfinite(a.curve(f)[i].m))
                << "field " << f << " point " << i;
        }
    }
}

}  // namespace

TEST(ReadSection, ConvertsUnitsAndReadsLeadingNumbers) {
    SectionTexts t = example2();
    t.c1 = "2,5";  // the comma cover box: its comma separates the decimals
    t.A2 = "33.3";
    CurrentSection s;
    s.d = 7;
    EXPECT_FALSE(readSection(t, Layout::Rectangular, s));
    EXPECT_EQ(s.fyk, 4500);
    EXPECT_EQ(s.fyd, 3913);
    EXPECT_EQ(s.Ea, 2100000);
    EXPECT_EQ(s.fmd, 10);
    EXPECT_EQ(s.Em, 10000);
    EXPECT_EQ(s.Nd, 14000);
    EXPECT_EQ(s.Md, 130000);
    EXPECT_EQ(s.b, 100);
    EXPECT_EQ(s.h, 40);
    EXPECT_EQ(s.c1, 0.25);
    EXPECT_EQ(s.c2, 3);
    EXPECT_EQ(s.A1, 1.5);
    EXPECT_EQ(s.A2, 0.333f);  // single precision
    EXPECT_EQ(s.d, 7);        // the other layout's values stay as they were

    readSection(example4(), Layout::Circular, s);
    EXPECT_EQ(s.d, 40);
    EXPECT_EQ(s.c, 3);
    EXPECT_EQ(s.Aa, 7);
    EXPECT_EQ(s.b, 100);
}

TEST(ReadSection, DesignForceOfZeroBecomesOne) {
    for (const char* text : {"0", "", "-", "abc", "-0", "0.0"}) {
        SectionTexts t = example3();
        t.Nd = text;
        CurrentSection s;
        EXPECT_TRUE(readSection(t, Layout::Rectangular, s)) << text;
        EXPECT_EQ(s.Nd, 1) << text;
    }
    Analysis a;
    SectionTexts t = example3();
    t.Nd = "";
    const CalcOutcome o = a.calcola(t, Layout::Rectangular);
    EXPECT_TRUE(o.ndSetToOne);
    EXPECT_TRUE(o.traced);
    EXPECT_EQ(a.section().Nd, 1);
}

TEST(Checks, WarningsBeforeTracingInOrder) {
    struct Case {
        SectionTexts texts;
        Layout layout;
        std::string warning;
    };
    auto with = [](SectionTexts t, std::string SectionTexts::*field, const char* value) {
        t.*field = value;
        return t;
    };
    SectionTexts negMd = with(example3(), &SectionTexts::Md, "-1");
    SectionTexts rectTension = with(with(example3(), &SectionTexts::A1, "0"), &SectionTexts::Nd, "-10");
    SectionTexts circTension = with(with(example4(), &SectionTexts::Aa, ""), &SectionTexts::Nd, "-10");
    const std::vector<Case> cases = {
        {negMd, Layout::Rectangular, "Inserire sempre momento flettente Md > 0"},
        {with(example4(), &SectionTexts::Md, "-1"), Layout::Circular,
         "Inserire sempre momento flettente Md > 0"},
        // Md is checked first, even with a tension the section cannot take.
        {with(rectTension, &SectionTexts::Md, "-5"), Layout::Rectangular, warning::kNegativeMoment},
        {rectTension, Layout::Rectangular, "Attenzione, risultati inattendibili: Nd < 0 ed A1 = 0  "},
        {circTension, Layout::Circular, "Attenzione, risultati inattendibili: Nd<0 ed Aa=0  "},
        // Several zeros pass the enabling rule but would reach a division.
        {with(example3(), &SectionTexts::fmd, "00"), Layout::Rectangular,
         "Attenzione, dati non validi: fmd deve essere diverso da zero"},
        {with(example3(), &SectionTexts::Ea, "000"), Layout::Rectangular, warning::zeroValue("Ea")},
        {with(example3(), &SectionTexts::b, "00"), Layout::Rectangular, warning::zeroValue("b")},
        {with(example3(), &SectionTexts::h, "0.0"), Layout::Rectangular, warning::zeroValue("h")},
        {with(example4(), &SectionTexts::Em, "00"), Layout::Circular, warning::zeroValue("Em")},
        {with(example4(), &SectionTexts::d, "00"), Layout::Circular, warning::zeroValue("d")},
        {with(example4(), &SectionTexts::fmd, "00"), Layout::Circular, warning::zeroValue("fmd")},
        // Pasted minus signs reach boxes whose key filter refuses them.
        {with(example3(), &SectionTexts::b, "-300"), Layout::Rectangular,
         "Attenzione, dati non validi: b non può essere negativo"},
        {with(example3(), &SectionTexts::A2, "-1"), Layout::Rectangular, warning::negativeValue("A2")},
        {with(example3(), &SectionTexts::c1, "-0.5"), Layout::Rectangular, warning::negativeValue("c1")},
        {with(example4(), &SectionTexts::c, "-10"), Layout::Circular, warning::negativeValue("c")},
        {with(example4(), &SectionTexts::fyd, "-3913"), Layout::Circular, warning::negativeValue("fyd")},
        // The literal checks keep their place before the zero checks.
        {with(rectTension, &SectionTexts::fmd, "00"), Layout::Rectangular, warning::kRectangularTension},
        // A cover of half the diameter leaves no bar ring.
        {with(example4(), &SectionTexts::c, "200"), Layout::Circular, warning::kCoverTooLarge},
        {with(example4(), &SectionTexts::c, "250"), Layout::Circular, warning::kCoverTooLarge},
        // Each divisor is non-zero, their product is not representable.
        {with(with(with(example3(), &SectionTexts::fmd, "1e-200"), &SectionTexts::b, "1e-200"),
              &SectionTexts::h, "1e-10"),
         Layout::Rectangular, std::string(warning::kOutOfRange) + ": fmd = 1E-200 daN/cm²"},
    };
    for (const Case& c : cases) {
        Analysis a;
        const CalcOutcome o = a.calcola(c.texts, c.layout);
        EXPECT_FALSE(o.traced) << c.warning;
        EXPECT_EQ(o.refusal, c.warning);
        EXPECT_TRUE(o.finalWarning.empty());
        EXPECT_EQ(a.curve(1).size(), 0) << "nothing may be traced for: " << c.warning;
    }
}

TEST(Checks, ZeroMomentAndTensionWithSteelAreAccepted) {
    Analysis a;
    SectionTexts t = example3();
    t.Md = "0";
    EXPECT_TRUE(a.calcola(t, Layout::Rectangular).traced);
    t.Nd = "-10000";  // A1 > 0: tension is allowed
    EXPECT_TRUE(a.calcola(t, Layout::Rectangular).traced);
    EXPECT_LT(a.nd(), 0);
    EXPECT_LE(a.result().Nu, -10000);  // never shown below the design force in magnitude
    EXPECT_TRUE(a.passes());

    SectionTexts c = example4();
    c.c = "199";
    EXPECT_TRUE(a.calcola(c, Layout::Circular).traced);
    c.Aa = "0";  // no steel in compression is fine
    EXPECT_TRUE(a.calcola(c, Layout::Circular).traced);
}

TEST(Checks, RefusalKeepsThePreviousCalculation) {
    Analysis a;
    ASSERT_TRUE(a.calcola(example3(), Layout::Rectangular).traced);
    const SectionResult before = a.result();
    const double n5 = a.curve(5)[10].n;
    SectionTexts t = example4();
    t.Md = "-3";
    EXPECT_FALSE(a.calcola(t, Layout::Circular).traced);
    EXPECT_EQ(a.result().Mu, before.Mu);
    EXPECT_EQ(a.curve(5)[10].n, n5);
    EXPECT_EQ(a.layout(), Layout::Rectangular);
}

TEST(WorkedExamples, UnreinforcedMasonry) {
    Analysis a;
    const CalcOutcome o = a.calcola(example1(), Layout::Rectangular);
    ASSERT_TRUE(o.traced);
    EXPECT_TRUE(o.finalWarning.empty());
    // n_d = 14000 / (10·100·40); m_d = 130000 / (10·100·40²/6) in single precision.
    EXPECT_EQ(a.nd(), 14000.0 / 40000.0);
    EXPECT_EQ(a.md(), 0.4875f);
    // Mu = 3·0.35·0.65 · 10·100·1600/6 = 182000 in exact arithmetic; in doubles 3·0.35 rounds
    // down, the product lands on 181999.99999999997 and the cut gives 181999.
    const double m = 3 * 0.35 * (1 - 0.35);
    EXPECT_LT(m * 10 * 100 * 1600 / 6, 182000.0);
    EXPECT_EQ(a.result().Mu, 181999);
    EXPECT_EQ(a.result().Nu, 14000);
    EXPECT_EQ(a.result().yan, 14.0f);  // 0.35·40 cm
    EXPECT_EQ(a.result().campo, 0);
    EXPECT_TRUE(a.passes());
    EXPECT_TRUE(a.unreinforced());
    EXPECT_FALSE(a.reinforcedScale());
}

TEST(WorkedExamples, ReinforcedMasonry) {
    Analysis a;
    ASSERT_TRUE(a.calcola(example2(), Layout::Rectangular).traced);
    EXPECT_EQ(a.nd(), 0.35);
    // The nearest point lies in field 3 slightly above n_d, so Nu is its own.
    EXPECT_EQ(a.result().campo, 3);
    EXPECT_EQ(a.result().Nu, 14072);
    EXPECT_EQ(a.result().Mu, 358417);
    EXPECT_EQ(a.result().yan, 20.03f);
    EXPECT_TRUE(a.passes());
    EXPECT_TRUE(a.reinforcedScale());
    EXPECT_FALSE(a.unreinforced());
}

TEST(WorkedExamples, ReinforcedConcreteRectangle) {
    Analysis a;
    ASSERT_TRUE(a.calcola(example3(), Layout::Rectangular).traced);
    EXPECT_EQ(a.nd(), 45000 / (118.0 * 30 * 50));
    EXPECT_EQ(a.md(), static_cast<float>(1400000 / (118.0 * 30 * (50.0 * 50) / 6)));
    // The nearest point lies just below n_d: Nu is shown as Nd.
    EXPECT_EQ(a.result().campo, 3);
    EXPECT_EQ(a.result().Nu, 45000);
    EXPECT_EQ(a.result().Mu, 1895457);
    EXPECT_EQ(a.result().yan, 15.88f);
    EXPECT_TRUE(a.passes());
}

TEST(WorkedExamples, CircularReinforcedConcrete) {
    Analysis a;
    ASSERT_TRUE(a.calcola(example4(), Layout::Circular).traced);
    const double Ac = 3.141592654 * (20.0 * 20.0);
    EXPECT_EQ(a.nd(), 20000 / (118 * Ac));
    EXPECT_EQ(a.md(), static_cast<float>(300000 / (118 * 8000.0 / 10.2)));
    EXPECT_EQ(a.result().campo, 3);
    EXPECT_EQ(a.result().Nu, 20000);
    EXPECT_EQ(a.result().Mu, 660602);
    EXPECT_TRUE(a.passes());
    expectAllFinite(a);
}

TEST(Results, UnreinforcedEdgeCases) {
    Analysis a;
    // b = 100 cm, h = 30 cm, fmd = 20, Nd = 30000: n_d = 0.5, m = 0.75.
    SectionTexts t =
        rectangle(materials("20", "10000", "30000", "100000"), "1000", "300", "0", "0", "0", "0");
    ASSERT_TRUE(a.calcola(t, Layout::Rectangular).traced);
    EXPECT_EQ(a.nd(), 0.5);
    EXPECT_EQ(a.result().Nu, 30000);
    EXPECT_EQ(a.result().Mu, 225000);  // 0.75·20·100·900/6
    EXPECT_EQ(a.result().yan, 15.0f);
    EXPECT_EQ(a.result().campo, 0);
    EXPECT_TRUE(a.passes());

    // n_d > 1: m = 3n(1 − n) < 0, the verdict fails and the final warning follows.
    t.Nd = "70000";
    const CalcOutcome o = a.calcola(t, Layout::Rectangular);
    ASSERT_TRUE(o.traced);
    EXPECT_LT(a.result().Mu, 0);
    EXPECT_EQ(a.result().Nu, 70000);
    EXPECT_FALSE(a.passes());
    EXPECT_EQ(o.finalWarning, "ATTENZIONE: Nd<0 / A1 insufficiente / Materiale con schiacciamento ");
}

TEST(Results, NeutralAxisDepthIsCutToHundredths) {
    // Unreinforced: yan = n_d·h = Nd/(fmd·b) = 12.3456 cm.
    Analysis a;
    SectionTexts t = rectangle(materials("10", "10000", "12345.6", "0"), "1000", "1000", "0", "0", "0", "0");
    ASSERT_TRUE(a.calcola(t, Layout::Rectangular).traced);
    EXPECT_EQ(a.result().yan, 12.34f);
    // The cut is made on the single-precision value: 0.29f·100 is 29 in single precision.
    t.Nd = "290";
    ASSERT_TRUE(a.calcola(t, Layout::Rectangular).traced);
    EXPECT_EQ(a.result().yan, 0.29f);
}

TEST(Results, WholeNumbersCutTowardsMinusInfinity) {
    Analysis a;
    SectionTexts t = example3();
    t.Nd = "-20000";
    ASSERT_TRUE(a.calcola(t, Layout::Rectangular).traced);
    const DomainTrace trace = traceRectangular(a.section());
    ASSERT_TRUE(trace.found);
    EXPECT_LT(trace.n, 0);
    const double Mu = trace.m * 118 * 30 * 2500 / 6;
    EXPECT_EQ(a.result().Mu, std::floor(Mu));
    const double Nu = std::floor(trace.n * 30 * 50 * 118);
    EXPECT_EQ(a.result().Nu, Nu > -20000 ? -20000 : Nu);
}

TEST(Results, DesignForceBeyondTheAxialCapacity) {
    // More steel at the top than at the bottom: the pure-compression point has m_c > 0, so the
    // capacity point carries a positive moment.
    SectionTexts t = example3();
    t.A2 = "1200";
    t.Nd = "1000000";
    t.Md = "0";
    Analysis a;
    const CalcOutcome o = a.calcola(t, Layout::Rectangular);
    ASSERT_TRUE(o.traced);
    EXPECT_TRUE(a.beyondCapacity());
    EXPECT_EQ(a.result().campo, 5);
    EXPECT_EQ(a.result().Nu, 247433);  // the capacity, not Nd
    EXPECT_EQ(a.result().Mu, 528254);
    EXPECT_FALSE(a.passes());  // even with Mu ≥ Md
    EXPECT_EQ(o.finalWarning, warning::kRectangularFinal);

    // In tension the capacity is −fyd·(A1 + A2).
    t = example3();
    t.Nd = "-1000000";
    const CalcOutcome tension = a.calcola(t, Layout::Rectangular);
    EXPECT_TRUE(a.beyondCapacity());
    EXPECT_EQ(a.result().Nu, -3913 * 12);
    EXPECT_FALSE(a.passes());
    EXPECT_EQ(tension.finalWarning, warning::kRectangularFinal);

    SectionTexts c = example4();
    c.Nd = "-1000000";
    const CalcOutcome circ = a.calcola(c, Layout::Circular);
    EXPECT_TRUE(a.beyondCapacity());
    EXPECT_FALSE(a.passes());
    EXPECT_EQ(circ.finalWarning, "ATTENZIONE, RISULTATI INATTENDIBILI: Nd<0 - Aa INSUFFICIENTE  ");

    // Just inside the capacity the section is judged by its moment as usual.
    c = example4();
    c.Nd = "550000";  // n_d ≈ 3.7 > n_c ≈ 1.18
    a.calcola(c, Layout::Circular);
    EXPECT_TRUE(a.beyondCapacity());
    c.Nd = "170000";  // n_d ≈ 1.15, inside
    a.calcola(c, Layout::Circular);
    EXPECT_FALSE(a.beyondCapacity());
    EXPECT_EQ(a.result().Nu, 170000);

    // So far beyond that no traced point is within the search's initial gap of n_d: the
    // capacity is still the chosen point, as for a force just beyond it.
    t = example3();
    t.Nd = "300000";
    a.calcola(t, Layout::Rectangular);
    ASSERT_TRUE(a.beyondCapacity());
    const SectionResult near = a.result();
    t.Nd = "10000000";
    const CalcOutcome far = a.calcola(t, Layout::Rectangular);
    ASSERT_TRUE(far.traced);
    EXPECT_TRUE(a.pointFound());
    EXPECT_TRUE(a.beyondCapacity());
    EXPECT_FALSE(a.passes());
    EXPECT_EQ(a.result().Nu, near.Nu);
    EXPECT_EQ(a.result().Mu, near.Mu);
    EXPECT_EQ(a.result().campo, 5);
    EXPECT_EQ(a.result().yan, near.yan);
    c = example4();
    c.Nd = "-100000000";
    a.calcola(c, Layout::Circular);
    EXPECT_TRUE(a.pointFound());
    EXPECT_TRUE(a.beyondCapacity());
    EXPECT_EQ(a.result().campo, 1);
    EXPECT_EQ(a.result().Nu, -3913 * 7);  // pure tension: −fyd·Aa
    EXPECT_EQ(far.finalWarning, warning::kRectangularFinal);
}

TEST(Results, NoPointOnTheSideOfTheDesignForce) {
    // With fyd = 0 the steel takes no tension: no traced point has n < 0.
    SectionTexts t = example3();
    t.fyd = "00";
    t.Nd = "-1000";
    Analysis a;
    const CalcOutcome o = a.calcola(t, Layout::Rectangular);
    ASSERT_TRUE(o.traced);
    EXPECT_FALSE(a.pointFound());
    EXPECT_FALSE(a.passes());
    EXPECT_EQ(a.result().Nu, 0);
    EXPECT_EQ(a.result().Mu, 0);
    EXPECT_EQ(o.finalWarning, warning::kRectangularFinal);
}

TEST(Results, CircularCampoIsTheFieldEvenAfterAnUnreinforcedRectangle) {
    Analysis a;
    ASSERT_TRUE(a.calcola(example1(), Layout::Rectangular).traced);
    ASSERT_TRUE(a.calcola(example4(), Layout::Circular).traced);
    // A1 = A2 = 0 are still those of the rectangle; they do not make the circle unreinforced.
    EXPECT_EQ(a.section().A1, 0);
    EXPECT_EQ(a.result().campo, 3);
    EXPECT_FALSE(a.unreinforced());
}

TEST(Results, CutDesignPointToFourDecimals) {
    Analysis a;
    // n_d = Nd/(10·100·100) = 0.123456789
    SectionTexts t =
        rectangle(materials("10", "10000", "12345.6789", "0"), "1000", "1000", "0", "0", "0", "0");
    ASSERT_TRUE(a.calcola(t, Layout::Rectangular).traced);
    a.cutDesignPoint();
    EXPECT_EQ(a.nd(), std::floor(0.123456789 * 10000) / 10000);
    t = rectangle(materials("10", "10000", "-12345.6789", "300000"), "1000", "1000", "30", "30", "100",
                  "100");
    ASSERT_TRUE(a.calcola(t, Layout::Rectangular).traced);
    const float md = a.md();
    a.cutDesignPoint();
    EXPECT_EQ(a.nd(), -0.1235);  // rounding down moves a negative value away from zero
    EXPECT_EQ(a.md(), std::floor(md * 10000.0f) / 10000.0f);
    EXPECT_NEAR(a.md(), 0.18f, 1.1e-4f);
}

TEST(Curves, ListsOutliveACalculationThatDoesNotRewriteThem) {
    Analysis a;
    ASSERT_TRUE(a.calcola(example3(), Layout::Rectangular).traced);
    const CurvePoint f3 = a.curve(3)[50];
    const CurvePoint f1 = a.curve(1)[10];
    ASSERT_TRUE(a.calcola(example1(), Layout::Rectangular).traced);
    EXPECT_EQ(a.curve(1).size(), 101);
    EXPECT_NE(a.curve(1)[10].n, f1.n);
    EXPECT_EQ(a.curve(3)[50].n, f3.n);  // left by the reinforced calculation
    EXPECT_EQ(a.curve(3)[50].m, f3.m);
    ASSERT_TRUE(a.calcola(example4(), Layout::Circular).traced);
    EXPECT_EQ(a.curve(1).size(), 101);  // the highest index ever stored
    EXPECT_EQ(a.curve(2).size(), 100);
    EXPECT_NE(a.curve(3)[50].n, f3.n);
}

TEST(Robustness, NoNaNOrInfinityFromExtremeTexts) {
    const char* extremes[] = {"99999999999", "1e300",        "-1e300", "0.0000001",
                              "1e-300",      "-99999999999", "00",     ""};
    std::string SectionTexts::*fields[] = {
        &SectionTexts::fyk, &SectionTexts::fyd, &SectionTexts::Ea, &SectionTexts::fmd,
        &SectionTexts::Em,  &SectionTexts::Nd,  &SectionTexts::Md, &SectionTexts::b,
        &SectionTexts::h,   &SectionTexts::c1,  &SectionTexts::c2, &SectionTexts::A1,
        &SectionTexts::A2,  &SectionTexts::d,   &SectionTexts::c,  &SectionTexts::Aa};
    int traced = 0, refused = 0;
    for (const SectionTexts& base : {example2(), example3(), example4(), example1()}) {
        for (auto field : fields) {
            for (const char* text : extremes) {
                for (Layout layout : {Layout::Rectangular, Layout::Circular}) {
                    SectionTexts t = base;
                    t.*field = text;
                    Analysis a;
                    const CalcOutcome o = a.calcola(t, layout);
                    (o.traced ? traced : refused)++;
                    if (!o.traced) {
                        EXPECT_FALSE(o.refusal.empty());
                    }
                    expectAllFinite(a);
                }
            }
        }
    }
    // All of it at once, in both directions.
    for (const char* text : {"99999999999", "0.0000001", "1e300", "1e-300"}) {
        SectionTexts t = example2();
        for (auto field : fields) t.*field = text;
        for (Layout layout : {Layout::Rectangular, Layout::Circular}) {
            Analysis a;
            const CalcOutcome o = a.calcola(t, layout);
            (o.traced ? traced : refused)++;
            expectAllFinite(a);
        }
    }
    EXPECT_GT(traced, 0);
    EXPECT_GT(refused, 0);
}
