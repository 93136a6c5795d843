// The main window as the program opens it, its menu, and the start window.

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>

#include "drawing/picture_box.h"
#include "drawing/recording_surface.h"
#include "tests/ui/aux/window_checks.h"
#include "tests/ui/main/window_test_support.h"
#include "ui/aux/scripted_prompter.h"
#include "ui/main/frm_splash.h"

namespace fortema::ui::test {

namespace {

const char* const kNumericBoxes[] = {"tensione_snervamento_armature",
                                     "tensione_calcolo_armature",
                                     "modulo_elastico_armature",
                                     "tensione_calcolo_materiale",
                                     "modulo_elastico_materiale",
                                     "base",
                                     "altezza",
                                     "copriferro1",
                                     "copriferro2",
                                     "sezione1",
                                     "sezione2",
                                     "diametro",
                                     "copriferro",
                                     "sezione",
                                     "sollecitazioneN",
                                     "sollecitazioneM"};

// Every text the window shows or holds, to see that a command changed nothing.
QStringList windowState(Form1& form) {
    QStringList state;
    for (QLineEdit* e : form.findChildren<QLineEdit*>()) state << e->objectName() + "=" + e->text();
    for (QLabel* l : form.findChildren<QLabel*>()) state << l->objectName() + "=" + l->text();
    for (QPushButton* b : form.findChildren<QPushButton*>())
        state << b->objectName() + (b->isEnabled() ? "+" : "-");
    state << (form.rectangularLayout() ? "R" : "C");
    return state;
}

QStringList menuCaptions(QMenu* menu) {
    QStringList captions;
    for (QAction* a : menu->actions())
        captions << a->objectName() + ":" + (a->isSeparator() ? "-" : a->text());
    return captions;
}

}  // namespace

class WindowStartTest : public QObject {
    Q_OBJECT
private slots:
    void startState() {
        ScriptedPrompter prompter;
        Form1 form;
        QVERIFY(form.rectangularLayout());
        QVERIFY(!form.option(QStringLiteral("Option2"))->isChecked());
        QCOMPARE(form.box(QStringLiteral("txtdimen"))->text(), QStringLiteral("mm"));
        QCOMPARE(labelText(form, "lblNumero"), QStringLiteral("1"));
        for (const char* name : kNumericBoxes)
            QCOMPARE(form.box(QString::fromLatin1(name))->text(), QStringLiteral("0"));
        QVERIFY(form.box(QStringLiteral("descrizione"))->text().isEmpty());
        QVERIFY(!form.button(QStringLiteral("calcola"))->isEnabled());
        QVERIFY(!form.button(QStringLiteral("stampa"))->isEnabled());
        for (const char* name : {"lblCampo", "lblNu", "lblMu", "lblYan"})
            QVERIFY(labelText(form, name).isEmpty());
        QCOMPARE(labelText(form, "Label_11"),
                 QStringLiteral("Sollecitazioni di progetto.\r\n(Nd>0, compressione)"));
        // The rectangular rows and their captions; the circular fields are hidden.
        QCOMPARE(labelText(form, "Label_21"), QStringLiteral(" Larghezza compressa, b "));
        QCOMPARE(labelText(form, "Label_25"), QStringLiteral(" Sezione arm. compressa (sup.), A2"));
        for (const char* name : {"base", "altezza", "copriferro1", "copriferro2", "sezione1", "sezione2"})
            QVERIFY(!form.box(QString::fromLatin1(name))->isHidden());
        for (const char* name : {"diametro", "copriferro", "sezione"})
            QVERIFY(form.box(QString::fromLatin1(name))->isHidden());
        QVERIFY(prompter.messages().isEmpty());
        QCOMPARE(prompter.beeps(), 0);
        QCOMPARE(form.windowTitle(), programTitle());
        QVERIFY(form.windowTitle().startsWith(QStringLiteral(
            "Fortemi di resistenza allo SL sezioni semplici o armate (c.a., murature, ecc.)")));
        QVERIFY(form.windowTitle().contains(QStringLiteral("Ver.2.4/2018")));
    }

