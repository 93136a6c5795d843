// "&CALCOLA" from the typed boxes to the result labels and the plot, its warnings, the type
// switch, "C&ANCELLA", "&STAMPA", the cursor readout and the side windows.

#include <QMouseEvent>
#include <QPointer>

#include "drawing/picture_box.h"
#include "drawing/recording_surface.h"
#include "tests/ui/main/window_test_support.h"
#include "ui/aux/form3.h"
#include "ui/aux/scripted_prompter.h"

namespace fortema::ui::test {

namespace {

using drawing::DrawRecord;
using drawing::qbColor;

QStringList texts(const drawing::RecordingSurface& s) {
    QStringList out;
    for (const DrawRecord& r : s.records(DrawRecord::Kind::Text)) out << r.text;
    return out;
}

// The colours of the drawn lines, each run of one colour once, in order.
QList<QColor> lineColourRuns(const drawing::RecordingSurface& s) {
    QList<QColor> runs;
    for (const DrawRecord& r : s.records(DrawRecord::Kind::Line))
        if (runs.isEmpty() || runs.last() != r.color) runs << r.color;
    return runs;
}

QStringList resultLabels(const Form1& form) {
    const MainControls& c = form.ui();
    return {c.lblCampo->text(), c.lblNu->text(), c.lblMu->text(), c.lblYan->text()};
}

// "158.8" in the decimal separator of the locale the test runs under.
QString localeText(const char* plain) {
    return QString::fromLatin1(plain).replace(u'.', QChar::fromLatin1(archive::numberLocale().decimal));
}

void moveOverPlot(Form1& form, double x, double y) {
    drawing::PictureBox* plot = form.ui().grafico;
    const QPointF at = plot->surface().toDevice(x, y);
    QMouseEvent move(QEvent::MouseMove, at, plot->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(plot, &move);
}

}  // namespace

class WindowCalcolaTest : public QObject {
    Q_OBJECT
private slots:
    // The worked examples typed by hand: the labels, their colours and the curves in field
    // colours, the cross and the origin circle closing the drawing.
    void workedExamplesTypedByHand() {
        const struct {
            std::size_t example;
            const char* campo;
            const char* nu;
            const char* mu;
            QString yan;
            int campoBack, muText, muBack;
            QList<QColor> runs;  // line colours in order: curves, then the cross
        } cases[] = {
            {0,
             " Campo = 0",
             " Nu = 14000 daN",
             " Mu = 181999 daN*cm",
             " yan = 140 mm",
             15,
             0,
             10,
             {qbColor(9), qbColor(0)}},
            {2,
             " Campo = 3",
             " Nu = 45000 daN",
             " Mu = 1895457 daN*cm",
             " yan = " + localeText("158.8") + " mm",
             13,
             0,
             15,
             {qbColor(12), qbColor(10), qbColor(13), qbColor(9), qbColor(11), qbColor(0)}},
            {3,
             " Campo = 3",
             " Nu = 20000 daN",
             " Mu = 660602 daN*cm",
             QString(),
             13,
             0,
             15,
             {qbColor(12), qbColor(10), qbColor(13), qbColor(9), qbColor(11), qbColor(12)}},
        };
        for (const auto& c : cases) {
            ScriptedPrompter prompter;
            MainWindow w;
            Form1& form = w.form();
            typeSection(form, typedExample(c.example));
            click(form.ui().calcola);  // the first one may draw the frame again for its scale
            drawing::RecordingSurface plot;
            form.setPlotRecorder(&plot);
            click(form.ui().calcola);
            QVERIFY(prompter.messages().isEmpty());
            QCOMPARE(resultLabels(form), QStringList({QString::fromLatin1(c.campo), QString::fromLatin1(c.nu),
                                                      QString::fromLatin1(c.mu), c.yan}));
            QCOMPARE(backColour(form.ui().lblCampo), qbColor(c.campoBack));
            QCOMPARE(textColour(form.ui().lblMu), qbColor(c.muText));
            QCOMPARE(backColour(form.ui().lblMu), qbColor(c.muBack));
            QVERIFY(form.ui().stampa->isEnabled());
            // Curves of the same scale pile up over the frame: nothing is cleared or written.
            QVERIFY(plot.records(DrawRecord::Kind::Clear).isEmpty());
            QVERIFY(texts(plot).isEmpty());
            QCOMPARE(lineColourRuns(plot), c.runs);
            QCOMPARE(plot.records().last().kind, DrawRecord::Kind::Circle);
            if (c.example == 2) {
                // By hand, A1 and A2 yielded: x = 45000 / (0.8·118·30), Mu = 2·3913·6·22.5 + 45000·(25 −
                // 0.4·x).
                QCOMPARE(form.ui().lblMu->toolTip(),
                         QStringLiteral("Mu all'equilibrio esatto con Nu = Nd: 1895493 daN*cm"));
                form.show();
                QVERIFY(QTest::qWaitForWindowExposed(&form));
                saveScreenshot(form, QStringLiteral("window_form1_example3"));
            }
        }
    }

