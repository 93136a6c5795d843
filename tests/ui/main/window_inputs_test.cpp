// The main window as the program opens it, and the start window; typing into the boxes of the
// main window: the key filters, the change check, the proposal of fyd, the Nd of zero, the
// enabling rule, and the traps where a typed number could be computed as another one.

#include <QClipboard>
#include <QGuiApplication>

#include "drawing/picture_box.h"
#include "tests/ui/main/window_test_support.h"
#include "ui/aux/scripted_prompter.h"
#include "ui/main/frm_splash.h"

namespace fortema::ui::test {

class WindowInputsTest : public QObject {
    Q_OBJECT
private slots:
    void startState() {
        ScriptedPrompter prompter;
        MainWindow w;
        Form1& form = w.form();
        const MainControls& c = form.ui();
        QVERIFY(c.Option1->isChecked());
        for (const engine::FieldRule& rule : engine::fieldRules()) QCOMPARE(c.field(rule.field)->text(), "0");
        for (Field f : engine::kCircularFields) QVERIFY(c.field(f)->isHidden());
        QVERIFY(!c.calcola->isEnabled() && !c.stampa->isEnabled());
        QCOMPARE(c.salva->toolTip(), QStringLiteral("Salva i dati nella posizione N°1"));
        QVERIFY(prompter.messages().isEmpty() && prompter.beeps() == 0);
        // The plot was drawn on: its kept image is no longer plain white.
        const QImage image = c.grafico->image();
        QVERIFY(image.pixelColor(image.width() / 2, image.height() / 2) != QColor(Qt::white) ||
                image.pixelColor(image.width() / 3, image.height() * 59 / 100) != QColor(Qt::white));
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        FORTEMA_VERIFY_LAYOUT(*form.centralWidget());
        c.Option2->setChecked(true);
        FORTEMA_VERIFY_LAYOUT(*form.centralWidget());
        saveScreenshot(form, QStringLiteral("window_form1_start"));
    }

