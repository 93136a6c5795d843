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

// One page: a 10-point text naming it at (100, 200).
QStringList page(const QString& name) {
    return {"#startpage", "#fontsize", "10", "#x", "100", "#y", "200", "#txt_l", name, "#endpage"};
}

QStringList pages(int count) {
    QStringList lines;
    for (int p = 1; p <= count; ++p) lines << page(QStringLiteral("page %1").arg(p));
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

    // What was drawn, one text per operation: "line 10,20 300,400", "text abc Arial 8 at 9966,50".
    // A line or a box names its colour only when it was drawn in one other than the black pen.
    QStringList ops() const {
        using K = DrawRecord::Kind;
        const auto n = [](double v) { return QString::number(v, 'g', QLocale::FloatingPointShortest); };
        QStringList out;
        for (const DrawRecord& r : m_surface.records()) {
            const QString corners = QStringLiteral("%1,%2 %3,%4").arg(n(r.x1), n(r.y1), n(r.x2), n(r.y2));
            const QString pen = r.color == Qt::black ? QString() : QStringLiteral(" ") + r.color.name();
            switch (r.kind) {
                case K::Line:
                    out << QStringLiteral("line ") + corners + pen;
                    break;
                case K::Box:
                    out << QStringLiteral("box %1%2 fill %3 %4")
                               .arg(corners, pen)
                               .arg(r.fillStyle)
                               .arg(r.fillColor.name());
                    break;
                case K::FilledBox:
                    out << QStringLiteral("filledbox %1 %2").arg(corners, r.color.name());
                    break;
                case K::Text:
                    out << QStringLiteral("text %1 %2 %3%4 at %5,%6")
                               .arg(r.text, r.fontName, n(r.fontSize),
                                    r.fontBold ? QStringLiteral(" bold") : QString(), n(r.x1), n(r.y1));
                    break;
                case K::Picture:
                    out << QStringLiteral("picture %1x%2 at %3,%4 size %5,%6")
                               .arg(r.picture.width())
                               .arg(r.picture.height())
                               .arg(n(r.x1), n(r.y1), n(r.x2), n(r.y2));
                    break;
                case K::EndDocument:
                    out << QStringLiteral("enddocument");
                    break;
                default:
                    out << drawing::RecordingSurface::kindName(r.kind);
            }
        }
        return out;
    }

    QStringList opsStartingWith(const QString& prefix) const {
        QStringList out;
        for (const QString& op : ops()) {
            if (op.startsWith(prefix)) out << op;
        }
        return out;
    }

    // The font size of every text drawn.
    QList<double> textSizes() const {
        QList<double> sizes;
        for (const DrawRecord& r : m_surface.records(DrawRecord::Kind::Text)) sizes << r.fontSize;
        return sizes;
    }

    PreviewResult preview(const QStringList& lines, const QString& wanted, double scale = 1.0) {
        test::writeScript(m_path, lines);
        PreviewRequest request;
        request.pageFile = m_path;
        request.wantedPage = wanted;
        request.previewScale = scale;
        return RenderPreviewPage(request, m_surface, m_picture);
    }

    PrintResult print(const QStringList& lines, int first, int last) {
        test::writeScript(m_path, lines);
        PrintHooks hooks;
        hooks.setBusy = [this](bool busy) { m_hookCalls << (busy ? "busy" : "idle"); };
        hooks.processEvents = [this] {
            m_hookCalls << "events";
            if (m_cancelAtPage > 0 && m_lastProgressPage == m_cancelAtPage) m_cancelled = true;
        };
        hooks.showPrintProgress = [this](int f, int l, int p) {
            m_lastProgressPage = p;
            m_progress << ShowPrintProgress(300, f, l, p);
        };
        return PrintPages(m_path, m_surface, m_picture, first, last, m_cancelled, hooks);
    }

    // A 3 by 2 picture file on disk.
    QString pictureFile(const char* name) {
        const QString path = m_dir.filePath(name);
        QImage image(3, 2, QImage::Format_RGB32);
        image.fill(Qt::red);
        image.save(path, "PNG");
        return path;
    }

    QTemporaryDir m_dir;
    QString m_path = pageFilePath(m_dir.path());
    drawing::RecordingSurface m_surface{1, 6, 1440};
    QImage m_picture;
    bool m_cancelled = false;
    int m_cancelAtPage = 0;
    int m_lastProgressPage = 0;
    QStringList m_hookCalls;
    QList<double> m_progress;
};

