#pragma once

// What the main-window tests share: their registry (one executable runs them all), typing into
// the boxes as a user does, the worked examples typed or stored, and project files on disk.

#include <QAction>
#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

#include "archive/number_locale.h"
#include "archive/project_file.h"
#include "engine/numtext.h"
#include "tests/engine/examples.h"
#include "tests/support/test_registry.h"
#include "tests/ui/aux/window_checks.h"
#include "ui/main/archive_commands.h"
#include "ui/main/examples.h"
#include "ui/main/form1.h"
#include "ui/main/main_window.h"

namespace fortema::ui::test {

using engine::Field;

// Replaces the whole text of a box by typing, as a user who selects it and types over it.
inline void typeInto(QLineEdit* edit, const QString& text) {
    edit->selectAll();
    if (text.isEmpty())
        QTest::keyClick(edit, Qt::Key_Delete);
    else
        QTest::keyClicks(edit, text);
}
inline void typeInto(Form1& form, Field field, const QString& text) {
    typeInto(form.ui().field(field), text);
}

inline void click(QPushButton* button) { QTest::mouseClick(button, Qt::LeftButton); }

// Types a section as a user does: the section type first, then every box `texts` fills, in the
// order the calculation reads them.
inline void typeSection(Form1& form, const engine::SectionTexts& texts,
                        engine::Layout layout = engine::Layout::Rectangular) {
    const bool rectangular = layout == engine::Layout::Rectangular;
    QTest::mouseClick(rectangular ? form.ui().Option1 : form.ui().Option2, Qt::LeftButton);
    for (const engine::FieldRule& rule : engine::fieldRules())
        if (!(texts.*rule.text).empty()) typeInto(form, rule.field, QString::fromStdString(texts.*rule.text));
}

inline QColor textColour(const QLabel* label) { return label->palette().color(QPalette::WindowText); }
inline QColor backColour(const QLabel* label) { return label->palette().color(QPalette::Window); }

// The four worked examples calculated and stored in positions 1 to 4, as a user would: the
// example's menu item, "&CALCOLA", "Sa&lva dati", "Sez.avanti >".
inline void storeWorkedExamples(MainWindow& w) {
    const MainControls& c = w.form().ui();
    for (QAction* example : c.mnuEsempi) {
        example->trigger();
        click(c.calcola);
        click(c.salva);
        click(c.avanti);
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
