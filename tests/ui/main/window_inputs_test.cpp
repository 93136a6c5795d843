// Typing into the boxes of the main window: the key filters, the change check, the proposal of
// fyd, the Nd of zero and the enabling rule.

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "tests/ui/main/window_test_support.h"
#include "ui/aux/scripted_prompter.h"
#include "ui/main/key_filters.h"

namespace fortema::ui::test {

namespace {

QString text(Form1& form, const char* name) { return form.box(QString::fromLatin1(name))->text(); }
bool calcolaOn(Form1& form) { return form.button(QStringLiteral("calcola"))->isEnabled(); }
bool stampaOn(Form1& form) { return form.button(QStringLiteral("stampa"))->isEnabled(); }

void typeMaterials(Form1& form) {
    typeInto(form, "tensione_snervamento_armature", QStringLiteral("4500"));
    typeInto(form, "modulo_elastico_armature", QStringLiteral("2100000"));
    typeInto(form, "tensione_calcolo_materiale", QStringLiteral("118"));
    typeInto(form, "modulo_elastico_materiale", QStringLiteral("299000"));
}

}  // namespace

class WindowInputsTest : public QObject {
    Q_OBJECT
private slots:
    void filterCodes() {
        for (int code = 0; code < 256; ++code) {
            const bool digitOrEditing = (code >= '0' && code <= '9') || code == 8 || code == 9;
            QCOMPARE(FilterDigitKey(code), digitOrEditing ? code : 0);
            QCOMPARE(FilterSignedKey(code), digitOrEditing || code == '-' ? code : 0);
            const int decimal = code == '.' ? ',' : (digitOrEditing || code == ',' ? code : 0);
            QCOMPARE(FilterDecimalKey(code), decimal);
        }
    }

    void typedKeysPassTheFilters() {
        ScriptedPrompter prompter;
        Form1 form;
        struct Case {
            const char* box;
            const char* typed;
            const char* kept;
        };
        const Case cases[] = {
            {"tensione_snervamento_armature", "4a5.0,0", "4500"},
            {"base", "3 0-0", "300"},
            {"copriferro2", "2.5", "25"},
            {"copriferro1", "2.5", "2,5"},
            {"copriferro1", "3,75", "3,75"},
            {"sezione1", "6e0x0", "600"},
            {"sezione", "7-00", "700"},
            {"sollecitazioneM", "1400000", "1400000"},
            {"sollecitazioneN", "45.000", "45000"},
            {"descrizione", "Trave 30x50, c.a.", "Trave 30x50, c.a."},
        };
        for (const Case& c : cases) {
            typeInto(form, c.box, QString::fromLatin1(c.typed));
            QCOMPARE(text(form, c.box), QString::fromLatin1(c.kept));
        }
        // A minus sign alone is a negative action being typed: no beep, kept.
        prompter.clearRecords();
        typeInto(form, "sollecitazioneM", QStringLiteral("-"));
        QCOMPARE(text(form, "sollecitazioneM"), QStringLiteral("-"));
        QCOMPARE(prompter.beeps(), 0);
        // A minus typed in front of a number.
        typeInto(form, "sollecitazioneN", QStringLiteral("10"));
        QLineEdit* nd = form.box(QStringLiteral("sollecitazioneN"));
        QTest::keyClick(nd, Qt::Key_Home);
        QTest::keyClick(nd, '-');
        QCOMPARE(nd->text(), QStringLiteral("-10"));
        // Backspace and editing keys pass every filter.
        QTest::keyClick(nd, Qt::Key_End);
        QTest::keyClick(nd, Qt::Key_Backspace);
        QCOMPARE(nd->text(), QStringLiteral("-1"));
    }

    void changeCheck() {
        ScriptedPrompter prompter;
        Form1 form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        // Clearing a box: beep, empty, focus.
        QLineEdit* h = form.box(QStringLiteral("altezza"));
        typeInto(form, "altezza", QStringLiteral("50"));
        form.box(QStringLiteral("descrizione"))->setFocus();
        h->setCursorPosition(2);
        QTest::keyClick(h, Qt::Key_Backspace);
        QCOMPARE(prompter.beeps(), 0);
        QTest::keyClick(h, Qt::Key_Backspace);
        QCOMPARE(prompter.beeps(), 1);
        QCOMPARE(h->text(), QString());
        QCOMPARE(form.focusWidget(), h);
        // Text set in code meets the same check.
        form.box(QStringLiteral("base"))->setText(QStringLiteral("12abc"));
        QCOMPARE(text(form, "base"), QString());
        QCOMPARE(prompter.beeps(), 2);
        QCOMPARE(form.focusWidget(), form.box(QStringLiteral("base")));
        // sezione1 is checked like the others.
        form.box(QStringLiteral("sezione1"))->setText(QStringLiteral("abc"));
        QCOMPARE(text(form, "sezione1"), QString());
        QCOMPARE(prompter.beeps(), 3);
        // A comma passes the check under either separator: "2,5" stays in copriferro1.
        typeInto(form, "copriferro1", QStringLiteral("2.5"));
        QCOMPARE(text(form, "copriferro1"), QStringLiteral("2,5"));
        QCOMPARE(prompter.beeps(), 3);
        QVERIFY(prompter.messages().isEmpty());
    }

