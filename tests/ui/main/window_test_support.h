#pragma once

// What the main-window tests share: their registry (one executable runs them all) and typing
// into the boxes of a window; the layout checks and pictures come from the aux window tests.

#include <QLabel>
#include <QLineEdit>
#include <QObject>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <functional>
#include <memory>
#include <vector>

#include "archive/number_locale.h"
#include "tests/ui/aux/window_checks.h"
#include "ui/main/form1.h"

#include "tests/support/test_registry.h"

namespace fortema::ui::test {

template <typename T>
using RegisterWindowTest = RegisterTest<T>;

// Replaces the whole text of a box by typing, as a user who selects it and types over it.
inline void typeInto(Form1& form, const char* name, const QString& text) {
    QLineEdit* edit = form.box(QString::fromLatin1(name));
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

// The boxes of one section, typed in this order; the section type is chosen first.
struct TypedSection {
    bool rectangular = true;
    std::vector<std::pair<const char*, const char*>> boxes;
};

inline TypedSection example3() {
    return {true,
            {{"tensione_snervamento_armature", "4500"},
             {"tensione_calcolo_armature", "3913"},
             {"modulo_elastico_armature", "2100000"},
             {"tensione_calcolo_materiale", "118"},
             {"modulo_elastico_materiale", "299000"},
             {"sollecitazioneN", "45000"},
             {"sollecitazioneM", "1400000"},
             {"base", "300"},
             {"altezza", "500"},
             {"copriferro1", "25"},
             {"copriferro2", "25"},
             {"sezione1", "600"},
             {"sezione2", "600"}}};
}

inline TypedSection example4() {
    return {false,
            {{"tensione_snervamento_armature", "4500"},
             {"tensione_calcolo_armature", "3913"},
             {"modulo_elastico_armature", "2100000"},
             {"tensione_calcolo_materiale", "118"},
             {"modulo_elastico_materiale", "299000"},
             {"sollecitazioneN", "20000"},
             {"sollecitazioneM", "300000"},
             {"diametro", "400"},
             {"copriferro", "30"},
             {"sezione", "700"}}};
}

inline void typeSection(Form1& form, const TypedSection& section) {
    QTest::mouseClick(
        form.option(section.rectangular ? QStringLiteral("Option1") : QStringLiteral("Option2")),
        Qt::LeftButton);
    for (const auto& [name, text] : section.boxes) typeInto(form, name, QString::fromLatin1(text));
}

inline void click(Form1& form, const char* name) {
    QTest::mouseClick(form.button(QString::fromLatin1(name)), Qt::LeftButton);
}

inline QString labelText(Form1& form, const char* name) {
    return form.label(QString::fromLatin1(name))->text();
}
inline QColor textColour(Form1& form, const char* name) {
    return form.label(QString::fromLatin1(name))->palette().color(QPalette::WindowText);
}
inline QColor backColour(Form1& form, const char* name) {
    return form.label(QString::fromLatin1(name))->palette().color(QPalette::Window);
}

// "158.8" in the decimal separator of the locale the test runs under.
inline QString localeText(const char* plain) {
    QString text = QString::fromLatin1(plain);
    return text.replace(u'.', QChar::fromLatin1(archive::numberLocale().decimal));
}

}  // namespace fortema::ui::test