TEST_F(InterpreterTest, LineRuleGivesLineOutlineOrSolidBox) {
    preview({"#startpage", "#fill", "1",   "#color", "0",  "#line",      "10",
             "20",         "300",   "400", "",       "",                        // straight, also diagonal
             "#line",      "1,5",   "2,5", "30",     "40", "",           "B",   // outline, fill as set
             "#line",      "5",     "6",   "7",      "8",  "",           "BF",  // any style is an outline
             "#line",      "1",     "2",   "3",      "4",  "255",        "B",   // colour: solid red
             "#line",      "1",     "2",   "3",      "4",  "16711680,4", "",    // blue, comma read as point
             "#endpage"},
            "1");
    EXPECT_EQ(ops(), QStringList({"clear", "line 10,20 300,400", "box 1.5,2.5 30,40 fill 1 #000000",
                                  "box 5,6 7,8 fill 1 #000000", "filledbox 1,2 3,4 #ff0000",
                                  "filledbox 1,2 3,4 #0000ff"}));
}

TEST_F(InterpreterTest, FillAndColorReadTheWholePartBeforeAComma) {
    preview({"#startpage", "#fill", "0,9", "#color", "255,9", "#line", "0", "0", "1",       "1", "",
             "B",          "#fill", "9",   "#line",  "0",     "0",     "1", "1", "",        "B", "#color",
             "65280.6",    "#line", "0",   "0",      "1",     "1",     "",  "B", "#endpage"},
            "1");
    // Style 9 is no style: the surface keeps solid. 65280.6 rounds to 65281.
    EXPECT_EQ(opsStartingWith("box"), QStringList({"box 0,0 1,1 fill 0 #ff0000", "box 0,0 1,1 fill 0 #ff0000",
                                                   "box 0,0 1,1 fill 0 #01ff00"}));
}

TEST_F(InterpreterTest, FontBoldIsNormalOnlyForZero) {
    QStringList lines{"#startpage"};
    for (const char* flag : {"-1", "0", "1", "00", "si", "0"})
        lines << "#fontbold" << flag << "#txt_l" << flag;
    lines << "#endpage";
    preview(lines, "1");
    const QStringList texts = opsStartingWith("text");
    ASSERT_EQ(texts.size(), 6);
    const QList<bool> bold{true, false, true, true, true, false};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(texts[i].contains(" bold "), bold[i]) << texts[i].toStdString();
}

TEST_F(InterpreterTest, TextThatReadsLikeAKeywordIsPrinted) {
    preview({"#startpage", "#txt_l", "#endpage", "#txt_l", "#startpage", "#endpage", "#startpage", "#txt_l",
             "two", "#endpage"},
            "1");
    const QStringList texts = opsStartingWith("text");
    ASSERT_EQ(texts.size(), 2);
    EXPECT_TRUE(texts[0].startsWith("text #endpage "));
    EXPECT_TRUE(texts[1].startsWith("text #startpage "));
}

TEST_F(InterpreterTest, AlignedTextsEndOrCentreOnTheirX) {
    // 18 cm and 10.5 cm; "abc" at 8 points is 240 wide, "abcde" 400; at 0.15 points "abc"
    // is 4.5 wide, whose half is taken as 2.
    preview({"#startpage", "#fontsize", "8",   "#y",     "50",     "#x",      "10206", "#txt_r",
             "abc",        "#y",        "60",  "#x",     "5953,5", "#txt_c",  "abcde", "#fontsize",
             "0,15",       "#x",        "100", "#txt_c", "abc",    "#endpage"},
            "1");
    EXPECT_EQ(opsStartingWith("text"),
              QStringList({"text abc MS Sans Serif 8 at 9966,50", "text abcde MS Sans Serif 8 at 5753.5,60",
                           "text abc MS Sans Serif 0.15 at 98,220"}));
}

TEST_F(InterpreterTest, PreviewDrawsOnlyTheWantedPageAndStopsAtItsEnd) {
    const QString pic = pictureFile("p.png");
    QStringList lines = pages(3);
    // Page 3 names a picture: reading it would fill the holder.
    lines.removeLast();
    lines << "#img" << pic << "0"
          << "0"
          << "10"
          << "10"
          << "#endpage";
    const PreviewResult result = preview(lines, "2");
    EXPECT_EQ(ops(), QStringList({"clear", "text page 2 MS Sans Serif 10 at 100,200"}));
    EXPECT_EQ(result.wantedPage, 2);
    EXPECT_TRUE(result.pageFound);
    EXPECT_TRUE(m_picture.isNull());
}

