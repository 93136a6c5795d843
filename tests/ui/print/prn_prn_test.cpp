#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QTest>

#include "tests/support/test_registry.h"
#include "tests/ui/aux/window_checks.h"
#include "tests/ui/print/print_documents.h"
#include "ui/aux/scripted_prompter.h"
#include "ui/print/prn_prn.h"

namespace fortema::ui::test {

namespace {

QComboBox* list(PrnPrn& w, const char* name) { return w.findChild<QComboBox*>(QLatin1String(name)); }
QPushButton* button(PrnPrn& w, const char* name) { return w.findChild<QPushButton*>(QLatin1String(name)); }

QStringList items(QComboBox* box) {
    QStringList out;
    for (int i = 0; i < box->count(); ++i) out << box->itemText(i);
    return out;
}

QStringList pages(int n) {
    QStringList out;
    for (int i = 1; i <= n; ++i) out << QString::number(i);
    return out;
}

// A written document of `n` pages and a PDF printer beside it.
struct Printout {
    explicit Printout(int n) {
        PreviewHost host;
        writeDocument(host, n);
        pageFile = host.writer().pageFile();
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdfPath);
    }
    ScriptFolderScope folder;
    QString pdfPath = folder.path(QStringLiteral("stampa.pdf"));
    QString pageFile;
    QPrinter printer{QPrinter::HighResolution};
};

}  // namespace

class PrnPrnTest : public QObject {
    Q_OBJECT
private slots:
    void loadsTheListsOfThePreview() {
        PrnPrn w(pages(7), 2, QStringLiteral("x"));
        QCOMPARE(w.windowTitle(), QStringLiteral("Stampa"));
        QCOMPARE(w.findChild<QLineEdit*>(QStringLiteral("tPag"))->text(), QStringLiteral("7"));
        QCOMPARE(items(list(w, "sPag")), pages(7));
        QCOMPARE(items(list(w, "ePag")), pages(7));
        QCOMPARE(list(w, "sPag")->currentText(), QStringLiteral("1"));
        QCOMPARE(list(w, "ePag")->currentText(), QStringLiteral("7"));
        const QList<QStringList> buttons = {
            {"Command1", "&Stampa", "effettua la stampa"},
            {"Command2", "A&nnulla", "chiude la finestra e annulla la stampa"},
            {"Command3", "Sta&mpante", "impostazione stampante"},
            {"Command4", "Seleziona la pagina &visualizzata", "stampa la pagina visualizzata"}};
        for (const QStringList& b : buttons) {
            QPushButton* pb = button(w, qPrintable(b[0]));
            QVERIFY(pb);
            QCOMPARE(pb->text(), b[1]);
            QCOMPARE(pb->toolTip(), b[2]);
        }
        QTest::mouseClick(button(w, "Command4"), Qt::LeftButton);
        QCOMPARE(list(w, "sPag")->currentText(), QStringLiteral("3"));
        QCOMPARE(list(w, "ePag")->currentText(), QStringLiteral("3"));
        w.show();
        FORTEMA_VERIFY_LAYOUT(w, {QStringLiteral("tBar"), QStringLiteral("pBar")});
        saveScreenshot(w, QStringLiteral("PrnPrn"));
    }

    void confirmationTextsAndNoSendsNothing() {
        QCOMPARE(printRangeQuestion(2, 4),
                 QStringLiteral("Vuoi effettuare la stampa\nda pagina \t2\nalla pagina \t4?"));
        QCOMPARE(printRangeQuestion(3, 3),
                 QStringLiteral("Vuoi effettuare la stampa\nda pagina \t3\nalla pagina \t3?"));
        QCOMPARE(printRangeQuestion(5, 3), QStringLiteral("Vuoi effettuare la stampa\ndella pagina 5?"));

        Printout out(7);
        ScriptedPrompter p;
        p.queueAnswer(Answer::No);
        PrnPrn w(pages(7), 0, out.pageFile);
        w.setPrinter(&out.printer);
        w.show();
        list(w, "sPag")->setCurrentIndex(4);
        list(w, "ePag")->setCurrentIndex(2);
        QTest::mouseClick(button(w, "Command1"), Qt::LeftButton);
        QCOMPARE(p.messages().size(), 1);
        const auto& m = p.messages().first();
        QCOMPARE(m.title, QStringLiteral("Stampa delle pagine"));
        QCOMPARE(m.text, printRangeQuestion(5, 3));
        QCOMPARE(m.icon, Icon::Question);
        QCOMPARE(m.buttons, Buttons::YesNo);
        QVERIFY(!QFile::exists(out.pdfPath));
        QCOMPARE(w.pagesSent(), 0);
        QVERIFY(w.isVisible());
        QVERIFY(p.unexpected().isEmpty());
    }

