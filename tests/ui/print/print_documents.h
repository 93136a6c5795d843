#pragma once

// Page files for the print window tests, written by the page-script writer in a folder of
// their own, and the page count of a PDF.

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QTemporaryDir>

#include "ui/print/preview_host.h"

namespace fortema::ui::test {

// Writes `pages` pages; page p holds the bold text "Pagina p" (Arial 10) at 2 cm, 4 cm.
inline void writeDocument(PreviewHost& host, int pages) {
    auto& w = host.writer();
    w.StartDocument();
    for (int p = 1; p <= pages; ++p) {
        w.StartPage(QStringLiteral("Relazione di calcolo"), QStringLiteral("pag. %1").arg(p));
        w.PrintLeft(2.0f, 4.0f, QStringLiteral("Pagina %1").arg(p), QStringLiteral("Arial"), 10, -1);
        w.PrintBox(2.0f, 5.0f, 18.0f, 10.5f);
        w.EndPage(QStringLiteral("www.esempio.it"), QStringLiteral("posta@esempio.it"));
    }
}

// A temporary folder that is the current directory while it lives.
class ScriptFolderScope {
public:
    ScriptFolderScope() : m_previous(QDir::currentPath()) { QDir::setCurrent(m_dir.path()); }
    ~ScriptFolderScope() { QDir::setCurrent(m_previous); }
    QString path(const QString& name = {}) const {
        return name.isEmpty() ? m_dir.path() : m_dir.filePath(name);
    }

private:
    QTemporaryDir m_dir;
    QString m_previous;
};

// The "Pages:" line of pdfinfo; -1 when the file is missing or no PDF.
inline int pdfPageCount(const QString& path) {
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {path});
    if (!info.waitForFinished(30000) || info.exitCode() != 0) return -1;
    const auto match = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)"))
                           .match(QString::fromLocal8Bit(info.readAllStandardOutput()));
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

}  // namespace fortema::ui::test
