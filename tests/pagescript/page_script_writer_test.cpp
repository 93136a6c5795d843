// The page file's writer: the lines it writes, the page list it hands the preview, the page
// index, the folder the page file lives in, and the faults of a folder or disk that cannot hold it.

#include "pagescript/page_script_writer.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "drawing/recording_surface.h"
#include "pagescript/page_script.h"
#include "pagescript/private_folder.h"
#include "pagescript/script_interpreter.h"
#include "tests/pagescript/script_files.h"

namespace fortema::pagescript {
namespace {

using engine::numtext::NumberLocale;
using test::contents;
using test::RecordingObserver;
using test::writeScript;

class WriterTest : public ::testing::Test {
protected:
    QTemporaryDir m_dir;
    RecordingObserver m_observer;
    PageScriptWriter m_writer{m_observer, m_dir.path(), NumberLocale::italian()};
};

// Where the texts and boxes land shows in the interpreter's test of a written document.
TEST_F(WriterTest, TextCommandLinesWithLineBreaksAsBlanksInTheWindowsCodePage) {
    ASSERT_TRUE(m_writer.StartDocument());
    ASSERT_TRUE(m_writer.PrintLeft(1, 1.55f, "una\r\ndue\ntre\rquattro", "Arial", 8, -1));
    ASSERT_TRUE(m_writer.WriteScriptLine(QString::fromUtf8("Perché 5 € ħ\u00A0.")));
    EXPECT_EQ(contents(m_writer.pageFile()),
              QByteArray("#fontname\r\nArial\r\n#fontsize\r\n8\r\n#fontbold\r\n-1\r\n#y\r\n878,85\r\n"
                         "#x\r\n567\r\n#txt_l\r\nuna due tre quattro\r\nPerch\xE9 5 \x80 ?\xA0.\r\n"));
}

TEST_F(WriterTest, PageListNumbersEachEndedPageByItsStart) {
    const struct {
        QStringList lines;
        QStringList pages;
    } cases[] = {
        {{"#startpage", "#endpage", "#startpage", "#startpage", "#endpage"}, {"1", "3"}},
        {{"#startpage", "#endpage", "#startpage"}, {"1"}},
        // Texts that read like keywords neither start nor end a page.
        {{"#startpage", "#txt_l", "#startpage", "#txt_r", "#endpage", "#endpage", "#startpage", "#endpage"},
         {"1", "2"}},
    };
    for (const auto& c : cases) {
        writeScript(m_writer.pageFile(), c.lines);
        EXPECT_EQ(m_writer.BuildPageList(), c.pages);
        EXPECT_EQ(m_observer.pages, c.pages);
    }
}

TEST_F(WriterTest, NoEndedPageGivesTheMessageAndClosesThePreview) {
    // The page file is missing too: the scan creates it.
    EXPECT_TRUE(m_writer.BuildPageList().isEmpty());
    EXPECT_TRUE(QFile::exists(m_writer.pageFile()));
    EXPECT_EQ(
        m_observer.calls,
        QStringList({"load", "wait", "normal",
                     "information Anteprima non disponibile: Non ci sono pagine da stampare!", "close"}));
}

TEST_F(WriterTest, StartDocumentRemovesOldPageFilesOnly) {
    for (const char* name :
         {"_$$_old.tmp", "_$$_X.Tmp", "_$$_TEMP.TMP", "other.tmp", "_$$_keep.txt", "x_$$_a.TMP"})
        writeScript(m_dir.filePath(name), {"#startpage", "#endpage"});
    ASSERT_TRUE(QDir(m_dir.path()).mkdir("_$$_dir.TMP"));
    ASSERT_TRUE(QFile::link("/nonexistent/target", m_dir.filePath("_$$_link.TMP")));

    ASSERT_TRUE(m_writer.StartDocument());
    EXPECT_EQ(
        QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot, QDir::Name),
        QStringList({"_$$_TEMP.TMP", "_$$_dir.TMP", "_$$_keep.txt", "other.tmp", "x_$$_a.TMP"}));
    EXPECT_EQ(QFileInfo(m_writer.pageFile()).size(), 0);
}

TEST(PageFileFaults, AFolderThatCannotHoldThePageFileWarnsOnceUntilAGoodFolderIsGiven) {
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkpath("taken/_$$_TEMP.TMP"));
    writeScript(dir.filePath("plain"), {"non toccare"});
    for (const char* folder : {"taken", "plain", "plain/sub"}) {
        SCOPED_TRACE(folder);
        RecordingObserver observer;
        PageScriptWriter writer(observer, dir.filePath(folder), NumberLocale::italian());
        EXPECT_FALSE(writer.StartDocument());
        EXPECT_FALSE(writer.StartPage("l", "r"));
        EXPECT_FALSE(writer.EndPage("l", "r"));
        EXPECT_TRUE(writer.failed());
        EXPECT_TRUE(writer.errorMessage().startsWith("Impossibile scrivere il file di anteprima " +
                                                     QDir::toNativeSeparators(writer.pageFile())));
        EXPECT_EQ(
            observer.calls,
            QStringList({"load", "close", "warning Anteprima non disponibile: " + writer.errorMessage()}));

        writer.setScriptFolder(dir.path());
        EXPECT_TRUE(writer.StartDocument());
        EXPECT_TRUE(writer.StartPage("l", "r") && writer.EndPage("l", "r"));
        EXPECT_EQ(observer.pages, QStringList({"1"}));
    }
    EXPECT_EQ(contents(dir.filePath("plain")), "non toccare\r\n");
}