    // Pages 2 to 3 of five: two sheets, the fill half the track on page 2 and all of it on 3.
    void printsTheRangeWithItsProgress() {
        Printout out(5);
        ScriptedPrompter p;
        p.queueAnswer(Answer::Yes);
        p.queueFileName(out.pdfPath);
        PrnPrn w(pages(5), 0, out.pageFile);
        w.setPrinter(&out.printer);
        QList<double> fills;
        w.setProcessEvents([&] { fills << w.progressWidth(); });
        w.show();
        list(w, "sPag")->setCurrentIndex(1);
        list(w, "ePag")->setCurrentIndex(2);
        QTest::mouseClick(button(w, "Command1"), Qt::LeftButton);
        QCOMPARE(w.pagesSent(), 2);
        QCOMPARE(pdfPageCount(out.pdfPath), 2);
        // The printed pages, for a person to look at.
        QDir().mkpath(QStringLiteral(FORTEMA_SCREENSHOT_DIR));
        QFile::remove(QStringLiteral(FORTEMA_SCREENSHOT_DIR "/PrnPrn_pages_2_3.pdf"));
        QFile::copy(out.pdfPath, QStringLiteral(FORTEMA_SCREENSHOT_DIR "/PrnPrn_pages_2_3.pdf"));
        QCOMPARE(fills, QList<double>({0.0, w.trackWidth() / 2, w.trackWidth()}));
        QVERIFY(!w.PrintCancelled());
        QVERIFY(w.isVisible());
    }

    void cancelStopsAtTheNextPageButEscDoesNot() {
        for (const bool esc : {false, true}) {
            Printout out(5);
            ScriptedPrompter p;
            p.queueAnswer(Answer::Yes);
            p.queueFileName(out.pdfPath);
            PrnPrn w(pages(5), 0, out.pageFile);
            w.setPrinter(&out.printer);
            int calls = 0;
            w.setProcessEvents([&] {
                // The second call comes as page 2, the first of the range, starts.
                if (++calls != 2) return;
                if (esc) {
                    QTest::keyClick(&w, Qt::Key_Escape);
                } else {
                    QTest::mouseClick(button(w, "Command2"), Qt::LeftButton);
                }
            });
            w.show();
            list(w, "sPag")->setCurrentIndex(1);
            list(w, "ePag")->setCurrentIndex(3);
            QTest::mouseClick(button(w, "Command1"), Qt::LeftButton);
            QVERIFY(!w.isVisible());
            QCOMPARE(w.PrintCancelled(), !esc);
            // A PDF stopped part way is not kept.
            QCOMPARE(pdfPageCount(out.pdfPath), esc ? 3 : -1);
            QVERIFY(!w.isPrinting());
        }
    }

    void anEmptyListStartsNoPrinterJob() {
        Printout out(1);
        ScriptedPrompter p;
        p.queueAnswer(Answer::Yes);
        PrnPrn w({}, -1, out.pageFile);
        w.setPrinter(&out.printer);
        QTest::mouseClick(button(w, "Command4"), Qt::LeftButton);
        QTest::mouseClick(button(w, "Command1"), Qt::LeftButton);
        QCOMPARE(p.messages().size(), 1);
        QCOMPARE(p.messages().first().text, printRangeQuestion(0, 0));
        QCOMPARE(w.pagesSent(), 0);
        QVERIFY(!QFile::exists(out.pdfPath));
    }

    // A page file gone since the preview opened sends no blank sheet and says why.
    void aMissingPageFileIsReported() {
        Printout out(2);
        QVERIFY(QFile::remove(out.pageFile));
        ScriptedPrompter p;
        p.queueAnswer(Answer::Yes);
        PrnPrn w(pages(2), 0, out.pageFile);
        w.setPrinter(&out.printer);
        QTest::mouseClick(button(w, "Command1"), Qt::LeftButton);
        QCOMPARE(p.messages().size(), 2);
        QCOMPARE(p.messages().last().icon, Icon::Exclamation);
        QVERIFY(p.messages().last().text.contains(QDir::toNativeSeparators(out.pageFile)));
        QVERIFY(!QFile::exists(out.pdfPath));
    }
};

namespace {
const RegisterTest<PrnPrnTest> registered;
}

}  // namespace fortema::ui::test

#include "prn_prn_test.moc"
