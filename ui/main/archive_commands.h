#pragma once

// The main window's side of the section archive and the project: the buttons that browse,
// store, copy and paste positions, the file commands of "&File", the project data of
// "&Progetto", the worked examples of "&Esempi" and the save question of the close box.
// It finds its controls in the window by objectName and connects them itself.

#include <QObject>
#include <QString>
#include <cstdint>

#include "archive/section_archive.h"
#include "engine/section.h"

class QAction;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace fortema::ui {

class Form1;
struct FileDialogRequest;

class ArchiveCommands : public QObject {
    Q_OBJECT
public:
    // Becomes a child of `window` and lives as long as it.
    explicit ArchiveCommands(Form1& window);

    const archive::SectionArchive& archive() const { return m_archive; }
    const archive::ProjectData& projectData() const { return m_projectData; }
    const archive::ArchiveClipboard& clipboard() const { return m_clipboard; }
    std::int16_t currentPosition() const { return m_currentPosition; }
    const QString& currentFileName() const { return m_currentFileName; }

    // Reads the project file `path` into the archive and shows position 1, with no save
    // question (for a file named when the program starts). A file that cannot be read is
    // reported and changes nothing; returns whether it was read.
    bool openFile(const QString& path);

    // Shows position currentPosition() in the window; every written field runs its change
    // behaviour. The other layout's fields are not touched.
    void LoadPositionIntoForm();

    // The save question "Vuoi salvare il file?" when the project holds data; Yes runs
    // "Sal&va con nome". Returns false when the command that asked must stop: the user said
    // Yes but the project was not saved (dialog cancelled or writing failed), since going on
    // would lose it.
    bool AskToSaveIfData();

    void avanti_Click();
    void indietro_Click();
    void salva_Click();
    void copia_Click();
    void incolla_Click();
    // The commands that may stop after the save question return whether they went through.
    bool mnuCancellarecord_Click();
    bool mnuNuovo_Click();
    bool mnuApri_Click();
    bool mnuChiudi_Click();
    // Return whether the project was written.
    bool mnuSalva_Click();
    bool mnuSalvaconnome_Click();
    void mnuEsci_Click();
    void mnuDatiprogetto_Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void connectButton(const char* name, void (ArchiveCommands::*handler)());
    template <typename R>
    void connectAction(const char* name, R (ArchiveCommands::*handler)());
    void updateToolTip(QPushButton* button);
    engine::Layout selectedLayout() const;
    bool writeTo(const QString& path);
    FileDialogRequest fileDialogRequest() const;
    QLineEdit* box(const char* name) const;
    QLabel* label(const char* name) const;
    QPushButton* button(const char* name) const;
    void setLabelText(const char* name, const QString& text);
    void showCampo(std::int16_t campo);
    void setMuBackground(bool belowMd);

    Form1& m_window;
    archive::SectionArchive m_archive;
    archive::ArchiveClipboard m_clipboard;
    archive::ProjectData m_projectData;
    std::int16_t m_currentPosition = 0;
    QString m_currentFileName;
    // Set by "&Chiudi", which ends the program without the close box's question.
    bool m_closingWithoutQuestion = false;
};

}  // namespace fortema::ui
