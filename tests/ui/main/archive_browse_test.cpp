// Browsing, storing, copying and pasting positions, and emptying the archive.

#include <QAction>

#include "drawing/recording_surface.h"
#include "drawing/surface.h"
#include "tests/engine/examples.h"
#include "tests/ui/main/archive_test_support.h"
#include "ui/aux/scripted_prompter.h"

namespace fortema::ui::test {

namespace {

using archive::SectionArchive;
using archive::SectionRecord;

// Position 1 circular, field 5, Mu below Md; position 2 rectangular, field 1, passing; position 3
// of no known type (as a foreign file may hold).
SectionArchive mixedArchive() {
    SectionArchive a;
    SectionRecord& c = a.at(0);
    c.sectionType = QStringLiteral("C");
    c.description = QStringLiteral("pilastro è tondo");
    c.fyk = 4500, c.fyd = 3000, c.Ea = 2100000, c.fmd = 118.5f, c.Em = 299000;
    c.geometry = {400, 0, 30, 0, 700, 0, 0};
    c.Nd = 0, c.Md = 300000, c.Nu = 20000, c.Mu = 250000;
    c.campo = 5;
    SectionRecord& r = a.at(1);
    r.description = QStringLiteral("trave");
    r.fyk = 4300, r.fyd = 3739, r.Ea = 2100000, r.fmd = 10, r.Em = 10000;
    r.geometry = {1000, 400, 30.5f, 30, 150, 100, 0};
    r.Nd = 14000, r.Md = 130000, r.Nu = 14000, r.Mu = 182000, r.yan = 14.25f;
    r.campo = 1;
    SectionRecord& x = a.at(2);
    x.sectionType = QStringLiteral("X");
    x.fyk = 1, x.fyd = 2, x.Ea = 3, x.fmd = 4, x.Em = 5;
    x.geometry = {9, 9, 9, 9, 9, 9, 0};
    x.Nd = 7, x.Md = 14000000;
    return a;
}

void loadArchive(Form1& form, const QTemporaryDir& dir, const SectionArchive& a) {
    QVERIFY(commandsOf(form).openFile(projectFile(dir, a)));
}

}  // namespace

class ArchiveBrowseTest : public QObject {
    Q_OBJECT
private slots:
    void movesStopAtBothEndsAndReloadEveryTime() {
        ScriptedPrompter p;
        Form1 form;
        ArchiveCommands& commands = commandsOf(form);
        QCOMPARE(labelText(form, "lblNumero"), QStringLiteral("1"));

        typeInto(form, "tensione_calcolo_materiale", "77");
        typeInto(form, "sollecitazioneN", "5");
        click(form, "indietro");
        QCOMPARE(commands.currentPosition(), 0);
        QCOMPARE(labelText(form, "lblNumero"), QStringLiteral("1"));
        QCOMPARE(boxText(form, "tensione_calcolo_materiale"), QStringLiteral("0"));
        // An Nd of 0 written into its box turns into 1, as typing it would.
        QCOMPARE(boxText(form, "sollecitazioneN"), QStringLiteral("1"));
        QCOMPARE(labelText(form, "lblCampo"), QStringLiteral(" Campo = ?"));
        QCOMPARE(labelText(form, "lblNu"), QStringLiteral(" Nu = 0 daN"));
        QCOMPARE(labelText(form, "lblMu"), QStringLiteral(" Mu = 0 daN*cm"));
        QCOMPARE(labelText(form, "lblYan"), QStringLiteral(" yan = 0 cm"));
        QVERIFY(!buttonOf(form, "calcola")->isEnabled());

        for (int i = 0; i < 99; ++i) commands.avanti_Click();
        QCOMPARE(labelText(form, "lblNumero"), QStringLiteral("100"));
        typeInto(form, "descrizione", "non salvata");
        click(form, "avanti");
        QCOMPARE(commands.currentPosition(), 99);
        QCOMPARE(labelText(form, "lblNumero"), QStringLiteral("100"));
        QCOMPARE(boxText(form, "descrizione"), QString());
        click(form, "indietro");
        QCOMPARE(labelText(form, "lblNumero"), QStringLiteral("99"));
        QVERIFY(!archive::holdsData(commands.archive(), commands.projectData()));
        QVERIFY(p.unexpected().isEmpty());
    }

