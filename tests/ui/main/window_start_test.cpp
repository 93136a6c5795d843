// The main window as the program opens it, and the start window.

#include <QMenuBar>

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
        QVERIFY(c.Option1->isChecked() && !c.Option2->isChecked());
        for (const engine::FieldRule& rule : engine::fieldRules()) QCOMPARE(c.field(rule.field)->text(), "0");
        QVERIFY(!c.calcola->isEnabled());
        QVERIFY(!c.stampa->isEnabled());
        QCOMPARE(c.lblNumero->text(), QStringLiteral("1"));
        QCOMPARE(c.salva->toolTip(), QStringLiteral("Salva i dati nella posizione N°1"));
        // The rectangular rows are shown, the circular boxes hidden.
        for (Field f : engine::kRectangularFields) QVERIFY(!c.field(f)->isHidden());
        for (Field f : engine::kCircularFields) QVERIFY(c.field(f)->isHidden());
        QCOMPARE(c.rowLabels[0]->text(), QStringLiteral(" Larghezza compressa, b "));
        QVERIFY(form.windowTitle().contains(QStringLiteral("Ver.2.4/2018")));
        QVERIFY(prompter.messages().isEmpty());
        QCOMPARE(prompter.beeps(), 0);
        // The plot was drawn on: its kept image is no longer plain white.
        const QImage image = c.grafico->image();
        QVERIFY(image.pixelColor(image.width() / 2, image.height() / 2) != QColor(Qt::white) ||
                image.pixelColor(image.width() / 3, image.height() * 59 / 100) != QColor(Qt::white));
    }

    void layoutHoldsInBothTypes() {
        MainWindow w;
        Form1& form = w.form();
        QCOMPARE(form.centralWidget()->size(), QSize(821, 586));  // 12315 x 8790 twips
        QCOMPARE(form.ui().calcola->geometry(), QRect(441, 506, 114, 33));
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        FORTEMA_VERIFY_LAYOUT(*form.centralWidget());
        form.ui().Option2->setChecked(true);
        FORTEMA_VERIFY_LAYOUT(*form.centralWidget());
        saveScreenshot(form, QStringLiteral("window_form1_start"));
        QCOMPARE(form.menuBar()->actions().size(), 4);
    }

    void helpItemsDoNothing() {
        ScriptedPrompter prompter;
        MainWindow w;
        for (QAction* item : {w.form().ui().mnuSommario, w.form().ui().mnuCercaargomento}) {
            QVERIFY(item->isEnabled());
            item->trigger();
        }
        QVERIFY(prompter.messages().isEmpty());
        QVERIFY(prompter.dialogs().isEmpty());
    }

    void splash() {
        frmSplash splash;
        auto* entra = splash.findChild<QPushButton*>(QStringLiteral("entra"));
        auto* esci = splash.findChild<QPushButton*>(QStringLiteral("esci"));
        splash.show();
        QVERIFY(QTest::qWaitForWindowExposed(&splash));
        FORTEMA_VERIFY_LAYOUT(splash);
        const QString platform = splash.findChild<QLabel*>(QStringLiteral("lblPlatform"))->text();
        QVERIFY2(!platform.isEmpty() && platform != QStringLiteral("Windows"), qPrintable(platform));
        saveScreenshot(splash, QStringLiteral("window_frmsplash"));
        QTest::mouseClick(entra, Qt::LeftButton);
        QCOMPARE(splash.result(), int(QDialog::Accepted));
        splash.show();
        QTest::mouseClick(esci, Qt::LeftButton);
        QCOMPARE(splash.result(), int(QDialog::Rejected));
    }
};

static RegisterTest<WindowStartTest> registerStart;

}  // namespace fortema::ui::test

#include "window_start_test.moc"