    void startDrawings() {
        // The first frame: rectangular captions, m labels of the unreinforced scale, no legend.
        Form1 form;
        drawing::RecordingSurface plot;
        form.setPlotRecorder(&plot);
        form.DrawDomainFrame();
        QStringList texts;
        for (const drawing::DrawRecord& r : plot.records(drawing::DrawRecord::Kind::Text)) texts << r.text;
        QVERIFY(texts.contains(QStringLiteral("n = N/b*h*fm")));
        QVERIFY(texts.contains(QStringLiteral("m = 0.0    0.2    0.4    0.6    0.8    1.0    1.2")));
        QVERIFY(!texts.contains(QStringLiteral("___ campo1")));
        QCOMPARE(form.grafico()->surface().scaleLeft(), -0.9);
        QCOMPARE(form.grafico()->surface().scaleTop(), -1.1);
        QCOMPARE(form.grafico()->surface().scaleWidth(), 2.6);
        QCOMPARE(form.disegno()->surface().scaleWidth(), 10.0);
        QCOMPARE(form.disegno()->surface().scaleHeight(), 10.0);
        // The plot was drawn on: its kept image is no longer plain white.
        const QImage image = form.grafico()->image();
        QVERIFY(image.pixelColor(image.width() / 2, image.height() / 2) != QColor(Qt::white) ||
                image.pixelColor(image.width() / 3, image.height() * 59 / 100) != QColor(Qt::white));
    }

    void controlsAtTheirPlaces() {
        Form1 form;
        QWidget* client = form.centralWidget();
        QCOMPARE(client->size(), QSize(821, 586));
        struct Place {
            const char* name;
            QRect rect;
        };
        // twips / 15
        const Place places[] = {
            {"Option1", {21, 32, 396, 16}},
            {"tensione_snervamento_armature", {302, 81, 65, 24}},
            {"modulo_elastico_materiale", {302, 177, 65, 24}},
            {"cmdHelpElas", {280, 181, 18, 18}},
            {"disegno", {21, 212, 218, 186}},
            {"sezione2", {214, 524, 79, 24}},
            {"grafico", {438, 43, 369, 329}},
            {"sollecitazioneM", {662, 403, 87, 24}},
            {"descrizione", {505, 467, 302, 25}},
            {"calcola", {441, 506, 114, 33}},
            {"stampa", {707, 506, 100, 33}},
            {"lblNumero", {440, 467, 65, 25}},
        };
        for (const Place& p : places) {
            QWidget* w = client->findChild<QWidget*>(QString::fromLatin1(p.name));
            QVERIFY2(w, p.name);
            QCOMPARE(w->geometry(), p.rect);
        }
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        FORTEMA_VERIFY_LAYOUT(*client);
        form.option(QStringLiteral("Option2"))->setChecked(true);
        FORTEMA_VERIFY_LAYOUT(*client);
        saveScreenshot(form, QStringLiteral("window_form1_start"));
    }

    void menu() {
        Form1 form;
        const auto menu = [&](const char* name) { return form.findChild<QMenu*>(QString::fromLatin1(name)); };
        QCOMPARE(menu("mnuFile")->title(), QStringLiteral("&File"));
        QCOMPARE(menuCaptions(menu("mnuFile")),
                 QStringList({"mnuNuovo:Nu&ovo", "mnuApri:&Apri", "mnuChiudi:&Chiudi", "mnuBarra0:-",
                              "mnuSalva:&Salva", "mnuSalvaconnome:Sal&va con nome", "mnuBarra1:-",
                              "mnuAnteprimadistampa:Anteprii&ma e Stampa completa", "mnuBarra2:-",
                              "mnuEsci:&Esci"}));
        QCOMPARE(menu("mnuProgetto")->title(), QStringLiteral("&Progetto"));
        QCOMPARE(menuCaptions(menu("mnuProgetto")),
                 QStringList({"mnuDatiprogetto:&Dati generali del progetto",
                              "mnuCancellarecord:&Cancella tutti i record",
                              "mnuCalcolasezionearmatura:C&alcola ferri tondi armatura"}));
        QCOMPARE(menu("mnuEsempi")->title(), QStringLiteral("&Esempi"));
        QCOMPARE(menuCaptions(menu("mnuEsempi")),
                 QStringList({"mnuRettangolare:Sezione &rettangolare o assimilabile, (muratura non armata)",
                              "mnuRettangolare2:Sezione &rettangolare armata (muratura armata)",
                              "mnuRettangolare3:Sezione &rettangolare equivalente di T in c.a. ",
                              "mnuCircolare:Sezione &circolare in c.a."}));
        QCOMPARE(menu("mnuHelp")->title(), QStringLiteral("&Help"));
        QCOMPARE(menuCaptions(menu("mnuHelp")),
                 QStringList({"mnuSommario:&Sommario", "mnuCercaargomento:&Cerca argomento",
                              "mnuInformazioni:&Informazioni"}));
        QCOMPARE(form.menuBar()->actions().size(), 4);
    }

