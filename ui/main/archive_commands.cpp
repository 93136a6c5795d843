#include "ui/main/archive_commands.h"

#include "archive/archive_text.h"
#include "archive/number_locale.h"
#include "archive/project_file.h"
#include "ui/aux/form2.h"
#include "ui/aux/prompter.h"
#include "ui/main/section_form.h"

namespace fortema::ui {

using engine::Layout;

ArchiveCommands::ArchiveCommands(SectionForm& form) : m_form(form) { setCurrentFileName(QString()); }

void ArchiveCommands::setCurrentFileName(const QString& path) {
    m_currentFileName = path;
    m_form.showProjectFile(path);
}

void ArchiveCommands::markSaved() {
    m_savedArchive = m_archive;
    m_savedProjectData = m_projectData;
}

bool ArchiveCommands::changedSinceSaved() const {
    return m_archive != m_savedArchive || m_projectData != m_savedProjectData;
}

void ArchiveCommands::LoadPositionIntoForm() {
    m_form.LoadPositionIntoForm(m_currentPosition, m_archive.at(m_currentPosition));
}

void ArchiveCommands::avanti_Click() {
    m_currentPosition = archive::nextPosition(m_currentPosition);
    LoadPositionIntoForm();
    m_form.UpdateCommandState();
}

void ArchiveCommands::indietro_Click() {
    m_currentPosition = archive::previousPosition(m_currentPosition);
    LoadPositionIntoForm();
    m_form.UpdateCommandState();
}

void ArchiveCommands::salva_Click() {
    const engine::Analysis& analysis = m_form.analysis();
    // A refused calculation leaves what it read in the section: a number the archive cannot keep
    // in single precision is not stored as an infinity.
    const std::string refusal =
        engine::storedValuesWarning(analysis.section(), analysis.result(), m_form.selectedLayout());
    if (!refusal.empty()) {
        prompter().message(
            m_form.dialogParent(), QString(),
            QString::fromStdString(refusal) + QStringLiteral("\n\nI dati non sono stati salvati."),
            Icon::Exclamation);
        return;
    }
    archive::storeCalculation(m_archive, m_currentPosition, analysis.section(), analysis.result(),
                              m_form.description(), m_form.selectedLayout());
}

void ArchiveCommands::copia_Click() {
    archive::copyToClipboard(m_archive, m_currentPosition, m_form.selectedLayout(), m_clipboard);
}

void ArchiveCommands::incolla_Click() {
    archive::pasteFromClipboard(m_archive, m_currentPosition, m_form.selectedLayout(), m_clipboard);
    LoadPositionIntoForm();
    m_form.UpdateCommandState();
}

bool ArchiveCommands::mnuCancellarecord_Click() {
    if (!AskToSaveIfData()) return false;
    archive::clearAllRecords(m_archive, m_currentPosition);
    m_form.showEmptyArchive();
    return true;
}

bool ArchiveCommands::AskToSaveIfData() {
    if (!archive::holdsData(m_archive, m_projectData) || !changedSinceSaved()) return true;
    const Answer answer = prompter().message(m_form.dialogParent(), QStringLiteral("Fortema"),
                                             QStringLiteral("Vuoi salvare il file?"), Icon::Question,
                                             Buttons::YesNo, Answer::Yes);
    if (answer != Answer::Yes) return true;
    return mnuSalvaconnome_Click();
}

FileDialogRequest ArchiveCommands::fileDialogRequest() const {
    return {QStringLiteral("Fortemi"), QStringLiteral("file (*.ftm)"), QStringLiteral("ftm"),
            dialogFolder(m_currentFileName), QString()};
}

bool ArchiveCommands::writeTo(const QString& path) {
    const archive::FileResult result = archive::writeProjectFile(path, m_archive, m_projectData);
    if (!result.ok) {
        prompter().message(m_form.dialogParent(), QString(), result.message, Icon::Exclamation);
    } else {
        markSaved();
    }
    return result.ok;
}

bool ArchiveCommands::mnuSalva_Click() {
    if (m_currentFileName.isEmpty()) return mnuSalvaconnome_Click();
    return writeTo(m_currentFileName);
}

bool ArchiveCommands::mnuSalvaconnome_Click() {
    setCurrentFileName(prompter().saveFileName(m_form.dialogParent(), fileDialogRequest()));
    if (m_currentFileName.isEmpty()) return false;
    return writeTo(m_currentFileName);
}

bool ArchiveCommands::openFile(const QString& path) {
    const archive::FileResult result = archive::readProjectFile(path, m_archive, m_projectData);
    if (!result.ok) {
        prompter().message(m_form.dialogParent(), QString(), result.message, Icon::Exclamation);
        return false;
    }
    // "&Salva" then writes back to the file just opened.
    setCurrentFileName(path);
    markSaved();
    m_currentPosition = 0;
    LoadPositionIntoForm();
    return true;
}

bool ArchiveCommands::mnuApri_Click() {
    if (!AskToSaveIfData()) return false;
    const QString path = prompter().openFileName(m_form.dialogParent(), fileDialogRequest());
    if (path.isEmpty()) return false;
    return openFile(path);
}

bool ArchiveCommands::mnuNuovo_Click() {
    if (!mnuCancellarecord_Click()) return false;
    for (QString& line : m_projectData) line.clear();
    // What is typed into the new project's data from here on is a change to save.
    markSaved();
    Form2 dialog(m_projectData, Form2::Boxes::Empty, m_form.dialogParent());
    if (prompter().exec(dialog) == QDialog::Accepted) {
        for (std::size_t i = 0; i < m_projectData.size(); ++i) {
            m_projectData[i] = archive::sanitizeArchiveText(dialog.data()[i]);
        }
    }
    setCurrentFileName(QString());
    return true;
}

bool ArchiveCommands::mnuChiudi_Click() {
    if (!mnuCancellarecord_Click()) return false;
    setCurrentFileName(QString());
    // The program ends at once, with the main window as the last one: no second question, and
    // no side window stays behind.
    m_form.closeProgram(false);
    return true;
}

void ArchiveCommands::mnuEsci_Click() { m_form.closeProgram(true); }

bool ArchiveCommands::mayClose() { return AskToSaveIfData(); }

void ArchiveCommands::mnuDatiprogetto_Click() {
    Form2 dialog(m_projectData, Form2::Boxes::Filled, m_form.dialogParent());
    if (prompter().exec(dialog) != QDialog::Accepted) return;
    for (std::size_t i = 0; i < m_projectData.size(); ++i) {
        m_projectData[i] = archive::sanitizeArchiveText(dialog.data()[i]);
    }
}

}  // namespace fortema::ui
