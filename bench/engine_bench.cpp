// A full check (reading, checks, tracing, search, results) of the worked examples, and the exact
// design point beside it.
#include "engine/domain.h"
#include "engine/exact_domain.h"
#include "engine/load_combinations.h"
#include "engine/section.h"
#include "tests/engine/examples.h"

#include <benchmark/benchmark.h>

using namespace fortema::engine;
using namespace fortema::engine::testing;

namespace {

void runCheck(benchmark::State& state, const SectionTexts& texts, Layout layout) {
    Analysis analysis;
    for (auto _ : state) {
        const CalcOutcome outcome = analysis.calcola(texts, layout);
        benchmark::DoNotOptimize(outcome.traced);
        benchmark::DoNotOptimize(analysis.result().Mu);
    }
}

void BM_UnreinforcedRectangle(benchmark::State& state) { runCheck(state, example1(), Layout::Rectangular); }
void BM_ReinforcedMasonry(benchmark::State& state) { runCheck(state, example2(), Layout::Rectangular); }
void BM_ReinforcedConcreteRectangle(benchmark::State& state) {
    runCheck(state, example3(), Layout::Rectangular);
}
void BM_Circle(benchmark::State& state) { runCheck(state, example4(), Layout::Circular); }

// The strip loop alone, tabulated and plain, for one strain state.
void BM_CircleStripsTabulated(benchmark::State& state) {
    CurrentSection s;
    readSection(example4(), Layout::Circular, s);
    const CircleSection cs = circleSection(s);
    const CircleStrips strips(cs);
    for (auto _ : state) benchmark::DoNotOptimize(strips.integrate(0.0035, 0.005));
}
void BM_CircleStripsPlain(benchmark::State& state) {
    CurrentSection s;
    readSection(example4(), Layout::Circular, s);
    const CircleSection cs = circleSection(s);
    for (auto _ : state) benchmark::DoNotOptimize(integrateCirclePlain(cs, 0.0035, 0.005));
}

}  // namespace

BENCHMARK(BM_UnreinforcedRectangle)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReinforcedMasonry)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReinforcedConcreteRectangle)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Circle)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CircleStripsTabulated)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CircleStripsPlain)->Unit(benchmark::kMicrosecond);

namespace {

// One exact design point at the worked example's own design force, boundary built included.
void runExact(benchmark::State& state, const SectionTexts& texts, Layout layout) {
    CurrentSection s;
    readSection(texts, layout, s);
    for (auto _ : state) benchmark::DoNotOptimize(solveExact(s, layout, s.Nd).Mu);
}

void BM_ExactRectangle(benchmark::State& state) { runExact(state, example3(), Layout::Rectangular); }
void BM_ExactCircle(benchmark::State& state) { runExact(state, example4(), Layout::Circular); }

}  // namespace

BENCHMARK(BM_ExactRectangle)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ExactCircle)->Unit(benchmark::kMicrosecond);

namespace {

// 100 positions (the four worked examples in turn) with 200 combinations each, both moment signs,
// axial forces across each section's whole range: the load-combination check of a full project.
void BM_HundredPositionsTwoHundredCombinations(benchmark::State& state) {
    const std::pair<SectionTexts, Layout> examples[] = {{example1(), Layout::Rectangular},
                                                        {example2(), Layout::Rectangular},
                                                        {example3(), Layout::Rectangular},
                                                        {example4(), Layout::Circular}};
    std::vector<std::pair<CurrentSection, Layout>> sections;
    std::vector<std::vector<LoadCombination>> loads;
    for (int p = 0; p < 100; ++p) {
        const auto& [texts, layout] = examples[p % 4];
        CurrentSection s;
        readSection(texts, layout, s);
        sections.emplace_back(s, layout);
        std::vector<LoadCombination> rows;
        for (int i = 0; i < 200; ++i)
            rows.push_back({"C", s.Nd * (0.02 * i - 1.5), (i % 2 ? -1 : 1) * s.Md * (0.5 + 0.01 * i)});
        loads.push_back(std::move(rows));
    }
    for (auto _ : state) {
        int passing = 0;
        for (std::size_t p = 0; p < sections.size(); ++p) {
            const CombinationsResult r = checkCombinations(sections[p].first, sections[p].second, loads[p]);
            passing += r.allPass;
        }
        benchmark::DoNotOptimize(passing);
    }
}

}  // namespace

BENCHMARK(BM_HundredPositionsTwoHundredCombinations)->Unit(benchmark::kMillisecond);
