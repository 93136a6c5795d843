#pragma once

// The main window as the program runs it: the window of the current section (Form1), the archive
// and file commands behind it, and the preview of the full report, wired together here and
// nowhere else. Form1 and ArchiveCommands do not know each other; this is where they meet.

#include <QString>
#include <memory>

namespace fortema::ui {

class ArchiveCommands;
class Form1;
class PreviewHost;

class MainWindow {
public:
    MainWindow();
    ~MainWindow();
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    Form1& form() const { return *m_form; }
    ArchiveCommands& archive() const { return *m_archive; }
    // The preview window's host: the writer of the report and the loaded preview.
    PreviewHost& preview() const { return *m_preview; }

    // "Anteprii&ma e Stampa completa": the full report of the archive and the project data,
    // written into the page file; the preview opens on page 1.
    void mnuAnteprimadistampa_Click();
    // "Com&binazioni di carico...": the load combinations of the position shown.
    void mnuCombinazioni_Click();

private:
    std::unique_ptr<Form1> m_form;
    std::unique_ptr<ArchiveCommands> m_archive;
    PreviewHost* m_preview = nullptr;  // a child of the window
};

}  // namespace fortema::ui
