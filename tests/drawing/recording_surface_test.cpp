#include "drawing/recording_surface.h"

#include <gtest/gtest.h>

#include <QRegularExpression>

namespace fortema::drawing {
namespace {

// 1000 × 1000 pixels at 72 dpi: one device point is one pixel, so on a 0..100 scale a
// 10-point font has characters of 0.5 units and lines of 1.2 units.
RecordingSurface hundredScale(double dpi = 72) {
    RecordingSurface s(1000, 1000, dpi);
    s.setScale(0, 0, 100, 100);
    s.setFontSize(10);
    return s;
}

TEST(RecordingSurface, MetricsFollowTheModelAndTheScaleAndTextsMoveThePosition) {
    RecordingSurface s = hundredScale();
    EXPECT_DOUBLE_EQ(s.textHeight("two\nlines"), 2.4);
    EXPECT_DOUBLE_EQ(s.textWidth("ab\nlonger"), 3.0);
    EXPECT_DOUBLE_EQ(hundredScale(144).textHeight("abcd"), 2.4);
    // Width follows the across scale, height the down one.
    s.setScale(-10, -20, 100, 200);
    EXPECT_DOUBLE_EQ(s.textHeight("ab"), 2.4);
    s.setCurrentX(5);
    s.setCurrentY(7);
    s.print("abc", false);
    EXPECT_EQ(QPointF(s.currentX(), s.currentY()), QPointF(6.5, 7));
    // A text that ends its line goes back to the left edge of the surface, not of the text.
    s.print("de");
    EXPECT_EQ(QPointF(s.currentX(), s.currentY()), QPointF(-10, 9.4));
    s.tabToColumn(1);
    EXPECT_DOUBLE_EQ(s.currentX(), -10);
    s.tabToColumn(30);
    EXPECT_DOUBLE_EQ(s.currentX(), -10 + 29 * 0.5);
}

// The printout is drawn on a recorder and replayed on the printer, whose font is another size.
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
    source.setFillStyle(4);
    source.setFillColor(qbColor(12));
    source.box(0, 0, 5, 5, qbColor(1));
    source.line(0, 0, 5, 5);

    // Characters twice as wide and lines twice as high.
    RecordingSurface target(1000, 1000, 144);
    source.replay(target);
    QList<QPointF> at;
    for (const DrawRecord& t : target.records(DrawRecord::Kind::Text)) at << QPointF(t.x1, t.y1);
    EXPECT_EQ(at, QList<QPointF>({{10, 20}, {13, 20}, {0, 22.4}, {2, 24.8}}));
    // Everything else is drawn as it was, in the state it had.
    const QRegularExpression notText(QStringLiteral("^(?!text )"));
    EXPECT_EQ(target.dumpLines().filter(notText), source.dumpLines().filter(notText));
}

TEST(Palette, BgrValuesHoldBlueInTheHighByte) { EXPECT_EQ(colorFromBgr(0x123456), QColor(0x56, 0x34, 0x12)); }

}  // namespace
}  // namespace fortema::drawing
