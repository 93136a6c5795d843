#include "drawing/recording_surface.h"

#include <gtest/gtest.h>

namespace fortema::drawing {
namespace {

// 1000 × 1000 pixels at 72 dpi: one device point is one pixel, so on a 0..100 scale a
// 10-point font has characters of 0.5 units and lines of 1.2 units.
RecordingSurface hundredScale() {
    RecordingSurface s(1000, 1000, 72);
    s.setScale(0, 0, 100, 100);
    s.setFontSize(10);
    return s;
}

TEST(RecordingSurface, TextMetricsFollowTheModelAndTheScale) {
    RecordingSurface s = hundredScale();
    EXPECT_DOUBLE_EQ(s.textWidth("abcd"), 2.0);
    EXPECT_DOUBLE_EQ(s.textHeight("abcd"), 1.2);
    EXPECT_DOUBLE_EQ(s.textHeight("two\nlines"), 2.4);
    EXPECT_DOUBLE_EQ(s.textWidth("ab\nlonger"), 3.0);
    // A user scale with unequal units: width follows the across scale, height the down one.
    s.setScale(-1, -1, 2.6, 2.6 * 2);
    EXPECT_DOUBLE_EQ(s.textWidth("ab"), 2 * 5 * 2.6 / 1000);
    EXPECT_DOUBLE_EQ(s.textHeight("ab"), 12 * 5.2 / 1000);
    RecordingSurface dense(2000, 1000, 144);
    dense.setScale(0, 0, 100, 100);
    dense.setFontSize(10);
    EXPECT_DOUBLE_EQ(dense.textWidth("abcd"), 2.0);
    EXPECT_DOUBLE_EQ(dense.textHeight("abcd"), 2.4);
}

TEST(RecordingSurface, DefaultDeviceIsThePlotBox) {
    RecordingSurface s;
    s.setScale(-0.9, -1.1, 2.6, 2.6);
    // 8 points at 96 dpi on 369 × 329 pixels: lines about 0.1 units high, as the plot expects.
    EXPECT_DOUBLE_EQ(s.textHeight("1.4"), 9.6 * 96 / 72 * 2.6 / 329);
    EXPECT_DOUBLE_EQ(s.textWidth("1.4"), 3 * 4 * 96.0 / 72 * 2.6 / 369);
    s.setForeColor(qbColor(8));
    s.line(-0.6, -0.8, 1.2, -0.8);
    s.setCurrentX(-0.8);
    s.setCurrentY(-0.85);
    s.print("1.4");
    s.line(-0.63, 0.6, 1.23, 0.6, qbColor(0));
    EXPECT_EQ(s.dumpLines().at(1), "line -0.6000 -0.8000 1.2000 -0.8000 #808080 w1");

    const std::vector<Op> lines = s.ops("line");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[1].args, (std::vector<double>{-0.63, 0.6, 1.23, 0.6}));
    EXPECT_EQ(lines[1].color, qbColor(0));
    const std::vector<Op> texts = s.ops("text");
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].text, "1.4");
    EXPECT_EQ(texts[0].args, (std::vector<double>{-0.8, -0.85}));
    EXPECT_EQ(texts[0].color, qbColor(8));
    EXPECT_EQ(texts[0].font, "MS Sans Serif");
    EXPECT_EQ(s.ops().size(), 4u);
}

TEST(RecordingSurface, PrintMovesThePosition) {
    RecordingSurface s = hundredScale();
    s.setScale(-10, -20, 100, 100);
    s.setCurrentX(5);
    s.setCurrentY(7);
    s.print("abc", false);
    EXPECT_DOUBLE_EQ(s.currentX(), 6.5);
    EXPECT_DOUBLE_EQ(s.currentY(), 7);
    s.print("de");
    // A text that ends its line goes back to the left edge of the surface, not of the text.
    EXPECT_DOUBLE_EQ(s.currentX(), -10);
    EXPECT_DOUBLE_EQ(s.currentY(), 8.2);
    s.print("next");
    EXPECT_DOUBLE_EQ(s.currentY(), 9.4);

    const auto texts = s.records(DrawRecord::Kind::Text);
    ASSERT_EQ(texts.size(), 3);
    EXPECT_DOUBLE_EQ(texts[0].x1, 5);
    EXPECT_FALSE(texts[0].endLine);
    EXPECT_DOUBLE_EQ(texts[1].x1, 6.5);
    EXPECT_EQ(texts[1].xSource, DrawRecord::Source::Flow);
    EXPECT_DOUBLE_EQ(texts[2].x1, -10);
    EXPECT_EQ(texts[2].ySource, DrawRecord::Source::Flow);
}

