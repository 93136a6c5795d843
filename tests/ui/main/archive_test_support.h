#pragma once

// What the archive-command tests share: their registry (one executable runs them all), the
// window with its archive commands, and projects written to disk and opened in it.

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QObject>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <memory>
#include <vector>

#include "archive/number_locale.h"
#include "archive/project_file.h"
#include "engine/numtext.h"
#include "ui/main/archive_commands.h"
#include "ui/main/examples.h"
#include "ui/main/form1.h"

#include "tests/support/test_registry.h"

namespace fortema::ui::test {

template <typename T>
using RegisterArchiveTest = RegisterTest<T>;

// The window's own archive commands once the window makes them; until then the test's.
inline ArchiveCommands& commandsOf(Form1& form) {
    if (auto* existing = form.findChild<ArchiveCommands*>()) return *existing;
    return *new ArchiveCommands(form);
}

inline QLineEdit* boxOf(Form1& form, const char* name) {
    return form.findChild<QLineEdit*>(QString::fromLatin1(name));
}
inline QString boxText(Form1& form, const char* name) { return boxOf(form, name)->text(); }
inline QString labelText(Form1& form, const char* name) {
    return form.findChild<QLabel*>(QString::fromLatin1(name))->text();
}
inline QColor textColour(Form1& form, const char* name) {
    return form.findChild<QLabel*>(QString::fromLatin1(name))->palette().color(QPalette::WindowText);
}
inline QColor backColour(Form1& form, const char* name) {
    return form.findChild<QLabel*>(QString::fromLatin1(name))->palette().color(QPalette::Window);
}
inline QPushButton* buttonOf(Form1& form, const char* name) {
    return form.findChild<QPushButton*>(QString::fromLatin1(name));
}
inline void click(Form1& form, const char* name) { QTest::mouseClick(buttonOf(form, name), Qt::LeftButton); }
inline bool rectangularSelected(Form1& form) {
    return form.findChild<QRadioButton*>(QStringLiteral("Option1"))->isChecked();
}
inline void trigger(Form1& form, const char* action) {
    form.findChild<QAction*>(QString::fromLatin1(action))->trigger();
}

// The four worked examples calculated and stored in positions 1 to 4, as a user would: the
// example's menu item, "&CALCOLA", "Sa&lva dati", "Sez.avanti >".
inline void storeWorkedExamples(Form1& form) {
    for (const WorkedExample& example : workedExamples()) {
        trigger(form, example.action);
        click(form, "calcola");
        click(form, "salva");
        click(form, "avanti");
    }
}

// Replaces the whole text of a box by typing over it.
inline void typeInto(Form1& form, const char* name, const QString& text) {
    QLineEdit* edit = boxOf(form, name);
    edit->selectAll();
    if (text.isEmpty()) {
        QTest::keyClick(edit, Qt::Key_Delete);
    } else {
        QTest::keyClicks(edit, text);
    }
}

// A single value as the fields and labels show it under the locale the test runs under.
inline QString shown(float value) {
    return QString::fromStdString(engine::numtext::singleText(value, archive::numberLocale()));
}

// Writes `archive` and `data` as a project file in `dir` and returns its path.
inline QString projectFile(const QTemporaryDir& dir, const archive::SectionArchive& archive,
                           const archive::ProjectData& data = {}, const QString& name = "progetto.ftm") {
    const QString path = QDir(dir.path()).filePath(name);
    const archive::FileResult written = archive::writeProjectFile(path, archive, data);
    if (!written.ok) qWarning("%s", qPrintable(written.message));
    return path;
}

}  // namespace fortema::ui::test
