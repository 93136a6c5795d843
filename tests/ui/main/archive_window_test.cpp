// The archive through the main window: browsing, storing, showing stored positions, copy and
// paste, emptying, the file commands and the save question before a project is replaced or
// closed; the load combinations kept with a position, the full report of the stored sections
// into the preview, and the report and the sheet printed to PDFs when there is no printer.

#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QMouseEvent>
#include <QPrinter>
#include <QTableWidget>

#include "drawing/current_printer.h"
#include "drawing/picture_box.h"
#include "tests/ui/main/window_test_support.h"
#include "ui/aux/scripted_prompter.h"
#include "ui/main/combinations_window.h"
#include "ui/print/preview_host.h"
#include "ui/print/prn_prn.h"

namespace fortema::ui::test {

namespace {

using archive::ProjectData;
using archive::SectionArchive;
using archive::SectionRecord;

// A circle in field 5 failing its Md, a rectangle with decimals in field 1 whose Mu just meets its
// Md, a position of a type the program does not know.
SectionArchive mixedArchive() {
    SectionArchive a;
    SectionRecord& c = a.at(0);
    c.sectionType = QStringLiteral("C");
    c.description = QStringLiteral("pilastro è tondo");
    c.fyk = 4500, c.fyd = 3000, c.Ea = 2100000, c.fmd = 118.5f, c.Em = 299000;
    c.geometry = {400, 0, 30, 0, 700, 0, 0};
    c.Md = 300000, c.Nu = 20000, c.Mu = 250000, c.campo = 5;
    SectionRecord& r = a.at(1);
    r.description = QStringLiteral("trave");
    r.fyk = 4300, r.fyd = 3739, r.Ea = 2100000, r.fmd = 10, r.Em = 10000;
    r.geometry = {1000, 400, 30.5f, 30, 150, 100, 0};
    r.Nd = 14000, r.Md = 182000, r.Nu = 14000, r.Mu = 182000, r.yan = 14.25f, r.campo = 1;
    SectionRecord& x = a.at(2);
    x.sectionType = QStringLiteral("X");
    x.fmd = 4, x.Nd = 7, x.Md = 14000000;
    return a;
}

QByteArray contents(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The commands that replace or close the project; null: the window's close box.
using Command = QAction* MainControls::*;
const Command kCommands[] = {&MainControls::mnuNuovo, &MainControls::mnuApri, &MainControls::mnuChiudi,
                             &MainControls::mnuEsci, nullptr};

}  // namespace

class ArchiveWindowTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        // The page file goes to the program's private folder, never to the current directory.
        m_dir = std::make_unique<QTemporaryDir>();
        m_previous = QDir::currentPath();
        QDir::setCurrent(m_dir->path());
    }
    void cleanup() {
        QDir::setCurrent(m_previous);
        m_dir.reset();
    }

    // "Sa&lva dati" stores the last calculation, not what the boxes hold now; both ends of the
    // archive hold, and every move shows the position again.
    void browseStoreAndReload() {
        ScriptedPrompter p;
        MainWindow w;
        Form1& form = w.form();
        const MainControls& c = form.ui();
        c.mnuEsempi[2]->trigger();
        click(c.calcola);
        const engine::SectionResult result = form.analysis().result();
        typeInto(form, Field::b, QStringLiteral("999"));
        click(c.salva);
        QCOMPARE(w.archive().archive().at(0).Mu, float(result.Mu));
        QCOMPARE(c.field(Field::b)->text(), QStringLiteral("999"));
        click(c.indietro);
        QCOMPARE(c.lblNumero->text(), QStringLiteral("1"));
        QCOMPARE(c.field(Field::b)->text(), QStringLiteral("300"));
        QCOMPARE(c.lblYan->text(), QStringLiteral(" yan = %1 cm").arg(shown(result.yan)));  // cm when stored
        for (int i = 0; i < 100; ++i) click(c.avanti);
        QCOMPARE(c.lblNumero->text(), QStringLiteral("100"));
        QCOMPARE(c.salva->toolTip(), QStringLiteral("Salva i dati nella posizione N°100"));
        QCOMPARE(c.field(Field::Nd)->text(), QStringLiteral("1"));  // a stored 0 written as typing would
        QCOMPARE(c.lblCampo->text(), QStringLiteral(" Campo = ?"));
        QVERIFY(!c.calcola->isEnabled());
        QVERIFY(p.unexpected().isEmpty());
    }

