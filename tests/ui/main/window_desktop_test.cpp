// The main window as a desktop program: the caption and the file dialogs follow the project file,
// the save question comes only after a change, "&STAMPA" without a printer writes a PDF the user
// names (never over the last file written), the report says which positions it left out, and
// Qt's own dialogs speak Italian.

#include <QApplication>
#include <QMenu>
#include <QPrinter>
#include <QTimer>
#include <QTranslator>

#include "drawing/current_printer.h"
#include "tests/ui/main/window_test_support.h"
#include "ui/aux/scripted_prompter.h"
#include "ui/print/cls_print_dialog.h"
#include "ui/print/preview_host.h"
#include "ui/print/prn_prn.h"

namespace fortema::ui::test {

namespace {

QByteArray bytesOf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
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

    // Saved under a name, the project gives the caption its name and the dialogs their folder;
    // opening another file asks first only when something the file keeps was changed since.
    void captionDialogsAndTheQuestionFollowTheFile() {
        const struct {
            const char* change;
            void (*make)(Form1&);
        } cases[] = {
            {"none", [](Form1&) {}},
            {"Md",
             [](Form1& f) {
                 typeInto(f, Field::Md, QStringLiteral("99000"));
                 click(f.ui().calcola);
             }},
            {"description", [](Form1& f) { typeInto(f.ui().descrizione, QStringLiteral("nuova")); }},
        };
        for (const auto& k : cases) {
            ScriptedPrompter p;
            MainWindow w;
            Form1& form = w.form();
            QCOMPARE(form.windowTitle(), QStringLiteral("Senza nome - ") + programTitle());
            storeWorkedExamples(w);
            p.queueFileName(QDir(m_dir->path()).filePath(QStringLiteral("progetto.ftm")));
            form.ui().mnuSalvaconnome->trigger();
            QCOMPARE(p.fileDialogs()[0].request.folder, dialogFolder(QString()));
            QCOMPARE(form.windowTitle(), QStringLiteral("progetto.ftm - ") + programTitle());
            click(form.ui().indietro);
            k.make(form);
            click(form.ui().salva);
            const bool asks = k.change != std::string_view("none");
            if (asks) p.queueAnswer(Answer::No);
            p.queueFileName(QString());
            form.ui().mnuApri->trigger();
            QCOMPARE(p.fileDialogs()[1].request.folder, m_dir->path());
            QCOMPARE(p.messages().size(), asks ? 1 : 0);
            QVERIFY2(p.unexpected().isEmpty(), k.change);
        }
    }

    // With no printer installed, or one that writes PDF files, the sheet goes to a PDF the user
    // names each time; the report printed before from the preview stays as it was.
    void stampaWritesANamedPdfAndKeepsTheReport() {
        QPrinter& printer = drawing::currentPrinter();
        printer.setOutputFormat(QPrinter::PdfFormat);
        ScriptedPrompter p;
        MainWindow w;
        const MainControls& c = w.form().ui();
        storeWorkedExamples(w);
        const QDir dir(m_dir->path());
        p.queueFileName(dir.filePath(QStringLiteral("scuola.ftm")));
        c.mnuSalvaconnome->trigger();

        c.mnuAnteprimadistampa->trigger();
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
        QVERIFY(w.preview().window());
        w.preview().window()->Cmd_Click(3);
        QCOMPARE(p.fileDialogs().last().request.fileName, QStringLiteral("scuola.pdf"));
        const QByteArray reportBytes = bytesOf(report);
        QVERIFY(reportBytes.startsWith("%PDF-"));

        c.mnuEsempi[1]->trigger();
        click(c.calcola);
        typeInto(c.descrizione, QStringLiteral("Trave T1/bis"));
        for (const QString& name : {QStringLiteral("Trave T1_bis.pdf"), QString()}) {
            p.queueFileName(name.isEmpty() ? name : dir.filePath(name));
            click(c.stampa);
            const FileDialogRequest& asked = p.fileDialogs().last().request;
            QCOMPARE(asked.fileName, QStringLiteral("Trave T1_bis.pdf"));
            QCOMPARE(asked.folder, m_dir->path());
        }
        QVERIFY(bytesOf(dir.filePath(QStringLiteral("Trave T1_bis.pdf"))).startsWith("%PDF-"));
        QCOMPARE(bytesOf(report), reportBytes);
        // A cancelled dialog prints nothing and says nothing; the printer keeps no file name.
        QCOMPARE(p.messages().size(), 1);  // the range's question
        QVERIFY(p.unexpected().isEmpty());
        QCOMPARE(printer.outputFileName(), QString());
        QCOMPARE(dir.entryList({QStringLiteral("*.pdf")}, QDir::Files | QDir::Hidden).size(), 2);

        const QList<QAction*> items = w.form().findChild<QMenu*>(QStringLiteral("mnuFile"))->actions();
        QCOMPARE(items.indexOf(c.mnuImpostastampante), items.indexOf(c.mnuAnteprimadistampa) + 1);
        c.mnuImpostastampante->trigger();
        QCOMPARE(p.dialogs().last().className, QStringLiteral("QPrintDialog"));
    }

