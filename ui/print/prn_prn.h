#pragma once

// The print range window "Stampa": the first and last page of the preview's document, a
// confirmation, and the sending of those pages to the current printer with a progress fill
// and a cancel button that acts while pages are sent.

#include <QDialog>
#include <QImage>
#include <QStringList>
#include <functional>

#include "pagescript/page_script.h"

class QComboBox;
class QFrame;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPrinter;
class QPushButton;

namespace fortema::ui {

inline constexpr const char* kPrintQuestionTitle = "Stampa delle pagine";

// The confirmation of a range: "da pagina" and "alla pagina" with a tab before each number
// when first <= last, "della pagina" alone otherwise.
QString printRangeQuestion(int first, int last);

class PrnPrn : public QDialog {
    Q_OBJECT

public:
    // `previewPages` is the page list of the preview, `shownPageIndex` the position of the
    // page on view there (-1 for none), `pageFile` the page file both read.
    PrnPrn(const QStringList& previewPages, int shownPageIndex, const QString& pageFile,
           QWidget* parent = nullptr);

    // The printer the pages go to; the program's current printer unless set. Must outlive
    // the window.
    void setPrinter(QPrinter* printer) { m_printer = printer; }
    // Where the pages begin in the page file (the preview's index), so that printing starts
    // at the first page of the range; without one it reads the file from its first line.
    void setPageIndex(const pagescript::PageIndex& index) { m_index = index; }
    // The PDF file proposed when the printer writes PDF files (or none is installed): the pages
    // then go to a file the user names each time, this one proposed; resoconto.pdf in the
    // documents folder unless set.
    void setPdfProposal(const QString& path) { m_pdfProposal = path; }
    // Runs pending window events while pages are sent; QCoreApplication::processEvents unless set.
    void setProcessEvents(std::function<void()> hook) { m_processEvents = std::move(hook); }

    bool PrintCancelled() const { return m_printCancelled; }
    bool isPrinting() const { return m_printing; }
    // Pages begun on the printer by the last print.
    int pagesSent() const { return m_pagesSent; }
    // The progress track and fill in twips of the window.
    double trackWidth() const { return m_trackWidth; }
    double progressWidth() const { return m_progressWidth; }

    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();

private:
    void printRange(int first, int last);
    // Sends the pages to `printer`; false when the printer would not start or finish.
    bool sendPages(QPrinter& printer, int first, int last);
    void printToPdf(QPrinter& printer, int first, int last);
    void ShowPrintProgress(int first, int last, int page);
    void setBusy(bool busy);

    QString m_pageFile;
    int m_shownPageIndex;
    QPrinter* m_printer = nullptr;
    QString m_pdfProposal;
    std::function<void()> m_processEvents;
    bool m_printCancelled = false;
    bool m_printing = false;
    int m_pagesSent = 0;
    double m_trackWidth = 0;
    double m_progressWidth = 0;
    QImage m_img;
    pagescript::PageIndex m_index;

    QLineEdit* m_tPag;
    QComboBox* m_sPag;
    QComboBox* m_ePag;
    QPushButton* m_command1;
    QPushButton* m_command2;
    QPushButton* m_command3;
    QPushButton* m_command4;
    QFrame* m_tBar;
    QFrame* m_pBar;
};

}  // namespace fortema::ui
