#pragma once

// The preview window as the page-script writer sees it: it loads PrnPrv when the writer first
// needs it (loading shows it), fills its page list after every page, closes it when a new
// document starts, and hands the writer the folder of the page file.
//
// The main window keeps one host for the whole run; the full report writes through writer():
//
//   PreviewHost preview(this);                 // a member of the main window
//   auto& w = preview.writer();
//   w.StartDocument(); w.StartPage(...); ...; w.EndPage(...);   // the preview opens itself
//
// openPreview(folder) opens the preview on a page file that is already written.
//
// ScriptFolder is the program's private folder (pagescript::programFolder()), not the folder
// the program was started from.

#include <QObject>
#include <QPointer>

#include "pagescript/page_script_writer.h"
#include "ui/print/prn_prv.h"

class QWidget;

namespace fortema::ui {

class PreviewHost : public QObject, public pagescript::PreviewObserver {
    Q_OBJECT

public:
    // The preview windows are children of `owner` (may be nullptr) and go with it.
    explicit PreviewHost(QWidget* owner = nullptr);
    ~PreviewHost() override;

    // The writer of the page file in ScriptFolder, with the locale's decimal separator.
    pagescript::PageScriptWriter& writer() { return m_writer; }

    // The loaded preview window, nullptr when it is closed.
    PrnPrv* window() const { return m_window; }
    // ScriptFolder, with its separator; empty until the window was first loaded, and when
    // the program's private folder could not be made (the writer then fails with the reason).
    QString scriptFolder() const { return m_scriptFolder; }

    // Opens the preview on the page file in `scriptFolder` (ScriptFolder when empty) and fills
    // its page list from the file. Without an ended page it shows "Non ci sono pagine da
    // stampare!" and stays closed: the result is then nullptr.
    PrnPrv* openPreview(const QString& scriptFolder = {});

    void ensurePreviewLoaded() override;
    void closePreview() override;
    void pageListChanged(const QStringList& pages) override;
    void setWaitCursor(bool wait) override;
    void showInformation(const QString& title, const QString& text) override;
    void showWarning(const QString& title, const QString& text) override;

private:
    QWidget* m_owner;
    QPointer<PrnPrv> m_window;
    QString m_scriptFolder;
    pagescript::PageScriptWriter m_writer;
    bool m_drawPending = false;
};

}  // namespace fortema::ui
