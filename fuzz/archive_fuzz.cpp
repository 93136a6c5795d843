// The project-file reader fed any bytes: no crash, no hang; a refused file leaves the archive
// and the project data exactly as they were, and an accepted one writes a file that reads
// back and writes again to the same bytes (the first write may tidy texts and digits).
#include <QByteArray>
#include <QString>
#include <cstdint>
#include <cstdlib>

#include "archive/project_file.h"
#include "archive/section_archive.h"

using namespace fortema::archive;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));

    SectionArchive archive;
    archive.at(3).description = QStringLiteral("già salvata");
    archive.at(3).fmd = 118;
    archive.at(99).sectionType = QStringLiteral("C");
    ProjectData project{QStringLiteral("PROGETTO"), {}, {}, {}, {}, {}};
    const SectionArchive archiveBefore = archive;
    const ProjectData projectBefore = project;

    const FileResult read = parseProjectFile(bytes, QStringLiteral("fuzz.ftm"), archive, project);
    if (!read.ok) {
        if (read.message.isEmpty() || !(archive == archiveBefore) || project != projectBefore) std::abort();
        return 0;
    }
    const QByteArray written = projectFileBytes(archive, project);
    SectionArchive again;
    ProjectData projectAgain;
    const FileResult reread = parseProjectFile(written, QStringLiteral("again.ftm"), again, projectAgain);
    if (!reread.ok || projectFileBytes(again, projectAgain) != written) std::abort();
    return 0;
}
