#pragma once

// The main window: the inputs of one section, its strength domain and its results. The archive
// buttons, the file commands and the examples find their controls and menu items by objectName
// and call the public routines below.

#include <QHash>
#include <QMainWindow>
#include <QPointer>
#include <QString>
#include <functional>
#include <memory>

#include "drawing/surface.h"
#include "engine/input_fields.h"
#include "engine/section.h"
#include "report/section_printout.h"
#include "ui/main/domain_plot.h"

class QAction;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace fortema::drawing {
class PictureBox;
class RecordingSurface;
class TeeSurface;
}  // namespace fortema::drawing

namespace fortema::ui {

class ArchiveCommands;
class Form3;
class PreviewHost;

class Form1 : public QMainWindow {
    Q_OBJECT
public:
    explicit Form1(QWidget* parent = nullptr);
    ~Form1() override;

    engine::Analysis& analysis() { return m_analysis; }
    const engine::Analysis& analysis() const { return m_analysis; }

    // "&CALCOLA": reads the boxes, checks, traces, draws over the plot and shows the results.
    void calcola_Click();
    // "C&ANCELLA": the plot frame again, empty; fields and result labels stay.
    void cancella_Click();
    // "&STAMPA": the current section on the current printer.
    void stampa_Click();
    // The section-type switch. Selecting a type in code (setChecked) runs these only when the
    // selection changes, as the user's click does.
    void Option1_Click();
    void Option2_Click();
    // The result labels from the last calculation; enables "&STAMPA".
    void ShowResults();
    // Enables "&CALCOLA" (and disables "&STAMPA" too) from the contents of the boxes.
    void UpdateCommandState();
    // Clears the plot and draws its empty frame for the chosen layout and the last A1, A2.
    void DrawDomainFrame();
    // The sketch of the section type, with the geometry rows of that type shown.
    void DrawRectangularSketch();
    void DrawCircularSketch();

    // The archive, the project data and the file commands of this window.
    ArchiveCommands& archiveCommands() const { return *m_archiveCommands; }

    // "Anteprii&ma e Stampa completa": the full report of the archive and the project data,
    // written into the page file; the preview opens on page 1.
    void mnuAnteprimadistampa_Click();
    // The preview window's host: the writer of the report and the loaded preview.
    PreviewHost& previewHost() const { return *m_preview; }

    // Option1 is set.
    bool rectangularLayout() const;

    // Controls by objectName; nullptr for a name the window does not have.
    QLineEdit* box(const QString& name) const;
    QLineEdit* fieldBox(engine::Field field) const;
    QLabel* label(const QString& name) const;
    QPushButton* button(const QString& name) const;
    QRadioButton* option(const QString& name) const;
    drawing::PictureBox* grafico() const;
    drawing::PictureBox* disegno() const;

    // Text and background of a label, as the result labels show their verdicts.
    static void setLabelColors(QLabel* label, const QColor& text, const QColor& background);

    // The bar area calculator while it is open, so that "&Esci" can close it.
    Form3* barAreaCalculator() const;
    void closeBarAreaCalculator();

    // Everything drawn on the plot or the sketch from now on also goes to `recorder` (nullptr:
    // no more), which is given the box's coordinate system first, unrecorded. Tests read the
    // drawings from it.
    void setPlotRecorder(drawing::RecordingSurface* recorder);
    void setSketchRecorder(drawing::RecordingSurface* recorder);

    // What "&STAMPA" prints through; the current printer unless replaced.
    using SectionPrinter = std::function<report::PrintOutcome(engine::Analysis&, const report::PrintChoice&)>;
    void setSectionPrinter(SectionPrinter printer) { m_printer = std::move(printer); }

private:
    void buildControls();
    void buildMenu();
    void connectInputs();
    void connectCommands();
    void showGeometryRows(bool rectangular);
    void checkNumericBox(engine::Field field, QLineEdit* box);
    void tensione_snervamento_armature_Change();
    void sollecitazioneN_Change();
    void grafico_MouseMove(double x, double y);
    void openBarAreaCalculator();
    engine::SectionTexts sectionTexts() const;
    drawing::Surface& plotSurface();
    drawing::Surface& sketchSurface();
    QWidget* control(const QString& name) const { return m_controls.value(name); }

    QHash<QString, QWidget*> m_controls;
    engine::Analysis m_analysis;
    QPointer<Form3> m_form3;
    ArchiveCommands* m_archiveCommands = nullptr;
    PreviewHost* m_preview = nullptr;
    // The scale the plot's m labels were last drawn for.
    PlotScale m_frameScale = PlotScale::Unreinforced;
    std::unique_ptr<drawing::TeeSurface> m_plotTee;
    std::unique_ptr<drawing::TeeSurface> m_sketchTee;
    SectionPrinter m_printer;
    // Set while a failed check empties its box, so the emptying is not checked a second time.
    bool m_emptying = false;
};

}  // namespace fortema::ui