// The page list as the interpreters read the file: one item per "#endpage" command.
QStringList readerPages(const QString& path) {
    QStringList pages;
    int counter = 0;
    ScriptReader reader(path);
    ScriptCommand command;
    while (reader.next(command)) {
        if (command.keyword == Keyword::StartPage) ++counter;
        if (command.keyword == Keyword::EndPage) pages << QString::number(counter);
    }
    return pages;
}

// The preview of `page` (or, with last > 0, the printing of page..last), with or without index.
QString drawn(const QString& file, int page, int last, const PageIndex* index) {
    drawing::RecordingSurface surface(1, 6, 1440);
    QImage holder;
    const bool cancelled = false;
    if (last > 0)
        PrintPages(file, surface, holder, page, last, cancelled, {}, index);
    else
        RenderPreviewPage({.pageFile = file, .wantedPage = QString::number(page), .index = index}, surface,
                          holder);
    return surface.dump();
}

// The page list kept while a document is written is the list a reader of the file finds, also
// where texts read like keywords or a command is cut short; a reader sent straight to a page by
// the page index, by a wrong one or by the index of the file read again draws what reading from
// the first line draws, also a picture loaded on an earlier page and painted on a later one.
TEST_F(WriterTest, PageListAndIndexAgreeWithReadingTheFile) {
    QImage(3, 2, QImage::Format_RGB32).save(m_dir.filePath("logo.png"));
    const auto page = [&](const QStringList& lines) {
        m_writer.StartPage("#endpage", "testa");
        for (const QString& line : lines) m_writer.WriteScriptLine(line);
        ASSERT_TRUE(m_writer.EndPage("piede", "#startpage"));
        EXPECT_EQ(m_observer.pages, readerPages(m_writer.pageFile()));
    };
    ASSERT_TRUE(m_writer.StartDocument());
    m_writer.WriteScriptLine("#endpage");  // before any page: page 0
    page({"#txt_l", "#startpage"});
    // Two of the six lines of a "#line": it takes the next page's "#startpage" as a number.
    m_writer.WriteScriptLine("#line");
    m_writer.WriteScriptLine("1");
    page({"#txt_l", "#endpage"});
    for (const char* picture : {"logo.png", "manca.png"})
        page({"#img", m_dir.filePath(picture), "10", "20", "300", "200"});
    EXPECT_EQ(m_observer.pages, QStringList({"0", "1", "1", "2", "3"}));
    const QString file = m_writer.pageFile();
    EXPECT_TRUE(drawn(file, 3, 0, &m_writer.pageIndex()).contains("picture"));

    RecordingObserver observer;
    PageScriptWriter reread(observer, m_dir.path(), NumberLocale::c());
    EXPECT_EQ(reread.BuildPageList(), m_observer.pages);
    EXPECT_EQ(reread.pageIndex().starts, m_writer.pageIndex().starts);
    PageIndex shifted = m_writer.pageIndex();
    for (qint64& start : shifted.starts) start += 3;
    for (int p = 1; p <= 3; ++p) {
        const QString alone = drawn(file, p, 0, nullptr);
        EXPECT_EQ(drawn(file, p, 0, &m_writer.pageIndex()), alone) << p;
        EXPECT_EQ(drawn(file, p, 0, &shifted), alone) << p;
        EXPECT_EQ(drawn(file, p, 3, &m_writer.pageIndex()), drawn(file, p, 3, nullptr)) << p;
    }
}

TEST(PrivateFolder, OneFolderPerProgramInTheRuntimeFolderForTheUserAlone) {
    QTemporaryDir runtime;
    const QByteArray previous = qgetenv("XDG_RUNTIME_DIR");
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
    QString first, second;
    {
        const PrivateFolder a, b;
        ASSERT_TRUE(a.isValid()) << a.errorMessage().toStdString();
        first = a.path();
        second = b.path();
        EXPECT_NE(first, second);
        EXPECT_EQ(QFileInfo(first).dir().canonicalPath(), QDir(runtime.path()).canonicalPath());
        EXPECT_TRUE(QFileInfo(first).fileName().contains(
            QRegularExpression(QStringLiteral("^fortema-%1-[A-Za-z0-9]{6}$").arg(getpid()))));
        struct stat st {};
        ASSERT_EQ(lstat(QFile::encodeName(first).constData(), &st), 0);
        EXPECT_EQ(st.st_mode & (S_IFMT | 0777), S_IFDIR | 0700u);
        EXPECT_EQ(st.st_uid, getuid());
        writeScript(first + "/_$$_TEMP.TMP", {"#startpage"});
        writeScript(second + "/_$$_old.tmp", {"#startpage"});
        writeScript(second + "/appunti.txt", {"resta"});
    }
    // Gone with its page files; a folder holding a file of someone else's stays, with that file.
    EXPECT_FALSE(QFileInfo::exists(first));
    EXPECT_EQ(QDir(second).entryList(QDir::Files), QStringList{"appunti.txt"});
    qputenv("XDG_RUNTIME_DIR", previous);
}

