#pragma once

// The page file's 8-bit code page, Windows-1252, independent of the system's.

#include <QByteArray>
#include <QString>

namespace fortema::pagescript {

// A character outside the code page is written as "?". The five bytes the code page leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) stand for the control characters of the same
// number, both ways.
QByteArray toWindows1252(const QString& text);
QString fromWindows1252(const QByteArray& bytes);

}  // namespace fortema::pagescript
