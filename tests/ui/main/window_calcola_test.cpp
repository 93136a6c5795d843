// "&CALCOLA" from the typed boxes to the result labels and the plot, its warnings, the type
// switch, "C&ANCELLA", "&STAMPA", the cursor readout and the side windows.

#include <QAction>
#include <QDialog>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <functional>

#include "archive/number_locale.h"
#include "drawing/picture_box.h"
#include "drawing/recording_surface.h"
#include "engine/section.h"
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

bool near(double a, double b) { return std::abs(a - b) < 1e-6; }

// The cross of the design point and the origin circle close every calculation's drawing.
void verifyDesignMarks(const drawing::RecordingSurface& s, double xd, double yd, const QColor& cross,
                       const QColor& circle) {
    const QList<DrawRecord> lines = s.records(DrawRecord::Kind::Line);
    QVERIFY(lines.size() >= 2);
    const DrawRecord& across = lines[lines.size() - 2];
    const DrawRecord& down = lines.last();
    QVERIFY(near(across.x1, xd - 0.03) && near(across.x2, xd + 0.03) && near(across.y1, yd) &&
            near(across.y2, yd));
    QVERIFY(near(down.x1, xd) && near(down.x2, xd) && near(down.y1, yd + 0.04) && near(down.y2, yd - 0.04));
    QCOMPARE(across.color, cross);
    QCOMPARE(down.color, cross);
    const QList<DrawRecord> circles = s.records(DrawRecord::Kind::Circle);
    QCOMPARE(circles.size(), 1);
    QVERIFY(near(circles[0].x1, 0) && near(circles[0].y1, 0.6) && near(circles[0].x2, 0.03));
    QCOMPARE(circles[0].color, circle);
    QCOMPARE(s.records().last().kind, DrawRecord::Kind::Circle);
}

void moveOverPlot(Form1& form, double x, double y) {
    drawing::PictureBox* plot = form.grafico();
    const QPointF at = plot->surface().toDevice(x, y);
    QMouseEvent move(QEvent::MouseMove, at, plot->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(plot, &move);
}

TypedSection unreinforced(const char* Nd) {
    return {true,
            {{"tensione_snervamento_armature", "4500"},
             {"modulo_elastico_armature", "2100000"},
             {"tensione_calcolo_materiale", "20"},
             {"modulo_elastico_materiale", "10000"},
             {"sollecitazioneN", Nd},
             {"sollecitazioneM", "100000"},
             {"base", "1000"},
             {"altezza", "300"},
             {"copriferro1", "30"},
             {"copriferro2", "30"},
             {"sezione1", "0"},
             {"sezione2", "0"}}};
}

QStringList resultLabels(Form1& form) {
    QStringList out;
    for (const char* name : {"lblCampo", "lblNu", "lblMu", "lblYan"}) out << labelText(form, name);
    return out;
}

// Puts a minus in front of what the box holds: a lone "-" typed first would be refused.
void negate(Form1& form, const char* name) {
    QLineEdit* edit = form.box(QString::fromLatin1(name));
    QTest::keyClick(edit, Qt::Key_Home);
    QTest::keyClick(edit, '-');
}

}  // namespace