    // The start frame is labelled for an unreinforced section: a reinforced calculation draws
    // it again with its own m labels and legend first, or the curves would read off by two.
    void theFrameFollowsTheScaleOfTheCurves() {
        ScriptedPrompter prompter;
        MainWindow w;
        Form1& form = w.form();
        drawing::RecordingSurface plot;
        form.setPlotRecorder(&plot);
        typeSection(form, typedExample(2));
        plot.clearRecords();
        click(form.ui().calcola);
        QCOMPARE(plot.records().first().kind, DrawRecord::Kind::Clear);
        QVERIFY(texts(plot).contains(QStringLiteral("m = 0.0    0.4    0.8    1.2    1.6    2.0    2.4")));
        QVERIFY(texts(plot).contains(QStringLiteral("___ campo1")));
        // "C&ANCELLA" clears the curves and keeps the results.
        const QStringList shown = resultLabels(form);
        plot.clearRecords();
        click(form.ui().cancella);
        QCOMPARE(plot.records().first().kind, DrawRecord::Kind::Clear);
        QVERIFY(plot.records(DrawRecord::Kind::Circle).isEmpty());
        QCOMPARE(resultLabels(form), shown);
        QVERIFY(form.ui().stampa->isEnabled());
    }

    void warningsAfterTheResults() {
        const struct {
            std::size_t example;
            std::vector<std::pair<Field, const char*>> changes;
            const char* nu;
            const char* muPrefix;
        } cases[] = {
            // n_d above 1 on masonry: no moment left.
            {0, {{Field::Nd, "70000"}}, " Nu = 70000 daN", " Mu = -"},
            // Beyond the axial capacity: Mu above Md, and still a failure.
            {2,
             {{Field::A2, "1200"}, {Field::Nd, "1000000"}, {Field::Md, "0"}},
             " Nu = 247433 daN",
             " Mu = 528254"},
        };
        for (const auto& c : cases) {
            ScriptedPrompter prompter;
            MainWindow w;
            Form1& form = w.form();
            typeSection(form, typedExample(c.example));
            for (const auto& [field, text] : c.changes) typeInto(form, field, QString::fromLatin1(text));
            click(form.ui().calcola);
            QCOMPARE(prompter.messages().size(), 1);
            QCOMPARE(prompter.messages()[0].text, QString::fromUtf8(engine::warning::kRectangularFinal));
            QCOMPARE(prompter.messages()[0].icon, Icon::Exclamation);
            QCOMPARE(form.ui().lblNu->text(), QString::fromLatin1(c.nu));
            QVERIFY(form.ui().lblMu->text().startsWith(QString::fromLatin1(c.muPrefix)));
            if (c.example == 2) QCOMPARE(form.ui().lblMu->toolTip(), QString());  // no exact point there
            QCOMPARE(textColour(form.ui().lblMu), qbColor(15));
            QCOMPARE(backColour(form.ui().lblMu), qbColor(12));
        }
    }

    void refusalsDrawAndChangeNothing() {
        const struct {
            std::size_t example;
            Field field;
            const char* text;
            QString warning;
        } cases[] = {
            {2, Field::Md, "-5", QString::fromUtf8(engine::warning::kNegativeMoment)},
            {2, Field::fmd, "00", QString::fromStdString(engine::warning::zeroValue("fmd"))},
            {1, Field::A1, "0", QString()},  // then Nd < 0 below
            {3, Field::Aa, "0", QString()},
        };
        for (const auto& c : cases) {
            ScriptedPrompter prompter;
            MainWindow w;
            Form1& form = w.form();
            typeSection(form, typedExample(c.example));
            click(form.ui().calcola);
            const QStringList shown = resultLabels(form);
            drawing::RecordingSurface plot;
            form.setPlotRecorder(&plot);
            typeInto(form, c.field, QString::fromLatin1(c.text));
            QString warning = c.warning;
            if (warning.isEmpty()) {
                typeInto(form, Field::Nd, QStringLiteral("-10"));
                warning = QString::fromUtf8(c.example == 3 ? engine::warning::kCircularTension
                                                           : engine::warning::kRectangularTension);
            }
            prompter.clearRecords();
            click(form.ui().calcola);
            QCOMPARE(prompter.messages().size(), 1);
            QCOMPARE(prompter.messages()[0].text, warning);
            QCOMPARE(resultLabels(form), shown);
            QVERIFY(plot.records().isEmpty());
        }
    }

