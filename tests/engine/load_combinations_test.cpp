// Many load points against one domain: both moment signs, the exact Mu at each N, the load-ray
// factor, the governing combination, and tables read from spreadsheets and CSV files.
#include <gtest/gtest.h>

#include <cmath>

#include "engine/load_combinations.h"
#include "tests/engine/examples.h"

namespace fortema::engine {
namespace {

using namespace testing;

struct Example {
    SectionTexts texts;
    Layout layout;
};

CurrentSection read(const Example& e) {
    CurrentSection s;
    readSection(e.texts, e.layout, s);
    return s;
}

const Example kExamples[] = {{example1(), Layout::Rectangular},
                             {example2(), Layout::Rectangular},
                             {example3(), Layout::Rectangular},
                             {example4(), Layout::Circular}};

TEST(LoadCombinations, TheOwnDesignActionsGiveTheExactSolversMu) {
    for (const Example& e : kExamples) {
        const CurrentSection s = read(e);
        const CombinationsResult r = checkCombinations(s, e.layout, {{"propria", s.Nd, s.Md}});
        const ExactResult exact = solveExact(s, e.layout, s.Nd);
        ASSERT_TRUE(exact.found);
        EXPECT_NEAR(r.checks[0].Mu, exact.Mu, 1e-6 * std::fabs(exact.Mu));
        EXPECT_EQ(r.checks[0].campo, exact.campo);
        EXPECT_EQ(r.checks[0].passes, exact.Mu >= s.Md);
    }
}

TEST(LoadCombinations, TheNegativeSideIsTheRectangleTurnedOver) {
    // Reinforced masonry: A1 = 150 mm² below, A2 = 100 mm² above, so the two sides differ.
    const CurrentSection s = read(kExamples[1]);
    const CurrentSection turned = turnedOver(s);
    EXPECT_EQ(turned.A1, 1.0);
    EXPECT_EQ(turned.A2, 1.5f);
    const FullDomain domain(s, Layout::Rectangular);
    for (double N : {-9000.0, -1000.0, 14000.0, 30000.0, 45000.0}) {
        const ExactResult up = solveExact(s, Layout::Rectangular, N);
        const ExactResult down = solveExact(turned, Layout::Rectangular, N);
        ASSERT_TRUE(up.found && down.found) << N;
        EXPECT_NEAR(domain.check(N, 1).Mu, up.Mu, 1e-6 * std::fabs(up.Mu) + 1e-6) << N;
        EXPECT_NEAR(domain.check(N, -1).Mu, -down.Mu, 1e-6 * std::fabs(down.Mu) + 1e-6) << N;
        EXPECT_NE(up.Mu, down.Mu);
    }
    // The circle and the symmetric rectangle mirror their positive side.
    for (const Example& e : {kExamples[2], kExamples[3]}) {
        const FullDomain symmetric(read(e), e.layout);
        EXPECT_EQ(symmetric.check(30000, -5).Mu, -symmetric.check(30000, 5).Mu);
    }
}

TEST(LoadCombinations, RatioLoadFactorVerdictAndTheGoverningOne) {
    const CurrentSection s = read(kExamples[2]);
    const std::vector<LoadCombination> loads = {{"comoda", 45000, 1000000},
                                                {"al limite", 45000, -1895000},
                                                {"oltre", 45000, 2000000},
                                                {"oltre la capacità", 1e7, 0},
                                                {"solo N", 45000, 0}};
    const CombinationsResult r = checkCombinations(s, Layout::Rectangular, loads);
    ASSERT_TRUE(r.refusal.empty());
    EXPECT_NEAR(r.checks[0].ratio, kExactMu3 / 1e6, 1e-6);
    const bool passes[] = {true, true, false, false, true};
    for (std::size_t i = 0; i < loads.size(); ++i) EXPECT_EQ(r.checks[i].passes, passes[i]) << i;
    EXPECT_LT(r.checks[1].Mu, 0);
    EXPECT_TRUE(r.checks[3].beyondCapacity);
    EXPECT_TRUE(std::isinf(r.checks[4].ratio));
    EXPECT_EQ(r.governing, 3);
    EXPECT_FALSE(r.allPass);
    // λ·(N, M) lies on the boundary, on the side of M.
    const FullDomain domain(s, Layout::Rectangular);
    for (const LoadCombination& c : {loads[0], loads[1], loads[2]}) {
        const CombinationCheck k = domain.check(c.N, c.M);
        EXPECT_NEAR(domain.check(k.loadFactor * c.N, c.M).Mu, k.loadFactor * c.M, 2.0) << c.name;
        EXPECT_EQ(k.loadFactor >= 1, k.passes) << c.name;
    }
}

TEST(LoadTables, SpreadsheetAndCsvFormsInBothLocales) {
    struct Case {
        const char* text;
        std::vector<LoadCombination> rows;
    };
    const Case cases[] = {
        {"SLU 1\t45000\t1400000\nSLU 2\t-1200,5\t-3,5e5\n",
         {{"SLU 1", 45000, 1400000}, {"SLU 2", -1200.5, -350000}}},
        {"Nome;N [daN];M [daN*cm]\r\n\"A;B\";1.234,5;2\r\n\r\n", {{"A;B", 1234.5, 2}}},
        {"N,M\n1.5,2\n-3,4\n", {{"C1", 1.5, 2}, {"C2", -3, 4}}},
        {"uno;1.500;2\n", {{"uno", 1.5, 2}}},  // no comma anywhere: the C form
    };
    for (const Case& c : cases) {
        const LoadTable t = parseLoadTable(c.text);
        EXPECT_EQ(t.error, "") << c.text;
        EXPECT_EQ(t.rows, c.rows) << c.text;
        for (char decimal : {',', '.'})
            EXPECT_EQ(parseLoadTable(writeLoadTable(t.rows, decimal)).rows, t.rows);
    }
    std::string tooMany;
    for (int i = 0; i <= 500; ++i) tooMany += "c;1;2\n";
    const std::pair<std::string, int> refused[] = {
        {"a;1;2\nb;uno;2\n", 2}, {"a;1;2;3;4\n", 1}, {"Nome;N;M\n\n5\n", 3}, {tooMany, 501}};
    for (const auto& [text, line] : refused) {
        const LoadTable t = parseLoadTable(text);
        EXPECT_EQ(t.errorLine, line) << text;
        EXPECT_EQ(t.error.rfind("riga " + std::to_string(line) + ": ", 0), 0u) << t.error;
    }
}

}  // namespace
}  // namespace fortema::engine