class WindowCalcolaTest : public QObject {
    Q_OBJECT
private slots:
    void reinforcedConcreteRectangleTypedByHand() {
        ScriptedPrompter prompter;
        Form1 form;
        typeSection(form, example3());
        QVERIFY(form.button(QStringLiteral("calcola"))->isEnabled());
        drawing::RecordingSurface plot;
        form.setPlotRecorder(&plot);
        click(form, "calcola");
        QVERIFY(prompter.messages().isEmpty());

        QCOMPARE(labelText(form, "lblCampo"), QStringLiteral(" Campo = 3"));
        QCOMPARE(labelText(form, "lblNu"), QStringLiteral(" Nu = 45000 daN"));
        QCOMPARE(labelText(form, "lblMu"), QStringLiteral(" Mu = 1895457 daN*cm"));
        QCOMPARE(labelText(form, "lblYan"), " yan = " + localeText("158.8") + " mm");
        QCOMPARE(textColour(form, "lblCampo"), qbColor(15));
        QCOMPARE(backColour(form, "lblCampo"), qbColor(13));
        QCOMPARE(textColour(form, "lblMu"), qbColor(0));
        QCOMPARE(backColour(form, "lblMu"), qbColor(15));
        QVERIFY(form.button(QStringLiteral("stampa"))->isEnabled());

        // The start frame is labelled for an unreinforced section: it is drawn again for the
        // reinforced scale, legend included, before the curves.
        QCOMPARE(plot.records(DrawRecord::Kind::Clear).size(), 1);
        QCOMPARE(plot.records().first().kind, DrawRecord::Kind::Clear);
        QVERIFY(texts(plot).contains(QStringLiteral("m = 0.0    0.4    0.8    1.2    1.6    2.0    2.4")));
        QVERIFY(texts(plot).contains(QStringLiteral("___ campo1")));
        QVERIFY(!texts(plot).contains(QStringLiteral("m = 0.0    0.2    0.4    0.6    0.8    1.0    1.2")));
        plot.clearRecords();
        click(form, "calcola");
        // The five fields in their colours, then the black cross and the magenta origin circle,
        // drawn over the frame of the same scale without clearing it.
        QVERIFY(plot.records(DrawRecord::Kind::Clear).isEmpty());
        QVERIFY(texts(plot).isEmpty());
        const QList<QColor> runs = lineColourRuns(plot);
        QCOMPARE(runs,
                 QList<QColor>({qbColor(12), qbColor(10), qbColor(13), qbColor(9), qbColor(11), qbColor(0)}));
        const double nd = 45000 / (118.0 * 30 * 50);
        const double md = 1400000 / (118.0 * 30 * 2500 / 6);
        verifyDesignMarks(plot, 0.5 * static_cast<float>(md), 0.6 - nd, qbColor(0), qbColor(13));

        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        saveScreenshot(form, QStringLiteral("window_form1_example3"));
    }

    void unreinforcedRectangle() {
        ScriptedPrompter prompter;
        Form1 form;
        typeSection(form, unreinforced("30000"));
        drawing::RecordingSurface plot;
        form.setPlotRecorder(&plot);
        click(form, "calcola");
        QVERIFY(prompter.messages().isEmpty());
        QCOMPARE(labelText(form, "lblCampo"), QStringLiteral(" Campo = 0"));
        QCOMPARE(labelText(form, "lblNu"), QStringLiteral(" Nu = 30000 daN"));
        QCOMPARE(labelText(form, "lblMu"), QStringLiteral(" Mu = 225000 daN*cm"));
        QCOMPARE(labelText(form, "lblYan"), QStringLiteral(" yan = 150 mm"));
        QCOMPARE(textColour(form, "lblMu"), qbColor(0));
        QCOMPARE(backColour(form, "lblMu"), qbColor(10));
        // Campo 0 leaves the field label's colours as they were.
        QCOMPARE(textColour(form, "lblCampo"), qbColor(0));
        QCOMPARE(backColour(form, "lblCampo"), qbColor(15));
        // The start frame already has the unreinforced scale: nothing is cleared.
        QVERIFY(plot.records(DrawRecord::Kind::Clear).isEmpty());
        QCOMPARE(lineColourRuns(plot), QList<QColor>({qbColor(9), qbColor(0)}));
        QCOMPARE(plot.records(DrawRecord::Kind::Line).size(), 100 + 2);
        verifyDesignMarks(plot, static_cast<float>(100000 / (20.0 * 100 * 900 / 6)), 0.1, qbColor(0),
                          qbColor(13));

        // n_d above 1: the curve gives no moment, the results stay and the warning follows.
        typeInto(form, "sollecitazioneN", QStringLiteral("70000"));
        prompter.clearRecords();
        click(form, "calcola");
        QCOMPARE(prompter.messages().size(), 1);
        QCOMPARE(prompter.messages()[0].text, QString::fromUtf8(engine::warning::kRectangularFinal));
        QCOMPARE(prompter.messages()[0].icon, Icon::Exclamation);
        QVERIFY(prompter.messages()[0].title.isEmpty());
        QCOMPARE(labelText(form, "lblNu"), QStringLiteral(" Nu = 70000 daN"));
        QVERIFY(labelText(form, "lblMu").startsWith(QStringLiteral(" Mu = -")));
        QCOMPARE(textColour(form, "lblMu"), qbColor(15));
        QCOMPARE(backColour(form, "lblMu"), qbColor(12));
    }

