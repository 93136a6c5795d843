#pragma once

// The main window: the inputs of one section, its strength domain, its sketch and its results,
// the printout of the sheet and the side windows. The archive, the file commands and the report
// are wired to it by MainWindow (main_window.h); this window knows nothing of them.

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
#include "ui/main/main_controls.h"
#include "ui/main/section_form.h"

class QLabel;

namespace fortema::drawing {
class RecordingSurface;
class TeeSurface;
}  // namespace fortema::drawing

namespace fortema::ui {

class Form3;
struct WorkedExample;

class Form1 : public QMainWindow, public SectionForm {
    Q_OBJECT
public:
    explicit Form1(QWidget* parent = nullptr);
    ~Form1() override;

    const MainControls& ui() const { return m_ui; }

    const engine::Analysis& analysis() const override { return m_analysis; }
    engine::Analysis& analysis() { return m_analysis; }

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
    void UpdateCommandState() override;
    // Clears the plot and draws its empty frame for the chosen layout and the last A1, A2.
    void DrawDomainFrame();
    // The sketch of the section type, with the geometry rows of that type shown.
    void DrawRectangularSketch();
    void DrawCircularSketch();

    // Selects the layout (its click behaviour runs only when it was not selected) and draws
    // its sketch, which also shows its geometry rows.
    void selectLayout(engine::Layout layout);
    // Writes into a box as typing would, so its change behaviour runs.
    void setFieldText(engine::Field field, const QString& text);
    // "&Esempi": fills the boxes with a worked example and enables "&CALCOLA". Nothing is
    // calculated or stored; the result labels and the other layout's boxes keep what they show.
    void loadExample(const WorkedExample& example);

    // SectionForm
    QWidget* dialogParent() override { return this; }
    engine::Layout selectedLayout() const override;
    QString description() const override;
    void LoadPositionIntoForm(int position, const archive::SectionRecord& record) override;
    void showEmptyArchive() override;
    void closeProgram(bool askToSave) override;
    // The caption names the file ("scuola.ftm - ...", "Senza nome - ..."); a PDF of the sheet is
    // proposed in its folder.
    void showProjectFile(const QString& path) override;
    const QString& projectFile() const { return m_projectFile; }

    // Asked before the window closes (the close box, "&Esci"); false keeps it open.
    void setCloseGuard(std::function<bool()> guard) { m_closeGuard = std::move(guard); }

    // Text and background of a label, as the result labels show their verdicts.
    static void setLabelColors(QLabel* label, const QColor& text, const QColor& background);

    // The bar area calculator while it is open, so that "&Esci" can close it.
    Form3* barAreaCalculator() const;

    // Everything drawn on the plot or the sketch from now on also goes to `recorder` (nullptr:
    // no more), which is given the box's coordinate system first, unrecorded. Tests read the
    // drawings from it.
    void setPlotRecorder(drawing::RecordingSurface* recorder);
    void setSketchRecorder(drawing::RecordingSurface* recorder);

    // "Imposta stampa&nte...": the printer setup; what is chosen there is the current printer of
    // "&STAMPA" and of the preview alike.
    void mnuImpostastampante_Click();

    // What "&STAMPA" prints through; the current printer unless replaced. When the current printer
    // writes a PDF (or none is installed), "&STAMPA" first asks for the file, proposing the
    // description as its name.
    using SectionPrinter = std::function<report::PrintOutcome(engine::Analysis&, const report::PrintChoice&)>;
    void setSectionPrinter(SectionPrinter printer) { m_printer = std::move(printer); }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void buildMenu();
    void connectInputs();
    void connectCommands();
    void showGeometryRows(bool rectangular);
    void showCampo(std::int16_t campo);
    void setMuBackground(bool belowMd);
    void showUnknownType();
    void setPositionToolTips(int position);
    void checkNumericBox(engine::Field field, QLineEdit* box);
    void tensione_snervamento_armature_Change();
    void sollecitazioneN_Change();
    void grafico_MouseMove(double x, double y);
    void openBarAreaCalculator();
    engine::SectionTexts sectionTexts() const;
    report::PrintOutcome printOnCurrentPrinter(const report::PrintChoice& choice);
    drawing::Surface& plotSurface();
    drawing::Surface& sketchSurface();

    MainControls m_ui;
    engine::Analysis m_analysis;
    QPointer<Form3> m_form3;
    // The scale the plot's m labels were last drawn for.
    PlotScale m_frameScale = PlotScale::Unreinforced;
    std::unique_ptr<drawing::TeeSurface> m_plotTee;
    std::unique_ptr<drawing::TeeSurface> m_sketchTee;
    SectionPrinter m_printer;
    QString m_projectFile;
    std::function<bool()> m_closeGuard;
    bool m_closingWithoutQuestion = false;
    // Set while a failed check empties its box, so the emptying is not checked a second time.
    bool m_emptying = false;
};

}  // namespace fortema::ui
