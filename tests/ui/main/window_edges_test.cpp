// The main window at the edges of its data: a position of a type it does not know shows no
// geometry and no results of the position before it, and a section whose numbers the archive
// could not keep is not stored.

#include "tests/ui/main/window_test_support.h"
#include "ui/aux/scripted_prompter.h"

namespace fortema::ui::test {

namespace {

class WindowEdgesTest : public QObject {
    Q_OBJECT
private slots:
    void anUnknownTypeShowsNoGeometryNorResults() {
        archive::SectionArchive a;
        a.at(0).fmd = 10, a.at(0).Em = 10000, a.at(0).fyd = 3913, a.at(0).Ea = 2100000;
        a.at(0).geometry = {1000, 400, 30, 30, 150, 100, 0};
        a.at(0).Nu = 14000, a.at(0).Mu = 182000, a.at(0).yan = 14.25f, a.at(0).campo = 2;
        a.at(1) = a.at(0);
        a.at(1).sectionType = QStringLiteral("X");
        ScriptedPrompter p;
        QTemporaryDir dir;
        MainWindow w;
        const MainControls& c = w.form().ui();
        typeInto(w.form(), Field::d, QStringLiteral("400"));
        QVERIFY(w.archive().openFile(projectFile(dir, a)));
        QCOMPARE(c.field(Field::b)->text(), QStringLiteral("1000"));
        click(c.avanti);
        QVERIFY(c.Option1->isChecked());
        for (const Field f : engine::kRectangularFields) QCOMPARE(c.field(f)->text(), QString());
        for (const Field f : engine::kCircularFields) QCOMPARE(c.field(f)->text(), QString());
        QCOMPARE(c.lblCampo->text(), QStringLiteral(" Campo = ?"));
        QCOMPARE(c.lblNu->text(), QStringLiteral(" Nu = ? daN"));
        QCOMPARE(c.lblMu->text(), QStringLiteral(" Mu = ? daN*cm"));
        QCOMPARE(c.lblYan->text(), QStringLiteral(" yan = ? cm"));
        QCOMPARE(c.field(Field::fmd)->text(), QStringLiteral("10"));  // its own materials stay
        QVERIFY(!c.calcola->isEnabled());
        QCOMPARE(p.beeps(), 0);
    }

    void numbersTheArchiveCannotKeepAreNotStored() {
        ScriptedPrompter p;
        MainWindow w;
        Form1& form = w.form();
        const MainControls& c = form.ui();
        typeSection(form, typedExample(0));
        // Only digits can be typed into the box: a 1 and two hundred zeros.
        typeInto(form, Field::h, QStringLiteral("1") + QString(200, QLatin1Char('0')));
        p.queueAnswer(Answer::Ok);
        click(c.calcola);
        QCOMPARE(p.messages().size(), 1);
        QVERIFY(p.messages()[0].text.endsWith(QStringLiteral(": h = 1E+200 mm")));
        p.queueAnswer(Answer::Ok);
        click(c.salva);
        QCOMPARE(p.messages().size(), 2);
        QVERIFY(p.messages()[1].text.contains(
            QStringLiteral(": h = 1E+200 mm\n\nI dati non sono stati salvati.")));
        QCOMPARE(w.archive().archive().at(0), archive::SectionRecord());
        QVERIFY(p.unexpected().isEmpty());
    }
};

static RegisterTest<WindowEdgesTest> registered;

}  // namespace

}  // namespace fortema::ui::test

#include "window_edges_test.moc"