    void helpItemsWithoutAction() {
        ScriptedPrompter prompter;
        Form1 form;
        typeSection(form, example3());
        click(form, "calcola");
        prompter.clearRecords();
        drawing::RecordingSurface plot;
        form.setPlotRecorder(&plot);
        const QStringList before = windowState(form);
        for (const char* name : {"mnuSommario", "mnuCercaargomento"}) {
            QAction* item = form.findChild<QAction*>(QString::fromLatin1(name));
            QVERIFY(item->isEnabled());
            item->trigger();
        }
        QCOMPARE(windowState(form), before);
        QVERIFY(plot.records().isEmpty());
        QVERIFY(prompter.messages().isEmpty());
        QVERIFY(prompter.dialogs().isEmpty());
        QVERIFY(QApplication::topLevelWidgets().size() >= 1);
        for (QWidget* w : QApplication::topLevelWidgets()) QVERIFY(w == &form || !w->isVisible());
    }

    void splash() {
        frmSplash splash;
        QVERIFY(splash.windowTitle().isEmpty());
        QCOMPARE(splash.size(), QSize(488, 307));
        QCOMPARE(splash.findChild<QLabel*>(QStringLiteral("lblProductName"))->text(),
                 QStringLiteral("FORTEMA"));
        QCOMPARE(splash.findChild<QLabel*>(QStringLiteral("lblVersion"))->text(),
                 QStringLiteral("Versione 2.4 / 2018"));
        QCOMPARE(splash.findChild<QLabel*>(QStringLiteral("lblPlatform"))->text(), QStringLiteral("Windows"));
        QVERIFY(!splash.findChild<QLabel*>(QStringLiteral("imgLogo"))->pixmap().isNull());
        auto* entra = splash.findChild<QPushButton*>(QStringLiteral("entra"));
        auto* esci = splash.findChild<QPushButton*>(QStringLiteral("esci"));
        QCOMPARE(entra->text(), QStringLiteral("ENTRA"));
        QCOMPARE(entra->geometry(), QRect(375, 264, 105, 33));
        QCOMPARE(esci->text(), QStringLiteral("ESCI"));
        QCOMPARE(esci->geometry(), QRect(258, 264, 105, 33));
        splash.show();
        QVERIFY(QTest::qWaitForWindowExposed(&splash));
        FORTEMA_VERIFY_LAYOUT(splash);
        FORTEMA_VERIFY_LAYOUT(*splash.findChild<QWidget*>(QStringLiteral("Frame1")));
        saveScreenshot(splash, QStringLiteral("window_frmsplash"));

        QTest::mouseClick(entra, Qt::LeftButton);
        QCOMPARE(splash.result(), int(QDialog::Accepted));
        QVERIFY(!splash.isVisible());
        splash.show();
        QTest::mouseClick(esci, Qt::LeftButton);
        QCOMPARE(splash.result(), int(QDialog::Rejected));
    }
};

static RegisterWindowTest<WindowStartTest> registerStart;

}  // namespace fortema::ui::test

#include "window_start_test.moc"
