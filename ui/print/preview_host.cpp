#include "ui/print/preview_host.h"

#include <QTimer>
#include <QWidget>

#include "archive/number_locale.h"
#include "pagescript/page_script.h"
#include "pagescript/private_folder.h"
#include "ui/aux/prompter.h"
#include "ui/print/prn_prv.h"

namespace fortema::ui {

PreviewHost::PreviewHost(QWidget* owner)
    : QObject(owner), m_owner(owner), m_writer(*this, QString(), archive::numberLocale()) {}

PreviewHost::~PreviewHost() {
    if (m_window) delete m_window.data();
}

void PreviewHost::ensurePreviewLoaded() {
    if (m_window) return;
    QString folderError;
    if (m_scriptFolder.isEmpty()) {
        const pagescript::PrivateFolder& folder = pagescript::programFolder();
        if (folder.isValid()) {
            m_scriptFolder = pagescript::scriptFolderFrom(folder.path());
        } else {
            folderError = folder.errorMessage();
        }
    }
    auto* window = new PrnPrv(m_scriptFolder, m_owner);
    window->setAttribute(Qt::WA_DeleteOnClose);
    // The page list goes with the window as soon as it closes, not when it is deleted later.
    connect(window, &PrnPrv::closing, this, [this, window] {
        if (m_window == window) m_window.clear();
    });
    m_window = window;
    if (folderError.isEmpty()) {
        m_writer.setScriptFolder(m_scriptFolder);
    } else {
        m_writer.setScriptFolderUnavailable(folderError);
    }
    m_writer.setLocale(archive::numberLocale());
    window->show();
}

void PreviewHost::closePreview() {
    if (!m_window) return;
    PrnPrv* window = m_window;
    m_window.clear();
    window->close();
}

void PreviewHost::pageListChanged(const QStringList& pages) {
    if (!m_window) return;
    m_window->setPageList(pages, m_writer.pageIndex());
    // Activation draws the page, but a window manager that keeps the focus on the main window
    // (or none at all) never activates the preview, which would stay blank: page 1 is also
    // drawn once the writing is over and the events run again, once however many pages ended.
    if (m_drawPending) return;
    m_drawPending = true;
    QTimer::singleShot(0, this, [this] {
        m_drawPending = false;
        if (m_window) m_window->MostraPagina();
    });
}

void PreviewHost::setWaitCursor(bool wait) {
    if (!m_window) return;
    if (wait) {
        m_window->setCursor(Qt::WaitCursor);
    } else {
        m_window->unsetCursor();
    }
}

void PreviewHost::showInformation(const QString& title, const QString& text) {
    prompter().message(m_window ? static_cast<QWidget*>(m_window) : m_owner, title, text, Icon::Information);
}

void PreviewHost::showWarning(const QString& title, const QString& text) {
    prompter().message(m_window ? static_cast<QWidget*>(m_window) : m_owner, title, text, Icon::Exclamation);
}

PrnPrv* PreviewHost::openPreview(const QString& scriptFolder) {
    if (!scriptFolder.isEmpty()) {
        const QString folder = pagescript::scriptFolderFrom(scriptFolder);
        if (m_window && m_window->scriptFolder() != folder) closePreview();
        m_scriptFolder = folder;
    }
    ensurePreviewLoaded();
    m_writer.BuildPageList();
    return m_window;
}

}  // namespace fortema::ui