    void typeSwitchKeepsTypedValues() {
        ScriptedPrompter prompter;
        MainWindow w;
        Form1& form = w.form();
        const MainControls& c = form.ui();
        typeSection(form, typedExample(2));
        click(c.calcola);
        const QStringList shown = resultLabels(form);
        drawing::RecordingSurface plot;
        form.setPlotRecorder(&plot);
        QTest::mouseClick(c.Option2, Qt::LeftButton);
        QCOMPARE(c.txtdimen->text(), QStringLiteral("mm^2"));
        QCOMPARE(c.rowLabels[2]->text(), QStringLiteral(" Sezione totale armatura, Aa"));
        QVERIFY(c.rowLabels[3]->isHidden() && c.rowUnits[5]->isHidden());
        QVERIFY(texts(plot).contains(QStringLiteral("n = N/Ac*fm")));
        QCOMPARE(resultLabels(form), shown);
        typeInto(form, Field::d, QStringLiteral("400"));
        QTest::mouseClick(c.Option1, Qt::LeftButton);
        QCOMPARE(c.rowLabels[2]->text(), QStringLiteral(" Copriferro inferiore, c1"));
        QVERIFY(!c.rowLabels[3]->isHidden() && !c.rowUnits[5]->isHidden());
        for (const auto& [field, text] : typedExample(2).boxes) QCOMPARE(c.field(field)->text(), text);
        QCOMPARE(c.field(Field::d)->text(), QStringLiteral("400"));
        // Selecting the type already selected runs nothing.
        plot.clearRecords();
        c.Option1->setChecked(true);
        QVERIFY(plot.records().isEmpty());
    }

    void cursorReadout() {
        ScriptedPrompter prompter;
        MainWindow w;
        Form1& form = w.form();
        typeSection(form, typedExample(2));
        click(form.ui().calcola);
        moveOverPlot(form, 0.6, -0.4);
        QCOMPARE(form.ui().grafico->toolTip(), "m = " + localeText("1.20") + "   n = " + localeText("1.00"));
        // The circle reads m off its own scale.
        QTest::mouseClick(form.ui().Option2, Qt::LeftButton);
        moveOverPlot(form, 0.6, 0.1);
        QCOMPARE(form.ui().grafico->toolTip(), "m = " + localeText("10.00") + "   n = " + localeText("0.50"));
    }

    void stampaPrintsTheChosenLayout() {
        ScriptedPrompter prompter;
        MainWindow w;
        Form1& form = w.form();
        QList<report::PrintChoice> printed;
        bool fail = true;
        form.setSectionPrinter([&](engine::Analysis&, const report::PrintChoice& choice) {
            printed << choice;
            return report::PrintOutcome{!fail, fail ? QString::fromUtf8(report::kPrintProblem) : QString()};
        });
        typeSection(form, typedExample(2));
        click(form.ui().calcola);
        typeInto(form.ui().descrizione, QStringLiteral("Trave T1"));
        click(form.ui().stampa);
        QCOMPARE(printed.size(), 1);
        QVERIFY(printed[0].option1 && !printed[0].option2);
        QCOMPARE(printed[0].descrizione, QStringLiteral("Trave T1"));
        QCOMPARE(prompter.messages().size(), 1);
        QCOMPARE(prompter.messages()[0].text,
                 QStringLiteral("Problema di stampa nella stampante utilizzata."));
        fail = false;
        prompter.clearRecords();
        typeInto(form, Field::d, QStringLiteral("400"));
        typeInto(form, Field::c, QStringLiteral("30"));
        QTest::mouseClick(form.ui().Option2, Qt::LeftButton);
        click(form.ui().stampa);  // still enabled after the switch: it prints the new layout
        QCOMPARE(printed.size(), 2);
        QVERIFY(printed[1].option2);
        QVERIFY(prompter.messages().isEmpty());
    }

    void sideWindows() {
        ScriptedPrompter prompter;
        MainWindow w;
        Form1& form = w.form();
        const MainControls& c = form.ui();
        prompter.setDialogHandler(
            [&](QDialog& d) { return d.parentWidget() == &form ? int(QDialog::Rejected) : -1; });
        click(c.cmdHelpAcciaio);
        click(c.cmdHelpFM);
        c.mnuInformazioni->trigger();
        QCOMPARE(prompter.dialogs().size(), 3);
        QCOMPARE(prompter.dialogs()[0].className, QStringLiteral("fortema::ui::frmHelpAcciaio"));
        QCOMPARE(prompter.dialogs()[1].className, QStringLiteral("fortema::ui::frmHelpElas"));
        QCOMPARE(prompter.dialogs()[2].className, QStringLiteral("fortema::ui::frmAbout"));
        for (const auto& d : prompter.dialogs()) QCOMPARE(d.result, int(QDialog::Rejected));

        // The bar area calculator is modeless, one window, and goes with the main window.
        form.show();
        c.mnuCalcolasezionearmatura->trigger();
        QPointer<Form3> calculator = form.barAreaCalculator();
        QVERIFY(calculator && calculator->isVisible() && !calculator->isModal());
        c.mnuCalcolasezionearmatura->trigger();
        QCOMPARE(form.barAreaCalculator(), calculator.data());
        c.mnuEsci->trigger();
        QVERIFY(!form.isVisible());
        QVERIFY(!calculator || !calculator->isVisible());
    }
};

static RegisterTest<WindowCalcolaTest> registerCalcola;

}  // namespace fortema::ui::test

#include "window_calcola_test.moc"
