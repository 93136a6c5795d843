// "&CALCOLA" from the typed boxes to the result labels and the plot, its warnings, the type
// switch, "C&ANCELLA", "&STAMPA", the cursor readout and the side windows.

#include <QMouseEvent>
#include <QPointer>

#include "drawing/picture_box.h"
#include "drawing/recording_surface.h"
#include "tests/engine/examples.h"
#include "tests/ui/main/window_test_support.h"
#include "ui/aux/form3.h"
#include "ui/aux/scripted_prompter.h"

namespace fortema::ui::test {

namespace {

using drawing::DrawRecord;
using drawing::qbColor;
namespace ex = engine::testing;

QStringList texts(const drawing::RecordingSurface& s) {
    QStringList out;
    for (const DrawRecord& r : s.records(DrawRecord::Kind::Text)) out << r.text;
    return out;
}

QStringList resultLabels(const Form1& form) {
    const MainControls& c = form.ui();
    return {c.lblCampo->text(), c.lblNu->text(), c.lblMu->text(), c.lblYan->text()};
}

// A number as the labels write it, and "1.20" with the decimal separator, under the locale the
// test runs under.
QString general(double value) {
    return QString::fromStdString(engine::numtext::generalText(value, archive::numberLocale()));
}
QString localeText(const char* plain) {
    return QString::fromLatin1(plain).replace(u'.', QChar::fromLatin1(archive::numberLocale().decimal));
}

engine::SectionTexts withNd(engine::SectionTexts texts, const char* nd) {
    texts.Nd = nd;
    return texts;
}

QString readoutAt(Form1& form, double x, double y) {
    drawing::PictureBox* plot = form.ui().grafico;
    const QPointF at = plot->surface().toDevice(x, y);
    QMouseEvent move(QEvent::MouseMove, at, plot->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(plot, &move);
    return plot->toolTip();
}

}  // namespace

class WindowCalcolaTest : public QObject {
    Q_OBJECT
private slots:
    // Typed by hand, a section shows what the engine computes from the same texts (its figures
    // are derived by hand in the engine's tests): yan in mm, the field in its curves' colour, Mu
    // on the colour of the verdict. Curves of the same scale pile up over the frame.
    void sectionsTypedByHand() {
        using Layout = engine::Layout;
        const struct {
            engine::SectionTexts texts;
            Layout layout;
            int campoText, campoBack, muBack;
            const char* warning;
        } cases[] = {
            {ex::example1(), Layout::Rectangular, 0, 15, 10, nullptr},  // no field; unreinforced, passing
            {ex::example3(), Layout::Rectangular, 15, 13, 15, nullptr},
            {withNd(ex::example3(), "212400"), Layout::Rectangular, 0, 11, 12, nullptr},  // n = 1.2, field 5
            {ex::example4(), Layout::Circular, 15, 13, 15, nullptr},
            // Beyond the axial capacity, in field 5, Mu may exceed Md and the section still fails.
            {ex::rectangle(ex::materials("118", "299000", "1000000", "0"), "300", "500", "25", "25", "600",
                           "1200"),
             Layout::Rectangular, 0, 11, 12, engine::warning::kRectangularFinal},
        };
        for (const auto& c : cases) {
            ScriptedPrompter prompter;
            MainWindow w;
            Form1& form = w.form();
            typeSection(form, c.texts, c.layout);
            click(form.ui().calcola);  // the first one may draw the frame again for its scale
            drawing::RecordingSurface plot;
            form.setPlotRecorder(&plot);
            prompter.clearRecords();
            click(form.ui().calcola);
            QCOMPARE(prompter.messages().size(), c.warning ? 1 : 0);
            if (c.warning) QCOMPARE(prompter.messages()[0].text, QString::fromUtf8(c.warning));
            engine::Analysis alone;
            alone.calcola(c.texts, c.layout);
            const engine::SectionResult& r = alone.result();
            QCOMPARE(resultLabels(form),
                     QStringList({QStringLiteral(" Campo = %1").arg(r.campo),
                                  " Nu = " + general(r.Nu) + " daN", " Mu = " + general(r.Mu) + " daN*cm",
                                  c.layout == Layout::Rectangular ? " yan = " + shown(r.yan * 10) + " mm"
                                                                  : QString()}));
            QCOMPARE(textColour(form.ui().lblCampo), qbColor(c.campoText));
            QCOMPARE(backColour(form.ui().lblCampo), qbColor(c.campoBack));
            QCOMPARE(backColour(form.ui().lblMu), qbColor(c.muBack));
            if (c.warning) QCOMPARE(form.ui().lblMu->toolTip(), QString());  // no exact Mu at Nd there
            QVERIFY(form.ui().stampa->isEnabled());
            QVERIFY(plot.records(DrawRecord::Kind::Clear).isEmpty() && texts(plot).isEmpty());
            QCOMPARE(plot.records().last().kind, DrawRecord::Kind::Circle);
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
        typeSection(form, ex::example3());
        plot.clearRecords();
        click(form.ui().calcola);
        QCOMPARE(plot.records().first().kind, DrawRecord::Kind::Clear);
        QVERIFY(texts(plot).contains(QStringLiteral("m = 0.0    0.4    0.8    1.2    1.6    2.0    2.4")));
        QVERIFY(texts(plot).contains(QStringLiteral("___ campo1")));
        // Beside the traced Mu, the one of the exact equilibrium at Nd.
        QVERIFY(
            form.ui().lblMu->toolTip().startsWith(QStringLiteral("Mu all'equilibrio esatto con Nu = Nd: ")));
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        saveScreenshot(form, QStringLiteral("window_form1_example3"));
        // "C&ANCELLA" clears the curves and keeps the results.
        const QStringList shown = resultLabels(form);
        plot.clearRecords();
        click(form.ui().cancella);
        QCOMPARE(plot.records().first().kind, DrawRecord::Kind::Clear);
        QVERIFY(plot.records(DrawRecord::Kind::Circle).isEmpty());
        QCOMPARE(resultLabels(form), shown);
        QVERIFY(form.ui().stampa->isEnabled());
    }

    void refusalsDrawAndChangeNothing() {
        for (const auto& [layout, field, text, warning] :
             {std::tuple{engine::Layout::Rectangular, Field::Md, "-5", engine::warning::kNegativeMoment},
              {engine::Layout::Circular, Field::Nd, "-10", engine::warning::kCircularTension}}) {
            ScriptedPrompter prompter;
            MainWindow w;
            Form1& form = w.form();
            typeSection(form, layout == engine::Layout::Circular ? ex::example4() : ex::example3(), layout);
            click(form.ui().calcola);
            const QStringList shown = resultLabels(form);
            drawing::RecordingSurface plot;
            form.setPlotRecorder(&plot);
            if (field == Field::Nd) typeInto(form, Field::Aa, QStringLiteral("0"));
            typeInto(form, field, QString::fromLatin1(text));
            click(form.ui().calcola);
            QCOMPARE(prompter.messages().size(), 1);
            QCOMPARE(prompter.messages()[0].text, QString::fromUtf8(warning));
            QCOMPARE(resultLabels(form), shown);
            QVERIFY(plot.records().isEmpty());
        }
    }

    // "&STAMPA" prints the layout chosen, also just after a switch, and names a failed printing.
    // The other type's boxes keep what was typed; the frame is drawn again for the type chosen,
    // the results stay, the cursor reads m off the new scale. Choosing the type already chosen
    // runs nothing.
    void typeSwitchAndStampa() {
        ScriptedPrompter prompter;
        MainWindow w;
        Form1& form = w.form();
        const MainControls& c = form.ui();
        QList<report::PrintChoice> printed;
        form.setSectionPrinter([&](engine::Analysis&, const report::PrintChoice& choice) {
            printed << choice;
            const bool ok = printed.size() > 1;
            return report::PrintOutcome{ok, ok ? QString() : QString::fromUtf8(report::kPrintProblem)};
        });
        typeSection(form, ex::example3());
        typeInto(form, Field::d, QStringLiteral("400"));
        typeInto(form, Field::c, QStringLiteral("30"));
        typeInto(c.descrizione, QStringLiteral("Trave T1"));
        click(c.calcola);
        click(c.stampa);
        QVERIFY(printed[0].option1 && !printed[0].option2);
        QCOMPARE(printed[0].descrizione, QStringLiteral("Trave T1"));
        QCOMPARE(prompter.messages().size(), 1);
        QCOMPARE(prompter.messages()[0].text,
                 QStringLiteral("Problema di stampa nella stampante utilizzata."));
        QCOMPARE(readoutAt(form, 0.6, -0.4), "m = " + localeText("1.20") + "   n = " + localeText("1.00"));
        const QStringList shown = resultLabels(form);
        drawing::RecordingSurface plot;
        form.setPlotRecorder(&plot);
        QTest::mouseClick(c.Option2, Qt::LeftButton);
        QVERIFY(texts(plot).contains(QStringLiteral("n = N/Ac*fm")));
        QCOMPARE(resultLabels(form), shown);
        QCOMPARE(readoutAt(form, 0.6, 0.1), "m = " + localeText("10.00") + "   n = " + localeText("0.50"));
        click(c.stampa);
        QVERIFY(printed.size() == 2 && printed[1].option2);
        QCOMPARE(prompter.messages().size(), 1);
        QTest::mouseClick(c.Option1, Qt::LeftButton);
        for (const Field f : engine::kRectangularFields)
            QCOMPARE(c.field(f)->text().toStdString(), ex::example3().*engine::fieldRule(f).text);
        QCOMPARE(c.field(Field::d)->text(), QStringLiteral("400"));
        plot.clearRecords();
        c.Option1->setChecked(true);
        QVERIFY(plot.records().isEmpty());
    }

    void sideWindows() {
        ScriptedPrompter prompter;
        MainWindow w;
        Form1& form = w.form();
        const MainControls& c = form.ui();
        click(c.cmdHelpAcciaio);
        click(c.cmdHelpFM);
        c.mnuInformazioni->trigger();
        QStringList opened;
        for (const auto& d : prompter.dialogs()) opened << d.className.section("::", -1);
        QCOMPARE(opened, QStringList({"frmHelpAcciaio", "frmHelpElas", "frmAbout"}));
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
