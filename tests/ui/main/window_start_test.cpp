// The main window as the program opens it, and the start window.

#include "drawing/picture_box.h"
#include "tests/ui/main/window_test_support.h"
#include "ui/aux/scripted_prompter.h"
#include "ui/main/frm_splash.h"

namespace fortema::ui::test {

class WindowStartTest : public QObject {
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
        saveScreenshot(splash, QStringLiteral("window_frmsplash"));
        for (const auto& [button, result] :
             {std::pair{"entra", QDialog::Accepted}, {"esci", QDialog::Rejected}}) {
            splash.show();
            click(splash.findChild<QPushButton*>(QLatin1String(button)));
            QCOMPARE(splash.result(), int(result));
        }
    }
};

static RegisterTest<WindowStartTest> registerStart;

}  // namespace fortema::ui::test

#include "window_start_test.moc"
