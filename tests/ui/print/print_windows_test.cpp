// The preview window "Anteprima di stampa" (opening, paging, zoom and scrolling by button and
// key, the page drawn at scale), the print range window "Stampa" it opens, and the printer setup;
// Qt's own dialogs in Italian.

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollBar>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTranslator>
#include <cmath>

#include "drawing/picture_box.h"
#include "drawing/recording_surface.h"
#include "tests/support/test_registry.h"
#include "tests/ui/aux/window_checks.h"
#include "ui/aux/scripted_prompter.h"
#include "ui/print/cls_print_dialog.h"
#include "ui/print/preview_host.h"
#include "ui/print/prn_prn.h"
#include "ui/print/prn_prv.h"

namespace fortema::ui::test {

namespace {

// A temporary folder that is the current directory while it lives.
class ScriptFolderScope {
public:
    ScriptFolderScope() : m_previous(QDir::currentPath()) { QDir::setCurrent(m_dir.path()); }
    ~ScriptFolderScope() { QDir::setCurrent(m_previous); }
    QString path(const QString& name = {}) const {
        return name.isEmpty() ? m_dir.path() : m_dir.filePath(name);
    }

private:
    QTemporaryDir m_dir;
    QString m_previous;
};

// Writes `pages` pages; page p holds the bold text "Pagina p" (Arial 10) at 2 cm, 4 cm.
void writeDocument(PreviewHost& host, int pages) {
    auto& w = host.writer();
    w.StartDocument();
    for (int p = 1; p <= pages; ++p) {
        w.StartPage(QStringLiteral("Relazione di calcolo"), QStringLiteral("pag. %1").arg(p));
        w.PrintLeft(2.0f, 4.0f, QStringLiteral("Pagina %1").arg(p), QStringLiteral("Arial"), 10, -1);
        w.PrintBox(2.0f, 5.0f, 18.0f, 10.5f);
        w.EndPage(QStringLiteral("FORTEMA 2.4 per Linux"),
                  QStringLiteral("Stampato il 05/03/2026 alle 14:32"));
    }
}

// The "Pages:" line of pdfinfo; -1 when the file is missing or no PDF.
int pdfPageCount(const QString& path) {
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {path});
    if (!info.waitForFinished(30000) || info.exitCode() != 0) return -1;
    const auto match = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)"))
                           .match(QString::fromLocal8Bit(info.readAllStandardOutput()));
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

template <typename T>
T* child(QWidget& w, const QString& name) {
    return w.findChild<T*>(name);
}
QComboBox* list(QWidget& w, const char* name) { return child<QComboBox>(w, QLatin1String(name)); }
void click(QWidget& w, const char* name) {
    QTest::mouseClick(child<QPushButton>(w, QLatin1String(name)), Qt::LeftButton);
}
QString label(PrnPrv& w, const char* name) { return child<QLabel>(w, QLatin1String(name))->text(); }
QScrollBar* bar(PrnPrv& w, const char* name) { return child<QScrollBar>(w, QLatin1String(name)); }
void cmd(PrnPrv& w, int i) {
    QTest::mouseClick(child<QToolButton>(w, QStringLiteral("Cmd_%1").arg(i)), Qt::LeftButton);
}
QWidget* prv(PrnPrv& w) { return child<QWidget>(w, QStringLiteral("Prv")); }
// Page on view / pages / zoom, as the status bar shows them.
QString status(PrnPrv& w) { return label(w, "aPag") + '/' + label(w, "tPag") + '/' + label(w, "zPag"); }
QStringList range(PrnPrn& w) { return {list(w, "sPag")->currentText(), list(w, "ePag")->currentText()}; }

QStringList pages(int n) {
    QStringList out;
    for (int i = 1; i <= n; ++i) out << QString::number(i);
    return out;
}

// A written document open in its preview, which has been activated once.
struct OpenPreview {
    explicit OpenPreview(int pages) {
        writeDocument(host, pages);
        w = host.window();
        if (!w) return;
        w->activateWindow();
        active = QTest::qWaitForWindowActive(w);
    }
    ScriptFolderScope folder;
    PreviewHost host;
    PrnPrv* w = nullptr;
    bool active = false;
};

void setZoom(PrnPrv& w, const char* zoom) {
    list(w, "zVal")->setCurrentText(QLatin1String(zoom));
    w.MostraPagina();
}

// A written document of `n` pages, the range window on it with page 1 on view, and a PDF
// printer beside it.
struct Printout {
    explicit Printout(int n) {
        PreviewHost host;
        writeDocument(host, std::max(n, 1));
        pageFile = host.writer().pageFile();
        window = std::make_unique<PrnPrn>(pages(n), 0, pageFile);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdfPath);
        window->setPrinter(&printer);
        window->show();
    }
    ScriptFolderScope folder;
    QString pdfPath = folder.path(QStringLiteral("stampa.pdf"));
    QString pageFile;
    QPrinter printer{QPrinter::HighResolution};
    std::unique_ptr<PrnPrn> window;
};

}  // namespace