    void toolTipsFollowThePositionOnMouseMoves() {
        ScriptedPrompter p;
        Form1 form;
        form.show();
        ArchiveCommands& commands = commandsOf(form);
        QCOMPARE(buttonOf(form, "avanti")->toolTip(),
                 QStringLiteral("Visualizza i dati memorizzati nella posizione seguente"));
        QCOMPARE(buttonOf(form, "indietro")->toolTip(),
                 QStringLiteral("Visualizza i dati memorizzati nella posizione precedente"));
        for (int i = 0; i < 11; ++i) commands.avanti_Click();
        const std::pair<const char*, QString> tips[] = {
            {"salva", QStringLiteral("Salva i dati nella posizione N°12")},
            {"copia", QStringLiteral("Copia i dati dalla posizione N°12")},
            {"incolla", QStringLiteral("Incolla i dati nella posizione N°12")},
        };
        for (const auto& [name, tip] : tips) {
            QTest::mouseMove(buttonOf(form, name), QPoint(5, 5));
            QTest::mouseMove(buttonOf(form, name), QPoint(10, 8));
            QCOMPARE(buttonOf(form, name)->toolTip(), tip);
        }
        click(form, "indietro");
        QTest::mouseMove(buttonOf(form, "salva"), QPoint(12, 6));
        QCOMPARE(buttonOf(form, "salva")->toolTip(), QStringLiteral("Salva i dati nella posizione N°11"));
    }

    void salvaStoresTheLastCalculationNotTheFields() {
        ScriptedPrompter p;
        Form1 form;
        ArchiveCommands& commands = commandsOf(form);
        // Before any calculation: the type and description, zeros elsewhere.
        QTest::mouseClick(form.findChild<QRadioButton*>(QStringLiteral("Option2")), Qt::LeftButton);
        typeInto(form, "descrizione", "prima");
        typeInto(form, "diametro", "500");
        click(form, "salva");
        SectionRecord expected = SectionRecord::untouched();
        expected.sectionType = QStringLiteral("C");
        expected.description = QStringLiteral("prima");
        QCOMPARE(commands.archive().at(0), expected);

        trigger(form, "mnuRettangolare3");
        click(form, "calcola");
        const engine::SectionResult result = form.analysis().result();
        QVERIFY(result.Mu > 0);
        commands.avanti_Click();
        typeInto(form, "base", "999");
        typeInto(form, "tensione_calcolo_materiale", "5");
        typeInto(form, "descrizione", "trave \"A\"");
        click(form, "salva");
        const SectionRecord& stored = commands.archive().at(1);
        QCOMPARE(stored.sectionType, QStringLiteral("R"));
        QCOMPARE(stored.description, QStringLiteral("trave A"));  // no quote can reach the file
        QCOMPARE(stored.fmd, 118.0f);
        QCOMPARE(stored.geometry, (std::array<float, 7>{300, 500, 25, 25, 600, 600, 0}));
        QCOMPARE(stored.Mu, float(result.Mu));
        QCOMPARE(stored.yan, result.yan);
        QCOMPARE(stored.campo, result.campo);
        // Storing changes nothing in the window.
        QCOMPARE(boxText(form, "base"), QStringLiteral("999"));
        QCOMPARE(labelText(form, "lblNumero"), QStringLiteral("2"));

        commands.avanti_Click();
        commands.indietro_Click();
        QCOMPARE(boxText(form, "base"), QStringLiteral("300"));
        QCOMPARE(boxText(form, "tensione_calcolo_materiale"), QStringLiteral("118"));
        QCOMPARE(labelText(form, "lblMu"), QStringLiteral(" Mu = %1 daN*cm").arg(shown(float(result.Mu))));
        QCOMPARE(backColour(form, "lblMu"), QColor(255, 255, 255));
        // Stored yan is in cm, where the live result shows mm.
        QCOMPARE(labelText(form, "lblYan"), QStringLiteral(" yan = %1 cm").arg(shown(result.yan)));
        QVERIFY(buttonOf(form, "calcola")->isEnabled());
        QVERIFY(p.unexpected().isEmpty());
    }

    void aFailedCalculationLeavesNoWhiteOnWhite() {
        ScriptedPrompter p;
        Form1 form;
        commandsOf(form);
        trigger(form, "mnuRettangolare");
        typeInto(form, "sollecitazioneM", "9999999");
        click(form, "calcola");
        QVERIFY(!form.analysis().passes());
        QCOMPARE(backColour(form, "lblMu"), QColor(255, 0, 0));
        QCOMPARE(textColour(form, "lblMu"), QColor(255, 255, 255));
        click(form, "avanti");
        QCOMPARE(backColour(form, "lblMu"), QColor(255, 255, 255));
        QCOMPARE(textColour(form, "lblMu"), QColor(0, 0, 0));
    }

