#include <QComboBox>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>
#include <cmath>

#include "drawing/picture_box.h"
#include "drawing/recording_surface.h"
#include "pagescript/private_folder.h"
#include "tests/support/test_registry.h"
#include "tests/ui/aux/window_checks.h"
#include "tests/ui/print/print_documents.h"
#include "ui/aux/scripted_prompter.h"
#include "ui/print/prn_prn.h"
#include "ui/print/prn_prv.h"

namespace fortema::ui::test {

namespace {

QString label(PrnPrv& w, const char* name) { return w.findChild<QLabel*>(QLatin1String(name))->text(); }
QComboBox* list(PrnPrv& w, const char* name) { return w.findChild<QComboBox*>(QLatin1String(name)); }
QScrollBar* bar(PrnPrv& w, const char* name) { return w.findChild<QScrollBar*>(QLatin1String(name)); }
QToolButton* cmd(PrnPrv& w, int i) { return w.findChild<QToolButton*>(QStringLiteral("Cmd_%1").arg(i)); }
QWidget* prv(PrnPrv& w) { return w.findChild<QWidget*>(QStringLiteral("Prv")); }

QString status(PrnPrv& w) {
    return label(w, "aPag") + QLatin1Char('/') + label(w, "tPag") + QLatin1Char('/') + label(w, "zPag");
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

}  // namespace

class PrnPrvTest : public QObject {
    Q_OBJECT
private slots:
    void drawsPageOneOnceTheDocumentIsWrittenEvenWithoutActivation() {
        // Some window managers keep the focus on the main window: the preview must not stay
        // blank waiting for an activation that does not come.
        ScriptFolderScope folder;
        PreviewHost host;
        writeDocument(host, 4);
        PrnPrv* w = host.window();
        QVERIFY(w);
        QCOMPARE(w->drawCount(), 0);
        QCoreApplication::processEvents();
        // One drawing once the writing is over, however many pages ended, and one more where
        // the platform activated the window.
        QCOMPARE(w->drawCount(), w->isActiveWindow() ? 2 : 1);
        QCOMPARE(status(*w), QStringLiteral("1/4/100%"));
        // A new document opens a new window, drawn again.
        writeDocument(host, 2);
        QCoreApplication::processEvents();
        QVERIFY(host.window());
        QCOMPARE(host.window()->drawCount(), host.window()->isActiveWindow() ? 2 : 1);
        QCOMPARE(status(*host.window()), QStringLiteral("1/2/100%"));
    }

    void opensOnPageOneAtNinetyPercentOfTheScreen() {
        QCOMPARE(previewGeometry(QRect(0, 0, 1024, 768)), QRect(51, 39, 922, 691));  // 13824 x 10368 twips

        OpenPreview open(3);
        QVERIFY(open.w);
        PrnPrv& w = *open.w;
        QVERIFY(w.isVisible());
        QCOMPARE(w.windowTitle(), QStringLiteral("Anteprima di stampa"));
        QCOMPARE(w.geometry(), previewGeometry(w.screen()->geometry()));
        QCOMPARE(w.pageList(), QStringList({"1", "2", "3"}));
        QVERIFY(open.active);
        QVERIFY(w.drawCount() > 0);
        QCOMPARE(status(w), QStringLiteral("1/3/100%"));
        QCOMPARE(label(w, "Label1"), QStringLiteral("pagina:"));
        QCOMPARE(label(w, "Label3"), QStringLiteral("di"));
        QCOMPARE(label(w, "Label5"), QStringLiteral("zoom:"));
        // The program's private folder, whatever the current directory.
        QCOMPARE(w.scriptFolder(), pagescript::programFolder().path() + QLatin1Char('/'));

        const QStringList tips = {"ridisegna l'anteprima",
                                  "ingrandisci",
                                  "riduci",
                                  "stampa",
                                  "impostazione stampante",
                                  "prima pagina",
                                  "pagina precedente",
                                  "pagina successiva",
                                  "ultima pagina",
                                  "chiudi"};
        for (int i = 0; i < 10; ++i) {
            QCOMPARE(cmd(w, i)->toolTip(), tips[i]);
            QVERIFY(!cmd(w, i)->icon().isNull());
        }
        QCOMPARE(list(w, "zVal")->toolTip(), QStringLiteral("scala dell'anteprima"));
        QCOMPARE(list(w, "ePag")->toolTip(), QStringLiteral("pagina da visualizzare"));
        // The two lists stand right of the last button, centred on it.
        QVERIFY(list(w, "zVal")->x() > cmd(w, 9)->geometry().right());
        QVERIFY(list(w, "ePag")->x() > list(w, "zVal")->geometry().right());

        // Closing loses the window; the page file stays for the next opening.
        QTest::keyClick(&w, Qt::Key_Escape);
        QVERIFY(!open.host.window());
        PrnPrv* again = open.host.openPreview();
        QVERIFY(again);
        QCOMPARE(again->pageList().size(), 3);
    }

