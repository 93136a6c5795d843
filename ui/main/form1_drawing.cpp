// The two picture boxes of the main window: the plot frame, the sketches with their switch of
// the geometry rows, and the readout of the cursor over the plot.

#include <QCursor>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QToolTip>

#include "archive/number_locale.h"
#include "drawing/picture_box.h"
#include "drawing/recording_surface.h"
#include "drawing/tee_surface.h"
#include "ui/main/domain_plot.h"
#include "ui/main/form1.h"
#include "ui/main/section_sketch.h"

namespace fortema::ui {

namespace {

// The geometry rows: row label, rectangular field, circular field (or none), unit label (or none
// where the unit stays for both types).
struct GeometryRow {
    const char* label;
    const char* rectangularField;
    const char* circularField;
    const char* unit;
    const char* rectangularCaption;
    const char* circularCaption;
};

// clang-format off
const GeometryRow kRows[] = {
    {"Label_21", "base", "diametro", nullptr, " Larghezza compressa, b ", " Diametro, d"},
    {"Label_20", "altezza", "copriferro", nullptr, " Altezza totale, h", " Copriferro, c"},
    {"Label_19", "copriferro1", "sezione", nullptr, " Copriferro inferiore, c1", " Sezione totale armatura, Aa"},
    {"Label_18", "copriferro2", nullptr, "Label_16", " Copriferro superiore, c2", nullptr},
    {"Label_17", "sezione1", nullptr, "Label_27", " Sezione arm. tesa (inferiore), A1", nullptr},
    {"Label_25", "sezione2", nullptr, "Label_26", " Sezione arm. compressa (sup.), A2", nullptr},
};
// clang-format on

}  // namespace

void Form1::Option1_Click() {
    box(QStringLiteral("txtdimen"))->setText(QStringLiteral("mm"));
    DrawDomainFrame();
    DrawRectangularSketch();
    UpdateCommandState();
}

void Form1::Option2_Click() {
    box(QStringLiteral("txtdimen"))->setText(QStringLiteral("mm^2"));
    DrawDomainFrame();
    DrawCircularSketch();
    UpdateCommandState();
}

void Form1::cancella_Click() { DrawDomainFrame(); }

void Form1::DrawDomainFrame() {
    DomainFrameOptions options;
    options.option1 = option(QStringLiteral("Option1"))->isChecked();
    options.option2 = option(QStringLiteral("Option2"))->isChecked();
    options.reinforced = m_analysis.reinforcedScale();
    m_frameScale = framePlotScale(options.option2, options.reinforced);
    drawDomainFrame(plotSurface(), options);
}

void Form1::DrawRectangularSketch() {
    showGeometryRows(true);
    drawRectangularSketch(sketchSurface());
}

void Form1::DrawCircularSketch() {
    showGeometryRows(false);
    drawCircularSketch(sketchSurface());
}

void Form1::showGeometryRows(bool rectangular) {
    for (const GeometryRow& row : kRows) {
        QLabel* rowLabel = label(QString::fromLatin1(row.label));
        control(QString::fromLatin1(row.rectangularField))->setVisible(rectangular);
        if (row.circularField) {
            control(QString::fromLatin1(row.circularField))->setVisible(!rectangular);
        } else {
            rowLabel->setVisible(rectangular);
            control(QString::fromLatin1(row.unit))->setVisible(rectangular);
        }
        if (const char* caption = rectangular ? row.rectangularCaption : row.circularCaption)
            rowLabel->setText(QString::fromUtf8(caption));
    }
}

void Form1::grafico_MouseMove(double x, double y) {
    const PlotScale scale = framePlotScale(!rectangularLayout(), m_analysis.reinforcedScale());
    const QString readout = cursorReadout(x, y, scale, archive::numberLocale());
    drawing::PictureBox* plot = grafico();
    plot->setToolTip(readout);
    // A tip already on screen follows the cursor instead of waiting for the next hover.
    if (QToolTip::isVisible()) QToolTip::showText(QCursor::pos(), readout, plot);
}

void Form1::setPlotRecorder(drawing::RecordingSurface* recorder) {
    m_plotTee.reset();
    if (!recorder) return;
    setUpPlotSurface(*recorder);
    recorder->clearRecords();
    m_plotTee = std::make_unique<drawing::TeeSurface>(grafico()->surface(), *recorder);
}

void Form1::setSketchRecorder(drawing::RecordingSurface* recorder) {
    m_sketchTee.reset();
    if (!recorder) return;
    setUpSketchSurface(*recorder);
    recorder->clearRecords();
    m_sketchTee = std::make_unique<drawing::TeeSurface>(disegno()->surface(), *recorder);
}

drawing::Surface& Form1::plotSurface() {
    if (m_plotTee) return *m_plotTee;
    return grafico()->surface();
}

drawing::Surface& Form1::sketchSurface() {
    if (m_sketchTee) return *m_sketchTee;
    return disegno()->surface();
}

}  // namespace fortema::ui
