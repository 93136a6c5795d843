#pragma once

// The routines with which report code describes pages in centimetres: start a document,
// start a page with its header, place texts, draw boxes, end a page with its footer. Every
// call appends its lines to the page file, which is complete on disk when the call returns,
// and every ended page hands the page list to the preview, which watches the writer through
// PreviewObserver.

#include <QColor>
#include <QString>
#include <QStringList>
#include <cstdint>

#include "engine/numtext.h"
#include "pagescript/page_script.h"

namespace fortema::pagescript {

// What the writer asks of the preview window. The library knows no windows; the preview
// window (or a test) implements this.
class PreviewObserver {
public:
    virtual ~PreviewObserver() = default;

    // Loads the preview window if it is not loaded (loading shows it); nothing when it is.
    // A window that fixes ScriptFolder at its load may call setScriptFolder from here: the
    // writer reads the folder only after this call.
    virtual void ensurePreviewLoaded() = 0;
    // Closes the preview window, losing its page list; nothing when it is not loaded.
    virtual void closePreview() = 0;
    // The new page list, one item per ended page ("1", "2", ...) in file order; the window
    // fills its page list with it and selects the first item. Never called with an empty list.
    virtual void pageListChanged(const QStringList& pages) = 0;
    // The wait mouse pointer over the preview, on or off.
    virtual void setWaitCursor(bool wait) = 0;
    // A modal message with an OK button: an information icon for "no pages", an exclamation
    // icon for a page file that cannot be written.
    virtual void showInformation(const QString& title, const QString& text) = 0;
    virtual void showWarning(const QString& title, const QString& text) = 0;
};

inline constexpr const char* kNoPagesTitle = "Anteprima non disponibile";
inline constexpr const char* kNoPagesText = "Non ci sono pagine da stampare!";

// Writes the page file ScriptFolder + "_$$_TEMP.TMP".
//
// The file is created anew by StartDocument, never through a link or onto a file planted under
// its name, and stays open until the next document: the lines of each call go out in one write.
// Before a page starts and when a page ends the writer makes sure the name still leads to the
// file it writes; a file removed or replaced under it stops the document as a failure does. The
// page list is kept as the lines are written, so ending a page does not read the file again;
// it is the list a scan of the file gives.
//
// A line break inside any text cannot split a command: every carriage return, line feed or
// carriage return + line feed pair in a line handed to WriteScriptLine (and so in every
// text, face name and header of the other routines) is written as one blank.
//
// When the page file cannot be created or written, the writer empties what it can of the
// file, tells the observer to close the preview, shows one warning and goes into a failed
// state: every later call does nothing and returns false, until the next StartDocument tries
// again. The routines return false when they did not write what they were asked to.
class PageScriptWriter {
public:
    PageScriptWriter(PreviewObserver& observer, const QString& scriptFolder,
                     engine::numtext::NumberLocale locale);
    ~PageScriptWriter();
    PageScriptWriter(const PageScriptWriter&) = delete;
    PageScriptWriter& operator=(const PageScriptWriter&) = delete;

    // The folder gets a path separator appended when it lacks one.
    void setScriptFolder(const QString& folder);
    // No folder can hold the page file: the next StartDocument (or line) fails with `message`.
    // A later setScriptFolder with another folder ends this.
    void setScriptFolderUnavailable(const QString& message);
    QString scriptFolder() const { return m_folder; }
    // Empty while no folder can hold the page file.
    QString pageFile() const;
    void setLocale(engine::numtext::NumberLocale locale) { m_locale = locale; }

    // Removes every "_$$_*.TMP" of the folder (letter case ignored), creates the page file
    // empty and closes the preview so that no page of an earlier document stays on view.
    bool StartDocument();
    // "#startpage", the rule under the header, the left and the right header texts.
    bool StartPage(const QString& left, const QString& right);
    // A text whose top left corner (PrintLeft) or top right corner (PrintRight) is at x, y cm.
    // bold is 0 for normal weight, -1 for bold.
    bool PrintLeft(float x, float y, const QString& text, const QString& face, std::int16_t size,
                   std::int16_t bold);
    bool PrintRight(float x, float y, const QString& text, const QString& face, std::int16_t size,
                    std::int16_t bold);
    // A text centred on x, its top at y cm ("#txt_c").
    bool PrintCentre(float x, float y, const QString& text, const QString& face, std::int16_t size,
                     std::int16_t bold);
    // An outline box with a transparent inside, corners in cm.
    bool PrintBox(float x1, float y1, float x2, float y2);
    // A straight line from (x1, y1) to (x2, y2) cm in `color` ("#segment"); the surface's fore
    // and fill colours are left as they are.
    bool PrintLine(float x1, float y1, float x2, float y2, const QColor& color);
    // A box filled solid with `color`, corners in cm: a "#line" with its colour line.
    bool PrintFilledBox(float x1, float y1, float x2, float y2, const QColor& color);
    // The rule above the footer, the two footer texts, "#endpage", then BuildPageList.
    bool EndPage(const QString& left, const QString& right);
    // Appends one line (line breaks written as blanks) followed by CR LF. Without a document
    // started, the line goes to the end of the page file as it is (created when missing).
    bool WriteScriptLine(const QString& line);
    // Reads the file and hands the page list of its ended pages to the observer; with no
    // ended page it shows "Non ci sono pagine da stampare!" and closes the preview. Returns
    // the list. The scan reads commands as the interpreters do, so a text that reads like a
    // keyword neither adds nor ends a page.
    QStringList BuildPageList();

    // Where the pages of the last page list handed to the observer begin in the file.
    const PageIndex& pageIndex() const { return m_index; }

    bool failed() const { return m_failed; }
    // The warning shown when the writer failed, empty otherwise.
    QString errorMessage() const { return m_error; }

private:
    // The lines of a text or a box, into the buffer.
    void appendText(float x, float y, const QString& text, const QString& face, std::int16_t size,
                    std::int16_t bold, const char* keyword);
    void appendBox(float x1, float y1, float x2, float y2);
    void append(const QString& line);
    void append(const char* line);
    void appendBytes(const QByteArray& bytes);
    QByteArray numberLine(float cm) const;
    // Opens the page file for appending when no document holds it open; false after a failure.
    bool ready();
    // Writes the buffer out; false (after failing) when the file did not take it all.
    bool flush();
    // The name of the page file still leads to the file this writer holds open.
    bool stillOurs() const;
    void closeFile();
    // What BuildPageList tells the observer about `pages`.
    void announce(const QStringList& pages, const PageIndex& index);
    void fail();

    PreviewObserver& m_observer;
    QString m_folder;
    QString m_folderError;
    engine::numtext::NumberLocale m_locale;
    bool m_failed = false;
    QString m_error;

    int m_fd = -1;
    QByteArray m_buffer;
    qint64 m_written = 0;  // bytes in the file before the buffer
    PageScan m_scan;       // of everything written, buffer included
    PageIndex m_index;
};

}  // namespace fortema::pagescript
