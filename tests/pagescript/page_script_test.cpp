#include "pagescript/page_script.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "tests/pagescript/script_files.h"

namespace fortema::pagescript {
namespace {

TEST(ScriptNumbers, ParseScriptNumberTakesCommaOrPoint) {
    EXPECT_DOUBLE_EQ(ParseScriptNumber("878,85"), 878.85);
    EXPECT_DOUBLE_EQ(ParseScriptNumber("878.85"), 878.85);
    EXPECT_DOUBLE_EQ(ParseScriptNumber("-3,5"), -3.5);
    EXPECT_DOUBLE_EQ(ParseScriptNumber("  12abc"), 12.0);
    EXPECT_DOUBLE_EQ(ParseScriptNumber("1,5E+07"), 1.5e7);
    // The second comma is a second point, where the number stops.
    EXPECT_DOUBLE_EQ(ParseScriptNumber("1,234,5"), 1.234);
    EXPECT_DOUBLE_EQ(ParseScriptNumber("abc"), 0.0);
    EXPECT_DOUBLE_EQ(ParseScriptNumber(""), 0.0);
}

TEST(ScriptNumbers, WholeNumberStopsAtCommaAndRoundsHalfToEven) {
    EXPECT_EQ(scriptWholeNumber("255,7"), 255);
    EXPECT_EQ(scriptWholeNumber("255.7"), 256);
    EXPECT_EQ(scriptWholeNumber("2.5"), 2);
    EXPECT_EQ(scriptWholeNumber("3.5"), 4);
    EXPECT_EQ(scriptWholeNumber("-1"), -1);
    EXPECT_EQ(scriptWholeNumber("x"), 0);
    EXPECT_EQ(scriptWholeNumber("1E+40"), 2147483647);
    EXPECT_EQ(scriptWholeNumber("-1E+40"), -2147483648L);
}

TEST(ScriptFiles, FolderNameAndFileExists) {
    EXPECT_EQ(scriptFolderFrom("/tmp/x"), "/tmp/x/");
    EXPECT_EQ(scriptFolderFrom("/tmp/x/"), "/tmp/x/");
    EXPECT_EQ(scriptFolderFrom(""), "");
    EXPECT_EQ(pageFilePath("/tmp/x"), "/tmp/x/_$$_TEMP.TMP");
    EXPECT_EQ(pageFilePath(""), "_$$_TEMP.TMP");

    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("a.png");
    EXPECT_FALSE(FileExists(path));
    test::writeScript(path, {});
    EXPECT_TRUE(FileExists(path));
    EXPECT_FALSE(FileExists(dir.path()));
    EXPECT_FALSE(FileExists(""));
}

class ReaderTest : public ::testing::Test {
protected:
    QStringList read(const QStringList& lines) {
        test::writeScript(m_path, lines);
        ScriptReader reader(m_path);
        QStringList commands;
        ScriptCommand c;
        while (reader.next(c)) commands << keywordText(c.keyword) + "(" + c.arguments.join("|") + ")";
        return commands;
    }

    QTemporaryDir m_dir;
    QString m_path = m_dir.filePath("_$$_TEMP.TMP");
};

TEST_F(ReaderTest, ArgumentsAreTakenAsTheyComeAndOtherLinesSkipped) {
    EXPECT_EQ(read({"#startpage", "#txt_l", "#endpage", "#X", " #x", "#x ", "junk", "#x", "#y", "#endpage"}),
              QStringList({"#startpage()", "#txt_l(#endpage)", "#x(#y)", "#endpage()"}));
}

TEST_F(ReaderTest, EveryCommandTakesItsArgumentCount) {
    EXPECT_EQ(
        read({"#line", "1",         "2", "3",         "4",     "",       "B",      "#img",   "p",
              "1",     "2",         "3", "4",         "#fill", "1",      "#color", "0",      "#fontname",
              "Arial", "#fontsize", "8", "#fontbold", "0",     "#txt_r", "r",      "#txt_c", "c"}),
        QStringList({"#line(1|2|3|4||B)", "#img(p|1|2|3|4)", "#fill(1)", "#color(0)", "#fontname(Arial)",
                     "#fontsize(8)", "#fontbold(0)", "#txt_r(r)", "#txt_c(c)"}));
}

TEST_F(ReaderTest, CommandCutOffByTheEndOfTheFileEndsTheReading) {
    EXPECT_EQ(read({"#startpage", "#line", "1", "2", "3"}), QStringList({"#startpage()"}));
}

TEST_F(ReaderTest, LinesEndingWithLineFeedOnlyAlsoRead) {
    QFile file(m_path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("#x\n12\r\n#txt_l\nPerch\xE9");
    file.close();
    ScriptReader reader(m_path);
    ScriptCommand c;
    ASSERT_TRUE(reader.next(c));
    EXPECT_EQ(c.arguments, QStringList({"12"}));
    ASSERT_TRUE(reader.next(c));
    EXPECT_EQ(c.arguments, QStringList({QString::fromUtf8("Perché")}));
    EXPECT_FALSE(reader.next(c));
}

}  // namespace
}  // namespace fortema::pagescript
