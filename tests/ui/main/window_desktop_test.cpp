// The main window as a desktop program: the caption names the file, the save question comes only
// after changes, file dialogs open where the file is, "&STAMPA" writes a PDF when there is no
// printer (and never over the last file written), the printer setup stands in "&File", the report
// says which positions it left out, and Qt's own dialogs speak Italian.

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QMenu>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QSysInfo>
#include <QTimer>
#include <QTranslator>

#include "drawing/current_printer.h"
#include "tests/ui/main/window_test_support.h"
#include "ui/aux/scripted_prompter.h"
#include "ui/main/frm_splash.h"
#include "ui/print/cls_print_dialog.h"
#include "ui/print/preview_host.h"
#include "ui/print/prn_prn.h"

namespace fortema::ui::test {

namespace {

QByteArray bytesOf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString pdfText(const QString& pdf) {
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdftotext.isEmpty()) return {};
    QProcess p;
    p.start(pdftotext, {pdf, QStringLiteral("-")});
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

// Runs `open`, which shows a modal window; once it is up, `look` gets it and must close it.
void whileModal(const std::function<void()>& open, const std::function<void(QWidget&)>& look) {
    QTimer poll;
    poll.setInterval(20);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible()) return;
        poll.stop();
        look(*modal);
    });
    poll.start();
    open();
}

QStringList buttonTexts(const QWidget& w) {
    QStringList texts;
    for (const QAbstractButton* b : w.findChildren<QAbstractButton*>()) {
        if (b->isVisible()) texts << b->text().remove(QLatin1Char('&'));
    }
    return texts;
}

}  // namespace

class WindowDesktopTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        // The page file of a report goes to the current directory.
        m_dir = std::make_unique<QTemporaryDir>();
        m_previous = QDir::currentPath();
        QDir::setCurrent(m_dir->path());
    }
    void cleanup() {
        QDir::setCurrent(m_previous);
        m_dir.reset();
    }

    void captionAndDialogsFollowTheFile() {
        ScriptedPrompter p;
        MainWindow w;
        Form1& form = w.form();
        const MainControls& c = form.ui();
        QCOMPARE(form.windowTitle(), QStringLiteral("Senza nome - ") + programTitle());
        QCOMPARE(frmSplash().findChild<QLabel*>(QStringLiteral("lblPlatform"))->text(),
                 QSysInfo::prettyProductName());

        c.mnuEsempi[0]->trigger();
        click(c.calcola);
        click(c.salva);
        const QString path = QDir(m_dir->path()).filePath(QStringLiteral("scuola.ftm"));
        p.queueFileName(path);
        c.mnuSalvaconnome->trigger();
        QCOMPARE(p.fileDialogs().at(0).request.folder, dialogFolder(QString()));
        QCOMPARE(form.windowTitle(), QStringLiteral("scuola.ftm - ") + programTitle());
        // Nothing changed since the save: no question; the dialog opens in the file's folder.
        p.queueFileName(QString());
        c.mnuApri->trigger();
        QCOMPARE(p.fileDialogs().at(1).request.folder, m_dir->path());
        QVERIFY(p.messages().isEmpty());
        p.setDialogHandler([](QDialog&) { return int(QDialog::Rejected); });
        c.mnuNuovo->trigger();
        QCOMPARE(form.windowTitle(), QStringLiteral("Senza nome - ") + programTitle());
        QVERIFY(p.unexpected().isEmpty());
    }

    // The question looks at the data it always looked at, but only at their changes since the
    // project was opened or saved.
    void saveQuestionOnlyAfterChangesOfData() {
        const struct {
            const char* change;
            bool asks;
        } cases[] = {{"none", false}, {"actions", true}, {"description", true}, {"geometry", true}};
        for (const auto& k : cases) {
            ScriptedPrompter p;
            MainWindow w;
            const MainControls& c = w.form().ui();
            storeWorkedExamples(w);
            const QString path = QDir(m_dir->path()).filePath(QStringLiteral("progetto.ftm"));
            p.queueFileName(path);
            c.mnuSalvaconnome->trigger();
            QVERIFY(w.archive().openFile(path));
            const QString change = QString::fromLatin1(k.change);
            if (change == QLatin1String("actions")) typeInto(w.form(), Field::Md, QStringLiteral("99000"));
            if (change == QLatin1String("description")) typeInto(c.descrizione, QStringLiteral("nuova"));
            if (change == QLatin1String("geometry")) typeInto(w.form(), Field::h, QStringLiteral("450"));
            if (change != QLatin1String("none")) {
                click(c.calcola);
                click(c.salva);
            }
            p.clearRecords();
            if (k.asks) p.queueAnswer(Answer::No);
            QVERIFY(w.archive().mayClose());
            QCOMPARE(p.messages().size(), k.asks ? 1 : 0);
            if (k.asks) QCOMPARE(p.messages()[0].text, QStringLiteral("Vuoi salvare il file?"));
            QVERIFY2(p.unexpected().isEmpty(), k.change);
        }
    }

    // With no printer installed (or a printer that writes PDF files) the sheet goes to a PDF the
    // user names each time; the report printed before from the preview stays as it was.
    void stampaWritesANamedPdfAndKeepsTheReport() {
        QPrinter& printer = drawing::currentPrinter();
        const QPrinter::OutputFormat format = printer.outputFormat();
        printer.setOutputFormat(QPrinter::PdfFormat);
        ScriptedPrompter p;
        MainWindow w;
        const MainControls& c = w.form().ui();
        storeWorkedExamples(w);
        const QDir dir(m_dir->path());
        p.queueFileName(dir.filePath(QStringLiteral("scuola.ftm")));
        c.mnuSalvaconnome->trigger();

        c.mnuAnteprimadistampa->trigger();
        PrnPrv* preview = w.preview().window();
        QVERIFY(preview);
        const QString report = dir.filePath(QStringLiteral("scuola.pdf"));
        p.queueAnswer(Answer::Yes);
        p.queueFileName(report);
        p.setDialogHandler([](QDialog& d) {
            auto* range = qobject_cast<PrnPrn*>(&d);
            if (!range) return int(QDialog::Rejected);
            range->setProcessEvents([] {});
            range->Command1_Click();
            return int(QDialog::Accepted);
        });
        preview->Cmd_Click(3);
        QCOMPARE(p.fileDialogs().last().request.fileName, QStringLiteral("scuola.pdf"));
        QCOMPARE(p.fileDialogs().last().request.folder, m_dir->path());
        const QByteArray reportBytes = bytesOf(report);
        QVERIFY(reportBytes.startsWith("%PDF"));

        c.mnuEsempi[1]->trigger();
        click(c.calcola);
        typeInto(c.descrizione, QStringLiteral("Trave T1/bis"));
        const QString sheet = dir.filePath(QStringLiteral("Trave T1_bis.pdf"));
        p.queueFileName(sheet);
        click(c.stampa);
        const ScriptedPrompter::FileDialog& asked = p.fileDialogs().last();
        QCOMPARE(asked.kind, ScriptedPrompter::FileKind::Save);
        QCOMPARE(asked.request.fileName, QStringLiteral("Trave T1_bis.pdf"));
        QCOMPARE(asked.request.folder, m_dir->path());
        QCOMPARE(asked.request.defaultSuffix, QStringLiteral("pdf"));
        QVERIFY(bytesOf(sheet).startsWith("%PDF"));
        QCOMPARE(bytesOf(report), reportBytes);
        QCOMPARE(printer.outputFileName(), QString());
        const QString text = pdfText(sheet);
        if (!text.isEmpty())
            QVERIFY(text.contains(QStringLiteral("DESCRIZIONE DELLA SEZIONE: Trave T1/bis")));

        // A cancelled dialog prints nothing and says nothing.
        p.queueFileName(QString());
        click(c.stampa);
        QVERIFY(p.messages().size() == 1);  // the confirmation of the report's range
        QVERIFY(p.unexpected().isEmpty());
        QCOMPARE(dir.entryList({QStringLiteral("*.pdf")}, QDir::Files | QDir::Hidden).size(), 2);
        printer.setOutputFormat(format);
    }

    void printerSetupStandsInTheFileMenu() {
        ScriptedPrompter p;
        MainWindow w;
        const MainControls& c = w.form().ui();
        const QList<QAction*> items = w.form().findChild<QMenu*>(QStringLiteral("mnuFile"))->actions();
        QCOMPARE(items.indexOf(c.mnuImpostastampante), items.indexOf(c.mnuAnteprimadistampa) + 1);
        QCOMPARE(c.mnuImpostastampante->text(), QStringLiteral("Imposta stampa&nte..."));
        c.mnuImpostastampante->trigger();
        QCOMPARE(p.dialogs().size(), 1);
        QCOMPARE(p.dialogs()[0].className, QStringLiteral("QPrintDialog"));
    }

    void theReportSaysWhatItLeftOut() {
        ScriptedPrompter p;
        MainWindow w;
        archive::SectionArchive a;
        for (int i : {0, 1, 3, 4, 6}) {
            a.at(i).description = QStringLiteral("Sezione %1").arg(i + 1);
            a.at(i).Nd = 1000;
        }
        QVERIFY(w.archive().openFile(projectFile(*m_dir, a)));
        w.form().ui().mnuAnteprimadistampa->trigger();
        QCOMPARE(p.messages().size(), 1);
        QCOMPARE(p.messages()[0].icon, Icon::Information);
        QVERIFY2(p.messages()[0].text.contains(QStringLiteral("Le posizioni 4-5, 7 contengono dati")),
                 qPrintable(p.messages()[0].text));
    }

    // Qt's own dialogs in Italian; their pictures are kept for a person to look at.
    void qtDialogsSpeakItalian() {
        QVERIFY(installItalianTranslation());
        QStringList seen;
        whileModal(
            [] {
                prompter().message(nullptr, QString(), QStringLiteral("Vuoi salvare il file?"),
                                   Icon::Question, Buttons::YesNo, Answer::Yes);
            },
            [&](QWidget& box) {
                QCOMPARE(box.windowTitle(), QStringLiteral("Fortema"));
                seen << buttonTexts(box);
                saveScreenshot(box, QStringLiteral("italian_save_question"));
                static_cast<QMessageBox&>(box).button(QMessageBox::No)->click();
            });
        QVERIFY2(seen.contains(QStringLiteral("Sì")) && seen.contains(QStringLiteral("No")),
                 qPrintable(seen.join('|')));

        seen.clear();
        whileModal(
            [] {
                prompter().saveFileName(
                    nullptr, {QStringLiteral("Fortemi"), QStringLiteral("file (*.ftm)"),
                              QStringLiteral("ftm"), QDir::tempPath(), QStringLiteral("scuola.ftm")});
            },
            [&](QWidget& dialog) {
                seen << buttonTexts(dialog);
                saveScreenshot(dialog, QStringLiteral("italian_file_dialog"));
                static_cast<QDialog&>(dialog).reject();
            });
        QVERIFY2(seen.contains(QStringLiteral("Salva")) && seen.contains(QStringLiteral("Annulla")),
                 qPrintable(seen.join('|')));

        seen.clear();
        QPrinter printer;
        whileModal(
            [&] {
                clsPrintDialog setup(&printer);
                setup.setFlags(clsPrintDialog::PD_PRINTSETUP);
                setup.ShowPrinter();
            },
            [&](QWidget& dialog) {
                seen << buttonTexts(dialog);
                saveScreenshot(dialog, QStringLiteral("italian_printer_setup"));
                static_cast<QDialog&>(dialog).reject();
            });
        QVERIFY2(seen.contains(QStringLiteral("Annulla")) && seen.contains(QStringLiteral("Proprietà")),
                 qPrintable(seen.join('|')));
        for (QTranslator* t : qApp->findChildren<QTranslator*>()) QCoreApplication::removeTranslator(t);
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_previous;
};

static RegisterTest<WindowDesktopTest> registerDesktop;

}  // namespace fortema::ui::test

#include "window_desktop_test.moc"