    void circularSection() {
        ScriptedPrompter prompter;
        Form1 form;
        typeSection(form, example4());
        drawing::RecordingSurface plot;
        form.setPlotRecorder(&plot);
        click(form, "calcola");
        QVERIFY(prompter.messages().isEmpty());
        QCOMPARE(labelText(form, "lblCampo"), QStringLiteral(" Campo = 3"));
        QCOMPARE(labelText(form, "lblNu"), QStringLiteral(" Nu = 20000 daN"));
        QCOMPARE(labelText(form, "lblMu"), QStringLiteral(" Mu = 660602 daN*cm"));
        QCOMPARE(labelText(form, "lblYan"), QString());
        QCOMPARE(backColour(form, "lblCampo"), qbColor(13));
        QCOMPARE(backColour(form, "lblMu"), qbColor(15));
        const double nd = 20000 / (118.0 * 3.141592654 * 400);
        const double md = 300000 / (118.0 * 8000 / 10.2);
        verifyDesignMarks(plot, 0.06 * static_cast<float>(md), 0.6 - nd, qbColor(12), qbColor(0));
        QCOMPARE(lineColourRuns(plot), QList<QColor>({qbColor(12), qbColor(10), qbColor(13), qbColor(9),
                                                      qbColor(11), qbColor(12)}));

        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        saveScreenshot(form, QStringLiteral("window_form1_example4"));
    }

    void designForceBeyondCapacity() {
        ScriptedPrompter prompter;
        Form1 form;
        typeSection(form, example3());
        typeInto(form, "sezione2", QStringLiteral("1200"));
        typeInto(form, "sollecitazioneN", QStringLiteral("1000000"));
        typeInto(form, "sollecitazioneM", QStringLiteral("0"));
        click(form, "calcola");
        // Mu is positive and above Md, yet the section fails: the force exceeds its capacity.
        QCOMPARE(labelText(form, "lblNu"), QStringLiteral(" Nu = 247433 daN"));
        QCOMPARE(labelText(form, "lblMu"), QStringLiteral(" Mu = 528254 daN*cm"));
        QCOMPARE(backColour(form, "lblMu"), qbColor(12));
        QCOMPARE(textColour(form, "lblMu"), qbColor(15));
        QCOMPARE(prompter.messages().size(), 1);
        QCOMPARE(prompter.messages()[0].text, QString::fromUtf8(engine::warning::kRectangularFinal));
    }

