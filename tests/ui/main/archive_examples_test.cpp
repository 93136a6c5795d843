// The four worked examples of "&Esempi".

#include <QAction>

#include "engine/numtext.h"
#include "tests/engine/examples.h"
#include "tests/ui/main/archive_test_support.h"
#include "ui/aux/scripted_prompter.h"
#include "ui/main/examples.h"

namespace fortema::ui::test {

class ArchiveExamplesTest : public QObject {
    Q_OBJECT
private slots:
    void eachExampleFillsItsFieldsAndCalculatesAsTheEngineDoes() {
        const engine::SectionTexts expected[] = {engine::testing::example1(), engine::testing::example2(),
                                                 engine::testing::example3(), engine::testing::example4()};
        const QString captions[] = {
            QStringLiteral("Sezione &rettangolare o assimilabile, (muratura non armata)"),
            QStringLiteral("Sezione &rettangolare armata (muratura armata)"),
            QStringLiteral("Sezione &rettangolare equivalente di T in c.a. "),
            QStringLiteral("Sezione &circolare in c.a."),
        };
        for (std::size_t i = 0; i < 4; ++i) {
            ScriptedPrompter p;
            Form1 form;
            commandsOf(form);
            const WorkedExample& example = workedExamples()[i];
            QCOMPARE(form.findChild<QAction*>(QString::fromLatin1(example.action))->text(), captions[i]);
            // Start from the other layout, so that the example has to switch.
            const bool rectangular = example.layout == engine::Layout::Rectangular;
            QTest::mouseClick(form.findChild<QRadioButton*>(rectangular ? "Option2" : "Option1"),
                              Qt::LeftButton);
            trigger(form, example.action);
            QCOMPARE(rectangularSelected(form), rectangular);
            QVERIFY(buttonOf(form, "calcola")->isEnabled());
            const engine::SectionTexts& t = expected[i];
            const std::pair<const char*, std::string> boxes[] = {
                {"tensione_snervamento_armature", t.fyk},
                {"tensione_calcolo_armature", t.fyd},
                {"modulo_elastico_armature", t.Ea},
                {"tensione_calcolo_materiale", t.fmd},
                {"modulo_elastico_materiale", t.Em},
                {"sollecitazioneN", t.Nd},
                {"sollecitazioneM", t.Md},
            };
            for (const auto& [name, text] : boxes)
                QCOMPARE(boxText(form, name), QString::fromStdString(text));
            if (rectangular) {
                for (const auto& [name, text] : {std::pair{"base", t.b},
                                                 {"altezza", t.h},
                                                 {"copriferro1", t.c1},
                                                 {"copriferro2", t.c2},
                                                 {"sezione1", t.A1},
                                                 {"sezione2", t.A2}})
                    QCOMPARE(boxText(form, name), QString::fromStdString(text));
            } else {
                for (const auto& [name, text] :
                     {std::pair{"diametro", t.d}, {"copriferro", t.c}, {"sezione", t.Aa}})
                    QCOMPARE(boxText(form, name), QString::fromStdString(text));
            }

            click(form, "calcola");
            engine::Analysis reference;
            QVERIFY(reference.calcola(t, rectangular ? engine::Layout::Rectangular : engine::Layout::Circular)
                        .traced);
            QCOMPARE(form.analysis().result().Nu, reference.result().Nu);
            QCOMPARE(form.analysis().result().Mu, reference.result().Mu);
            QCOMPARE(form.analysis().result().yan, reference.result().yan);
            QCOMPARE(form.analysis().result().campo, reference.result().campo);
            const auto loc = archive::numberLocale();
            QCOMPARE(
                labelText(form, "lblMu"),
                QStringLiteral(" Mu = %1 daN*cm")
                    .arg(QString::fromStdString(engine::numtext::generalText(reference.result().Mu, loc))));
            QVERIFY(p.unexpected().isEmpty());
        }
    }

    void anExampleTouchesOnlyTheFieldsOfTheCurrentSection() {
        ScriptedPrompter p;
        Form1 form;
        ArchiveCommands& commands = commandsOf(form);
        trigger(form, "mnuRettangolare3");
        click(form, "calcola");
        const QStringList results = {labelText(form, "lblCampo"), labelText(form, "lblNu"),
                                     labelText(form, "lblMu"), labelText(form, "lblYan")};
        typeInto(form, "base", "250");
        typeInto(form, "diametro", "600");

        trigger(form, "mnuCircolare");
        QCOMPARE(boxText(form, "base"), QStringLiteral("250"));
        QCOMPARE(boxText(form, "altezza"), QStringLiteral("500"));
        QCOMPARE(boxText(form, "diametro"), QStringLiteral("400"));
        trigger(form, "mnuRettangolare");
        QCOMPARE(boxText(form, "diametro"), QStringLiteral("400"));
        QCOMPARE(boxText(form, "base"), QStringLiteral("1000"));
        QCOMPARE(boxText(form, "descrizione"), QStringLiteral("ES.sezione rettangolare muratura non armata"));

        const QStringList after = {labelText(form, "lblCampo"), labelText(form, "lblNu"),
                                   labelText(form, "lblMu"), labelText(form, "lblYan")};
        QCOMPARE(after, results);
        QCOMPARE(commands.currentPosition(), 0);
        QCOMPARE(labelText(form, "lblNumero"), QStringLiteral("1"));
        QCOMPARE(commands.archive(), archive::SectionArchive());

        // "Sa&lva dati" right after an example stores the last calculation, not the example.
        click(form, "salva");
        QCOMPARE(commands.archive().at(0).geometry[0], 300.0f);
        QCOMPARE(commands.archive().at(0).description,
                 QStringLiteral("ES.sezione rettangolare muratura non armata"));
        QVERIFY(p.unexpected().isEmpty());
    }
};

namespace {
const RegisterArchiveTest<ArchiveExamplesTest> registered;
}

}  // namespace fortema::ui::test

#include "archive_examples_test.moc"
