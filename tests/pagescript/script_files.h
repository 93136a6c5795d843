#pragma once

// Page files for the tests: written from lines, read back as lines, and an observer that
// writes down what the writer asked of the preview.

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
};

}  // namespace fortema::pagescript::test