    void zoomListAndPageSurface() {
        OpenPreview open(3);
        PrnPrv& w = *open.w;
        QComboBox* zVal = list(w, "zVal");
        QStringList items;
        for (int i = 0; i < zVal->count(); ++i) items << zVal->itemText(i);
        QCOMPARE(items, QStringList({"25", "50", "75", "100", "125", "150", "175", "200"}));
        for (const QString& z : items) {
            setZoom(w, qPrintable(z));
            const double f = z.toDouble() / 100;
            QCOMPARE(w.pageWidthTwips(), f * 11907);
            QCOMPARE(w.pageHeightTwips(), f * 16839.9);
            QCOMPARE(w.previewScale(), f);
            QCOMPARE(prv(w)->size(),
                     QSize(int(std::lround(f * 11907 / 15)), int(std::lround(f * 16839.9 / 15))));
            QCOMPARE(label(w, "zPag"), z + QLatin1Char('%'));
        }
        // At 50 the page is narrower than the visible part: no horizontal range.
        setZoom(w, "50");
        QCOMPARE(w.pageWidthTwips(), 5953.5);
        QVERIFY(w.visibleWidthTwips() > 5953.5);
        QCOMPARE(bar(w, "hBar")->maximum(), 0);
        QCOMPARE(bar(w, "vBar")->maximum(), std::max(0, int(std::lround(8419.95 - w.visibleHeightTwips()))));
    }

    void pageDrawnAtHalfSizeWithScaledFonts() {
        OpenPreview open(3);
        PrnPrv& w = *open.w;
        drawing::RecordingSurface rec;
        QTest::keyClick(&w, Qt::Key_PageDown);
        w.setMirror(&rec);
        setZoom(w, "50");
        w.setMirror(nullptr);
        QStringList texts;
        for (const auto& op : rec.ops(QStringLiteral("text"))) {
            texts << op.text;
            QCOMPARE(op.fontSize, op.text.startsWith(QLatin1String("Pagina")) ? 5.0 : 4.0);
        }
        QCOMPARE(texts, QStringList({"Relazione di calcolo", "pag. 2", "Pagina 2", "www.esempio.it",
                                     "posta@esempio.it"}));
        const auto scale = rec.ops(QStringLiteral("scale"));
        QVERIFY(!scale.empty());
        QCOMPARE(scale.back().args, std::vector<double>({0, 0, 11907, 16839.9}));
        QCOMPARE(rec.ops(QStringLiteral("box")).size(), std::size_t(3));
    }

    void pagingButtonsAndTheirLimits() {
        OpenPreview open(3);
        PrnPrv& w = *open.w;
        int draws = w.drawCount();
        QTest::mouseClick(cmd(w, 6), Qt::LeftButton);  // previous on page 1
        QTest::mouseClick(cmd(w, 5), Qt::LeftButton);  // first on page 1
        QCOMPARE(w.drawCount(), draws);
        QTest::mouseClick(cmd(w, 7), Qt::LeftButton);
        QCOMPARE(status(w), QStringLiteral("2/3/100%"));
        QTest::mouseClick(cmd(w, 8), Qt::LeftButton);
        QCOMPARE(status(w), QStringLiteral("3/3/100%"));
        draws = w.drawCount();
        QTest::mouseClick(cmd(w, 7), Qt::LeftButton);
        QTest::mouseClick(cmd(w, 8), Qt::LeftButton);
        QCOMPARE(w.drawCount(), draws);
        QTest::mouseClick(cmd(w, 5), Qt::LeftButton);
        QCOMPARE(status(w), QStringLiteral("1/3/100%"));

        // A choice in the list is drawn by the next redraw only.
        draws = w.drawCount();
        list(w, "ePag")->setCurrentIndex(2);
        QCOMPARE(w.drawCount(), draws);
        QCOMPARE(label(w, "aPag"), QStringLiteral("1"));
        QTest::mouseClick(cmd(w, 0), Qt::LeftButton);
        QCOMPARE(label(w, "aPag"), QStringLiteral("3"));

        // Zoom buttons stop at 25 and 200.
        for (int i = 0; i < 5; ++i) QTest::mouseClick(cmd(w, 1), Qt::LeftButton);
        QCOMPARE(label(w, "zPag"), QStringLiteral("200%"));
        for (int i = 0; i < 8; ++i) QTest::mouseClick(cmd(w, 2), Qt::LeftButton);
        QCOMPARE(label(w, "zPag"), QStringLiteral("25%"));

        QTest::mouseClick(cmd(w, 9), Qt::LeftButton);
        QVERIFY(!open.host.window());
    }