    void refusals() {
        ScriptedPrompter prompter;
        Form1 form;
        typeSection(form, example3());
        click(form, "calcola");
        const QStringList shown = resultLabels(form);
        drawing::RecordingSurface plot;
        form.setPlotRecorder(&plot);

        struct Case {
            std::function<void()> change;  // made to the worked example
            QString warning;
        };
        const Case cases[] = {
            {[&] {
                 typeInto(form, "sollecitazioneM", QStringLiteral("5"));
                 negate(form, "sollecitazioneM");
             },
             QString::fromUtf8(engine::warning::kNegativeMoment)},
            {[&] {
                 typeInto(form, "sezione1", QStringLiteral("0"));
                 typeInto(form, "sollecitazioneN", QStringLiteral("10"));
                 negate(form, "sollecitazioneN");
             },
             QString::fromUtf8(engine::warning::kRectangularTension)},
            {[&] { typeInto(form, "tensione_calcolo_materiale", QStringLiteral("00")); },
             QString::fromStdString(engine::warning::zeroValue("fmd"))},
            {[&] { typeInto(form, "altezza", QStringLiteral("000")); },
             QString::fromStdString(engine::warning::zeroValue("h"))},
        };
        for (const Case& c : cases) {
            typeSection(form, example3());
            c.change();
            QVERIFY(form.button(QStringLiteral("calcola"))->isEnabled());
            prompter.clearRecords();
            click(form, "calcola");
            QCOMPARE(prompter.messages().size(), 1);
            QCOMPARE(prompter.messages()[0].text, c.warning);
            QCOMPARE(prompter.messages()[0].icon, Icon::Exclamation);
            QCOMPARE(prompter.messages()[0].buttons, Buttons::Ok);
            QVERIFY(prompter.messages()[0].title.isEmpty());
            QCOMPARE(resultLabels(form), shown);
            QVERIFY(plot.records().isEmpty());
        }

        // The circular layout refuses a tension without steel in its own words.
        typeSection(form, example4());
        typeInto(form, "sezione", QStringLiteral("0"));
        typeInto(form, "sollecitazioneN", QStringLiteral("10"));
        negate(form, "sollecitazioneN");
        prompter.clearRecords();
        plot.clearRecords();
        click(form, "calcola");
        QCOMPARE(prompter.messages().size(), 1);
        QCOMPARE(prompter.messages()[0].text, QString::fromUtf8(engine::warning::kCircularTension));
        QVERIFY(plot.records().isEmpty());
    }

    // Each trap as a new user meets it: the number typed is the number computed, or a refusal.
    void whatIsTypedIsComputed() {
        const bool italian = archive::numberLocale().decimal == ',';
        struct Case {
            const char* box;
            const char* text;
            bool pasted;
            double engine::CurrentSection::*value;  // read back at "&CALCOLA", when computed
            double expected;
            QString warning;  // or the refusal after "&CALCOLA"
            int beeps;
        };
        using S = engine::CurrentSection;
        const Case cases[] = {
            {"sollecitazioneN", "-5000", false, &S::Nd, -5000, {}, 0},
            {"sollecitazioneM", "-100", false, nullptr, 0,
             QString::fromUtf8(engine::warning::kNegativeMoment), 0},
            {"copriferro1", "25.5", false, &S::c1, 2.55, {}, 0},
            {"base", "1.500", true, &S::b, italian ? 30 : 0.15, {}, italian ? 1 : 0},
            {"sezione1", "abc", true, &S::A1, 0, {}, 1},
            {"copriferro2", "475", false, nullptr, 0, QString::fromUtf8(engine::warning::kCoversTooLarge), 0},
        };
        for (const Case& c : cases) {
            ScriptedPrompter prompter;
            Form1 form;
            typeSection(form, example3());
            QLineEdit* edit = form.box(QString::fromLatin1(c.box));
            edit->selectAll();
            if (c.pasted)
                edit->insert(QString::fromLatin1(c.text));
            else
                QTest::keyClicks(edit, QString::fromLatin1(c.text));
            QCOMPARE(prompter.beeps(), c.beeps);
            if (c.beeps) QCOMPARE(edit->text(), QString());
            // An emptied size leaves nothing to compute.
            if (!form.button(QStringLiteral("calcola"))->isEnabled()) {
                QVERIFY(c.beeps > 0);
                continue;
            }
            click(form, "calcola");
            if (c.warning.isEmpty()) {
                QVERIFY(prompter.messages().isEmpty());
                QCOMPARE(form.analysis().section().*c.value, c.expected);
            } else {
                QCOMPARE(prompter.messages().size(), 1);
                QCOMPARE(prompter.messages()[0].text, c.warning);
            }
        }
    }

