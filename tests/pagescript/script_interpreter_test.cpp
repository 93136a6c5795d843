// The two readers of the page file: its numbers and commands as read, and what the preview
// and the printer draw of them.

#include "pagescript/script_interpreter.h"

#include <gtest/gtest.h>

#include <QLocale>
#include <QTemporaryDir>

#include "drawing/recording_surface.h"
#include "pagescript/page_script.h"
#include "pagescript/page_script_writer.h"
#include "tests/pagescript/script_files.h"

namespace fortema::pagescript {
namespace {

using drawing::DrawRecord;

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

// One page: a 10-point text naming it at (100, 200).
QStringList pages(int count) {
    QStringList lines;
    for (int p = 1; p <= count; ++p)
        lines << QStringList{"#startpage", "#fontsize", "10", "#x", "100", "#y", "200", "#txt_l"}
              << QStringLiteral("page %1").arg(p) << "#endpage";
    return lines;
}

class InterpreterTest : public ::testing::Test {
protected:
    // The recorder's text metrics made round: at 1440 dpi, one pixel wide and six high, scaled one
    // by five, a character (half a point of font size) is 10 units wide per point and a line
    // (1.2 points) 20 units high. The font starts at the printer's default size.
    InterpreterTest() {
        m_surface.setScale(0, 0, 1, 5);
        m_surface.setFontSize(8.25);
        m_surface.clearRecords();
    }

    // What was drawn: "line 10,20 300,400", "box 1,2 3,4 fill 1 #000000", "fbox 1,2 3,4 #ff0000",
    // "text abc Arial 8 bold at 9966,50", "newpage". A line or a box names its pen when it is not
    // black.
    QStringList ops(const QString& prefix = {}) const {
        using K = DrawRecord::Kind;
        const auto n = [](double v) { return QString::number(v, 'g', QLocale::FloatingPointShortest); };
        QStringList out;
        for (const DrawRecord& r : m_surface.records()) {
            QString op = drawing::RecordingSurface::kindName(r.kind);
            const QString corners = QStringLiteral(" %1,%2 %3,%4").arg(n(r.x1), n(r.y1), n(r.x2), n(r.y2));
            if (r.kind == K::Text)
                op +=
                    QStringLiteral(" %1 %2 %3%4 at %5,%6")
                        .arg(r.text, r.fontName, n(r.fontSize), r.fontBold ? " bold" : "", n(r.x1), n(r.y1));
            else if (r.kind == K::Line || r.kind == K::Box || r.kind == K::FilledBox)
                op += corners + (r.color == Qt::black ? QString() : " " + r.color.name());
            if (r.kind == K::Box)
                op += QStringLiteral(" fill %1 %2").arg(r.fillStyle).arg(r.fillColor.name());
            if (op.startsWith(prefix)) out << op;
        }
        return out;
    }

    PreviewResult preview(const QStringList& lines, const QString& wanted, double scale = 1.0) {
        test::writeScript(m_path, lines);
        m_surface.clearRecords();
        return RenderPreviewPage({.pageFile = m_path, .wantedPage = wanted, .previewScale = scale}, m_surface,
                                 m_picture);
    }

    // Prints pages first to last; the cancel button is clicked while page `cancelAt` prints
    // (0: never, -1: before the start).
    PrintResult print(const QStringList& lines, int first, int last, int cancelAt = 0) {
        test::writeScript(m_path, lines);
        m_surface.clearRecords();
        bool cancelled = cancelAt < 0;
        int printing = 0;
        PrintHooks hooks;
        hooks.setBusy = [this](bool busy) { m_hookCalls << (busy ? "busy" : "idle"); };
        hooks.processEvents = [&] {
            m_hookCalls << "events";
            if (cancelAt > 0 && printing == cancelAt) cancelled = true;
        };
        hooks.showPrintProgress = [&](int f, int l, int p) {
            printing = p;
            m_progress << ShowPrintProgress(300, f, l, p);
        };
        return PrintPages(m_path, m_surface, m_picture, first, last, cancelled, hooks);
    }