    // The window sees the keys before the control that has the focus.
    void keyTable() {
        OpenPreview open(3);
        PrnPrv& w = *open.w;
        QComboBox* zVal = list(w, "zVal");
        zVal->setFocus();
        QScrollBar* v = bar(w, "vBar");
        QScrollBar* h = bar(w, "hBar");
        QVERIFY(v->maximum() > 0);

        QTest::keyClick(zVal, Qt::Key_Down);
        QCOMPARE(zVal->currentText(), QStringLiteral("100"));
        QCOMPARE(v->value(), std::min(v->pageStep(), v->maximum()));
        QCOMPARE(prv(w)->y(), -int(std::lround(v->value() / 15.0)));
        QTest::keyClick(zVal, Qt::Key_End);
        QCOMPARE(v->value(), v->maximum());
        int draws = w.drawCount();
        QTest::keyClick(zVal, Qt::Key_Down);  // at the bottom already
        QCOMPARE(v->value(), v->maximum());
        QCOMPARE(w.drawCount(), draws);
        QTest::keyClick(zVal, Qt::Key_Home);
        QCOMPARE(v->value(), 0);
        QTest::keyClick(zVal, Qt::Key_Up);
        QCOMPARE(v->value(), 0);

        QTest::keyClick(zVal, Qt::Key_Plus);  // the main keyboard's plus is not the keypad's
        QCOMPARE(label(w, "zPag"), QStringLiteral("100%"));
        QTest::keyClick(zVal, Qt::Key_Minus, Qt::KeypadModifier);
        QCOMPARE(label(w, "zPag"), QStringLiteral("75%"));
        for (int i = 0; i < 6; ++i) QTest::keyClick(zVal, Qt::Key_Plus, Qt::KeypadModifier);
        QCOMPARE(label(w, "zPag"), QStringLiteral("200%"));
        draws = w.drawCount();
        QTest::keyClick(zVal, Qt::Key_Plus, Qt::KeypadModifier);
        QCOMPARE(w.drawCount(), draws);

        QVERIFY(h->maximum() > 0);
        QTest::keyClick(zVal, Qt::Key_Right);
        QCOMPARE(h->value(), std::min(h->pageStep(), h->maximum()));
        QTest::keyClick(zVal, Qt::Key_Left);
        QTest::keyClick(zVal, Qt::Key_Left);
        QCOMPARE(h->value(), 0);

        // After a zoom change the page is drawn from its top left corner, bars included.
        QTest::keyClick(zVal, Qt::Key_End);
        QTest::keyClick(zVal, Qt::Key_Minus, Qt::KeypadModifier);
        QCOMPARE(v->value(), 0);
        QCOMPARE(prv(w)->pos(), QPoint(0, 0));

        QTest::keyClick(zVal, Qt::Key_PageDown);
        QTest::keyClick(zVal, Qt::Key_PageDown);
        QCOMPARE(label(w, "aPag"), QStringLiteral("3"));
        draws = w.drawCount();
        QTest::keyClick(zVal, Qt::Key_PageDown);
        QCOMPARE(w.drawCount(), draws);
        QTest::keyClick(zVal, Qt::Key_PageUp);
        QCOMPARE(label(w, "aPag"), QStringLiteral("2"));
        list(w, "ePag")->setCurrentIndex(0);
        QTest::keyClick(zVal, Qt::Key_Return);
        QCOMPARE(label(w, "aPag"), QStringLiteral("1"));
        QTest::keyClick(zVal, Qt::Key_Escape);
        QVERIFY(!open.host.window());
    }