TEST_F(InterpreterTest, PictureLoadsOnEveryPageAndPaintsOnlyOnTheWantedOne) {
    const QString pic = pictureFile("p.png");
    preview({"#startpage", "#img", pic, "1", "2", "30", "40", "#endpage", "#startpage", "#img",
             m_dir.filePath("missing.png"), "5", "6", "70", "80", "#endpage"},
            "2");
    // Page 2 names no existing file and paints what page 1 loaded.
    EXPECT_EQ(ops(), QStringList({"clear", "picture 3x2 at 5,6 size 70,80"}));
}

TEST_F(InterpreterTest, PictureWithNothingLoadedPaintsNothing) {
    test::writeScript(m_dir.filePath("bad.png"), {"no picture"});
    preview({"#startpage", "#img", m_dir.filePath("missing.png"), "1", "2", "3", "4", "#img",
             m_dir.filePath("bad.png"), "1", "2", "3", "4", "#endpage"},
            "1");
    EXPECT_EQ(ops(), QStringList({"clear"}));
}

TEST_F(InterpreterTest, MissingPagesAndFilesDrawNothing) {
    PreviewResult result = preview({"#txt_l", "before any page"}, "");
    EXPECT_EQ(result.wantedPage, 0);
    EXPECT_FALSE(result.pageFound);
    EXPECT_EQ(ops(), QStringList({"clear"}));

    result = preview(pages(2), "7");
    EXPECT_FALSE(result.pageFound);
    EXPECT_EQ(ops(), QStringList({"clear", "clear"}));

    PreviewRequest request;
    request.pageFile = m_dir.filePath("none/_$$_TEMP.TMP");
    request.wantedPage = "1";
    EXPECT_FALSE(RenderPreviewPage(request, m_surface, m_picture).fileRead);
}

TEST_F(InterpreterTest, PreviewScalesFontSizesAndThePrinterDoesNot) {
    preview(pages(1), "1", 0.5);
    EXPECT_EQ(textSizes(), QList<double>({5.0}));
    m_surface.clearRecords();
    print(pages(1), 1, 1);
    EXPECT_EQ(textSizes(), QList<double>({10.0}));
}

TEST_F(InterpreterTest, PreviewReturnsScrollRangesAndPagePosition) {
    test::writeScript(m_path, pages(1));
    PreviewRequest request;
    request.pageFile = m_path;
    request.wantedPage = "1";
    request.left = 120;
    request.top = 300;
    request.pageWidth = 23814;
    request.pageHeight = 33679.8;
    request.visibleWidth = 23814;
    request.visibleHeight = 10000;
    const PreviewResult result = RenderPreviewPage(request, m_surface, m_picture);
    EXPECT_EQ(result.pageLeft, -120);
    EXPECT_EQ(result.pageTop, -300);
    EXPECT_EQ(result.horizontal.maximum, 0);
    EXPECT_EQ(result.vertical.minimum, 0);
    EXPECT_EQ(result.vertical.maximum, 23680);
    EXPECT_EQ(result.vertical.smallChange, 20);
    EXPECT_EQ(result.vertical.largeChange, 7031);  // 23680 × 10000 / 33679.8
}

TEST(ScrollRanges, FitTooLargeAndTiny) {
    EXPECT_EQ(previewScrollRange(5953.5, 10000).maximum, 0);
    EXPECT_EQ(previewScrollRange(5953.5, 10000).largeChange, 0);
    const ScrollRange huge = previewScrollRange(50000, 1000);
    EXPECT_EQ(huge.maximum, 32767);
    EXPECT_EQ(huge.largeChange, 655);
    EXPECT_EQ(previewScrollRange(1000.4, 1000).maximum, 0);
    EXPECT_EQ(previewScrollRange(1002, 1000).largeChange, 2);
    EXPECT_EQ(previewScrollRange(1001, 10).largeChange, 10);
    EXPECT_EQ(previewScrollRange(1001, 0.1).largeChange, 1);
}

TEST_F(InterpreterTest, PrintingTwoToThreeOfFive) {
    const PrintResult result = print(pages(5), 2, 3);
    EXPECT_EQ(ops(), QStringList({"text page 2 MS Sans Serif 10 at 100,200", "newpage",
                                  "text page 3 MS Sans Serif 10 at 100,200", "enddocument"}));
    EXPECT_EQ(result.pagesPrinted, 2);
    EXPECT_FALSE(result.cancelled);
    EXPECT_EQ(m_progress, QList<double>({0.0, 150.0, 300.0}));
    EXPECT_EQ(m_hookCalls, QStringList({"busy", "events", "events", "events", "idle"}));
}

