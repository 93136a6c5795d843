#include "pagescript/page_script.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "tests/pagescript/script_files.h"

namespace fortema::pagescript {
namespace {

// A second comma is a second point, where the number stops.
TEST(ScriptNumbers, DecimalsTakeCommaOrPointWholeNumbersStopAtACommaAndRoundHalfToEven) {
    constexpr long kMax = 2147483647;
    const struct {
        const char* text;
        double number;
        long whole;
    } cases[] = {{"878,85", 878.85, 878},
                 {"878.85", 878.85, 879},
                 {"-3,5", -3.5, -3},
                 {"  12abc", 12, 12},
                 {"1,5E+07", 1.5e7, 1},
                 {"2.5", 2.5, 2},
                 {"3.5", 3.5, 4},
                 {"abc", 0, 0},
                 {"", 0, 0},
                 {"1E+40", 1e40, kMax},
                 {"-1E+40", -1e40, -kMax - 1},
                 {"1,234,5", 1.234, 1}};
    for (const auto& c : cases) {
        EXPECT_DOUBLE_EQ(ParseScriptNumber(c.text), c.number) << c.text;
        EXPECT_EQ(scriptWholeNumber(c.text), c.whole) << c.text;
    }
}

// The commands read from a file of these bytes, as "keyword(argument|argument)".
QStringList commandsOf(const QByteArray& bytes) {
    QTemporaryDir dir;
    QFile file(dir.filePath("_$$_TEMP.TMP"));
    if (!file.open(QIODevice::WriteOnly)) return {"not written"};
    file.write(bytes);
    file.close();
    ScriptReader reader(file.fileName());
    QStringList commands;
    ScriptCommand c;
    while (reader.next(c)) commands << keywordText(c.keyword) + "(" + c.arguments.join("|") + ")";
    return commands;
}

TEST(ScriptReader, CommandsWithTheirArgumentLines) {
    const struct {
        QByteArray bytes;
        QStringList commands;
    } cases[] = {
        // Arguments are taken as they come; other lines where a keyword belongs are skipped.
        {"#startpage\r\n#txt_l\r\n#endpage\r\n#X\r\n #x\r\n#x \r\njunk\r\n#x\r\n#y\r\n#endpage\r\n",
         {"#startpage()", "#txt_l(#endpage)", "#x(#y)", "#endpage()"}},
        {"#line\r\n1\r\n2\r\n3\r\n4\r\n\r\nB\r\n#img\r\np\r\n1\r\n2\r\n3\r\n4\r\n#fill\r\n1\r\n#"
         "color\r\n0\r\n"
         "#fontname\r\nArial\r\n#fontsize\r\n8\r\n#fontbold\r\n0\r\n#txt_r\r\nr\r\n#txt_c\r\nc\r\n",
         {"#line(1|2|3|4||B)", "#img(p|1|2|3|4)", "#fill(1)", "#color(0)", "#fontname(Arial)", "#fontsize(8)",
          "#fontbold(0)", "#txt_r(r)", "#txt_c(c)"}},
        // A command cut off by the end of the file ends the reading.
        {"#startpage\r\n#line\r\n1\r\n2\r\n3\r\n", {"#startpage()"}},
        // Lines may end with a line feed alone; the text is in the Windows code page.
        {"#x\n12\r\n#txt_l\nPerch\xE9", {"#x(12)", QString::fromUtf8("#txt_l(Perché)")}},
    };
    for (const auto& c : cases) EXPECT_EQ(commandsOf(c.bytes), c.commands) << c.bytes.toStdString();
}

}  // namespace
}  // namespace fortema::pagescript
