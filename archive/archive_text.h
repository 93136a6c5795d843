#pragma once

// Text as it may enter the archive and the project file.

#include <QString>

namespace fortema::archive {

// The project file has no escape for a double quote and keeps one item per line, so every
// text that enters the archive or the project data goes through here: double quotes are
// removed and line breaks become blanks.
QString sanitizeArchiveText(const QString& text);

}  // namespace fortema::archive