class PrintWindowsTest : public QObject {
    Q_OBJECT
private slots:
    // Some window managers keep the focus on the main window: the preview must not stay blank
    // waiting for an activation that does not come. Closed, it opens again on its page file;
    // a new document closes it and opens a new window.
    void opensDrawnOnPageOneAtNinetyPercentOfTheScreen() {
        QCOMPARE(previewGeometry(QRect(0, 0, 1024, 768)), QRect(51, 39, 922, 691));
        ScriptFolderScope folder;
        PreviewHost host;
        for (const int pages : {4, 2}) {
            writeDocument(host, pages);
            QPointer<PrnPrv> w = host.window();
            QVERIFY(w);
            QCOMPARE(w->drawCount(), 0);
            QCoreApplication::processEvents();
            // Once when the writing is over, and once more where the platform activated it.
            QCOMPARE(w->drawCount(), w->isActiveWindow() ? 2 : 1);
            QCOMPARE(status(*w), QStringLiteral("1/%1/100%").arg(pages));
            QCOMPARE(w->windowTitle(), QStringLiteral("Anteprima di stampa"));
            QCOMPARE(w->geometry(), previewGeometry(w->screen()->geometry()));
            QTest::keyClick(w, Qt::Key_Escape);
            QVERIFY(!host.window());
            QCOMPARE(host.openPreview()->pageList().size(), pages);
            host.writer().StartDocument();
            QVERIFY(!host.window() && (!w || !w->isVisible()));
        }
        // A file without an ended page opens no preview and says so.
        ScriptedPrompter p;
        QVERIFY(!host.openPreview());
        QCOMPARE(p.messages().size(), 1);
        QCOMPARE(p.messages()[0].text, QStringLiteral("Non ci sono pagine da stampare!"));
    }

    // The page surface is zoom/100 of an A4 page of 11907 x 16839.9 twips, 15 to a pixel.
    void pageSurfaceFollowsTheZoom() {
        OpenPreview open(3);
        PrnPrv& w = *open.w;
        for (const char* zoom : {"25", "50", "75", "100", "150", "200"}) {
            setZoom(w, zoom);
            const double f = QByteArray(zoom).toDouble() / 100;
            QCOMPARE(w.pageWidthTwips(), f * 11907);
            QCOMPARE(w.pageHeightTwips(), f * 16839.9);
            QCOMPARE(prv(w)->size(),
                     QSize(int(std::lround(f * 11907 / 15)), int(std::lround(f * 16839.9 / 15))));
            QCOMPARE(label(w, "zPag"), QLatin1String(zoom) + '%');
            // The header and footer rules one pixel row thick at every zoom, between the frames'
            // texts; a page smaller than the view stands in its middle.
            const QImage image = static_cast<drawing::PictureBox*>(prv(w))->image();
            for (const double cm : {1.9, 26.0}) {
                int rows = 0;
                for (int y = int((cm - 0.2) * image.height() / 29.7); y <= (cm + 0.2) * image.height() / 29.7;
                     ++y)
                    rows += image.pixelColor(image.width() / 2, y) != QColor(Qt::white);
                QCOMPARE(rows, 1);
            }
            const QSize slack = prv(w)->parentWidget()->size() - prv(w)->size();
            if (slack.width() > 0) QCOMPARE(prv(w)->x(), slack.width() / 2);
            if (slack.height() > 0) QCOMPARE(prv(w)->y(), slack.height() / 2);
            // The bars reach the parts of the page outside the visible area, and no further.
            QCOMPARE(bar(w, "hBar")->maximum(),
                     std::max(0, int(std::lround(f * 11907 - w.visibleWidthTwips()))));
            QCOMPARE(bar(w, "vBar")->maximum(),
                     std::max(0, int(std::lround(f * 16839.9 - w.visibleHeightTwips()))));
        }
        // At half size the fonts are halved too: 10 points for "Pagina 1", 8 for the header and footer.
        drawing::RecordingSurface rec;
        w.setMirror(&rec);
        setZoom(w, "50");
        w.setMirror(nullptr);
        QCOMPARE(rec.ops(QStringLiteral("text")).size(), std::size_t(5));
        for (const auto& op : rec.ops(QStringLiteral("text")))
            QCOMPARE(op.fontSize, op.text == QLatin1String("Pagina 1") ? 5.0 : 4.0);
        saveScreenshot(w, QStringLiteral("PrnPrv"));
    }