    void designForceOfZero() {
        ScriptedPrompter prompter;
        Form1 form;
        // The "0" of the start state stays until the box changes.
        QCOMPARE(text(form, "sollecitazioneN"), QStringLiteral("0"));
        typeInto(form, "sollecitazioneN", QStringLiteral("-"));
        QCOMPARE(text(form, "sollecitazioneN"), QStringLiteral("-"));
        QCOMPARE(prompter.beeps(), 0);
        typeInto(form, "sollecitazioneN", QStringLiteral("0"));
        QCOMPARE(text(form, "sollecitazioneN"), QStringLiteral("1"));
        QCOMPARE(prompter.beeps(), 0);
        QLineEdit* nd = form.box(QStringLiteral("sollecitazioneN"));
        nd->selectAll();
        QTest::keyClick(nd, Qt::Key_Delete);
        QCOMPARE(nd->text(), QStringLiteral("1"));
        QCOMPARE(prompter.beeps(), 1);
        // The 1 stands selected: a force typed next replaces it instead of following it.
        QTest::keyClicks(nd, QStringLiteral("5000"));
        QCOMPARE(nd->text(), QStringLiteral("5000"));
        // Md has no such rule.
        typeInto(form, "sollecitazioneM", QStringLiteral("0"));
        QCOMPARE(text(form, "sollecitazioneM"), QStringLiteral("0"));
    }

    void fydProposal() {
        ScriptedPrompter prompter;
        Form1 form;
        typeInto(form, "tensione_snervamento_armature", QStringLiteral("4500"));
        QCOMPARE(text(form, "tensione_calcolo_armature"), QStringLiteral("3913"));
        typeInto(form, "tensione_snervamento_armature", QStringLiteral("4300"));
        QCOMPARE(text(form, "tensione_calcolo_armature"), QStringLiteral("3739"));
        // The proposal can be typed over, and fyk typed again proposes again.
        typeInto(form, "tensione_calcolo_armature", QStringLiteral("3000"));
        QCOMPARE(text(form, "tensione_calcolo_armature"), QStringLiteral("3000"));
        QCOMPARE(text(form, "tensione_snervamento_armature"), QStringLiteral("4300"));
        // An emptied fyk proposes nothing.
        QLineEdit* fyk = form.box(QStringLiteral("tensione_snervamento_armature"));
        fyk->selectAll();
        QTest::keyClick(fyk, Qt::Key_Backspace);
        QCOMPARE(text(form, "tensione_calcolo_armature"), QStringLiteral("3000"));
        QCOMPARE(prompter.beeps(), 1);
        // A fyk with decimals in the calculation's form proposes from its value.
        fyk->setText(QStringLiteral("4600.5"));
        QCOMPARE(text(form, "tensione_calcolo_armature"), QStringLiteral("4000"));
    }

    void enablingRule() {
        ScriptedPrompter prompter;
        Form1 form;
        typeMaterials(form);
        QVERIFY(!calcolaOn(form));  // b and h are still "0"
        typeInto(form, "base", QStringLiteral("300"));
        QVERIFY(!calcolaOn(form));
        typeInto(form, "altezza", QStringLiteral("500"));
        QVERIFY(calcolaOn(form));
        QVERIFY(!stampaOn(form));
        // Covers, areas and actions take no part.
        for (const char* name : {"copriferro1", "copriferro2", "sezione2", "sollecitazioneM"}) {
            typeInto(form, name, QStringLiteral("0"));
            QVERIFY2(calcolaOn(form), name);
        }
        // A material of "0", or empty: both commands off.
        click(form, "calcola");
        QVERIFY(stampaOn(form));
        typeInto(form, "modulo_elastico_armature", QStringLiteral("0"));
        QVERIFY(!calcolaOn(form));
        QVERIFY(!stampaOn(form));
        // Several zeros are not the text "0": the calculation refuses them itself.
        typeInto(form, "modulo_elastico_armature", QStringLiteral("00"));
        QVERIFY(calcolaOn(form));
        typeInto(form, "modulo_elastico_armature", QStringLiteral("2100000"));

        // Clearing h turns both off; a value turns calcola on again but not stampa.
        click(form, "calcola");
        QVERIFY(stampaOn(form));
        QLineEdit* h = form.box(QStringLiteral("altezza"));
        h->selectAll();
        QTest::keyClick(h, Qt::Key_Backspace);
        QVERIFY(!calcolaOn(form));
        QVERIFY(!stampaOn(form));
        QTest::keyClicks(h, QStringLiteral("400"));
        QVERIFY(calcolaOn(form));
        QVERIFY(!stampaOn(form));

        // The circular layout asks for d and c instead; an area of "0" is allowed.
        QTest::mouseClick(form.option(QStringLiteral("Option2")), Qt::LeftButton);
        QVERIFY(!calcolaOn(form));
        typeInto(form, "diametro", QStringLiteral("400"));
        QVERIFY(!calcolaOn(form));
        typeInto(form, "copriferro", QStringLiteral("30"));
        QVERIFY(calcolaOn(form));
        typeInto(form, "sezione", QStringLiteral("0"));
        QVERIFY(calcolaOn(form));
        typeInto(form, "copriferro", QStringLiteral("0"));
        QVERIFY(!calcolaOn(form));
        // b = 0 no longer matters in this layout.
        typeInto(form, "copriferro", QStringLiteral("30"));
        form.box(QStringLiteral("base"))->setText(QStringLiteral("0"));
        QVERIFY(calcolaOn(form));
        QVERIFY(prompter.unexpected().isEmpty());
    }
};

static RegisterWindowTest<WindowInputsTest> registerInputs;

}  // namespace fortema::ui::test

#include "window_inputs_test.moc"
