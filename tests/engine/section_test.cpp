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
    EXPECT_TRUE(std::isfinite(a.result().Nu) && std::isfinite(a.result().Mu) && std::isfinite(a.nd()));
    for (int f = 1; f <= 5; ++f) {
        for (int i = 1; i <= a.curve(f).size(); ++i)
            ASSERT_TRUE(std::isfinite(a.curve(f)[i].n) && std::isfinite(a.curve(f)[i].m)) << f << " " << i;
    }
}

}  // namespace

TEST(WorkedExamples, ShowTheFiguresWorkedByHand) {
    const struct {
        SectionTexts texts;
        Layout layout;
        Shown shown;
    } cases[] = {{example1(), Layout::Rectangular, kShown1},
                 {example2(), Layout::Rectangular, kShown2},
                 {example3(), Layout::Rectangular, kShown3},
                 {example4(), Layout::Circular, kShown4}};
    for (const auto& c : cases) {
        Analysis a;
        const CalcOutcome o = a.calcola(c.texts, c.layout);
        ASSERT_TRUE(o.traced);
        EXPECT_TRUE(o.finalWarning.empty());
        EXPECT_EQ(a.result().Nu, c.shown.Nu);
        EXPECT_EQ(a.result().Mu, c.shown.Mu);
        EXPECT_EQ(a.result().yan, c.shown.yan);
        EXPECT_EQ(a.result().campo, c.shown.campo);
        EXPECT_TRUE(a.passes());
        EXPECT_EQ(a.unreinforced(), c.shown.campo == 0);
        expectAllFinite(a);
    }
    Analysis a;
    a.calcola(example1(), Layout::Rectangular);
    EXPECT_EQ(a.nd(), 0.35);
    EXPECT_EQ(a.md(), 0.4875f);  // 130000/(10·100·40²/6)
}

TEST(ReadSection, ConvertsUnitsReadsTheCoversCommaAndLeavesTheOtherLayout) {
    CurrentSection s;
    s.d = 7;
    EXPECT_FALSE(readSection(with(with(example2(), &SectionTexts::c1, "2,5"), &SectionTexts::A2, "33.3"),
                             Layout::Rectangular, s));
    EXPECT_EQ(s.Nd, 14000);
    EXPECT_EQ(s.Md, 130000);
    EXPECT_EQ(s.b, 100);
    EXPECT_EQ(s.c1, 0.25);
    EXPECT_EQ(s.c2, 3);
    EXPECT_EQ(s.A1, 1.5);
    EXPECT_EQ(s.A2, 0.333f);  // single precision
    EXPECT_EQ(s.d, 7);
    readSection(example4(), Layout::Circular, s);
    EXPECT_EQ(s.d, 40);
    EXPECT_EQ(s.Aa, 7);
    EXPECT_EQ(s.b, 100);
}

TEST(ReadSection, DesignForceThatReadsZeroBecomesOne) {
    for (const char* text : {"0", "", "-", "abc", "-0"}) {
        CurrentSection s;
        EXPECT_TRUE(readSection(with(example3(), &SectionTexts::Nd, text), Layout::Rectangular, s)) << text;
        EXPECT_EQ(s.Nd, 1) << text;
    }
    Analysis a;
    const CalcOutcome o = a.calcola(with(example3(), &SectionTexts::Nd, ""), Layout::Rectangular);
    EXPECT_TRUE(o.ndSetToOne && o.traced);
}