    // A 1 and two hundred zeros typed into h: no number of the archive holds it, so nothing is stored.
    void numbersTheArchiveCannotKeepAreNotStored() {
        ScriptedPrompter p;
        MainWindow w;
        typeSection(w.form(), engine::testing::example1());
        typeInto(w.form(), Field::h, QStringLiteral("1") + QString(200, QLatin1Char('0')));
        p.queueAnswer(Answer::Ok);
        click(w.form().ui().calcola);
        p.queueAnswer(Answer::Ok);
        click(w.form().ui().salva);
        QCOMPARE(p.messages().size(), 2);
        QVERIFY(p.messages()[1].text.contains(
            QStringLiteral(": h = 1E+200 mm\n\nI dati non sono stati salvati.")));
        QCOMPARE(w.archive().archive().at(0), SectionRecord());
        QVERIFY(p.unexpected().isEmpty());
    }

    void storedPositionsShowAsStored() {
        ScriptedPrompter p;
        QTemporaryDir dir;
        MainWindow w;
        Form1& form = w.form();
        const MainControls& c = form.ui();
        typeInto(form, Field::b, QStringLiteral("1234"));
        QVERIFY(w.archive().openFile(projectFile(dir, mixedArchive())));
        QVERIFY(c.Option2->isChecked());
        QCOMPARE(c.field(Field::fyd)->text(), QStringLiteral("3000"));  // the stored fyd, not fyk's proposal
        QCOMPARE(c.field(Field::b)->text(), QStringLiteral("1234"));    // the other type's boxes stay
        QCOMPARE(c.lblCampo->text(), QStringLiteral(" Campo = 5"));
        QCOMPARE(backColour(c.lblCampo), QColor(0, 255, 255));
        QCOMPARE(backColour(c.lblMu), QColor(255, 0, 0));  // Mu < Md
        // A stored decimal is calculated again as stored, under either locale.
        click(c.calcola);
        QCOMPARE(form.analysis().section().fmd, 118.5);
        click(c.avanti);
        QVERIFY(c.Option1->isChecked());
        QCOMPARE(c.lblCampo->text(), QStringLiteral(" Campo = 1"));
        QCOMPARE(textColour(c.lblCampo), QColor(0, 0, 0));     // black here, white after a calculation
        QCOMPARE(backColour(c.lblMu), QColor(255, 255, 255));  // Mu = Md passes
        QCOMPARE(c.field(Field::c1)->text(), QStringLiteral("30,5"));
        click(c.calcola);
        QCOMPARE(form.analysis().section().c1, 3.05);
        // An unknown type keeps the selection and shows neither geometry nor results of the
        // position before it; its own materials and actions stay.
        click(c.avanti);
        QVERIFY(c.Option1->isChecked());
        for (const Field f : engine::kRectangularFields) QCOMPARE(c.field(f)->text(), QString());
        for (const QLabel* result : {c.lblCampo, c.lblNu, c.lblMu, c.lblYan})
            QVERIFY(result->text().contains('?'));
        QCOMPARE(c.field(Field::fmd)->text(), QStringLiteral("4"));
        QCOMPARE(c.field(Field::Md)->text(), QStringLiteral("1.4E+07"));
        QVERIFY(!c.calcola->isEnabled());
        QCOMPARE(p.beeps(), 0);
    }

