#include "pagescript/page_script_writer.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "pagescript/page_script.h"
#include "tests/pagescript/script_files.h"

namespace fortema::pagescript {
namespace {

using engine::numtext::NumberLocale;
using test::RecordingObserver;

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
    QFile file(m_writer.pageFile());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(),
              QByteArray("#fontname\r\nArial\r\n#fontsize\r\n8\r\n#fontbold\r\n-1\r\n#y\r\n878,85\r\n"
                         "#x\r\n567\r\n#txt_l\r\nuna due tre quattro\r\nPerch\xE9 5 \x80 ?\xA0.\r\n"));
}

TEST_F(WriterTest, EveryEndedPageGivesThePreviewItsList) {
    ASSERT_TRUE(m_writer.StartDocument());
    for (int page = 1; page <= 2; ++page) {
        ASSERT_TRUE(m_writer.StartPage("l", "r"));
        ASSERT_TRUE(m_writer.EndPage("l", "r"));
    }
    // The preview is closed at the start of the document and loaded again by the first page.
    EXPECT_EQ(m_observer.calls, QStringList({"load", "close", "load", "wait", "pages 1", "normal", "wait",
                                             "pages 1,2", "normal"}));
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
        test::writeScript(m_writer.pageFile(), c.lines);
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
        test::writeScript(m_dir.filePath(name), {"#startpage", "#endpage"});
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
    test::writeScript(dir.filePath("plain"), {"non toccare"});
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
    QFile plain(dir.filePath("plain"));
    ASSERT_TRUE(plain.open(QIODevice::ReadOnly));
    EXPECT_EQ(plain.readAll(), "non toccare\r\n");
}

TEST_F(WriterTest, AFullDiskStopsTheDocumentAndTheNextStartRecovers) {
    ASSERT_TRUE(m_writer.StartDocument());
    // The page file on a device that is always full.
    ASSERT_TRUE(QFile::remove(m_writer.pageFile()));
    ASSERT_TRUE(QFile::link("/dev/full", m_writer.pageFile()));
    m_observer.calls.clear();
    EXPECT_FALSE(m_writer.StartPage("l", "r"));
    EXPECT_FALSE(m_writer.EndPage("l", "r"));
    EXPECT_EQ(m_observer.calls,
              QStringList({"close", "warning Anteprima non disponibile: " + m_writer.errorMessage()}));

    ASSERT_TRUE(m_writer.StartDocument());
    EXPECT_FALSE(m_writer.failed());
    EXPECT_TRUE(m_writer.errorMessage().isEmpty());
    EXPECT_FALSE(QFileInfo(m_writer.pageFile()).isSymLink());
    ASSERT_TRUE(m_writer.StartPage("l", "r") && m_writer.EndPage("l", "r"));
    EXPECT_EQ(m_observer.pages, QStringList({"1"}));
}

}  // namespace
}  // namespace fortema::pagescript
