#pragma once

// The archive and the project behind the main window: the buttons that browse, store, copy and
// paste positions, the file commands of "&File", the project data of "&Progetto" and the save
// question. The commands work on the window only through SectionForm.

#include <QString>
#include <cstdint>

#include "archive/section_archive.h"

namespace fortema::ui {

class SectionForm;
struct FileDialogRequest;

class ArchiveCommands {
public:
    explicit ArchiveCommands(SectionForm& form);

    const archive::SectionArchive& archive() const { return m_archive; }
    // The load combinations of a position, which their window edits in place.
    archive::CombinationList& combinations(int position) { return m_archive.combinations(position); }
    const archive::ProjectData& projectData() const { return m_projectData; }
    const archive::ArchiveClipboard& clipboard() const { return m_clipboard; }
    std::int16_t currentPosition() const { return m_currentPosition; }
    const QString& currentFileName() const { return m_currentFileName; }

    // Reads the project file `path` into the archive and shows position 1, with no save
    // question (for a file named when the program starts). A file that cannot be read is
    // reported and changes nothing; returns whether it was read.
    bool openFile(const QString& path);

    // Shows position currentPosition() in the window.
    void LoadPositionIntoForm();

    // The save question "Vuoi salvare il file?" when the project holds data and differs from what
    // was last opened, saved or created; Yes runs "Sal&va con nome". Returns false when the
    // command that asked must stop: the user said Yes but the project was not saved (dialog
    // cancelled or writing failed), since going on would lose it.
    bool AskToSaveIfData();
    // Whether the project (anything its file keeps) differs from the one last opened, saved or
    // created.
    bool changedSinceSaved() const;
    // Whether the window may close now (the close box and "&Esci"): asks to save first.
    bool mayClose();

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

private:
    bool writeTo(const QString& path);
    FileDialogRequest fileDialogRequest() const;
    void setCurrentFileName(const QString& path);
    // The project as it now stands is the one on disk (or the new, empty one).
    void markSaved();

    SectionForm& m_form;
    archive::SectionArchive m_archive;
    archive::ArchiveClipboard m_clipboard;
    archive::ProjectData m_projectData;
    std::int16_t m_currentPosition = 0;
    QString m_currentFileName;
    archive::SectionArchive m_savedArchive;
    archive::ProjectData m_savedProjectData;
};

}  // namespace fortema::ui