    void aStoredDecimalIsCalculatedAgainAsStored() {
        // The boxes take no decimal point when typed, but a project file may hold decimals.
        // Under a comma locale a box written "118,5" would be read as 118 by the next
        // calculation: the loaded section must be calculated with the stored values.
        engine::SectionTexts texts = engine::testing::example3();
        texts.fmd = "118.5";
        texts.c2 = "25.5";
        engine::Analysis expected;
        QVERIFY(expected.calcola(texts, engine::Layout::Rectangular).traced);
        archive::SectionArchive stored;
        archive::storeCalculation(stored, 0, expected.section(), expected.result(),
                                  QStringLiteral("decimali"), engine::Layout::Rectangular);
        QCOMPARE(stored.at(0).fmd, 118.5f);

        ScriptedPrompter p;
        QTemporaryDir dir;
        Form1 form;
        loadArchive(form, dir, stored);
        click(form, "calcola");
        QCOMPARE(form.analysis().section().fmd, 118.5);
        QCOMPARE(form.analysis().section().c2, 2.55);
        QCOMPARE(form.analysis().result().Mu, expected.result().Mu);
        QVERIFY(p.unexpected().isEmpty());
    }

    void loadShowsEachTypeAndLeavesTheOtherFieldsAlone() {
        ScriptedPrompter p;
        QTemporaryDir dir;
        Form1 form;
        ArchiveCommands& commands = commandsOf(form);
        typeInto(form, "base", "1234");
        typeInto(form, "sezione2", "55");
        loadArchive(form, dir, mixedArchive());

        QVERIFY(!rectangularSelected(form));
        QCOMPARE(labelText(form, "lblNumero"), QStringLiteral("1"));
        QCOMPARE(boxText(form, "descrizione"), QStringLiteral("pilastro è tondo"));
        // fyd is written after fyk, so the stored value wins over fyk's proposal.
        QCOMPARE(boxText(form, "tensione_calcolo_armature"), QStringLiteral("3000"));
        // Decimals reach the boxes with ".", which the calculation reads whole under any locale.
        QCOMPARE(boxText(form, "tensione_calcolo_materiale"), QStringLiteral("118.5"));
        QCOMPARE(boxText(form, "diametro"), QStringLiteral("400"));
        QCOMPARE(boxText(form, "copriferro"), QStringLiteral("30"));
        QCOMPARE(boxText(form, "sezione"), QStringLiteral("700"));
        QCOMPARE(boxText(form, "base"), QStringLiteral("1234"));
        QCOMPARE(boxText(form, "sezione2"), QStringLiteral("55"));
        QCOMPARE(labelText(form, "lblCampo"), QStringLiteral(" Campo = 5"));
        QCOMPARE(textColour(form, "lblCampo"), drawing::qbColor(0));
        QCOMPARE(backColour(form, "lblCampo"), QColor(0, 255, 255));
        QCOMPARE(backColour(form, "lblMu"), QColor(255, 0, 0));
        QCOMPARE(labelText(form, "lblYan"), QString());

        click(form, "avanti");
        QVERIFY(rectangularSelected(form));
        QCOMPARE(boxText(form, "base"), QStringLiteral("1000"));
        QCOMPARE(boxText(form, "copriferro1"), QStringLiteral("30,5"));
        QCOMPARE(boxText(form, "sezione2"), QStringLiteral("100"));
        QCOMPARE(boxText(form, "diametro"), QStringLiteral("400"));
        QCOMPARE(boxText(form, "tensione_calcolo_armature"), QStringLiteral("3739"));
        QCOMPARE(labelText(form, "lblYan"), QStringLiteral(" yan = %1 cm").arg(shown(14.25f)));
        // Field 1 reads black here, not white as after a calculation.
        QCOMPARE(labelText(form, "lblCampo"), QStringLiteral(" Campo = 1"));
        QCOMPARE(textColour(form, "lblCampo"), QColor(0, 0, 0));
        QCOMPARE(backColour(form, "lblCampo"), QColor(255, 0, 0));
        QCOMPARE(backColour(form, "lblMu"), QColor(255, 255, 255));

        // An unknown type keeps the selection, the geometry and yan as they were.
        click(form, "avanti");
        QVERIFY(rectangularSelected(form));
        QCOMPARE(boxText(form, "base"), QStringLiteral("1000"));
        QCOMPARE(labelText(form, "lblYan"), QStringLiteral(" yan = %1 cm").arg(shown(14.25f)));
        QCOMPARE(boxText(form, "tensione_calcolo_materiale"), QStringLiteral("4"));
        QCOMPARE(boxText(form, "sollecitazioneN"), QStringLiteral("7"));
        // Large values come in exponent form and still pass the field's check.
        QCOMPARE(boxText(form, "sollecitazioneM"), QStringLiteral("1.4E+07"));
        QCOMPARE(p.beeps(), 0);
        QCOMPARE(labelText(form, "lblCampo"), QStringLiteral(" Campo = ?"));
        QCOMPARE(commands.currentPosition(), 2);
        QVERIFY(p.unexpected().isEmpty());
    }

