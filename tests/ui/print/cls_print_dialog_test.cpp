#include <QComboBox>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QSpinBox>
#include <QTest>

#include "tests/support/test_registry.h"
#include "tests/ui/print/print_documents.h"
#include "ui/aux/scripted_prompter.h"
#include "ui/print/cls_print_dialog.h"

namespace fortema::ui::test {

class ClsPrintDialogTest : public QObject {
    Q_OBJECT
private slots:
    void assignmentsKeepTheOrderOfThePageValues() {
        QPrinter printer;
        clsPrintDialog d(&printer);
        QCOMPARE(d.Flags(), 0u);
        QVERIFY(!d.CancelError());
        QCOMPARE(d.Min() + d.Max() + d.FromPage() + d.ToPage(), 0);

        d.setFromPage(5);
        d.setToPage(6);
        QCOMPARE(d.Max(), 6);
        d.setMax(2);
        QVERIFY(d.Min() <= 2);
        QCOMPARE(d.FromPage(), 2);
        QCOMPARE(d.ToPage(), 2);
        QCOMPARE(d.Max(), 2);

        d.setMin(4);  // raises everything above it
        QCOMPARE(d.FromPage(), 4);
        QCOMPARE(d.ToPage(), 4);
        QCOMPARE(d.Max(), 4);
        d.setToPage(3);  // lowers what stands above it on the left
        QCOMPARE(d.Min(), 3);
        QCOMPARE(d.FromPage(), 3);
        QCOMPARE(d.Max(), 4);
        d.setFromPage(9);
        QCOMPARE(d.ToPage(), 9);
        QCOMPARE(d.Max(), 9);
        QCOMPARE(d.Min(), 3);

        d.setFromPage(-4);
        QCOMPARE(d.FromPage(), 0);
        QCOMPARE(d.Min(), 0);
        d.setMax(0);
        QCOMPARE(d.ToPage(), 0);
        d.setMin(40000);
        QCOMPARE(d.Min(), 32767);
        QCOMPARE(d.Max(), 32767);
    }

    void cancelledSetupChangesNothing() {
        ScriptedPrompter p;
        p.setDialogHandler([](QDialog& dialog) {
            dialog.reject();
            return dialog.result();
        });
        QPrinter printer;
        printer.setCopyCount(1);
        const QString before = printer.outputFileName();
        clsPrintDialog d(&printer);
        d.setFlags(clsPrintDialog::PD_PRINTSETUP);
        QVERIFY(!d.ShowPrinter());
        QCOMPARE(d.Flags(), clsPrintDialog::PD_PRINTSETUP);
        QCOMPARE(printer.outputFileName(), before);
        QCOMPARE(p.dialogs().size(), 1);
        QCOMPARE(p.dialogs().first().className, QStringLiteral("QPrintDialog"));
    }

    // Print to file is how a user without a printer gets paper-ready pages.
    void acceptedSetupMakesTheChoiceThePrintersOwn() {
        ScriptFolderScope folder;
        const QString pdf = folder.path(QStringLiteral("relazione.pdf"));
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
            dialog.accept();
            return dialog.result();
        });
        QPrinter printer;
        clsPrintDialog d(&printer);
        d.setFlags(clsPrintDialog::PD_PRINTSETUP);
        QVERIFY(d.ShowPrinter());
        QCOMPARE(title, QStringLiteral("Imposta stampante"));
        QCOMPARE(printer.outputFormat(), QPrinter::PdfFormat);
        QCOMPARE(printer.outputFileName(), pdf);
        QCOMPARE(printer.copyCount(), 2);
        QVERIFY(d.Flags() & clsPrintDialog::PD_PRINTSETUP);
        QVERIFY(d.Flags() & clsPrintDialog::PD_PRINTTOFILE);
        QVERIFY(p.unexpected().isEmpty());
    }
};

namespace {
const RegisterTest<ClsPrintDialogTest> registered;
}

}  // namespace fortema::ui::test

#include "cls_print_dialog_test.moc"