    void copyPasteAndEmptying() {
        ScriptedPrompter p;
        QTemporaryDir dir;
        MainWindow w;
        const MainControls& c = w.form().ui();
        ArchiveCommands& commands = w.archive();
        QVERIFY(commands.openFile(projectFile(dir, mixedArchive(), {"Ponte", "", "", "", "", ""})));
        // A rectangle copied under the circular type loses h, c2, A2 and yan.
        click(c.avanti);
        QTest::mouseClick(c.Option2, Qt::LeftButton);
        click(c.copia);
        QCOMPARE(commands.clipboard().record.geometry, (std::array<float, 7>{1000, 0, 30.5f, 0, 150, 0, 0}));
        QTest::mouseClick(c.Option1, Qt::LeftButton);
        click(c.copia);
        for (int i = 0; i < 3; ++i) click(c.avanti);
        click(c.incolla);
        QCOMPARE(commands.archive().at(4), mixedArchive().at(1));
        // "&Cancella tutti i record" after its question: the window as at the start.
        p.queueAnswer(Answer::No);
        c.mnuCancellarecord->trigger();
        QCOMPARE(p.messages().size(), 1);
        QCOMPARE(commands.archive(), SectionArchive());
        QCOMPARE(commands.projectData()[0], QStringLiteral("Ponte"));
        QCOMPARE(c.lblNumero->text(), QStringLiteral("1"));
        QVERIFY(!c.calcola->isEnabled() && !c.stampa->isEnabled());
    }

    // The worked examples saved, a new project, the file opened again (on position 1, whatever
    // was shown) and saved back to it without asking.
    void fourExamplesSurviveSaveNewAndOpen() {
        ScriptedPrompter p;
        QTemporaryDir dir;
        MainWindow w;
        const MainControls& c = w.form().ui();
        ArchiveCommands& commands = w.archive();
        storeWorkedExamples(w);
        const SectionArchive saved = commands.archive();
        const QString path = QDir(dir.path()).filePath("esempi.ftm");
        QCOMPARE(w.form().windowTitle(), QStringLiteral("Senza nome - ") + programTitle());
        p.queueFileName(path);
        c.mnuSalvaconnome->trigger();
        QCOMPARE(p.fileDialogs()[0].request.folder, dialogFolder(QString()));
        QCOMPARE(w.form().windowTitle(), QStringLiteral("esempi.ftm - ") + programTitle());
        c.mnuNuovo->trigger();  // saved: no question
        QVERIFY(p.messages().isEmpty() && commands.archive() == SectionArchive());
        QVERIFY(commands.currentFileName().isEmpty());
        click(c.avanti);
        p.queueFileName(path);
        c.mnuApri->trigger();
        QCOMPARE(commands.archive(), saved);
        QCOMPARE(commands.currentFileName(), path);
        QCOMPARE(c.descrizione->text(), QString::fromUtf8(workedExamples()[0].description));
        for (int i = 0; i < 4; ++i) click(c.avanti);
        typeInto(c.descrizione, QStringLiteral("aggiunta"));
        click(c.salva);
        p.clearRecords();
        c.mnuSalva->trigger();
        QVERIFY(p.fileDialogs().isEmpty());
        SectionArchive reread;
        ProjectData data;
        QVERIFY(archive::readProjectFile(path, reread, data).ok);
        QCOMPARE(reread.at(4).description, QStringLiteral("aggiunta"));
        // A stored Md is a change to ask about; the dialog starts in the file's folder.
        for (int i = 0; i < 4; ++i) click(c.indietro);  // the first example
        typeInto(w.form(), Field::Md, QStringLiteral("99000"));
        click(c.calcola);
        click(c.salva);
        p.queueAnswer(Answer::No);
        p.queueFileName(QString());
        c.mnuApri->trigger();
        QCOMPARE(p.fileDialogs().last().request.folder, dir.path());
        QCOMPARE(p.messages().size(), 1);
        QVERIFY(p.unexpected().isEmpty());
    }

    void aFileThatCannotBeReadChangesNothing() {
        QTemporaryDir dir;
        const QString good = projectFile(dir, mixedArchive(), {"Progetto", "", "", "", "", ""});
        const QString truncated = QDir(dir.path()).filePath("corto.ftm");
        QVERIFY(QFile::copy(good, truncated) && QFile::resize(truncated, 500));
        for (const QString& file : {truncated, QDir(dir.path()).filePath("manca.ftm"), dir.path()}) {
            ScriptedPrompter p;
            MainWindow w;
            QVERIFY(w.archive().openFile(good));
            click(w.form().ui().avanti);
            typeInto(w.form().ui().descrizione, QStringLiteral("in corso"));
            const SectionArchive before = w.archive().archive();
            p.queueFileName(file);  // a description typed but not stored: no question
            p.queueAnswer(Answer::Ok);
            w.form().ui().mnuApri->trigger();
            QCOMPARE(p.messages().size(), 1);
            QCOMPARE(p.messages()[0].icon, Icon::Exclamation);
            QCOMPARE(w.archive().archive(), before);
            QCOMPARE(w.archive().currentFileName(), good);
            QCOMPARE(w.form().ui().descrizione->text(), QStringLiteral("in corso"));
        }
    }

