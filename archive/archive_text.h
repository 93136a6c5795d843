#pragma once

// Text as it may enter the archive and the project file.

#include <QByteArray>
#include <QString>

namespace fortema::archive {

// The project file has no escape for a double quote and keeps one item per line, so every
// text that enters the archive or the project data goes through here: double quotes are
// removed and line breaks become blanks.
QString sanitizeArchiveText(const QString& text);

// The project file's 8-bit code page is Windows-1252. A character outside it is written as "?".
// The five bytes the code page leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) read as the
// control characters of the same number and write back to the same byte.
QByteArray toWindows1252(const QString& text);
QString fromWindows1252(const QByteArray& bytes);

}  // namespace fortema::archive