TEST(Checks, WarningsBeforeTracingInOrder) {
    const SectionTexts rectTension = with(with(example3(), &SectionTexts::A1, "0"), &SectionTexts::Nd, "-10");
    const struct {
        SectionTexts texts;
        Layout layout;
        std::string warning;
    } cases[] = {
        {with(example4(), &SectionTexts::Md, "-1"), Layout::Circular,
         "Inserire sempre momento flettente Md > 0"},
        // Md is checked first, even with a tension the section cannot take.
        {with(rectTension, &SectionTexts::Md, "-5"), Layout::Rectangular, warning::kNegativeMoment},
        {rectTension, Layout::Rectangular, "Attenzione, risultati inattendibili: Nd < 0 ed A1 = 0  "},
        {with(with(example4(), &SectionTexts::Aa, ""), &SectionTexts::Nd, "-10"), Layout::Circular,
         warning::kCircularTension},
        // Zeros that pass the enabling rule but would reach a division; the literal checks first.
        {with(example3(), &SectionTexts::fmd, "00"), Layout::Rectangular,
         "Attenzione, dati non validi: fmd deve essere diverso da zero"},
        {with(rectTension, &SectionTexts::fmd, "00"), Layout::Rectangular, warning::kRectangularTension},
        {with(example4(), &SectionTexts::d, "00"), Layout::Circular, warning::zeroValue("d")},
        // Pasted minus signs reach boxes whose key filter refuses them.
        {with(example3(), &SectionTexts::b, "-300"), Layout::Rectangular,
         "Attenzione, dati non validi: b non può essere negativo"},
        // A cover of half the diameter leaves no bar ring.
        {with(example4(), &SectionTexts::c, "200"), Layout::Circular, warning::kCoverTooLarge},
        // Each divisor is non-zero, their product is not representable.
        {with(with(with(example3(), &SectionTexts::fmd, "1e-200"), &SectionTexts::b, "1e-200"),
              &SectionTexts::h, "1e-10"),
         Layout::Rectangular, std::string(warning::kOutOfRange) + ": fmd = 1E-200 daN/cm²"},
    };
    for (const auto& c : cases) {
        Analysis a;
        ASSERT_TRUE(a.calcola(example3(), Layout::Rectangular).traced);
        const double mu = a.result().Mu;
        const CalcOutcome o = a.calcola(c.texts, c.layout);
        EXPECT_FALSE(o.traced) << c.warning;
        EXPECT_EQ(o.refusal, c.warning);
        // The refused calculation leaves the previous one shown.
        EXPECT_EQ(a.result().Mu, mu);
        EXPECT_EQ(a.layout(), Layout::Rectangular);
    }
    // A zero moment, a tension with A1 > 0, a cover just inside the radius, a circle without steel.
    for (const auto& [texts, layout] :
         {std::pair{with(example3(), &SectionTexts::Md, "0"), Layout::Rectangular},
          {with(example3(), &SectionTexts::Nd, "-10000"), Layout::Rectangular},
          {with(example4(), &SectionTexts::c, "199"), Layout::Circular},
          {with(example4(), &SectionTexts::Aa, "0"), Layout::Circular}}) {
        Analysis a;
        EXPECT_TRUE(a.calcola(texts, layout).traced) << texts.Md << " " << texts.Nd;
    }
}

TEST(Results, CutsAndTheVerdict) {
    // Unreinforced, b 100 cm, h 100 cm, fmd 10: n_d = Nd/100000 and yan = n_d·h.
    const auto unreinforced = [](const char* Nd, const char* Md) {
        return rectangle(materials("10", "10000", Nd, Md), "1000", "1000", "0", "0", "0", "0");
    };
    Analysis a;
    ASSERT_TRUE(a.calcola(unreinforced("12345.6", "0"), Layout::Rectangular).traced);
    EXPECT_EQ(a.result().yan, 12.34f);  // 12.3456 cut, not rounded
    a.calcola(unreinforced("290", "0"), Layout::Rectangular);
    EXPECT_EQ(a.result().yan, 0.29f);  // the cut is made on the single value: 0.29f·100 is 29 there
    a.calcola(unreinforced("12345.6789", "0"), Layout::Rectangular);
    a.cutDesignPoint();
    EXPECT_EQ(a.nd(), std::floor(0.123456789 * 10000) / 10000);

    // Mu equal to Md passes; m = 3n(1 − n) at n = 0.5 is 0.75: Mu = 0.75·10·100·100²/6 = 1250000.
    const CalcOutcome equal = a.calcola(unreinforced("50000", "1250000"), Layout::Rectangular);
    EXPECT_EQ(a.result().Mu, 1250000);
    EXPECT_TRUE(a.passes());
    EXPECT_TRUE(equal.finalWarning.empty());
    // n_d = 1 gives m = 0; n_d = 1.50001 gives m = −3·1.50001·0.50001 = −2.2500600003 and
    // Mu = −3750100.0005, cut towards minus infinity. Both fail with the final warning.
    for (const auto& [Nd, Mu] : {std::pair{"100000", 0.0}, {"150001", -3750101.0}}) {
        const CalcOutcome o = a.calcola(unreinforced(Nd, "1"), Layout::Rectangular);
        EXPECT_EQ(a.result().Mu, Mu);
        EXPECT_FALSE(a.passes());
        EXPECT_EQ(o.finalWarning, warning::kRectangularFinal) << Nd;
    }

    // In tension Nu and Mu are cut towards minus infinity, and n_d too when it is cut.
    SectionTexts t = example3();
    t.Nd = "-20000";
    ASSERT_TRUE(a.calcola(t, Layout::Rectangular).traced);
    const DomainTrace trace = traceRectangular(a.section());
    EXPECT_EQ(a.result().Mu, std::floor(trace.m * 118 * 30 * 2500 / 6));
    EXPECT_EQ(a.result().Nu, std::min(-20000.0, std::floor(trace.n * 30 * 50 * 118)));
    t = rectangle(materials("10", "10000", "-12345.6789", "300000"), "1000", "1000", "30", "30", "100",
                  "100");
    ASSERT_TRUE(a.calcola(t, Layout::Rectangular).traced);
    const float md = a.md();
    a.cutDesignPoint();
    EXPECT_EQ(a.nd(), -0.1235);
    EXPECT_EQ(a.md(), std::floor(md * 10000.0f) / 10000.0f);
}