    // The buttons and keys that page and zoom, each against the status it leaves and whether it
    // drew the page again; at either end they do nothing. The window sees the keys before the
    // control that has the focus.
    void pagingAndZoomByButtonAndKey() {
        OpenPreview open(3);
        PrnPrv& w = *open.w;
        QComboBox* focus = list(w, "zVal");
        focus->setFocus();
        const struct {
            int input;  // a tool button's index, or a key
            bool keypad;
            const char* status;
            bool drawn;
        } steps[] = {
            {6, false, "1/3/100%", false},  // previous, on page 1
            {Qt::Key_PageDown, false, "2/3/100%", true},
            {8, false, "3/3/100%", true},  // last
            {7, false, "3/3/100%", false},
            {Qt::Key_PageUp, false, "2/3/100%", true},
            {5, false, "1/3/100%", true},              // first
            {Qt::Key_Plus, false, "1/3/100%", false},  // the main keyboard's plus is not the keypad's
            {Qt::Key_Plus, true, "1/3/125%", true},
            {1, false, "1/3/150%", true},
            {1, false, "1/3/175%", true},
            {1, false, "1/3/200%", true},
            {1, false, "1/3/200%", false},
            {Qt::Key_Minus, true, "1/3/175%", true},
        };
        for (const auto& s : steps) {
            const int draws = w.drawCount();
            if (s.input < 10)
                cmd(w, s.input);
            else
                QTest::keyClick(focus, Qt::Key(s.input), s.keypad ? Qt::KeypadModifier : Qt::NoModifier);
            QCOMPARE(status(w), QString::fromLatin1(s.status));
            QCOMPARE(w.drawCount() > draws, s.drawn);
        }
        for (int i = 0; i < 7; ++i) cmd(w, 2);
        QCOMPARE(label(w, "zPag"), QStringLiteral("25%"));
        // A page chosen in the list is drawn by the next redraw only.
        list(w, "ePag")->setCurrentIndex(2);
        QCOMPARE(label(w, "aPag"), QStringLiteral("1"));
        QTest::keyClick(focus, Qt::Key_Return);
        QCOMPARE(label(w, "aPag"), QStringLiteral("3"));
        cmd(w, 9);
        QVERIFY(!open.host.window());
    }