    void designForceOfZeroAtCalculation() {
        ScriptedPrompter prompter;
        Form1 form;
        TypedSection section = example3();
        std::erase_if(section.boxes, [](const auto& b) { return std::string(b.first) == "sollecitazioneN"; });
        typeSection(form, section);
        QCOMPARE(form.box(QStringLiteral("sollecitazioneN"))->text(), QStringLiteral("0"));
        click(form, "calcola");
        QCOMPARE(form.box(QStringLiteral("sollecitazioneN"))->text(), QStringLiteral("1"));
        QCOMPARE(form.analysis().section().Nd, 1.0);
        QVERIFY(prompter.messages().isEmpty());
    }

    void typeSwitchKeepsTypedValues() {
        ScriptedPrompter prompter;
        Form1 form;
        typeSection(form, example3());
        click(form, "calcola");
        const QStringList shown = resultLabels(form);
        drawing::RecordingSurface plot;
        drawing::RecordingSurface sketch;
        form.setPlotRecorder(&plot);
        form.setSketchRecorder(&sketch);

        QTest::mouseClick(form.option(QStringLiteral("Option2")), Qt::LeftButton);
        QVERIFY(!form.rectangularLayout());
        QCOMPARE(form.box(QStringLiteral("txtdimen"))->text(), QStringLiteral("mm^2"));
        QCOMPARE(plot.records().first().kind, DrawRecord::Kind::Clear);
        QVERIFY(texts(plot).contains(QStringLiteral("n = N/Ac*fm")));
        QVERIFY(!sketch.records(DrawRecord::Kind::Circle).isEmpty());
        QCOMPARE(labelText(form, "Label_21"), QStringLiteral(" Diametro, d"));
        QCOMPARE(labelText(form, "Label_20"), QStringLiteral(" Copriferro, c"));
        QCOMPARE(labelText(form, "Label_19"), QStringLiteral(" Sezione totale armatura, Aa"));
        for (const char* name : {"base", "altezza", "copriferro1", "copriferro2", "sezione1", "sezione2",
                                 "Label_18", "Label_17", "Label_25", "Label_16", "Label_27", "Label_26"})
            QVERIFY2(form.findChild<QWidget*>(QString::fromLatin1(name))->isHidden(), name);
        for (const char* name : {"diametro", "copriferro", "sezione", "txtdimen", "Label_24", "Label_23"})
            QVERIFY2(!form.findChild<QWidget*>(QString::fromLatin1(name))->isHidden(), name);
        QCOMPARE(resultLabels(form), shown);
        const std::pair<const char*, const char*> circular[] = {
            {"diametro", "400"}, {"copriferro", "30"}, {"sezione", "700"}};
        for (const auto& [name, text] : circular) typeInto(form, name, QString::fromLatin1(text));

        plot.clearRecords();
        QTest::mouseClick(form.option(QStringLiteral("Option1")), Qt::LeftButton);
        QCOMPARE(plot.records().first().kind, DrawRecord::Kind::Clear);
        QVERIFY(texts(plot).contains(QStringLiteral("n = N/b*h*fm")));
        QCOMPARE(form.box(QStringLiteral("txtdimen"))->text(), QStringLiteral("mm"));
        QCOMPARE(labelText(form, "Label_19"), QStringLiteral(" Copriferro inferiore, c1"));
        QCOMPARE(labelText(form, "Label_17"), QStringLiteral(" Sezione arm. tesa (inferiore), A1"));
        for (const char* name : {"base", "altezza", "copriferro1", "copriferro2", "sezione1", "sezione2",
                                 "Label_18", "Label_17", "Label_25", "Label_16", "Label_27", "Label_26"})
            QVERIFY2(!form.findChild<QWidget*>(QString::fromLatin1(name))->isHidden(), name);
        for (const char* name : {"diametro", "copriferro", "sezione"})
            QVERIFY2(form.findChild<QWidget*>(QString::fromLatin1(name))->isHidden(), name);
        for (const auto& [name, text] : example3().boxes)
            QCOMPARE(form.box(QString::fromLatin1(name))->text(), QString::fromLatin1(text));
        for (const auto& [name, text] : circular)
            QCOMPARE(form.box(QString::fromLatin1(name))->text(), QString::fromLatin1(text));

        // Selecting the type already selected runs nothing.
        plot.clearRecords();
        sketch.clearRecords();
        form.option(QStringLiteral("Option1"))->setChecked(true);
        QVERIFY(plot.records().isEmpty());
        QVERIFY(sketch.records().isEmpty());
        // Selecting the other one in code runs its switch.
        form.option(QStringLiteral("Option2"))->setChecked(true);
        QCOMPARE(form.box(QStringLiteral("txtdimen"))->text(), QStringLiteral("mm^2"));
        QVERIFY(!plot.records().isEmpty());
        QVERIFY(prompter.messages().isEmpty());
        QCOMPARE(prompter.beeps(), 0);
    }

