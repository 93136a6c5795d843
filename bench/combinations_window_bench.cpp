// The load-combinations window on the T-beam rectangle: one edited cell until its row (and the
// governing row, the status and the plot) show the new result, and 500 rows pasted from a
// spreadsheet until the table holds them all, checked. The window is real, on the offscreen
// platform; one frame is 16 ms.
#include <QTableWidget>

#include "app/cli/headless.h"
#include "archive/number_locale.h"
#include "archive/section_archive.h"
#include "ui/main/combinations_window.h"

#include <benchmark/benchmark.h>

using namespace fortema;

namespace {

archive::PositionSection tBeam() {
    archive::SectionRecord r;
    r.fyk = 4500, r.fyd = 3913, r.Ea = 2100000, r.fmd = 118, r.Em = 299000;
    r.geometry = {300, 500, 25, 25, 600, 600, 0};
    r.Nd = 45000, r.Md = 1400000;
    return archive::positionSection(r, archive::numberLocale());
}

QString rows(int count) {
    QString text = QStringLiteral("Nome\tN\tM\n");
    for (int i = 0; i < count; ++i)
        text += QStringLiteral("SLU %1\t%2\t%3\n")
                    .arg(i + 1)
                    .arg(20000 + 100 * i)
                    .arg((i % 2 ? -1 : 1) * (900000 + 3000 * i));
    return text;
}

void BM_EditOneRowOfFiveHundred(benchmark::State& state) {
    static const cli::HeadlessApplication app;
    archive::CombinationList list;
    ui::CombinationsWindow w(list, tBeam(), 0, nullptr);
    if (!w.pasteText(rows(500))) {
        state.SkipWithError("the rows were refused");
        return;
    }
    int i = 0;
    for (auto _ : state) {
        w.table()
            ->item(250, ui::CombinationsWindow::M)
            ->setText(QString::number(1000000 + (++i % 7) * 150000));
        benchmark::DoNotOptimize(w.result().governing);
    }
}
BENCHMARK(BM_EditOneRowOfFiveHundred)->Unit(benchmark::kMillisecond);

void BM_PasteFiveHundredRows(benchmark::State& state) {
    static const cli::HeadlessApplication app;
    const QString text = rows(500);
    const archive::PositionSection section = tBeam();
    for (auto _ : state) {
        state.PauseTiming();
        archive::CombinationList list;
        auto w = std::make_unique<ui::CombinationsWindow>(list, section, 0, nullptr);
        state.ResumeTiming();
        if (!w->pasteText(text) || w->table()->rowCount() != 500)
            state.SkipWithError("the rows were refused");
        state.PauseTiming();
        w.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_PasteFiveHundredRows)->Unit(benchmark::kMillisecond);

}  // namespace