    // A save that did not happen after "Vuoi salvare il file?" stops the command; a No or a
    // save that went through lets it go on. A save that fails keeps the project as it was (the
    // file written over is kept by the writer; see the project file's tests).
    void saveQuestionStopsOnlyWhenTheProjectWasNotSaved() {
        enum class Reply { No, YesSaved, YesCancelled, YesFailed };
        for (int i = 0; i < int(std::size(kCommands)); ++i) {
            for (const Reply reply : {Reply::No, Reply::YesSaved, Reply::YesCancelled, Reply::YesFailed}) {
                const Command command = kCommands[i];
                const QString what = QStringLiteral("command %1, reply %2").arg(i).arg(int(reply));
                ScriptedPrompter p;
                QTemporaryDir dir;
                MainWindow w;
                w.form().show();
                p.setDialogHandler([](QDialog&) { return int(QDialog::Rejected); });
                QVERIFY(w.archive().openFile(projectFile(dir, mixedArchive())));
                click(w.form().ui().incolla);  // a change since the file was opened
                const SectionArchive changed = w.archive().archive();
                p.queueAnswer(reply == Reply::No ? Answer::No : Answer::Yes);
                if (reply == Reply::YesSaved) p.queueFileName(QDir(dir.path()).filePath("copia.ftm"));
                if (reply == Reply::YesCancelled) p.queueFileName(QString());
                if (reply == Reply::YesFailed) {
                    p.queueFileName(QDir(dir.path()).filePath("manca/copia.ftm"));
                    p.queueAnswer(Answer::Ok);
                }
                const bool stops = reply == Reply::YesCancelled || reply == Reply::YesFailed;
                if (command == &MainControls::mnuApri && !stops) p.queueFileName(QString());
                command ? (w.form().ui().*command)->trigger() : void(w.form().close());
                QCOMPARE(p.messages()[0].text, QStringLiteral("Vuoi salvare il file?"));
                const bool closes = command != &MainControls::mnuNuovo && command != &MainControls::mnuApri;
                QVERIFY2(w.form().isVisible() == (stops || !closes), qPrintable(what));
                if (stops) QCOMPARE(w.archive().archive(), changed);
                QVERIFY2(p.unexpected().isEmpty(), qPrintable(what + ": " + p.unexpected().join(", ")));
                QCOMPARE(p.pendingFileNames(), 0);
            }
        }
    }