    void onlyAChangeOfTypeClearsThePlot() {
        ScriptedPrompter p;
        QTemporaryDir dir;
        Form1 form;
        SectionArchive a;
        a.at(2).sectionType = QStringLiteral("C");
        loadArchive(form, dir, a);
        trigger(form, "mnuRettangolare2");
        click(form, "calcola");
        drawing::RecordingSurface plot;
        form.setPlotRecorder(&plot);
        commandsOf(form).avanti_Click();
        QVERIFY2(plot.records().isEmpty(), qPrintable(plot.dump()));
        commandsOf(form).avanti_Click();
        QVERIFY(!rectangularSelected(form));
        QVERIFY(!plot.records().isEmpty());
        form.setPlotRecorder(nullptr);
    }

    void copyAndPasteFollowTheSelectedType() {
        ScriptedPrompter p;
        QTemporaryDir dir;
        Form1 form;
        ArchiveCommands& commands = commandsOf(form);
        loadArchive(form, dir, mixedArchive());

        // Paste before any copy: an empty type, zeros, and the window keeps type and geometry.
        commands.avanti_Click();
        commands.avanti_Click();
        commands.avanti_Click();
        const QString base = boxText(form, "base");
        click(form, "incolla");
        QCOMPARE(commands.archive().at(3), SectionRecord::blank());
        QCOMPARE(boxText(form, "tensione_snervamento_armature"), QStringLiteral("0"));
        QCOMPARE(boxText(form, "sollecitazioneM"), QStringLiteral("0"));
        QCOMPARE(labelText(form, "lblNu"), QStringLiteral(" Nu = 0 daN"));
        QCOMPARE(labelText(form, "lblCampo"), QStringLiteral(" Campo = ?"));
        QVERIFY(rectangularSelected(form));
        QCOMPARE(boxText(form, "base"), base);

        // A rectangular position copied under the circular type loses h, c2, A2 and yan.
        commands.indietro_Click();
        commands.indietro_Click();
        QTest::mouseClick(form.findChild<QRadioButton*>(QStringLiteral("Option2")), Qt::LeftButton);
        click(form, "copia");
        SectionRecord expected = mixedArchive().at(1);
        expected.geometry = {1000, 0, 30.5f, 0, 150, 0, 0};
        expected.yan = 0;
        QCOMPARE(commands.clipboard().record, expected);
        QCOMPARE(commands.archive().at(1), mixedArchive().at(1));

        // Under the rectangular type everything travels, into as many positions as wanted.
        QTest::mouseClick(form.findChild<QRadioButton*>(QStringLiteral("Option1")), Qt::LeftButton);
        click(form, "copia");
        QCOMPARE(commands.clipboard().record, mixedArchive().at(1));
        for (int i = 0; i < 3; ++i) commands.avanti_Click();
        click(form, "incolla");
        commands.avanti_Click();
        click(form, "incolla");
        QCOMPARE(commands.archive().at(4), mixedArchive().at(1));
        QCOMPARE(commands.archive().at(5), mixedArchive().at(1));
        QCOMPARE(labelText(form, "lblNumero"), QStringLiteral("6"));
        QCOMPARE(boxText(form, "descrizione"), QStringLiteral("trave"));
        QCOMPARE(boxText(form, "altezza"), QStringLiteral("400"));

        // Pasting a circular record under the rectangular type keeps its type, so it shows circular.
        commands.indietro_Click();
        commands.indietro_Click();
        commands.indietro_Click();
        commands.indietro_Click();
        commands.indietro_Click();
        QVERIFY(!rectangularSelected(form));
        QTest::mouseClick(form.findChild<QRadioButton*>(QStringLiteral("Option1")), Qt::LeftButton);
        click(form, "copia");
        for (int i = 0; i < 6; ++i) commands.avanti_Click();
        click(form, "incolla");
        QCOMPARE(commands.archive().at(6), mixedArchive().at(0));
        QVERIFY(!rectangularSelected(form));
        QCOMPARE(boxText(form, "diametro"), QStringLiteral("400"));
        QVERIFY(p.unexpected().isEmpty());
    }

