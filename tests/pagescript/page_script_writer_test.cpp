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
using test::crlfLines;
using test::RecordingObserver;

class WriterTest : public ::testing::Test {
protected:
    QStringList files() const { return QDir(m_dir.path()).entryList(QDir::Files | QDir::System, QDir::Name); }
    QStringList lines() const { return crlfLines(m_writer.pageFile()); }

    QTemporaryDir m_dir;
    RecordingObserver m_observer;
    PageScriptWriter m_writer{m_observer, m_dir.path(), NumberLocale::italian()};
};

// The header of a page as the readers expect it, with `sep` as the decimal separator.
QStringList headerLines(const QString& left, const QString& right, const QString& sep) {
    auto n = [&](const char* text) { return QString::fromLatin1(text).replace(".", sep); };
    return {"#startpage", "#fill",     "1",         "#color",     "0",         "#line",
            n("850.5"),   n("1077.3"), "10206",     n("1082.97"), "",          "B",
            "#fontname",  "Arial",     "#fontsize", "8",          "#fontbold", "0",
            "#y",         n("878.85"), "#x",        n("850.5"),   "#txt_l",    left,
            "#fontname",  "Arial",     "#fontsize", "8",          "#fontbold", "0",
            "#y",         n("878.85"), "#x",        "10206",      "#txt_r",    right};
}

TEST_F(WriterTest, PageHeaderLinesUnderItalianAndCLocales) {
    ASSERT_TRUE(m_writer.StartDocument());
    ASSERT_TRUE(m_writer.StartPage("PROGETTO: ponte", "pag. 1"));
    EXPECT_EQ(lines(), headerLines("PROGETTO: ponte", "pag. 1", ","));

    m_writer.setLocale(NumberLocale::c());
    ASSERT_TRUE(m_writer.StartDocument());
    ASSERT_TRUE(m_writer.StartPage("a", "b"));
    EXPECT_EQ(lines(), headerLines("a", "b", "."));
}

TEST_F(WriterTest, FooterTextsAndBoxes) {
    m_writer.setLocale(NumberLocale::c());
    ASSERT_TRUE(m_writer.StartDocument());
    ASSERT_TRUE(m_writer.PrintBox(1.0f, 2.0f, 3.5f, 4.0f));
    ASSERT_TRUE(m_writer.PrintLeft(2.0f, 3.0f, "bold text", "Times New Roman", 12, -1));
    ASSERT_TRUE(m_writer.EndPage("left foot", "right foot"));
    EXPECT_EQ(lines(), QStringList({"#fill",
                                    "1",
                                    "#color",
                                    "0",
                                    "#line",
                                    "567",
                                    "1134",
                                    "1984.5",
                                    "2268",
                                    "",
                                    "B",
                                    "#fontname",
                                    "Times New Roman",
                                    "#fontsize",
                                    "12",
                                    "#fontbold",
                                    "-1",
                                    "#y",
                                    "1701",
                                    "#x",
                                    "1134",
                                    "#txt_l",
                                    "bold text",
                                    "#fill",
                                    "1",
                                    "#color",
                                    "0",
                                    "#line",
                                    "1134",
                                    "14742",
                                    "10206",
                                    "14747.67",
                                    "",
                                    "B",
                                    "#fontname",
                                    "Arial",
                                    "#fontsize",
                                    "8",
                                    "#fontbold",
                                    "0",
                                    "#y",
                                    "14798.7",
                                    "#x",
                                    "1134",
                                    "#txt_l",
                                    "left foot",
                                    "#fontname",
                                    "Arial",
                                    "#fontsize",
                                    "8",
                                    "#fontbold",
                                    "0",
                                    "#y",
                                    "14798.7",
                                    "#x",
                                    "10206",
                                    "#txt_r",
                                    "right foot",
                                    "#endpage"}));
}

TEST_F(WriterTest, LineBreaksInTextsBecomeBlanksAndCodePageIsWindows1252) {
    ASSERT_TRUE(m_writer.StartDocument());
    ASSERT_TRUE(m_writer.PrintLeft(1, 1, "una\r\ndue\ntre\rquattro", "Arial", 8, 0));
    ASSERT_TRUE(m_writer.WriteScriptLine(QString::fromUtf8("Perché 5 € ħ")));
    const QStringList l = lines();
    ASSERT_EQ(l.size(), 13);
    EXPECT_EQ(l[11], "una due tre quattro");
    EXPECT_EQ(test::fileBytes(m_writer.pageFile()).right(14), QByteArray("Perch\xE9 5 \x80 ?\r\n"));
}

TEST_F(WriterTest, PageListAfterEveryEndPage) {
    ASSERT_TRUE(m_writer.StartDocument());
    for (int page = 1; page <= 3; ++page) {
        ASSERT_TRUE(m_writer.StartPage("l", "r"));
        ASSERT_TRUE(m_writer.EndPage("l", "r"));
    }
    EXPECT_EQ(m_observer.pageLists, QList<QStringList>({{"1"}, {"1", "2"}, {"1", "2", "3"}}));
    // The preview is closed at the start of the document and loaded again by the first page.
    EXPECT_EQ(m_observer.calls.mid(0, 6),
              QStringList({"load", "close", "load", "wait", "pages 1", "normal"}));
    EXPECT_TRUE(m_observer.callsStartingWith("information").isEmpty());
}

TEST_F(WriterTest, PageWithoutEndPageIsNotListed) {
    ASSERT_TRUE(m_writer.StartDocument());
    m_writer.StartPage("l", "r");
    m_writer.EndPage("l", "r");
    m_writer.StartPage("l", "r");
    EXPECT_EQ(m_writer.BuildPageList(), QStringList({"1"}));
    EXPECT_EQ(lines().count("#startpage"), 2);
}

