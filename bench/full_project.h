#pragma once

// A project file with all 100 positions stored, each a calculated section, as after a whole
// project has been entered and stored one position at a time. Written once per run into a
// folder that goes away when the program ends.

#include <QString>
#include <QTemporaryDir>
#include <string>

#include "archive/project_file.h"
#include "tests/app/cli/sample_projects.h"

namespace fortema::bench {

inline const QString& fullProjectFile() {
    static QTemporaryDir dir;
    static const QString path = [] {
        using namespace fortema::cli::testing;
        archive::SectionArchive a;
        for (int p = 0; p < archive::SectionArchive::kPositions; ++p) {
            // Moments around the strength of each section, so both verdicts and several
            // strain fields occur; every third position circular.
            const std::string md = std::to_string((p % 3 == 2 ? 300000 : 1000000) + 15000 * p);
            if (p % 3 == 2) {
                storeSection(a, p, circularTexts(md.c_str()), engine::Layout::Circular,
                             QStringLiteral("Pilastro P%1").arg(p + 1));
            } else {
                storeSection(a, p, rectangularTexts(md.c_str()), engine::Layout::Rectangular,
                             QStringLiteral("Trave T%1").arg(p + 1));
            }
        }
        const archive::ProjectData data{QStringLiteral("Scuola media"), QStringLiteral("Comune di Prova"),
                                        QStringLiteral("Ing. Rossi"),   QStringLiteral("1"),
                                        QStringLiteral("01/12/2026"),   QString()};
        const QString file = dir.filePath(QStringLiteral("cento.ftm"));
        if (!dir.isValid() || !archive::writeProjectFile(file, a, data).ok) return QString();
        return file;
    }();
    return path;
}

}  // namespace fortema::bench