    void scrollingByKeyBarAndResize() {
        OpenPreview open(3);
        PrnPrv& w = *open.w;
        QComboBox* focus = list(w, "zVal");
        focus->setFocus();
        QScrollBar* v = bar(w, "vBar");
        QScrollBar* h = bar(w, "hBar");
        setZoom(w, "200");
        const struct {
            Qt::Key key;
            QScrollBar* bar;
            int value;
        } keys[] = {{Qt::Key_Down, v, std::min(v->pageStep(), v->maximum())},
                    {Qt::Key_End, v, v->maximum()},
                    {Qt::Key_Down, v, v->maximum()},
                    {Qt::Key_Home, v, 0},
                    {Qt::Key_Up, v, 0},
                    {Qt::Key_Right, h, std::min(h->pageStep(), h->maximum())},
                    {Qt::Key_Left, h, 0}};
        for (const auto& k : keys) {
            QTest::keyClick(focus, k.key);
            QCOMPARE(k.bar->value(), k.value);
            QCOMPARE(prv(w)->pos(),
                     -QPoint(int(std::lround(h->value() / 15.0)), int(std::lround(v->value() / 15.0))));
        }
        // A bar moved by hand draws the page again; a zoom change starts again from the top left.
        const int draws = w.drawCount();
        v->setValue(3000);
        QCOMPARE(w.drawCount(), draws + 1);
        QCOMPARE(prv(w)->y(), -200);
        QTest::keyClick(focus, Qt::Key_Minus, Qt::KeypadModifier);
        QCOMPARE(v->value(), 0);
        QCOMPARE(prv(w)->pos(), QPoint(0, 0));
        // A window too small for its controls moves nothing; a larger one keeps the bars at its edges.
        const QRect hBar = h->geometry();
        w.resize(60, 60);
        QCOMPARE(h->geometry(), hBar);
        w.resize(500, 400);
        QCOMPARE(v->geometry().right(), 499);
        QCOMPARE(v->maximum(), int(std::lround(w.pageHeightTwips() - w.visibleHeightTwips())));
    }

    // All pages of the preview, or the page on view.
    void opensOnEveryPageOrThePageOnView() {
        PrnPrn w(pages(7), 2, QStringLiteral("x"));
        QCOMPARE(w.findChild<QLineEdit*>(QStringLiteral("tPag"))->text(), QStringLiteral("7"));
        QCOMPARE(range(w), QStringList({"1", "7"}));
        click(w, "Command4");
        QCOMPARE(range(w), QStringList({"3", "3"}));
        w.show();
        FORTEMA_VERIFY_LAYOUT(w, {QStringLiteral("tBar"), QStringLiteral("pBar")});
        saveScreenshot(w, QStringLiteral("PrnPrn"));
    }

    // The question names the range, or the one page when "from" stands after "to". An empty
    // page list starts no printer job, which would come out as a blank sheet; a page file gone
    // since the preview opened sends nothing either, and says why.
    void printsTheRangeAsked() {
        const struct {
            int pages, from, to;  // list indexes
            Answer answer;
            const char* question;
            int printed;
            bool pageFileGone = false;
        } cases[] = {
            {5, 1, 2, Answer::Yes, "da pagina \t2\nalla pagina \t3?", 2},
            {5, 2, 2, Answer::Yes, "da pagina \t3\nalla pagina \t3?", 1},
            {7, 4, 2, Answer::Yes, "della pagina 5?", 1},
            {7, 4, 2, Answer::No, "della pagina 5?", 0},
            {0, -1, -1, Answer::Yes, "da pagina \t0\nalla pagina \t0?", 0},
            {2, 0, 1, Answer::Yes, "da pagina \t1\nalla pagina \t2?", 0, true},
        };
        for (const auto& c : cases) {
            Printout out(c.pages);
            PrnPrn& w = *out.window;
            if (c.pageFileGone) QVERIFY(QFile::remove(out.pageFile));
            ScriptedPrompter p;
            p.queueAnswer(c.answer);
            p.queueFileName(out.pdfPath);
            list(w, "sPag")->setCurrentIndex(c.from);
            list(w, "ePag")->setCurrentIndex(c.to);
            click(w, "Command1");
            QCOMPARE(p.messages().size(), c.pageFileGone ? 2 : 1);
            QCOMPARE(p.messages()[0].title, QStringLiteral("Stampa delle pagine"));
            QCOMPARE(p.messages()[0].text, "Vuoi effettuare la stampa\n" + QString::fromLatin1(c.question));
            if (c.pageFileGone)
                QVERIFY(p.messages()[1].text.contains(QDir::toNativeSeparators(out.pageFile)));
            QCOMPARE(w.pagesSent(), c.printed);
            QCOMPARE(pdfPageCount(out.pdfPath), c.printed ? c.printed : -1);
            if (c.printed) QCOMPARE(w.progressWidth(), w.trackWidth());
            QVERIFY(w.isVisible());
        }
    }