TEST(PrivateFolder, NoPlaceForItStopsTheDocumentWithOneItalianWarning) {
    QTemporaryDir dir;
    writeScript(dir.filePath("piano"), {});
    const PrivateFolder folder(dir.filePath("piano/sotto"));
    ASSERT_FALSE(folder.isValid());
    EXPECT_TRUE(folder.errorMessage().startsWith(
        "Impossibile creare la cartella dei file temporanei del programma in " +
        dir.filePath("piano/sotto")));

    RecordingObserver observer;
    PageScriptWriter writer(observer, QString(), NumberLocale::italian());
    writer.setScriptFolderUnavailable(folder.errorMessage());
    EXPECT_FALSE(writer.StartDocument());
    EXPECT_FALSE(writer.StartPage("l", "r") || writer.EndPage("l", "r"));
    EXPECT_EQ(observer.callsStartingWith("warning"),
              QStringList{"warning Anteprima non disponibile: " + folder.errorMessage()});
}

TEST(PrivateFolder, FoldersOfEndedProgramsLoseTheirPageFilesOnly) {
    QTemporaryDir base, elsewhere;
    const pid_t ended = fork();
    if (ended == 0) _exit(0);
    waitpid(ended, nullptr, 0);
    const QString dead = QStringLiteral("fortema-%1-").arg(ended);
    const QString alive = QStringLiteral("fortema-%1-aaaaaa").arg(getpid());
    for (const QString& name : {dead + "aaaaaa", dead + "bbbbbb", alive}) {
        ASSERT_TRUE(QDir(base.path()).mkdir(name));
        writeScript(base.filePath(name + "/_$$_TEMP.TMP"), {"#startpage"});
    }
    writeScript(base.filePath(dead + "bbbbbb/appunti.txt"), {"resta"});
    // A link named like a folder leads to files that are not the program's to clear.
    writeScript(elsewhere.filePath("_$$_TEMP.TMP"), {"altrui"});
    ASSERT_TRUE(QFile::link(elsewhere.path(), base.filePath(dead + "cccccc")));

    EXPECT_EQ(removeStaleFolders(base.path()), 1);
    EXPECT_FALSE(QFileInfo::exists(base.filePath(dead + "aaaaaa")));
    EXPECT_EQ(QDir(base.filePath(dead + "bbbbbb")).entryList(QDir::Files), QStringList{"appunti.txt"});
    EXPECT_TRUE(QFileInfo::exists(base.filePath(alive + "/_$$_TEMP.TMP")));
    EXPECT_EQ(contents(elsewhere.filePath("_$$_TEMP.TMP")), "altrui\r\n");
}

// A link planted at the page file's name (to a file of the user's, or to a full device) is never
// followed: the document stops with one warning, and the next one starts afresh.
TEST(PageFileLinks, ALinkPlantedAtThePageFilesNameIsNeverFollowed) {
    // Planted before the document, before a page starts, and before a page ends.
    for (int when = 0; when < 3; ++when) {
        QTemporaryDir dir, victim;
        const QString target = victim.filePath("dati.txt");
        writeScript(target, {"non toccare"});
        RecordingObserver observer;
        PageScriptWriter writer(observer, dir.path(), NumberLocale::c());
        const auto plant = [&](const QString& to) {
            QFile::remove(writer.pageFile());
            ASSERT_TRUE(QFile::link(to, writer.pageFile()));
        };
        if (when == 0) plant(target);
        ASSERT_TRUE(writer.StartDocument());
        if (when == 1) plant(target);
        const bool started = writer.StartPage("l", "r");
        if (when == 2) plant("/dev/full");
        const bool ended = writer.PrintLeft(2, 3, "testo", "Arial", 10, 0) && writer.EndPage("l", "r");

        EXPECT_EQ(contents(target), "non toccare\r\n") << when;
        EXPECT_EQ(started && ended, when == 0) << when;
        EXPECT_EQ(writer.failed(), when != 0) << when;
        EXPECT_EQ(observer.callsStartingWith("warning").size(), when == 0 ? 0 : 1) << when;
        ASSERT_TRUE(writer.StartDocument());
        EXPECT_TRUE(!writer.failed() && writer.errorMessage().isEmpty());
        EXPECT_FALSE(QFileInfo(writer.pageFile()).isSymLink());
        EXPECT_TRUE(writer.StartPage("l", "r") && writer.EndPage("l", "r"));
    }
}

}  // namespace
}  // namespace fortema::pagescript