    void cancellaKeepsResults() {
        ScriptedPrompter prompter;
        Form1 form;
        typeSection(form, example3());
        click(form, "calcola");
        const QStringList shown = resultLabels(form);
        const QColor muBack = backColour(form, "lblMu");
        drawing::RecordingSurface plot;
        form.setPlotRecorder(&plot);
        click(form, "cancella");
        QCOMPARE(resultLabels(form), shown);
        QCOMPARE(backColour(form, "lblMu"), muBack);
        QVERIFY(form.button(QStringLiteral("stampa"))->isEnabled());
        for (const auto& [name, text] : example3().boxes)
            QCOMPARE(form.box(QString::fromLatin1(name))->text(), QString::fromLatin1(text));
        // An empty frame, now with the reinforced scale and the legend.
        QCOMPARE(plot.records().first().kind, DrawRecord::Kind::Clear);
        QVERIFY(plot.records(DrawRecord::Kind::Circle).isEmpty());
        QVERIFY(texts(plot).contains(QStringLiteral("m = 0.0    0.4    0.8    1.2    1.6    2.0    2.4")));
        QVERIFY(texts(plot).contains(QStringLiteral("___ campo1")));
    }

    void cursorReadout() {
        ScriptedPrompter prompter;
        Form1 form;
        typeSection(form, example3());
        click(form, "calcola");
        moveOverPlot(form, 0.6, -0.4);
        QCOMPARE(form.grafico()->toolTip(), "m = " + localeText("1.20") + "   n = " + localeText("1.00"));
        moveOverPlot(form, 1.0, 0.8);
        QCOMPARE(form.grafico()->toolTip(), "m = " + localeText("2.00") + "   n = -" + localeText("0.20"));
        // The circle reads m off its own scale.
        QTest::mouseClick(form.option(QStringLiteral("Option2")), Qt::LeftButton);
        moveOverPlot(form, 0.6, 0.1);
        QCOMPARE(form.grafico()->toolTip(), "m = " + localeText("10.00") + "   n = " + localeText("0.50"));
    }