    QTemporaryDir m_dir;
    QString m_path = pageFilePath(m_dir.path());
    drawing::RecordingSurface m_surface{1, 6, 1440};
    QImage m_picture;
    QStringList m_hookCalls;
    QList<double> m_progress;
};

// Each command after the ones before it on the same page, and what it draws.
TEST_F(InterpreterTest, LinesOutlinesAndSolidBoxes) {
    const struct {
        QStringList lines;
        const char* drawn;
    } cases[] = {
        {{"#fill", "1", "#color", "0", "#line", "10", "20", "300", "400", "", ""}, "line 10,20 300,400"},
        // Any style draws an outline in the fill style and colour set; a comma is a decimal point.
        {{"#line", "1,5", "2,5", "30", "40", "", "BF"}, "box 1.5,2.5 30,40 fill 1 #000000"},
        // A colour of its own makes a solid box, read as blue-green-red, up to a comma.
        {{"#line", "1", "2", "3", "4", "16711680,4", ""}, "fbox 1,2 3,4 #0000ff"},
        {{"#fill", "7", "#color", "255", "#line", "0", "0", "1", "1", "", "B"}, "box 0,0 1,1 fill 7 #ff0000"},
        // No style 9: the last one stays. 65280.6 rounds to 65281.
        {{"#fill", "9", "#color", "65280.6", "#line", "0", "0", "1", "1", "", "B"},
         "box 0,0 1,1 fill 7 #01ff00"},
        {{"#fill", "0,9", "#line", "0", "0", "1", "1", "", "B"}, "box 0,0 1,1 fill 0 #01ff00"},
        // A segment in a colour of its own, read as "#color" is; a line after it in the fore colour.
        {{"#segment", "1,5", "2", "3", "4", "255,9"}, "line 1.5,2 3,4 #ff0000"},
        {{"#line", "5", "6", "7", "8", "", ""}, "line 5,6 7,8"},
    };
    QStringList lines{"#startpage"}, drawn{"clear"};
    for (const auto& c : cases) {
        lines << c.lines;
        drawn << QString::fromLatin1(c.drawn);
    }
    preview(lines << "#endpage", "1");
    EXPECT_EQ(ops(), drawn);
}

// The printer's surface keeps the font from one page to the next.
TEST_F(InterpreterTest, FontBoldIsNormalOnlyForZeroAndCarriesOverToTheNextPage) {
    QStringList lines;
    for (const char* flag : {"-1", "0", "1", "/carried", "00", "si", "0"}) {
        if (flag[0] == '/')
            lines << QStringList{"#endpage", "#startpage", "#txt_l", flag};
        else
            lines << QStringList{"#fontbold", flag, "#txt_l", flag};
    }
    print(QStringList{"#startpage"} + lines + QStringList{"#endpage"}, 1, 2);
    QStringList bold;
    for (const QString& text : ops("text")) bold << (text.contains(" bold ") ? "bold" : "normal");
    EXPECT_EQ(bold, QStringList({"bold", "normal", "bold", "bold", "bold", "bold", "normal"}));
}

// The preview draws the wanted page alone, at its zoom (font sizes scaled; the printer prints
// them as written), and stops at its end; a page before any page, past the last one or in a
// missing file draws nothing.
TEST_F(InterpreterTest, PreviewDrawsOnlyTheWantedPage) {
    QStringList lines = pages(3);
    // Page 3 names a picture: reading it would fill the holder.
    QImage(3, 2, QImage::Format_RGB32).save(m_dir.filePath("p.png"));
    lines.removeLast();
    lines << QStringList{"#img", m_dir.filePath("p.png"), "0", "0", "10", "10", "#endpage"};
    PreviewResult result = preview(lines, "2", 0.5);
    EXPECT_EQ(ops(), QStringList({"clear", "text page 2 MS Sans Serif 5 at 100,200"}));
    EXPECT_TRUE(result.wantedPage == 2 && result.pageFound && m_picture.isNull());
    result = preview({"#txt_l", "before any page"}, "");
    EXPECT_TRUE(result.wantedPage == 0 && !result.pageFound);
    EXPECT_EQ(ops(), QStringList({"clear"}));
    EXPECT_FALSE(preview(pages(2), "7").pageFound);
    EXPECT_EQ(ops(), QStringList({"clear"}));
    EXPECT_FALSE(
        RenderPreviewPage({m_dir.filePath("none/_$$_TEMP.TMP"), "1"}, m_surface, m_picture).fileRead);
}

TEST(ScrollRanges, FromZeroToWhatDoesNotShowWithinSixteenBits) {
    const struct {
        double page, visible;
        int maximum, largeChange;
    } cases[] = {{5953.5, 10000, 0, 0}, {50000, 1000, 32767, 655}, {1000.4, 1000, 0, 0},
                 {1002, 1000, 2, 2},    {1001, 0.1, 1001, 1},      {33679.8, 10000, 23680, 7031}};
    for (const auto& c : cases) {
        const ScrollRange r = previewScrollRange(c.page, c.visible);
        EXPECT_EQ(QList<int>({r.minimum, r.maximum, r.largeChange, r.smallChange}),
                  QList<int>({0, c.maximum, c.largeChange, c.maximum > 0 ? 20 : 0}))
            << c.page;
    }
}

TEST_F(InterpreterTest, PrintingARangeWithItsProgressAndItsCancelButton) {
    const QString two = "text page 2 MS Sans Serif 10 at 100,200";
    const QString three = "text page 3 MS Sans Serif 10 at 100,200";
    const struct {
        int pagesInFile, first, last, cancelAt;
        QStringList drawn;
        bool cancelled;
        QList<double> progress;
    } cases[] = {
        {5, 2, 3, 0, {two, "newpage", three, "enddoc"}, false, {0, 150, 300}},
        {5, 3, 3, 0, {three, "enddoc"}, false, {0, 300}},
        // Cancelled while page 2 prints: page 2 is sent, nothing more.
        {5, 2, 4, 2, {two, "enddoc"}, true, {0, 100}},
        {5, 1, 3, -1, {"enddoc"}, true, {0}},
        {0, 0, 0, 0, {"enddoc"}, false, {0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.first);
        m_hookCalls.clear();
        m_progress.clear();
        const PrintResult result = print(pages(c.pagesInFile), c.first, c.last, c.cancelAt);
        EXPECT_EQ(ops(), c.drawn);
        EXPECT_EQ(result.cancelled, c.cancelled);
        EXPECT_EQ(m_progress, c.progress);
        // The wait pointer around the job, events at the start and at every printed page.
        const int printed = int(c.drawn.count() - c.drawn.count("newpage") - 1);
        EXPECT_EQ(result.pagesPrinted, printed);
        EXPECT_EQ(m_hookCalls,
                  QStringList{"busy"} + QStringList(printed + 1, "events") + QStringList{"idle"});
    }
}

// What the writer writes, both readers read back the same under either decimal separator: texts
// left, right and centred, boxes, lines and filled boxes where the writer put them.
TEST_F(InterpreterTest, WrittenDocumentReadsBackAlikeUnderBothSeparators) {
    for (const auto locale : {engine::numtext::NumberLocale::italian(), engine::numtext::NumberLocale::c()}) {
        test::RecordingObserver observer;
        PageScriptWriter writer(observer, m_dir.path(), locale);
        ASSERT_TRUE(writer.StartDocument());
        for (int p = 1; p <= 3; ++p) {
            writer.StartPage("left", QStringLiteral("page %1").arg(p));
            writer.PrintLeft(2.5f, 10.3f, QStringLiteral("body %1").arg(p), "Courier New", 10, -1);
            writer.PrintBox(2.0f, 10.0f, 18.0f, 12.55f);
            writer.PrintLine(2.0f, 13.0f, 18.5f, 14.25f, QColor(0, 0, 128));
            writer.PrintFilledBox(1.0f, 1.0f, 1.5f, 1.5f, Qt::red);
            writer.PrintCentre(10.5f, 13.0f, "abcde", "Arial", 8, 0);
            writer.EndPage("foot", "r");
        }
        const QStringList page2{"box 850.5,1077.3 10206,1082.97 fill 1 #000000",
                                "text left Arial 8 at 850.5,878.85",
                                "text page 2 Arial 8 at 9726,878.85",
                                "text body 2 Courier New 10 bold at 1417.5,5840.1",
                                "box 1134,5670 10206,7115.85 fill 1 #000000",
                                "line 1134,7371 10489.5,8079.75 #000080",
                                "fbox 567,567 850.5,850.5 #ff0000",
                                "text abcde Arial 8 at 5753.5,7371",
                                "box 1134,14742 10206,14747.67 fill 1 #000000",
                                "text foot Arial 8 at 1134,14798.7",
                                "text r Arial 8 at 10126,14798.7"};
        m_surface.clearRecords();
        ASSERT_TRUE(RenderPreviewPage({writer.pageFile(), "2"}, m_surface, m_picture).pageFound);
        EXPECT_EQ(ops(), QStringList{"clear"} + page2);
        m_surface.clearRecords();
        PrintPages(writer.pageFile(), m_surface, m_picture, 2, 2, false, {});
        EXPECT_EQ(ops(), page2 + QStringList{"enddoc"});
    }
}

}  // namespace
}  // namespace fortema::pagescript