    void theReportSaysWhatItLeftOut() {
        ScriptedPrompter p;
        MainWindow w;
        archive::SectionArchive a;
        for (int i : {0, 1, 3, 4, 6}) a.at(i).Nd = 1000;
        a.at(0).description = QStringLiteral("Trave");
        QVERIFY(w.archive().openFile(projectFile(*m_dir, a)));
        w.form().ui().mnuAnteprimadistampa->trigger();
        QCOMPARE(p.messages().size(), 1);
        QVERIFY2(p.messages()[0].text.contains(QStringLiteral("Le posizioni 4-5, 7 contengono dati")),
                 qPrintable(p.messages()[0].text));
    }

    // The question, the file dialog and the printer setup as Qt draws them, with their pictures.
    void qtDialogsSpeakItalian() {
        QVERIFY(installItalianTranslation());
        QPrinter printer;
        const struct {
            const char* name;
            std::function<void()> open;
            QStringList buttons;
        } dialogs[] = {
            {"italian_save_question",
             [] {
                 prompter().message(nullptr, QString(), QStringLiteral("Vuoi salvare il file?"),
                                    Icon::Question, Buttons::YesNo, Answer::Yes);
             },
             {"Sì", "No"}},
            {"italian_file_dialog",
             [] {
                 prompter().saveFileName(nullptr, {QStringLiteral("Fortemi"), QStringLiteral("file (*.ftm)"),
                                                   QStringLiteral("ftm"), QDir::tempPath(), QString()});
             },
             {"Salva", "Annulla"}},
            {"italian_printer_setup",
             [&printer] {
                 clsPrintDialog setup(&printer);
                 setup.setFlags(clsPrintDialog::PD_PRINTSETUP);
                 setup.ShowPrinter();
             },
             {"Proprietà", "Annulla"}},
        };
        for (const auto& d : dialogs) {
            QStringList seen;
            QString title;
            whileModal(d.open, [&](QWidget& dialog) {
                for (const QAbstractButton* b : dialog.findChildren<QAbstractButton*>())
                    if (b->isVisible()) seen << b->text().remove('&');
                title = dialog.windowTitle();
                saveScreenshot(dialog, QLatin1String(d.name));
                static_cast<QDialog&>(dialog).reject();
            });
            for (const QString& button : d.buttons)
                QVERIFY2(seen.contains(button), qPrintable(seen.join('|')));
            if (d.buttons.contains("Sì")) QCOMPARE(title, QStringLiteral("Fortema"));
        }
        for (QTranslator* t : qApp->findChildren<QTranslator*>()) QCoreApplication::removeTranslator(t);
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_previous;
};

static RegisterTest<WindowDesktopTest> registerDesktop;

}  // namespace fortema::ui::test

#include "window_desktop_test.moc"
