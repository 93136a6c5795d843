// "Anteprii&ma e Stampa completa" on a project with all 100 positions stored: from the menu
// command to page 1 on view in the preview window with its 21 pages listed. The main window
// and the preview are real windows on the offscreen platform.
#include <QAction>
#include <QCoreApplication>
#include <QEvent>

#include "app/cli/headless.h"
#include "bench/full_project.h"
#include "ui/aux/scripted_prompter.h"
#include "ui/main/archive_commands.h"
#include "ui/main/form1.h"
#include "ui/main/main_window.h"
#include "ui/print/preview_host.h"
#include "ui/print/prn_prv.h"

#include <benchmark/benchmark.h>

using namespace fortema;

namespace {

constexpr int kReportPages = 21;

bool pageOneShown(const ui::MainWindow& w) {
    const ui::PrnPrv* preview = w.preview().window();
    return preview && preview->isVisible() && preview->drawCount() > 0 &&
           preview->pageList().size() == kReportPages;
}

void BM_PreviewMenuToPageOne(benchmark::State& state) {
    static const cli::HeadlessApplication app;
    const QString& file = bench::fullProjectFile();
    ui::ScriptedPrompter prompter;
    ui::MainWindow w;
    w.form().show();
    if (file.isEmpty() || !w.archive().openFile(file)) {
        state.SkipWithError("the project file could not be written or opened");
        return;
    }
    QCoreApplication::processEvents();
    for (auto _ : state) {
        w.form().ui().mnuAnteprimadistampa->trigger();
        while (!pageOneShown(w)) {
            if (!w.preview().window()) break;
            QCoreApplication::processEvents();
        }
        // What the first drawing left for the screen, and the window of the last run, gone.
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        if (!pageOneShown(w) || !prompter.messages().isEmpty()) {
            state.SkipWithError("the preview did not show page 1 of 21 pages");
            return;
        }
    }
    // How often page 1 was drawn for one command: once, and once more where the platform
    // activates the new window.
    state.counters["draws"] = w.preview().window() ? w.preview().window()->drawCount() : 0;
}
BENCHMARK(BM_PreviewMenuToPageOne)->Unit(benchmark::kMillisecond);

}  // namespace
