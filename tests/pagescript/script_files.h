#pragma once

// Page files for the tests: written from lines, read back as lines, and an observer that
// writes down what the writer asked of the preview.

#include <QFile>
#include <QStringList>

#include "engine/code_page.h"
#include "pagescript/page_script_writer.h"

namespace fortema::pagescript::test {

inline void writeScript(const QString& path, const QStringList& lines) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return;
    for (const QString& line : lines)
        file.write(QByteArray::fromStdString(engine::toWindows1252(line.toStdU32String())) + "\r\n");
}

inline QByteArray fileBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll();
}

// The lines of a file whose every line ends with CR LF; an empty list when one does not.
inline QStringList crlfLines(const QString& path) {
    const QByteArray bytes = fileBytes(path);
    QStringList lines;
    qsizetype start = 0;
    while (start < bytes.size()) {
        const qsizetype end = bytes.indexOf("\r\n", start);
        if (end < 0) return {};
        const QByteArray line = bytes.mid(start, end - start);
        if (line.contains('\r') || line.contains('\n')) return {};
        lines << QString::fromStdU32String(engine::fromWindows1252(line.toStdString()));
        start = end + 2;
    }
    return lines;
}

class RecordingObserver : public PreviewObserver {
public:
    QStringList calls;
    QList<QStringList> pageLists;
    bool loaded = false;

    void ensurePreviewLoaded() override {
        if (!loaded) calls << QStringLiteral("load");
        loaded = true;
    }
    void closePreview() override {
        calls << QStringLiteral("close");
        loaded = false;
    }
    void pageListChanged(const QStringList& pages) override {
        calls << QStringLiteral("pages ") + pages.join(QLatin1Char(','));
        pageLists << pages;
    }
    void setWaitCursor(bool wait) override {
        calls << (wait ? QStringLiteral("wait") : QStringLiteral("normal"));
    }
    void showInformation(const QString& title, const QString& text) override {
        calls << QStringLiteral("information %1: %2").arg(title, text);
    }
    void showWarning(const QString& title, const QString& text) override {
        calls << QStringLiteral("warning %1: %2").arg(title, text);
    }

    QStringList callsStartingWith(const QString& prefix) const {
        QStringList out;
        for (const QString& c : calls) {
            if (c.startsWith(prefix)) out << c;
        }
        return out;
    }
};

}  // namespace fortema::pagescript::test
