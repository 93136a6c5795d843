// The full report of a project whose 100 positions each have 200 load combinations: writing the
// page file, from the archive to its last page (the section pages, then for every position its
// table, its full domain and its points). No window: the writer tells nobody about its pages.
#include <QFileInfo>
#include <QTemporaryDir>
#include <string>

#include "archive/number_locale.h"
#include "report/full_report.h"
#include "tests/app/cli/sample_projects.h"

#include <benchmark/benchmark.h>

using namespace fortema;

namespace {

class Silent : public pagescript::PreviewObserver {
public:
    qsizetype pages = 0;
    void ensurePreviewLoaded() override {}
    void closePreview() override {}
    void pageListChanged(const QStringList& list) override { pages = list.size(); }
    void setWaitCursor(bool) override {}
    void showInformation(const QString&, const QString&) override {}
    void showWarning(const QString&, const QString&) override {}
};

// Every third position circular; the combinations spread over each domain and beyond, so that
// carried, failing and beyond-capacity rows all occur.
archive::SectionArchive combinationProject() {
    using namespace fortema::cli::testing;
    archive::SectionArchive a;
    for (int p = 0; p < archive::SectionArchive::kPositions; ++p) {
        const bool circle = p % 3 == 2;
        storeSection(a, p, circle ? circularTexts() : rectangularTexts(),
                     circle ? engine::Layout::Circular : engine::Layout::Rectangular,
                     QStringLiteral("Posizione %1").arg(p + 1));
        const double nSpan = circle ? 200000 : 320000, mSpan = circle ? 2e6 : 5.2e6;
        for (int k = 0; k < 200; ++k) {
            a.combinations(p).push_back({"SLU-" + std::to_string(k + 1),
                                         -60000 + nSpan * ((k * 7919) % 1000) / 1000.0,
                                         mSpan * ((k * 104729) % 1000 / 1000.0 - 0.5)});
        }
    }
    return a;
}

void BM_ReportWithCombinations(benchmark::State& state) {
    const archive::SectionArchive a = combinationProject();
    const archive::ProjectData data{QStringLiteral("Scuola media")};
    const engine::numtext::NumberLocale loc = archive::numberLocale();
    QTemporaryDir dir;
    Silent observer;
    pagescript::PageScriptWriter writer(observer, dir.path(), loc);
    for (auto _ : state) {
        if (report::FullReport(writer, a, data, loc, {}) != report::ReportOutcome::Written) {
            state.SkipWithError("the report was not written");
            return;
        }
    }
    state.counters["pages"] = double(observer.pages);
    state.counters["MB"] = double(QFileInfo(writer.pageFile()).size()) / 1e6;
}
BENCHMARK(BM_ReportWithCombinations)->Unit(benchmark::kMillisecond);

}  // namespace