TEST_F(WriterTest, TextsThatReadLikeKeywordsDoNotCountAsPages) {
    ASSERT_TRUE(m_writer.StartDocument());
    m_writer.StartPage("#startpage", "#endpage");
    m_writer.PrintLeft(2, 5, "#startpage", "Arial", 10, 0);
    m_writer.EndPage("#endpage", "#startpage");
    m_writer.StartPage("l", "r");
    m_writer.EndPage("l", "r");
    EXPECT_EQ(m_observer.pageLists.last(), QStringList({"1", "2"}));
}

TEST_F(WriterTest, NoEndedPageGivesTheMessageAndClosesThePreview) {
    ASSERT_TRUE(m_writer.StartDocument());
    m_observer.calls.clear();
    EXPECT_TRUE(m_writer.BuildPageList().isEmpty());
    EXPECT_EQ(
        m_observer.calls,
        QStringList({"load", "wait", "normal",
                     "information Anteprima non disponibile: Non ci sono pagine da stampare!", "close"}));
    EXPECT_TRUE(m_observer.pageLists.isEmpty());
}

TEST_F(WriterTest, MissingPageFileIsCreatedByTheScan) {
    EXPECT_TRUE(m_writer.BuildPageList().isEmpty());
    EXPECT_TRUE(QFile::exists(m_writer.pageFile()));
}

TEST_F(WriterTest, StartDocumentRemovesOldPageFilesOnly) {
    for (const char* name :
         {"_$$_old.tmp", "_$$_X.Tmp", "_$$_TEMP.TMP", "other.tmp", "_$$_keep.txt", "x_$$_a.TMP"})
        test::writeScript(m_dir.filePath(name), {"#startpage", "#endpage"});
    ASSERT_TRUE(QDir(m_dir.path()).mkdir("_$$_dir.TMP"));
    ASSERT_TRUE(QFile::link("/nonexistent/target", m_dir.filePath("_$$_link.TMP")));

    ASSERT_TRUE(m_writer.StartDocument());
    ASSERT_TRUE(m_writer.StartDocument());
    EXPECT_EQ(files(), QStringList({"_$$_TEMP.TMP", "_$$_keep.txt", "other.tmp", "x_$$_a.TMP"}));
    EXPECT_EQ(QFileInfo(m_writer.pageFile()).size(), 0);
    EXPECT_TRUE(QFileInfo(m_dir.filePath("_$$_dir.TMP")).isDir());
    EXPECT_EQ(m_observer.calls.last(), "close");
}

TEST_F(WriterTest, FolderThatCannotHoldTheFileFailsWithOneMessage) {
    // A folder below a plain file cannot exist, whoever runs the test.
    test::writeScript(m_dir.filePath("plain"), {});
    PageScriptWriter writer(m_observer, m_dir.filePath("plain/sub"), NumberLocale::italian());

    EXPECT_FALSE(writer.StartDocument());
    EXPECT_TRUE(writer.failed());
    EXPECT_TRUE(writer.errorMessage().startsWith("Impossibile scrivere il file di anteprima "));
    EXPECT_TRUE(writer.errorMessage().contains("plain/sub/_$$_TEMP.TMP"));
    EXPECT_FALSE(writer.StartPage("l", "r"));
    EXPECT_FALSE(writer.EndPage("l", "r"));
    EXPECT_TRUE(writer.BuildPageList().isEmpty());

    const QStringList warnings = m_observer.callsStartingWith("warning");
    ASSERT_EQ(warnings.size(), 1);
    EXPECT_EQ(warnings[0], "warning Anteprima non disponibile: " + writer.errorMessage());
    EXPECT_TRUE(m_observer.pageLists.isEmpty());
    EXPECT_EQ(m_observer.calls.last(), warnings[0]);
    EXPECT_EQ(m_observer.calls[m_observer.calls.size() - 2], "close");
}

TEST_F(WriterTest, FullDiskStopsTheDocumentAndTheNextStartRecovers) {
    ASSERT_TRUE(m_writer.StartDocument());
    ASSERT_TRUE(m_writer.StartPage("l", "r"));
    ASSERT_TRUE(m_writer.EndPage("l", "r"));
    // The page file on a device that is always full.
    ASSERT_TRUE(QFile::remove(m_writer.pageFile()));
    ASSERT_TRUE(QFile::link("/dev/full", m_writer.pageFile()));
    m_observer.calls.clear();

    EXPECT_FALSE(m_writer.StartPage("l", "r"));
    EXPECT_TRUE(m_writer.failed());
    EXPECT_FALSE(m_writer.EndPage("l", "r"));
    EXPECT_EQ(m_observer.calls.size(), 2);
    EXPECT_EQ(m_observer.calls[0], "close");
    EXPECT_TRUE(m_observer.calls[1].startsWith("warning Anteprima non disponibile: Impossibile scrivere"));

    ASSERT_TRUE(m_writer.StartDocument());
    EXPECT_FALSE(m_writer.failed());
    EXPECT_TRUE(m_writer.errorMessage().isEmpty());
    EXPECT_FALSE(QFileInfo(m_writer.pageFile()).isSymLink());
    ASSERT_TRUE(m_writer.StartPage("l", "r"));
    ASSERT_TRUE(m_writer.EndPage("l", "r"));
    EXPECT_EQ(m_observer.pageLists.last(), QStringList({"1"}));
}

}  // namespace
}  // namespace fortema::pagescript
