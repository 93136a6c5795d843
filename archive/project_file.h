#pragma once

// The project file (".ftm"): six project data lines, then six lines for each of the 100
// positions, items separated by commas, lines ended by CR LF, strings between double quotes in
// Windows-1252, numbers with "." whatever the locale.

#include <QByteArray>
#include <QString>

#include "archive/section_archive.h"

namespace fortema::archive {

inline constexpr int kProjectFileLines = kProjectDataLines + 6 * SectionArchive::kPositions;  // 606
// Far above anything the program writes (100 descriptions of a full text box are about 3.3 MB);
// anything larger is refused before it is read.
inline constexpr qint64 kMaxProjectFileSize = 8 * 1024 * 1024;

struct FileResult {
    bool ok = true;
    // Italian, for a warning box; empty when ok.
    QString message;
};

// A single-precision item as the file writes it: at most seven significant digits, the shortest
// that read back to the same value when seven are enough; "." as separator; no 0 before the
// point below 1 (".5", "-.25"); integral values without a point; the exponent form
// ("1E+07", "1.5E-05") only when the decimal exponent is 7 or more, or -5 or less.
// NaN is written as 0 and an infinity as the largest single value, so the file always reads back.
QByteArray fileNumberText(float value);

// The whole file as bytes: exactly kProjectFileLines lines, each ended by CR LF, then the block
// of the load combinations when any position has some (docs/project-file.md). Texts pass
// through sanitizeArchiveText, so a double quote or a line break can never break the format.
QByteArray projectFileBytes(const SectionArchive& archive, const ProjectData& projectData);

// Replaces (or creates) `path`. Nothing on disk changes unless the whole file was written.
FileResult writeProjectFile(const QString& path, const SectionArchive& archive,
                            const ProjectData& projectData);
// The same for any bytes (the PDFs are written so too): only a regular file is replaced, or a
// new name made in an existing folder, through a temporary file beside it renamed into place
// once every byte is written; the message names the cause of a failure.
FileResult writeWholeFile(const QString& path, const QByteArray& bytes);

// Reads the items in order, wherever the lines break (a comma and a line end both end an item;
// CR LF, LF and CR are line ends). `archive` and `projectData` are replaced only when the whole
// file read correctly; otherwise they are left exactly as they were and the message says why.
// Strings must be between double quotes. After the last position comes the block of the load
// combinations, if any; anything else there is ignored, and a block that cannot be read refuses
// the whole file.
// `fileName` only names the file in the message.
FileResult parseProjectFile(const QByteArray& bytes, const QString& fileName, SectionArchive& archive,
                            ProjectData& projectData);

FileResult readProjectFile(const QString& path, SectionArchive& archive, ProjectData& projectData);

}  // namespace fortema::archive