    void scrollBarsRedrawAndResizeKeepsThePageReachable() {
        OpenPreview open(3);
        PrnPrv& w = *open.w;
        setZoom(w, "200");
        QScrollBar* v = bar(w, "vBar");
        QCOMPARE(v->maximum(), int(std::lround(33679.8 - w.visibleHeightTwips())));
        QCOMPARE(bar(w, "hBar")->maximum(), int(std::lround(23814 - w.visibleWidthTwips())));
        const int draws = w.drawCount();
        v->setValue(3000);  // SistemaVBAR
        QCOMPARE(w.drawCount(), draws + 1);
        QCOMPARE(prv(w)->y(), -200);

        const QRect hBar = bar(w, "hBar")->geometry();
        w.resize(60, 60);  // 900 twips: nothing moves
        QCOMPARE(bar(w, "hBar")->geometry(), hBar);
        w.resize(500, 400);
        QCOMPARE(bar(w, "vBar")->geometry().right(), 499);
        QCOMPARE(v->maximum(), int(std::lround(33679.8 - w.visibleHeightTwips())));
        QCOMPARE(prv(w)->y(), -int(std::lround(v->value() / 15.0)));
    }

    void printButtonOpensTheRangeWindowOnThePageOnView() {
        OpenPreview open(3);
        PrnPrv& w = *open.w;
        QTest::mouseClick(cmd(w, 8), Qt::LeftButton);
        ScriptedPrompter p;
        QPrinter pdf(QPrinter::HighResolution);
        pdf.setOutputFormat(QPrinter::PdfFormat);
        pdf.setOutputFileName(open.folder.path(QStringLiteral("pagina.pdf")));
        p.queueAnswer(Answer::Yes);
        QString range;
        p.setDialogHandler([&](QDialog& d) {
            auto* prn = qobject_cast<PrnPrn*>(&d);
            if (!prn) return int(QDialog::Rejected);
            prn->setPrinter(&pdf);
            prn->setProcessEvents([] {});
            QTest::mouseClick(prn->findChild<QPushButton*>(QStringLiteral("Command4")), Qt::LeftButton);
            QTest::mouseClick(prn->findChild<QPushButton*>(QStringLiteral("Command1")), Qt::LeftButton);
            saveScreenshot(*prn, QStringLiteral("PrnPrn_over_preview"));
            QTest::mouseClick(prn->findChild<QPushButton*>(QStringLiteral("Command2")), Qt::LeftButton);
            return prn->result();
        });
        QTest::mouseClick(cmd(w, 3), Qt::LeftButton);
        QCOMPARE(p.dialogs().size(), 1);
        QCOMPARE(p.dialogs().first().className, QStringLiteral("fortema::ui::PrnPrn"));
        QCOMPARE(p.messages().size(), 1);
        QCOMPARE(p.messages().first().text,
                 QStringLiteral("Vuoi effettuare la stampa\nda pagina \t3\nalla pagina \t3?"));
        QCOMPARE(pdfPageCount(pdf.outputFileName()), 1);
        QVERIFY(p.unexpected().isEmpty());
    }

    void anEmptyPageListDrawsNothing() {
        ScriptFolderScope folder;
        PrnPrv w(folder.path());
        w.show();
        w.MostraPagina();
        QCOMPARE(status(w), QStringLiteral("/0/100%"));
        const int draws = w.drawCount();
        for (int i : {5, 6, 7, 8}) w.Cmd_Click(i);
        QCOMPARE(w.drawCount(), draws);
    }

    void hostClosesForANewDocumentAndRefusesAnEmptyOne() {
        ScriptFolderScope folder;
        PreviewHost host;
        writeDocument(host, 3);
        QPointer<PrnPrv> first = host.window();
        QVERIFY(first);
        host.writer().StartDocument();
        QVERIFY(!host.window());
        QVERIFY(!first || !first->isVisible());
        writeDocument(host, 2);
        QVERIFY(host.window());
        QCOMPARE(host.window()->pageList(), QStringList({"1", "2"}));

        ScriptedPrompter p;
        host.writer().StartDocument();
        QVERIFY(!host.openPreview(folder.path()));
        QCOMPARE(p.messages().size(), 1);
        QCOMPARE(p.messages().first().title, QStringLiteral("Anteprima non disponibile"));
        QCOMPARE(p.messages().first().text, QStringLiteral("Non ci sono pagine da stampare!"));
        QCOMPARE(p.messages().first().icon, Icon::Information);
    }

    void screenshotOfThreePages() {
        OpenPreview open(3);
        PrnPrv& w = *open.w;
        setZoom(w, "75");
        QTest::keyClick(&w, Qt::Key_PageDown);
        saveScreenshot(w, QStringLiteral("PrnPrv"));
        setZoom(w, "25");
        saveScreenshot(w, QStringLiteral("PrnPrv_zoom25"));
        QVERIFY(prv(w)->isVisible());
    }
};

namespace {
const RegisterTest<PrnPrvTest> registered;
}

}  // namespace fortema::ui::test

#include "prn_prv_test.moc"