TEST(RecordingSurface, TabToColumnCountsFromTheLeftEdge) {
    RecordingSurface s = hundredScale();
    s.setScale(-10, 0, 100, 100);
    s.setCurrentX(40);
    s.tabToColumn(1);
    EXPECT_DOUBLE_EQ(s.currentX(), -10);
    s.tabToColumn(30);
    EXPECT_DOUBLE_EQ(s.currentX(), -10 + 29 * 0.5);
    s.setCurrentY(3);
    s.print("m");
    EXPECT_EQ(s.records(DrawRecord::Kind::Text).first().xSource, DrawRecord::Source::Tab);
    EXPECT_EQ(s.records(DrawRecord::Kind::Text).first().tabColumn, 30);
}

TEST(RecordingSurface, RecordsCarryTheStateOfTheirTime) {
    RecordingSurface s = hundredScale();
    s.setForeColor(qbColor(8));
    s.setLineWidth(3);
    s.line(1, 2, 3, 4);
    s.line(1, 2, 3, 4, qbColor(0));
    s.setFillStyle(4);
    s.setFillColor(qbColor(12));
    s.box(-0.5, 0, 1, 2);
    s.filledBox(0, 0, 1, 1, qbColor(10));
    s.circle(0, 0.3, 0.015, qbColor(0));
    s.setFontName("Arial");
    s.setFontBold(true);
    s.setCurrentX(-0.38);
    s.setCurrentY(0.75);
    s.print("Rapporto", false);
    s.setBackColor(qbColor(15));
    s.clear();
    s.newPage();
    s.endDocument();
    EXPECT_EQ(s.dump(),
              "scale 0.0000 0.0000 100.0000 100.0000\n"
              "line 1.0000 2.0000 3.0000 4.0000 #808080 w3\n"
              "line 1.0000 2.0000 3.0000 4.0000 #000000 w3\n"
              "box -0.5000 0.0000 1.0000 2.0000 #808080 w3 fill 4 #ff0000\n"
              "fbox 0.0000 0.0000 1.0000 1.0000 #00ff00\n"
              "circle 0.0000 0.3000 0.0150 #000000 w3 fill 4 #ff0000\n"
              "text -0.3800 0.7500 #808080 \"Arial\" 10 bold \"Rapporto\" stay\n"
              "clear #ffffff\n"
              "newpage\n"
              "enddoc");
    EXPECT_DOUBLE_EQ(s.currentX(), 0);
    EXPECT_DOUBLE_EQ(s.currentY(), 0);
}

TEST(RecordingSurface, NumbersRoundingToZeroDumpWithoutSign) {
    RecordingSurface s = hundredScale();
    s.line(-0.00001, 0, 0, -0.00004);
    EXPECT_EQ(s.dumpLines().last(), "line 0.0000 0.0000 0.0000 0.0000 #000000 w1");
}

TEST(RecordingSurface, ReplayFollowsTheTargetsMetrics) {
    RecordingSurface source = hundredScale();
    source.setCurrentX(10);
    source.setCurrentY(20);
    source.print("abc", false);
    source.print(" tail");
    source.print("below");
    source.tabToColumn(3);
    source.print("tab");
    source.setLineWidth(2);
    source.line(0, 0, 5, 5, qbColor(1));

    // A target with characters twice as wide and lines twice as high.
    RecordingSurface target(1000, 1000, 144);
    source.replay(target);
    const auto texts = target.records(DrawRecord::Kind::Text);
    ASSERT_EQ(texts.size(), 4);
    EXPECT_DOUBLE_EQ(texts[0].x1, 10);
    EXPECT_DOUBLE_EQ(texts[1].x1, 13);  // after "abc" at 1 unit a character
    EXPECT_DOUBLE_EQ(texts[1].y1, 20);
    EXPECT_DOUBLE_EQ(texts[2].x1, 0);
    EXPECT_DOUBLE_EQ(texts[2].y1, 22.4);
    EXPECT_DOUBLE_EQ(texts[3].x1, 2);
    EXPECT_DOUBLE_EQ(texts[3].y1, 24.8);
    EXPECT_EQ(target.dumpLines().last(), source.dumpLines().last());
}

TEST(Palette, ClassicSixteenColours) {
    const int expected[16][3] = {{0, 0, 0},       {0, 0, 128},   {0, 128, 0},   {0, 128, 128},
                                 {128, 0, 0},     {128, 0, 128}, {128, 128, 0}, {192, 192, 192},
                                 {128, 128, 128}, {0, 0, 255},   {0, 255, 0},   {0, 255, 255},
                                 {255, 0, 0},     {255, 0, 255}, {255, 255, 0}, {255, 255, 255}};
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(qbColor(i), QColor(expected[i][0], expected[i][1], expected[i][2])) << i;
    }
}

TEST(Palette, BgrValuesPutRedInTheLowByte) {
    EXPECT_EQ(colorFromBgr(255), QColor(255, 0, 0));
    EXPECT_EQ(colorFromBgr(0xff0000), QColor(0, 0, 255));
    EXPECT_EQ(colorFromBgr(0x123456), QColor(0x56, 0x34, 0x12));
    EXPECT_EQ(colorFromBgr(0), QColor(0, 0, 0));
}

}  // namespace
}  // namespace fortema::drawing
