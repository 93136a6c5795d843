// "Anteprii&ma e Stampa completa": the full report of the stored sections, into the preview.

#include <QComboBox>
#include <QCoreApplication>
#include <QFile>

#include "tests/ui/main/window_test_support.h"
#include "ui/aux/scripted_prompter.h"
#include "ui/print/preview_host.h"

namespace fortema::ui::test {

class ReportCommandTest : public QObject {
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

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_previous;
};

static RegisterTest<ReportCommandTest> registered;

}  // namespace fortema::ui::test

#include "report_command_test.moc"