    void pasteCheckEditSaveAndReopen() {
        ScriptedPrompter p;
        QTemporaryDir dir;
        MainWindow w;
        const MainControls& c = w.form().ui();
        c.mnuEsempi[2]->trigger();  // the rectangle of the T beam
        click(c.calcola);
        click(c.salva);
        // Rows as a spreadsheet copies them: tabs, decimal commas, a header; the third fails.
        const QString rows = QStringLiteral(
            "Nome\tN\tM\nSLU 1\t45000\t1001000,5\nSLU 2\t20000\t5,5\n"
            "SLU 3\t45000\t2000000,5\n");
        const auto drive = [&](CombinationsWindow& window) {
            QTableWidget& table = *window.table();
            // The domain is drawn over the whole box from the first showing on.
            QCOMPARE(window.plot()->image().size() / window.plot()->image().devicePixelRatio(),
                     window.plot()->size());
            QVERIFY(window.pasteText(rows));
            QCOMPARE(table.rowCount(), 3);
            QCOMPARE(window.result().governing, 2);
            QVERIFY(table.item(2, CombinationsWindow::Name)->font().bold());
            QCOMPARE(table.item(2, CombinationsWindow::Verdict)->text(), "NON VERIFICATA");
            QCOMPARE(table.item(0, CombinationsWindow::Verdict)->text(), "VERIFICATA");
            // A cell that is no number is refused and keeps its value.
            p.queueAnswer(Answer::Ok);
            table.item(0, CombinationsWindow::M)->setText(QStringLiteral("molto"));
            QCOMPARE(
                table.item(0, CombinationsWindow::M)->text(),
                QString::fromStdString(engine::numtext::generalText(1001000.5, archive::numberLocale())));
            QVERIFY(p.messages().last().text.startsWith(QStringLiteral("Riga 1: M deve essere un numero")));
            // Mended, the governing row hands over to the next worst, bold and all.
            table.item(2, CombinationsWindow::M)->setText(QStringLiteral("1000000"));
            QCOMPARE(window.result().governing, 0);
            QVERIFY(!table.item(2, CombinationsWindow::Name)->font().bold());
            QVERIFY(table.item(0, CombinationsWindow::Name)->font().bold());
            table.item(2, CombinationsWindow::M)->setText(QStringLiteral("2000000.5"));
            QCOMPARE(window.result().governing, 2);
            // A bad pasted row refuses the paste, with its line, and adds nothing.
            p.queueAnswer(Answer::Ok);
            QVERIFY(!window.pasteText(QStringLiteral("a\t1\t2\nb\tdue\t3\n")));
            QVERIFY(p.messages().last().text.contains(QStringLiteral("riga 2")));
            QCOMPARE(table.rowCount(), 3);
            // The cursor's N and M (the dialog is never shown, so the move is sent).
            const QPointF at(230, 230);
            QMouseEvent move(QEvent::MouseMove, at, window.plot()->mapToGlobal(at), Qt::NoButton,
                             Qt::NoButton, Qt::NoModifier);
            QCoreApplication::sendEvent(window.plot(), &move);
            QVERIFY(window.readout()->text().startsWith(QStringLiteral("N = ")));
        };
        p.setDialogHandler([&](QDialog& d) {
            auto* combinations = qobject_cast<CombinationsWindow*>(&d);
            if (!combinations) return int(QDialog::Rejected);  // the new project's data
            drive(*combinations);
            return int(QDialog::Accepted);
        });
        c.mnuCombinazioni->trigger();
        QCOMPARE(w.archive().archive().combinations(0).size(), std::size_t(3));
        const QString path = QDir(dir.path()).filePath(QStringLiteral("comb.ftm"));
        p.queueFileName(path);
        c.mnuSalvaconnome->trigger();
        c.mnuNuovo->trigger();  // saved: no question
        QVERIFY(w.archive().archive().combinations(0).empty());
        QVERIFY(w.archive().openFile(path));
        QCOMPARE(w.archive().archive().combinations(0)[2].M, 2000000.5);
    }

    void withoutStoredDataOnlyTheCriticalMessageShows() {
        ScriptedPrompter p;
        MainWindow w;
        // A calculation that is not stored is no data of the archive.
        w.form().ui().mnuEsempi[0]->trigger();
        click(w.form().ui().calcola);
        w.form().ui().mnuAnteprimadistampa->trigger();
        QCOMPARE(p.messages().size(), 1);
        QCOMPARE(p.messages()[0].text, QStringLiteral(" Nessun dato è stato salvato "));
        QCOMPARE(p.messages()[0].icon, Icon::Critical);
        QVERIFY(w.preview().window() == nullptr);
        QVERIFY(!QFile::exists(QDir(m_dir->path()).filePath("_$$_TEMP.TMP")));
    }

    void theFourWorkedExamplesGiveTwoPagesOnViewAtPageOne() {
        ScriptedPrompter p;
        MainWindow w;
        storeWorkedExamples(w);
        const archive::SectionArchive before = w.archive().archive();
        w.form().ui().mnuAnteprimadistampa->trigger();
        QVERIFY(p.unexpected().isEmpty() && p.messages().isEmpty());
        PrnPrv* preview = w.preview().window();
        QVERIFY(preview != nullptr);
        QCOMPARE(preview->pageList(), (QStringList{"1", "2"}));
        QCOMPARE(preview->findChild<QComboBox*>(QStringLiteral("ePag"))->currentIndex(), 0);
        // Shown and activated, the window draws page 1.
        preview->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(preview));
        QVERIFY(preview->drawCount() > 0);
        // Kept beside the test program for a look at what the user sees.
        preview->grab().save(QCoreApplication::applicationDirPath() + "/report_preview_page1.png");

