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

// The captions of the six geometry rows for each type; the circle uses the first three rows.
struct RowCaptions {
    const char* rectangular;
    const char* circular;  // nullptr: the row is hidden under the circular type
};
const RowCaptions kRowCaptions[] = {
    {" Larghezza compressa, b ", " Diametro, d"},
    {" Altezza totale, h", " Copriferro, c"},
    {" Copriferro inferiore, c1", " Sezione totale armatura, Aa"},
    {" Copriferro superiore, c2", nullptr},
    {" Sezione arm. tesa (inferiore), A1", nullptr},
    {" Sezione arm. compressa (sup.), A2", nullptr},
};

}  // namespace

void Form1::Option1_Click() {
    m_ui.txtdimen->setText(QStringLiteral("mm"));
    DrawDomainFrame();
    DrawRectangularSketch();
    UpdateCommandState();
}

void Form1::Option2_Click() {
    m_ui.txtdimen->setText(QStringLiteral("mm^2"));
    DrawDomainFrame();
    DrawCircularSketch();
    UpdateCommandState();
}

void Form1::cancella_Click() { DrawDomainFrame(); }

void Form1::DrawDomainFrame() {
    DomainFrameOptions options;
    options.option1 = m_ui.Option1->isChecked();
    options.option2 = m_ui.Option2->isChecked();
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
    for (std::size_t i = 0; i < engine::kRectangularFields.size(); ++i)
        m_ui.field(engine::kRectangularFields[i])->setVisible(rectangular);
    for (std::size_t i = 0; i < engine::kCircularFields.size(); ++i)
        m_ui.field(engine::kCircularFields[i])->setVisible(!rectangular);
    for (std::size_t row = 0; row < m_ui.rowLabels.size(); ++row) {
        const RowCaptions& captions = kRowCaptions[row];
        if (!captions.circular) {
            m_ui.rowLabels[row]->setVisible(rectangular);
            m_ui.rowUnits[row]->setVisible(rectangular);
        }
        if (const char* caption = rectangular ? captions.rectangular : captions.circular)
            m_ui.rowLabels[row]->setText(QString::fromUtf8(caption));
    }
}

void Form1::selectLayout(engine::Layout layout) {
    const bool rectangular = layout == engine::Layout::Rectangular;
    (rectangular ? m_ui.Option1 : m_ui.Option2)->setChecked(true);
    if (rectangular)
        DrawRectangularSketch();
    else
        DrawCircularSketch();
}

void Form1::grafico_MouseMove(double x, double y) {
    const PlotScale scale =
        framePlotScale(selectedLayout() == engine::Layout::Circular, m_analysis.reinforcedScale());
    const QString readout = cursorReadout(x, y, scale, archive::numberLocale());
    drawing::PictureBox* plot = m_ui.grafico;
    plot->setToolTip(readout);
    // A tip already on screen follows the cursor instead of waiting for the next hover.
    if (QToolTip::isVisible()) QToolTip::showText(QCursor::pos(), readout, plot);
}

void Form1::setPlotRecorder(drawing::RecordingSurface* recorder) {
    m_plotTee.reset();
    if (!recorder) return;
    setUpPlotSurface(*recorder);
    recorder->clearRecords();
    m_plotTee = std::make_unique<drawing::TeeSurface>(m_ui.grafico->surface(), *recorder);
}

void Form1::setSketchRecorder(drawing::RecordingSurface* recorder) {
    m_sketchTee.reset();
    if (!recorder) return;
    setUpSketchSurface(*recorder);
    recorder->clearRecords();
    m_sketchTee = std::make_unique<drawing::TeeSurface>(m_ui.disegno->surface(), *recorder);
}

drawing::Surface& Form1::plotSurface() {
    if (m_plotTee) return *m_plotTee;
    return m_ui.grafico->surface();
}

drawing::Surface& Form1::sketchSurface() {
    if (m_sketchTee) return *m_sketchTee;
    return m_ui.disegno->surface();
}

}  // namespace fortema::ui
