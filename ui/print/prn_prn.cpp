#include "ui/print/prn_prn.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <algorithm>

#include "drawing/current_printer.h"
#include "drawing/painter_surface.h"
#include "pagescript/page_script.h"
#include "pagescript/script_interpreter.h"
#include "report/pdf_file.h"
#include "ui/aux/prompter.h"
#include "ui/aux/twips.h"
#include "ui/print/cls_print_dialog.h"

namespace fortema::ui {

namespace {

constexpr int kClientWidth = 5655;
constexpr int kClientHeight = 3300;
constexpr int kTrackLeft = 150;
constexpr int kTrackTop = 2160;
constexpr int kTrackWidth = 5355;
constexpr int kTrackHeight = 240;

// A page number of a list text; an empty list reads page 0.
int pageOf(const QString& text) {
    return static_cast<int>(std::clamp(pagescript::scriptWholeNumber(text), -32768L, 32767L));
}

QPushButton* makeButton(QWidget* parent, const char* name, const char* caption, const char* tip, QRect rect) {
    auto* button = new QPushButton(QString::fromUtf8(caption), parent);
    button->setObjectName(QLatin1String(name));
    button->setToolTip(QString::fromUtf8(tip));
    button->setGeometry(rect);
    return button;
}

QLabel* makeLabel(QWidget* parent, const char* name, const char* caption, QRect rect) {
    auto* label = new QLabel(QString::fromUtf8(caption), parent);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(rect);
    return label;
}

QFrame* makeRule(QWidget* parent, const char* name, int top) {
    auto* line = new QFrame(parent);
    line->setObjectName(QLatin1String(name));
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    line->setGeometry(twipRect(kTrackLeft, top, kTrackWidth, 30));
    return line;
}

}  // namespace

QString printRangeQuestion(int first, int last) {
    if (first <= last) {
        return QStringLiteral("Vuoi effettuare la stampa\nda pagina \t%1\nalla pagina \t%2?")
            .arg(first)
            .arg(last);
    }
    return QStringLiteral("Vuoi effettuare la stampa\ndella pagina %1?").arg(first);
}

PrnPrn::PrnPrn(const QStringList& previewPages, int shownPageIndex, const QString& pageFile, QWidget* parent)
    : QDialog(parent), m_pageFile(pageFile), m_shownPageIndex(shownPageIndex) {
    setObjectName(QStringLiteral("PrnPrn"));
    setWindowTitle(QStringLiteral("Stampa"));
    setFont(dialogFont());
    setFixedSize(twipSize(kClientWidth, kClientHeight));

    makeLabel(this, "Label1", "Totale pagine nell'anteprima:", twipRect(150, 195, 2550, 255));
    m_tPag = new QLineEdit(this);
    m_tPag->setObjectName(QStringLiteral("tPag"));
    m_tPag->setReadOnly(true);
    m_tPag->setGeometry(twipRect(2850, 150, 900, 330));

    makeLabel(this, "Label2", "stampa da pagina:", twipRect(150, 645, 2550, 255));
    m_sPag = new QComboBox(this);
    m_sPag->setObjectName(QStringLiteral("sPag"));
    m_sPag->setGeometry(twipRect(2850, 600, 900, 330));

    makeLabel(this, "Label3", "a pagina:", twipRect(150, 1095, 2550, 255));
    m_ePag = new QComboBox(this);
    m_ePag->setObjectName(QStringLiteral("ePag"));
    m_ePag->setGeometry(twipRect(2850, 1050, 900, 330));

    m_command4 = makeButton(this, "Command4", "Seleziona la pagina &visualizzata",
                            "stampa la pagina visualizzata", twipRect(150, 1530, kTrackWidth, 390));
    makeRule(this, "Line1", 2025);

    m_tBar = new QFrame(this);
    m_tBar->setObjectName(QStringLiteral("tBar"));
    m_tBar->setFrameShape(QFrame::Box);
    m_tBar->setAutoFillBackground(true);
    m_tBar->setPalette(QPalette(Qt::white));
    m_tBar->setGeometry(twipRect(kTrackLeft, kTrackTop, kTrackWidth, kTrackHeight));
    m_trackWidth = kTrackWidth;

    m_pBar = new QFrame(this);
    m_pBar->setObjectName(QStringLiteral("pBar"));
    m_pBar->setAutoFillBackground(true);
    QPalette fill;
    fill.setColor(QPalette::Window, QColor(0, 0, 128));
    m_pBar->setPalette(fill);
    m_pBar->setGeometry(twipRect(kTrackLeft, kTrackTop, 0, kTrackHeight));
    m_pBar->hide();

    makeRule(this, "Line2", 2520);

    m_command1 =
        makeButton(this, "Command1", "&Stampa", "effettua la stampa", twipRect(150, 2700, 1695, 435));
    m_command2 = makeButton(this, "Command2", "A&nnulla", "chiude la finestra e annulla la stampa",
                            twipRect(1980, 2700, 1695, 435));
    m_command3 =
        makeButton(this, "Command3", "Sta&mpante", "impostazione stampante", twipRect(3810, 2700, 1695, 435));
    m_command1->setDefault(true);

    const int n = int(previewPages.size());
    m_tPag->setText(QString::number(n));
    for (int page = 1; page <= n; ++page) {
        m_sPag->addItem(QString::number(page));
        m_ePag->addItem(QString::number(page));
    }
    if (n > 0) {
        m_sPag->setCurrentIndex(0);
        m_ePag->setCurrentIndex(n - 1);
    }

    connect(m_command1, &QPushButton::clicked, this, &PrnPrn::Command1_Click);
    connect(m_command2, &QPushButton::clicked, this, &PrnPrn::Command2_Click);
    connect(m_command3, &QPushButton::clicked, this, &PrnPrn::Command3_Click);
    connect(m_command4, &QPushButton::clicked, this, &PrnPrn::Command4_Click);
}

void PrnPrn::Command1_Click() {
    // The buttons stay live while pages are sent; a second print would start a second job
    // on a printer that is still busy with the first.
    if (m_printing) return;
    const int first = pageOf(m_sPag->currentText());
    int last = pageOf(m_ePag->currentText());
    const QString question = printRangeQuestion(first, last);
    if (first > last) last = first;
    const Answer answer = prompter().message(this, QLatin1String(kPrintQuestionTitle), question,
                                             Icon::Question, Buttons::YesNo, Answer::Yes);
    if (answer != Answer::Yes) return;
    m_printCancelled = false;
    printRange(first, last);
}

void PrnPrn::printRange(int first, int last) {
    m_pagesSent = 0;
    // A range without pages (an empty list) must not start a printer job: it would come out
    // as one blank sheet.
    if (first < 1 || first > m_sPag->count()) {
        ShowPrintProgress(first, last, first - 1);
        return;
    }
    if (!pagescript::FileExists(m_pageFile)) {
        prompter().message(
            this, QLatin1String(kPrintQuestionTitle),
            QStringLiteral("Il file di anteprima %1 non esiste più: la stampa non è stata eseguita.")
                .arg(QDir::toNativeSeparators(m_pageFile)),
            Icon::Exclamation);
        return;
    }
    QPrinter& printer = m_printer ? *m_printer : drawing::currentPrinter();
    if (report::printsToPdf(printer)) {
        printToPdf(printer, first, last);
        return;
    }
    if (!sendPages(printer, first, last)) {
        prompter().message(this, QLatin1String(kPrintQuestionTitle),
                           QStringLiteral("La stampante non è disponibile: la stampa non è stata eseguita.\n"
                                          "Scegliere una stampante con \"Stampante\", oppure la stampa su "
                                          "file (PDF)."),
                           Icon::Exclamation);
    }
}

// The file is asked every time: pages never go silently into the last file written.
void PrnPrn::printToPdf(QPrinter& printer, int first, int last) {
    const QFileInfo proposal(m_pdfProposal.isEmpty()
                                 ? QDir(dialogFolder(QString())).filePath(QStringLiteral("resoconto.pdf"))
                                 : m_pdfProposal);
    const FileDialogRequest request{QStringLiteral("Stampa su file PDF"), QStringLiteral("PDF (*.pdf)"),
                                    QStringLiteral("pdf"), proposal.absolutePath(), proposal.fileName()};
    const QString path = prompter().saveFileName(this, request);
    if (path.isEmpty()) return;
    bool printerFailed = false;
    QString problem;
    const report::PdfFile file = report::writePdfFile(printer, path, [&](QPrinter& pdf) {
        printerFailed = !sendPages(pdf, first, last);
        if (printerFailed) problem = report::printerProblem(pdf);
        // Stopped by "A&nnulla", the file would hold part of the range: it is not kept.
        return !printerFailed && !m_printCancelled;
    });
    if (file.written || (file.message.isEmpty() && !printerFailed)) return;
    prompter().message(this, QLatin1String(kPrintQuestionTitle),
                       file.message.isEmpty() ? problem : file.message, Icon::Exclamation);
}

bool PrnPrn::sendPages(QPrinter& printer, int first, int last) {
    m_printing = true;
    drawing::QPainterSurface surface(&printer);
    if (!surface.failed()) {
        // The page file's units are twips from the top left corner of the printable area.
        surface.setScale(0, 0, surface.deviceWidth() * 1440.0 / printer.logicalDpiX(),
                         surface.deviceHeight() * 1440.0 / printer.logicalDpiY());
        pagescript::PrintHooks hooks;
        hooks.setBusy = [this](bool busy) { setBusy(busy); };
        hooks.processEvents = [this] {
            if (m_processEvents) {
                m_processEvents();
            } else {
                QCoreApplication::processEvents();
            }
        };
        hooks.showPrintProgress = [this](int f, int l, int page) { ShowPrintProgress(f, l, page); };
        const pagescript::PrintResult result = pagescript::PrintPages(m_pageFile, surface, m_img, first, last,
                                                                      m_printCancelled, hooks, &m_index);
        m_pagesSent = result.pagesPrinted;
    }
    m_printing = false;
    if (surface.failed()) m_pagesSent = 0;
    return !surface.failed();
}

void PrnPrn::ShowPrintProgress(int first, int last, int page) {
    m_progressWidth = pagescript::ShowPrintProgress(m_trackWidth, first, last, page);
    const int pixels = pixelsFromTwips(m_progressWidth);
    m_pBar->setVisible(pixels > 0);
    m_pBar->setGeometry(pixelsFromTwips(kTrackLeft), pixelsFromTwips(kTrackTop), pixels,
                        pixelsFromTwips(kTrackHeight));
    m_pBar->raise();
}

void PrnPrn::setBusy(bool busy) {
    QFont font = m_command2->font();
    font.setBold(busy);
    m_command2->setFont(font);
    QWidget* preview = parentWidget();
    if (busy) {
        setCursor(Qt::WaitCursor);
        if (preview) preview->setCursor(Qt::WaitCursor);
    } else {
        unsetCursor();
        if (preview) preview->unsetCursor();
    }
}

void PrnPrn::Command2_Click() {
    m_printCancelled = true;
    close();
}

void PrnPrn::Command3_Click() {
    // Changing the printer under a job that is being sent would corrupt it.
    if (m_printing) return;
    clsPrintDialog setup(m_printer);
    setup.setFlags(clsPrintDialog::PD_PRINTSETUP);
    setup.ShowPrinter(this);
}

void PrnPrn::Command4_Click() {
    if (m_shownPageIndex < 0 || m_shownPageIndex >= m_sPag->count()) return;
    m_sPag->setCurrentIndex(m_shownPageIndex);
    m_ePag->setCurrentIndex(m_shownPageIndex);
}

}  // namespace fortema::ui