    void splash() {
        frmSplash splash;
        splash.show();
        QVERIFY(QTest::qWaitForWindowExposed(&splash));
        FORTEMA_VERIFY_LAYOUT(splash);
        const QString platform = splash.findChild<QLabel*>(QStringLiteral("lblPlatform"))->text();
        QVERIFY2(!platform.isEmpty() && platform != QStringLiteral("Windows"), qPrintable(platform));
        saveScreenshot(splash, QStringLiteral("window_frmsplash"));
        for (const auto& [button, result] :
             {std::pair{"entra", QDialog::Accepted}, {"esci", QDialog::Rejected}}) {
            splash.show();
            click(splash.findChild<QPushButton*>(QLatin1String(button)));
            QCOMPARE(splash.result(), int(result));
        }
    }
    // What each box keeps of the keys typed; Ctrl shortcuts are no typed characters. A box left
    // with no number, by keys or set in code, is emptied with a beep and takes the focus. An Nd of
    // 0 becomes 1, selected, so that the force typed next replaces it. fyd is proposed as fyk / 1.15
    // cut to a whole number (4600 / 1.15 = 4000.0000000000005 in doubles, 4450 / 1.15 = 3869.57);
    // an emptied fyk proposes nothing.
    void typingIntoTheBoxes() {
        ScriptedPrompter prompter;
        MainWindow w;
        Form1& form = w.form();
        const MainControls& c = form.ui();
        const struct {
            Field field;
            const char* typed;
            const char* kept;
        } cases[] = {
            {Field::fyk, "4a5.0,0", "4500"}, {Field::b, "3 0-0", "300"},    {Field::c2, "2.5", "25"},
            {Field::c1, "2.5", "2,5"},       {Field::A1, "6e0x0", "600"},   {Field::Nd, "45.000", "45000"},
            {Field::Md, "-", "-"},           {Field::Nd, "-5000", "-5000"}, {Field::Nd, "0", "1"},
        };
        for (const auto& t : cases) {
            typeInto(form, t.field, QString::fromLatin1(t.typed));
            QCOMPARE(c.field(t.field)->text(), QString::fromLatin1(t.kept));
        }
        QTest::keyClicks(c.field(Field::Nd), QStringLiteral("-5000"));
        QCOMPARE(c.field(Field::Nd)->text(), QStringLiteral("-5000"));
        typeInto(form, Field::Md, QStringLiteral("0"));  // Md has no such rule
        QCOMPARE(c.field(Field::Md)->text(), QStringLiteral("0"));
        QLineEdit* b = c.field(Field::b);
        QLineEdit* h = c.field(Field::h);
        QTest::keyClick(b, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(b, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("300"));
        QTest::keyClick(h, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(h, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(h->text(), QStringLiteral("300"));
        QCOMPARE(prompter.beeps(), 0);

        c.descrizione->setFocus();
        for (int i = 0; i < 3; ++i) QTest::keyClick(h, Qt::Key_Backspace);
        QCOMPARE(prompter.beeps(), 1);
        QCOMPARE(form.focusWidget(), h);
        for (Field f : {Field::b, Field::A1}) {  // sezione1 as every other box
            c.field(f)->setText(QStringLiteral("12abc"));
            QCOMPARE(c.field(f)->text(), QString());
            QCOMPARE(form.focusWidget(), c.field(f));
        }
        QCOMPARE(prompter.beeps(), 3);

        for (const auto& [fyk, proposed] : {std::pair{"4500", "3913"}, {"4600", "4000"}, {"4450", "3869"}}) {
            typeInto(form, Field::fyk, QString::fromLatin1(fyk));
            QCOMPARE(c.field(Field::fyd)->text(), QString::fromLatin1(proposed));
        }
        typeInto(form, Field::fyd, QStringLiteral("3000"));
        typeInto(form, Field::fyk, QString());
        QCOMPARE(c.field(Field::fyd)->text(), QStringLiteral("3000"));
    }

    void enablingRule() {
        ScriptedPrompter prompter;
        MainWindow w;
        Form1& form = w.form();
        const MainControls& c = form.ui();
        typeSection(form, engine::testing::example3());
        click(c.calcola);
        QVERIFY(c.stampa->isEnabled());
        // Clearing h turns both off; a value turns calcola on again but not stampa.
        typeInto(form, Field::h, QString());
        QVERIFY(!c.calcola->isEnabled() && !c.stampa->isEnabled());
        typeInto(form, Field::h, QStringLiteral("400"));
        QVERIFY(c.calcola->isEnabled() && !c.stampa->isEnabled());
        // The circle asks for d and c instead.
        QTest::mouseClick(c.Option2, Qt::LeftButton);
        QVERIFY(!c.calcola->isEnabled());
        typeInto(form, Field::d, QStringLiteral("400"));
        typeInto(form, Field::c, QStringLiteral("30"));
        QVERIFY(c.calcola->isEnabled());
    }

    // Each trap as a new user meets it: the number typed is the number computed, or a refusal.
    void whatIsTypedIsComputed() {
        const bool italian = archive::numberLocale().decimal == ',';
        using S = engine::CurrentSection;
        const struct {
            Field field;
            const char* text;
            bool pasted;
            double S::*value;  // read back at "&CALCOLA"
            double expected;
            const char* warning;  // or the refusal after "&CALCOLA"
            int beeps;
        } cases[] = {
            {Field::Nd, "-5000", false, &S::Nd, -5000, nullptr, 0},
            {Field::Nd, "-", false, &S::Nd, 1, nullptr, 0},  // and the box shows the 1 computed
            {Field::Md, "-100", false, nullptr, 0, engine::warning::kNegativeMoment, 0},
            {Field::c1, "25.5", false, &S::c1, 2.55, nullptr, 0},
            {Field::b, "1.500", true, &S::b, 0.15, nullptr, italian ? 1 : 0},
            {Field::fmd, "2,5", true, nullptr, 0, nullptr, 1},
            {Field::A1, "abc", true, &S::A1, 0, nullptr, 1},
            {Field::c2, "475", false, nullptr, 0, engine::warning::kCoversTooLarge, 0},
        };
        for (const auto& c : cases) {
            ScriptedPrompter prompter;
            MainWindow w;
            Form1& form = w.form();
            typeSection(form, engine::testing::example3());
            QLineEdit* edit = form.ui().field(c.field);
            edit->selectAll();
            if (c.pasted)
                edit->insert(QString::fromLatin1(c.text));
            else
                QTest::keyClicks(edit, QString::fromLatin1(c.text));
            QCOMPARE(prompter.beeps(), c.beeps);
            if (c.beeps) QCOMPARE(edit->text(), QString());
            // An emptied material or size leaves nothing to compute.
            if (!form.ui().calcola->isEnabled()) {
                QVERIFY(c.beeps > 0);
                continue;
            }
            click(form.ui().calcola);
            if (!c.warning) {
                QVERIFY(prompter.messages().isEmpty());
                QCOMPARE(form.analysis().section().*c.value, c.expected);
                if (c.field == Field::Nd) QCOMPARE(edit->text().toDouble(), c.expected);
            } else {
                QCOMPARE(prompter.messages().size(), 1);
                QCOMPARE(prompter.messages()[0].text, QString::fromUtf8(c.warning));
            }
        }
    }
};

static RegisterTest<WindowInputsTest> registerInputs;

}  // namespace fortema::ui::test

#include "window_inputs_test.moc"
