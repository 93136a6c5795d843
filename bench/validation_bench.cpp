// `fortema-cli validate` on the solved cases of docs/validation: the table alone, and the whole
// dossier PDF (cover, a page per case, the sweep of the sampling error) as -o writes it.
#include <QTemporaryDir>
#include <sstream>
#include <string>
#include <vector>

#include "app/cli/validate_command.h"
#ifdef FORTEMA_CLI_PRINT
#include "app/cli/headless.h"
#endif

#include <benchmark/benchmark.h>

using namespace fortema;

namespace {

void runValidate(benchmark::State& state, const std::vector<std::string>& args) {
    for (auto _ : state) {
        std::ostringstream out, err;
        if (cli::runValidate(args, out, err) != 0) {
            state.SkipWithError((out.str() + err.str()).c_str());
            return;
        }
    }
}

void BM_ValidateTable(benchmark::State& state) { runValidate(state, {"--dir", FORTEMA_VALIDATION_DIR}); }
BENCHMARK(BM_ValidateTable)->Unit(benchmark::kMillisecond);

#ifdef FORTEMA_CLI_PRINT
// One application for the whole run, as the command would make.
void BM_ValidateDossierPdf(benchmark::State& state) {
    static const cli::HeadlessApplication app;
    QTemporaryDir out;
    if (!out.isValid()) {
        state.SkipWithError("no temporary folder");
        return;
    }
    runValidate(state, {"--dir", FORTEMA_VALIDATION_DIR, "-o",
                        out.filePath(QStringLiteral("validazione.pdf")).toStdString()});
}
BENCHMARK(BM_ValidateDossierPdf)->Unit(benchmark::kMillisecond);
#endif

}  // namespace