    void cancellaTuttiIRecordResetsTheWindowAfterTheQuestion() {
        ScriptedPrompter p;
        QTemporaryDir dir;
        Form1 form;
        ArchiveCommands& commands = commandsOf(form);
        const archive::ProjectData data = {"Ponte", "", "", "", "", ""};
        QVERIFY(commands.openFile(projectFile(dir, mixedArchive(), data)));
        click(form, "copia");
        const archive::ArchiveClipboard clipboard = commands.clipboard();
        commands.avanti_Click();

        // Yes, then the save dialog cancelled: nothing is cleared.
        p.queueAnswer(Answer::Yes);
        p.queueFileName(QString());
        trigger(form, "mnuCancellarecord");
        QCOMPARE(commands.archive(), mixedArchive());
        QCOMPARE(commands.currentPosition(), 1);
        QCOMPARE(boxText(form, "descrizione"), QStringLiteral("trave"));

        p.clearRecords();
        p.queueAnswer(Answer::No);
        trigger(form, "mnuCancellarecord");
        QCOMPARE(p.messages().size(), 1);
        QCOMPARE(p.messages()[0].text, QStringLiteral("Vuoi salvare il file?"));
        QCOMPARE(p.messages()[0].title, QStringLiteral("Fortema"));
        QCOMPARE(p.messages()[0].icon, Icon::Question);
        QCOMPARE(p.messages()[0].buttons, Buttons::YesNo);
        QCOMPARE(p.messages()[0].defaultAnswer, Answer::Yes);
        QCOMPARE(commands.archive(), SectionArchive());
        QCOMPARE(commands.currentPosition(), 0);
        QCOMPARE(commands.clipboard(), clipboard);
        QCOMPARE(commands.projectData(), data);
        QVERIFY(rectangularSelected(form));
        QCOMPARE(labelText(form, "lblNumero"), QStringLiteral("1"));
        QCOMPARE(labelText(form, "lblCampo"), QStringLiteral(" Campo = ?"));
        QCOMPARE(textColour(form, "lblCampo"), QColor(0, 0, 0));
        QCOMPARE(backColour(form, "lblCampo"), QColor(255, 255, 255));
        QCOMPARE(backColour(form, "lblMu"), QColor(255, 255, 255));
        QCOMPARE(labelText(form, "lblNu"), QStringLiteral(" Nu = ? daN"));
        QCOMPARE(labelText(form, "lblMu"), QStringLiteral(" Mu = ? daN*cm"));
        QCOMPARE(labelText(form, "lblYan"), QStringLiteral(" yan = ? cm"));
        QCOMPARE(boxText(form, "descrizione"), QString());
        for (const char* name :
             {"tensione_snervamento_armature", "tensione_calcolo_armature", "modulo_elastico_armature",
              "tensione_calcolo_materiale", "modulo_elastico_materiale", "sollecitazioneM", "base", "altezza",
              "copriferro1", "copriferro2", "sezione1", "sezione2", "diametro", "copriferro", "sezione"}) {
            QCOMPARE(boxText(form, name), QStringLiteral("0"));
        }
        QCOMPARE(boxText(form, "sollecitazioneN"), QStringLiteral("1"));
        QVERIFY(!buttonOf(form, "calcola")->isEnabled());
        QVERIFY(!buttonOf(form, "stampa")->isEnabled());
        // The cancelled "Sal&va con nome" forgot the file name, so "&Salva" asks for one.
        QCOMPARE(commands.currentFileName(), QString());

        // The project data alone still make it ask.
        p.clearRecords();
        p.queueAnswer(Answer::No);
        trigger(form, "mnuCancellarecord");
        QCOMPARE(p.messages().size(), 1);
        QVERIFY(p.unexpected().isEmpty());
    }
};

namespace {
const RegisterArchiveTest<ArchiveBrowseTest> registered;
}

}  // namespace fortema::ui::test

#include "archive_browse_test.moc"
