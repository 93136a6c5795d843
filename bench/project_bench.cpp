// The command-line project commands on a full file: all 100 positions hold a calculated section,
// as after a whole project has been entered and stored one position at a time.
#include <QString>
#include <QTemporaryDir>
#include <sstream>
#include <string>
#include <vector>

#include "app/cli/headless.h"
#include "app/cli/project_command.h"
#include "app/cli/report_command.h"
#include "archive/number_locale.h"
#include "archive/project_file.h"
#include "bench/full_project.h"

#include <benchmark/benchmark.h>

using namespace fortema;
using fortema::bench::fullProjectFile;

namespace {

// Reading the file and recomputing every position, without writing the table.
void BM_ProjectReadAndRecompute(benchmark::State& state) {
    const QString& file = fullProjectFile();
    if (file.isEmpty()) {
        state.SkipWithError("the project file could not be written");
        return;
    }
    const engine::numtext::NumberLocale loc = archive::numberLocale();
    int computed = 0, passing = 0;
    for (auto _ : state) {
        archive::SectionArchive a;
        archive::ProjectData data;
        if (!archive::readProjectFile(file, a, data).ok) {
            state.SkipWithError("the project file could not be read");
            return;
        }
        computed = 0, passing = 0;
        for (int p = 0; p < archive::SectionArchive::kPositions; ++p) {
            if (!cli::positionHoldsData(a.at(p))) continue;
            const cli::PositionCheck check = cli::checkPosition(a, p, loc);
            benchmark::DoNotOptimize(check.result.Mu);
            ++computed;
            if (check.status == cli::CheckStatus::Passes) ++passing;
        }
    }
    state.counters["positions"] = computed;
    state.counters["passing"] = passing;
}

// The bytes of the whole file, as a save writes them: 1700 numbers and 202 texts.
void BM_ProjectFileBytes(benchmark::State& state) {
    archive::SectionArchive a;
    archive::ProjectData data;
    if (fullProjectFile().isEmpty() || !archive::readProjectFile(fullProjectFile(), a, data).ok) {
        state.SkipWithError("the project file could not be written or read");
        return;
    }
    std::size_t bytes = 0;
    for (auto _ : state) {
        bytes = static_cast<std::size_t>(archive::projectFileBytes(a, data).size());
        benchmark::DoNotOptimize(bytes);
    }
    state.counters["file_bytes"] = static_cast<double>(bytes);
}

// The whole `fortema-cli project` command, table or JSON, into memory.
void runProjectCommand(benchmark::State& state, bool json) {
    const QString& file = fullProjectFile();
    if (file.isEmpty()) {
        state.SkipWithError("the project file could not be written");
        return;
    }
    std::vector<std::string> args{file.toStdString()};
    if (json) args.emplace_back("--json");
    std::size_t bytes = 0;
    for (auto _ : state) {
        std::ostringstream out, err;
        const int status = cli::runProject(args, out, err);
        if (status == 2) {
            state.SkipWithError("the project command refused the file");
            return;
        }
        bytes = out.str().size();
        benchmark::DoNotOptimize(bytes);
    }
    state.counters["output_bytes"] = static_cast<double>(bytes);
}

void BM_ProjectCommandTable(benchmark::State& state) { runProjectCommand(state, false); }
void BM_ProjectCommandJson(benchmark::State& state) { runProjectCommand(state, true); }

// The whole `fortema-cli report` command: the file read, the 21 pages written as a page file
// and printed onto a PDF. One application for the whole run, as the command would make.
void BM_ReportCommand(benchmark::State& state) {
    static const cli::HeadlessApplication app;
    const QString& file = fullProjectFile();
    QTemporaryDir out;
    if (file.isEmpty() || !out.isValid()) {
        state.SkipWithError("the project file could not be written");
        return;
    }
    const std::vector<std::string> args{file.toStdString(), "-o",
                                        out.filePath(QStringLiteral("relazione.pdf")).toStdString()};
    for (auto _ : state) {
        std::ostringstream stdoutText, stderrText;
        if (cli::runReport(args, stdoutText, stderrText) != 0) {
            state.SkipWithError(stderrText.str().c_str());
            return;
        }
    }
}
BENCHMARK(BM_ReportCommand)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK(BM_ProjectReadAndRecompute)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ProjectFileBytes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ProjectCommandTable)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ProjectCommandJson)->Unit(benchmark::kMillisecond);
