#pragma once

// Page files for the tests: written from lines and read back, and an observer that writes down
// what the writer asked of the preview.

#include <QFile>
#include <QStringList>
#include <ostream>
#include <utility>

#include "engine/code_page.h"
#include "pagescript/page_script_writer.h"

// Failures show texts as texts.
inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }

namespace fortema::pagescript::test {

inline void writeScript(const QString& path, const QStringList& lines) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return;
    for (const QString& line : lines)
        file.write(QByteArray::fromStdString(engine::toWindows1252(line.toStdU32String())) + "\r\n");
}

inline QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class RecordingObserver : public PreviewObserver {
public:
    QStringList calls;
    QStringList pages;  // the last page list
    bool loaded = false;

    void ensurePreviewLoaded() override {
        if (!std::exchange(loaded, true)) calls << "load";
    }
    void closePreview() override {
        calls << "close";
        loaded = false;
    }
    void pageListChanged(const QStringList& list) override {
        calls << "pages " + list.join(',');
        pages = list;
    }
    void setWaitCursor(bool wait) override { calls << (wait ? "wait" : "normal"); }
    void showInformation(const QString& title, const QString& text) override {
        calls << "information " + title + ": " + text;
    }
    void showWarning(const QString& title, const QString& text) override {
        calls << "warning " + title + ": " + text;
    }
    QStringList callsStartingWith(const QString& prefix) const {
        QStringList out;
        for (const QString& c : calls)
            if (c.startsWith(prefix)) out << c;
        return out;
    }
};

}  // namespace fortema::pagescript::test