        QFile pages(preview->pageFile());
        QVERIFY(pages.open(QIODevice::ReadOnly));
        const QByteArray text = pages.readAll();
        QCOMPARE(text.count("#startpage\r\n"), 2);
        QVERIFY(text.contains("Sezione numero:  4") && !text.contains("Sezione numero:  5"));
        QCOMPARE(w.archive().archive(), before);

        // Again: a new document replaces the first, still two pages.
        w.form().ui().mnuAnteprimadistampa->trigger();
        QVERIFY(w.preview().window() != nullptr);
        QCOMPARE(w.preview().window()->pageList().size(), 2);
    }

    // With no printer installed, or one that writes PDF files, the report from the preview and
    // the sheet go to PDFs the user names each time, proposed beside the project; the sheet leaves
    // the report as it was. The report says which positions holding data it left out.
    void printedToPdfsTheUserNames() {
        drawing::currentPrinter().setOutputFormat(QPrinter::PdfFormat);
        ScriptedPrompter p;
        MainWindow w;
        const MainControls& c = w.form().ui();
        SectionArchive a;
        for (int i : {0, 2}) a.at(i).Nd = 1000;
        a.at(0).description = QStringLiteral("Trave");
        QVERIFY(w.archive().openFile(projectFile(*m_dir, a)));
        p.queueAnswer(Answer::Ok);
        c.mnuAnteprimadistampa->trigger();
        QVERIFY(p.messages()[0].text.contains(QStringLiteral("La posizione 3 contiene dati")));
        const QDir dir(m_dir->path());
        const QString report = dir.filePath(QStringLiteral("progetto.pdf"));
        p.queueAnswer(Answer::Yes);
        p.queueFileName(report);
        p.setDialogHandler([](QDialog& d) {
            if (auto* range = qobject_cast<PrnPrn*>(&d)) {
                range->setProcessEvents([] {});
                range->Command4_Click();  // the page on view
                range->Command1_Click();
            }
            return int(QDialog::Rejected);
        });
        w.preview().window()->Cmd_Click(8);  // the last page
        w.preview().window()->Cmd_Click(3);
        QCOMPARE(p.messages()[1].text, printRangeQuestion(2, 2));
        QCOMPARE(p.fileDialogs().last().request.fileName, QStringLiteral("progetto.pdf"));
        const QByteArray reportBytes = contents(report);
        QVERIFY(reportBytes.startsWith("%PDF-"));

        c.mnuEsempi[1]->trigger();
        click(c.calcola);
        typeInto(c.descrizione, QStringLiteral("Trave T1/bis"));
        for (const QString& name : {QStringLiteral("Trave T1_bis.pdf"), QString()}) {
            p.queueFileName(name.isEmpty() ? name : dir.filePath(name));
            click(c.stampa);
            QCOMPARE(p.fileDialogs().last().request.fileName, QStringLiteral("Trave T1_bis.pdf"));
            QCOMPARE(p.fileDialogs().last().request.folder, m_dir->path());
        }
        QVERIFY(contents(dir.filePath(QStringLiteral("Trave T1_bis.pdf"))).startsWith("%PDF-"));
        QCOMPARE(contents(report), reportBytes);
        // A cancelled dialog prints nothing and says nothing; the printer keeps no file name.
        QCOMPARE(p.messages().size(), 2);  // the positions left out, the range's question
        QVERIFY(p.unexpected().isEmpty());
        QCOMPARE(drawing::currentPrinter().outputFileName(), QString());
        QCOMPARE(dir.entryList({QStringLiteral("*.pdf")}, QDir::Files | QDir::Hidden).size(), 2);

        c.mnuImpostastampante->trigger();
        QCOMPARE(p.dialogs().last().className, QStringLiteral("QPrintDialog"));
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_previous;
};

static RegisterTest<ArchiveWindowTest> registered;

}  // namespace fortema::ui::test

#include "archive_window_test.moc"