    // "A&nnulla" while pages are sent stops at the next page; Esc does not stop the printing.
    void cancelStopsAtTheNextPageButEscDoesNot() {
        for (const bool esc : {false, true}) {
            Printout out(5);
            PrnPrn& w = *out.window;
            ScriptedPrompter p;
            p.queueAnswer(Answer::Yes);
            p.queueFileName(out.pdfPath);
            int calls = 0;
            w.setProcessEvents([&] {
                // The second call comes as page 2, the first of the range, starts.
                if (++calls != 2) return;
                esc ? QTest::keyClick(&w, Qt::Key_Escape) : click(w, "Command2");
            });
            list(w, "sPag")->setCurrentIndex(1);
            list(w, "ePag")->setCurrentIndex(3);
            click(w, "Command1");
            QVERIFY(!w.isVisible() && !w.isPrinting());
            QCOMPARE(w.PrintCancelled(), !esc);
            // A PDF stopped part way is not kept.
            QCOMPARE(pdfPageCount(out.pdfPath), esc ? 3 : -1);
        }
    }

    // Print to file is how a user without a printer gets paper-ready pages; a cancelled setup
    // leaves the printer as it was.
    void printerSetupTakesTheChoiceOrNothing() {
        ScriptFolderScope folder;
        const QString pdf = folder.path(QStringLiteral("relazione.pdf"));
        for (const bool accept : {false, true}) {
            ScriptedPrompter p;
            QString title;
            p.setDialogHandler([&](QDialog& dialog) {
                title = dialog.windowTitle();
                auto* printers = dialog.findChild<QComboBox*>(QStringLiteral("printers"));
                auto* file = dialog.findChild<QLineEdit*>(QStringLiteral("filename"));
                auto* copies = dialog.findChild<QSpinBox*>(QStringLiteral("copies"));
                if (!printers || !file || !copies) return int(QDialog::Rejected);
                printers->setCurrentIndex(printers->count() - 1);  // "Print to File (PDF)"
                file->setText(pdf);
                copies->setValue(2);
                accept ? dialog.accept() : dialog.reject();
                return dialog.result();
            });
            QPrinter printer;
            const QString before = printer.outputFileName();
            clsPrintDialog d(&printer);
            d.setFlags(clsPrintDialog::PD_PRINTSETUP);
            QCOMPARE(d.ShowPrinter(), accept);
            QCOMPARE(title, QStringLiteral("Imposta stampante"));
            QCOMPARE(printer.outputFileName(), accept ? pdf : before);
            QCOMPARE(printer.copyCount(), accept ? 2 : 1);
            QCOMPARE(d.Flags(),
                     clsPrintDialog::PD_PRINTSETUP | (accept ? clsPrintDialog::PD_PRINTTOFILE : 0));
        }
    }

    // Qt's own texts in Italian (the same translation serves the file and printer dialogs), and
    // the short title of the message boxes.
    void qtDialogsSpeakItalian() {
        QVERIFY(installItalianTranslation());
        QStringList seen;
        QTimer::singleShot(0, [&] {
            QWidget* box = QApplication::activeModalWidget();
            seen << box->windowTitle();
            for (const QAbstractButton* b : box->findChildren<QAbstractButton*>())
                seen << b->text().remove('&');
            static_cast<QDialog*>(box)->reject();
        });
        prompter().message(nullptr, QString(), QStringLiteral("Vuoi salvare il file?"), Icon::Question,
                           Buttons::YesNo, Answer::Yes);
        QCOMPARE(seen, QStringList({"Fortema", "Sì", "No"}));
        for (QTranslator* t : qApp->findChildren<QTranslator*>()) QCoreApplication::removeTranslator(t);
    }
};

namespace {
const RegisterTest<PrintWindowsTest> registered;
}

}  // namespace fortema::ui::test

#include "print_windows_test.moc"