TEST_F(InterpreterTest, PrintingOnePageStartsNoNewPage) {
    EXPECT_EQ(print(pages(5), 3, 3).pagesPrinted, 1);
    EXPECT_EQ(ops(), QStringList({"text page 3 MS Sans Serif 10 at 100,200", "enddocument"}));
    EXPECT_EQ(m_progress, QList<double>({0.0, 300.0}));
}

TEST_F(InterpreterTest, CancellingDuringPageTwoSendsPageTwoOnly) {
    m_cancelAtPage = 2;
    const PrintResult result = print(pages(5), 2, 4);
    EXPECT_TRUE(result.cancelled);
    EXPECT_EQ(result.pagesPrinted, 1);
    EXPECT_EQ(ops(), QStringList({"text page 2 MS Sans Serif 10 at 100,200", "enddocument"}));
    EXPECT_EQ(m_hookCalls.last(), "idle");
}

TEST_F(InterpreterTest, CancelledBeforeTheStartOrNothingToPrintStillEndsTheDocument) {
    m_cancelled = true;
    EXPECT_TRUE(print(pages(3), 1, 3).cancelled);
    EXPECT_EQ(ops(), QStringList({"enddocument"}));

    m_cancelled = false;
    m_surface.clearRecords();
    EXPECT_EQ(print({}, 0, 0).pagesPrinted, 0);
    EXPECT_EQ(ops(), QStringList({"enddocument"}));
}

TEST_F(InterpreterTest, PrintedPagesCarryTheFontOver) {
    print({"#startpage", "#fontbold", "-1", "#txt_l", "one", "#endpage", "#startpage", "#txt_l", "two",
           "#fontbold", "0", "#txt_l", "three", "#endpage"},
          1, 2);
    const QStringList texts = opsStartingWith("text");
    ASSERT_EQ(texts.size(), 3);
    EXPECT_TRUE(texts[1].startsWith("text two MS Sans Serif 8.25 bold"));
    EXPECT_FALSE(texts[2].contains("bold"));
}

TEST(PrintProgress, FillGrowsByOneStepPerPage) {
    EXPECT_DOUBLE_EQ(ShowPrintProgress(300, 2, 4, 1), 0);
    EXPECT_DOUBLE_EQ(ShowPrintProgress(300, 2, 4, 2), 100);
    EXPECT_DOUBLE_EQ(ShowPrintProgress(300, 2, 4, 4), 300);
    EXPECT_DOUBLE_EQ(ShowPrintProgress(300, 0, 0, 0), 300);
    EXPECT_DOUBLE_EQ(ShowPrintProgress(300, 4, 2, 3), 0);
}

// What the writer writes, the readers read back the same under either decimal separator.
TEST_F(InterpreterTest, WrittenDocumentReadsBackAlikeUnderBothSeparators) {
    QList<QStringList> drawn;
    for (const auto locale : {engine::numtext::NumberLocale::italian(), engine::numtext::NumberLocale::c()}) {
        test::RecordingObserver observer;
        PageScriptWriter writer(observer, m_dir.path(), locale);
        ASSERT_TRUE(writer.StartDocument());
        for (int p = 1; p <= 3; ++p) {
            writer.StartPage("left", QStringLiteral("page %1").arg(p));
            writer.PrintLeft(2.5f, 10.3f, QStringLiteral("body %1").arg(p), "Courier New", 10, -1);
            writer.PrintBox(2.0f, 10.0f, 18.0f, 12.55f);
            writer.EndPage("foot", "r");
        }
        m_surface.clearRecords();
        PreviewRequest request;
        request.pageFile = writer.pageFile();
        request.wantedPage = "2";
        ASSERT_TRUE(RenderPreviewPage(request, m_surface, m_picture).pageFound);
        drawn << ops();
    }
    ASSERT_EQ(drawn.size(), 2);
    EXPECT_EQ(drawn[0], drawn[1]);
    EXPECT_EQ(
        drawn[0],
        QStringList(
            {"clear", "box 850.5,1077.3 10206,1082.97 fill 1 #000000", "text left Arial 8 at 850.5,878.85",
             "text page 2 Arial 8 at 9726,878.85", "text body 2 Courier New 10 bold at 1417.5,5840.1",
             "box 1134,5670 10206,7115.85 fill 1 #000000", "box 1134,14742 10206,14747.67 fill 1 #000000",
             "text foot Arial 8 at 1134,14798.7", "text r Arial 8 at 10126,14798.7"}));
}

}  // namespace
}  // namespace fortema::pagescript