    void stampa() {
        ScriptedPrompter prompter;
        Form1 form;
        QList<report::PrintChoice> printed;
        bool fail = true;
        form.setSectionPrinter([&](engine::Analysis& a, const report::PrintChoice& choice) {
            [&] { QCOMPARE(&a, &form.analysis()); }();
            printed << choice;
            return report::PrintOutcome{!fail, fail ? QString::fromUtf8(report::kPrintProblem) : QString()};
        });
        typeSection(form, example3());
        click(form, "calcola");
        typeInto(form, "descrizione", QStringLiteral("Trave T1"));
        click(form, "stampa");
        QCOMPARE(printed.size(), 1);
        QVERIFY(printed[0].option1);
        QVERIFY(!printed[0].option2);
        QCOMPARE(printed[0].descrizione, QStringLiteral("Trave T1"));
        QCOMPARE(prompter.messages().size(), 1);
        QCOMPARE(prompter.messages()[0].text,
                 QStringLiteral("Problema di stampa nella stampante utilizzata."));
        QCOMPARE(prompter.messages()[0].buttons, Buttons::Ok);
        QVERIFY(prompter.messages()[0].title.isEmpty());

        fail = false;
        prompter.clearRecords();
        form.box(QStringLiteral("diametro"))->setText(QStringLiteral("400"));
        form.box(QStringLiteral("copriferro"))->setText(QStringLiteral("30"));
        QTest::mouseClick(form.option(QStringLiteral("Option2")), Qt::LeftButton);
        QVERIFY(form.button(QStringLiteral("stampa"))->isEnabled());
        click(form, "stampa");  // still enabled after the switch: it prints the new layout
        QCOMPARE(printed.size(), 2);
        QVERIFY(printed[1].option2);
        QVERIFY(prompter.messages().isEmpty());
    }

    void modalSideWindows() {
        ScriptedPrompter prompter;
        Form1 form;
        QStringList parents;
        prompter.setDialogHandler([&](QDialog& d) {
            parents << (d.parentWidget() == &form ? "form" : "other");
            return int(QDialog::Rejected);
        });
        click(form, "cmdHelpAcciaio");
        click(form, "cmdHelpFM");
        click(form, "cmdHelpElas");
        form.findChild<QAction*>(QStringLiteral("mnuInformazioni"))->trigger();
        QCOMPARE(prompter.dialogs().size(), 4);
        QCOMPARE(prompter.dialogs()[0].className, QStringLiteral("fortema::ui::frmHelpAcciaio"));
        QCOMPARE(prompter.dialogs()[1].className, QStringLiteral("fortema::ui::frmHelpElas"));
        QCOMPARE(prompter.dialogs()[2].className, QStringLiteral("fortema::ui::frmHelpElas"));
        QCOMPARE(prompter.dialogs()[3].className, QStringLiteral("fortema::ui::frmAbout"));
        QCOMPARE(parents, QStringList({"form", "form", "form", "form"}));
        QVERIFY(prompter.unexpected().isEmpty());
    }

    void barAreaCalculator() {
        ScriptedPrompter prompter;
        auto form = std::make_unique<Form1>();
        form->show();
        QAction* open = form->findChild<QAction*>(QStringLiteral("mnuCalcolasezionearmatura"));
        QVERIFY(!form->barAreaCalculator());
        open->trigger();
        QPointer<Form3> calculator = form->barAreaCalculator();
        QVERIFY(calculator);
        QVERIFY(calculator->isVisible());
        QVERIFY(calculator->isWindow());
        QVERIFY(!calculator->isModal());
        QCOMPARE(calculator->parentWidget(), form.get());
        auto* count = calculator->findChild<QLineEdit*>(QStringLiteral("num_3"));
        QVERIFY(count);
        QTest::keyClicks(count, QStringLiteral("3"));
        // Opened again: the same window, with what it held.
        open->trigger();
        QCOMPARE(form->barAreaCalculator(), calculator.data());
        QCOMPARE(count->text(), QStringLiteral("3"));
        QVERIFY(prompter.dialogs().isEmpty());
        form->closeBarAreaCalculator();
        QVERIFY(!calculator || !calculator->isVisible());
        open->trigger();
        QVERIFY(form->barAreaCalculator()->isVisible());
        // It goes with the main window.
        calculator = form->barAreaCalculator();
        form.reset();
        QVERIFY(!calculator);
    }
};

static RegisterWindowTest<WindowCalcolaTest> registerCalcola;

}  // namespace fortema::ui::test

#include "window_calcola_test.moc"
