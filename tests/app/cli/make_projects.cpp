// Writes the project files the command-line tests read into the folder named by argv[1].

#include <QDir>
#include <QFile>
#include <cstdio>

#include "archive/project_file.h"
#include "tests/app/cli/sample_projects.h"

using namespace fortema;
using namespace fortema::cli::testing;

namespace {

bool write(const QDir& dir, const char* name, const archive::SectionArchive& a,
           const archive::ProjectData& d) {
    const archive::FileResult r = archive::writeProjectFile(dir.filePath(QString::fromLatin1(name)), a, d);
    if (!r.ok) std::fprintf(stderr, "%s\n", qPrintable(r.message));
    return r.ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    QDir().mkpath(dir.path());
    const archive::ProjectData data{QStringLiteral("Scuola media"), QStringLiteral("Comune di Prova"),
                                    QStringLiteral("Ing. Rossi"),   QStringLiteral("1"),
                                    QStringLiteral("01/12/2026"),   QString()};

    archive::SectionArchive passing;
    storeSection(passing, 0, rectangularTexts(), engine::Layout::Rectangular,
                 QStringLiteral("Trave T1 perché"));
    storeSection(passing, 4, circularTexts(), engine::Layout::Circular, QStringLiteral("Pilastro P1"));

    archive::SectionArchive failing = passing;
    storeSection(failing, 1, rectangularTexts("2500000"), engine::Layout::Rectangular,
                 QStringLiteral("Trave T2"));
    // A description typed and stored before any calculation: nothing to recompute.
    failing.at(2).description = QStringLiteral("Da calcolare");

    bool ok = write(dir, "passing.ftm", passing, data) && write(dir, "failing.ftm", failing, data);

    // Every position stored, alternating the two layouts: the longest report.
    archive::SectionArchive hundred;
    for (int p = 0; p < archive::SectionArchive::kPositions; ++p) {
        const bool rectangular = p % 2 == 0;
        storeSection(hundred, p, rectangular ? rectangularTexts() : circularTexts(),
                     rectangular ? engine::Layout::Rectangular : engine::Layout::Circular,
                     QStringLiteral("Sezione %1").arg(p + 1));
    }
    ok = ok && write(dir, "hundred.ftm", hundred, data) && write(dir, "empty.ftm", {}, data);

    QFile truncated(dir.filePath(QStringLiteral("truncated.ftm")));
    ok = ok && truncated.open(QIODevice::WriteOnly) &&
         truncated.write(archive::projectFileBytes(passing, data).left(300)) == 300;
    truncated.close();
    return ok ? 0 : 1;
}