TEST(Results, DesignForceBeyondTheAxialCapacityFails) {
    // More steel at the top than at the bottom: the squashing point carries a moment.
    Analysis a;
    SectionTexts t = with(with(example3(), &SectionTexts::A2, "1200"), &SectionTexts::Md, "0");
    for (const char* Nd : {"1000000", "10000000"}) {  // the second lies beyond the search's first gap
        const CalcOutcome o = a.calcola(with(t, &SectionTexts::Nd, Nd), Layout::Rectangular);
        EXPECT_TRUE(a.beyondCapacity() && a.pointFound());
        EXPECT_EQ(a.result().campo, 5);
        EXPECT_EQ(a.result().Nu, kCapacityNu3);
        EXPECT_EQ(a.result().Mu, kCapacityMu3);
        EXPECT_FALSE(a.passes());  // even with Mu ≥ Md
        EXPECT_EQ(o.finalWarning, warning::kRectangularFinal);
    }
    // In tension the capacity is −fyd·(A1 + A2), for the circle −fyd·Aa.
    a.calcola(with(example3(), &SectionTexts::Nd, "-1000000"), Layout::Rectangular);
    EXPECT_EQ(a.result().Nu, -3913 * 12);
    EXPECT_FALSE(a.passes());
    const CalcOutcome circ = a.calcola(with(example4(), &SectionTexts::Nd, "-100000000"), Layout::Circular);
    EXPECT_TRUE(a.beyondCapacity());
    EXPECT_EQ(a.result().campo, 1);
    EXPECT_EQ(a.result().Nu, -3913 * 7);
    EXPECT_EQ(circ.finalWarning, warning::kCircularFinal);
    // Just inside (n_d ≈ 1.15 against n_c ≈ 1.18) the circle is judged by its moment as usual.
    a.calcola(with(example4(), &SectionTexts::Nd, "170000"), Layout::Circular);
    EXPECT_FALSE(a.beyondCapacity());
    EXPECT_EQ(a.result().Nu, 170000);

    // With fyd = 0 the steel takes no tension: no traced point lies on the side of a tension.
    const CalcOutcome none = a.calcola(
        with(with(example3(), &SectionTexts::fyd, "00"), &SectionTexts::Nd, "-1000"), Layout::Rectangular);
    EXPECT_FALSE(a.pointFound() || a.passes());
    EXPECT_EQ(a.result().Mu, 0);
    EXPECT_EQ(none.finalWarning, warning::kRectangularFinal);
}

TEST(Curves, ListsOutliveACalculationThatDoesNotRewriteThem) {
    Analysis a;
    ASSERT_TRUE(a.calcola(example3(), Layout::Rectangular).traced);
    const CurvePoint f3 = a.curve(3)[50];
    ASSERT_TRUE(a.calcola(example1(), Layout::Rectangular).traced);
    EXPECT_EQ(a.curve(1).size(), 101);
    EXPECT_EQ(a.curve(3)[50].n, f3.n);  // left by the reinforced calculation
    ASSERT_TRUE(a.calcola(example4(), Layout::Circular).traced);
    EXPECT_EQ(a.curve(1).size(), 101);  // the highest index ever stored
    EXPECT_EQ(a.result().campo, 3);     // A1 = A2 = 0 of the rectangle do not make the circle unreinforced
    EXPECT_EQ(a.result().yan, kShown1.yan);  // the circle has none of its own
}

TEST(Robustness, NoNaNOrInfinityFromExtremeTexts) {
    std::string SectionTexts::*fields[] = {
        &SectionTexts::fyd, &SectionTexts::Ea, &SectionTexts::fmd, &SectionTexts::Em, &SectionTexts::Nd,
        &SectionTexts::Md,  &SectionTexts::b,  &SectionTexts::h,   &SectionTexts::c1, &SectionTexts::c2,
        &SectionTexts::A1,  &SectionTexts::A2, &SectionTexts::d,   &SectionTexts::c,  &SectionTexts::Aa};
    int traced = 0;
    for (const SectionTexts& base : {example2(), example3(), example4()}) {
        for (auto field : fields) {
            for (const char* text : {"99999999999", "1e300", "-1e300", "0.0000001", "1e-300", "00"}) {
                for (Layout layout : {Layout::Rectangular, Layout::Circular}) {
                    Analysis a;
                    const CalcOutcome o = a.calcola(with(base, field, text), layout);
                    traced += o.traced;
                    EXPECT_EQ(o.traced, o.refusal.empty());
                    expectAllFinite(a);
                }
            }
        }
    }
    EXPECT_GT(traced, 0);
}
