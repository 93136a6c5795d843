#include "drawing/picture_box.h"

#include <gtest/gtest.h>

#include <QMouseEvent>
#include <QSignalSpy>
#include <cmath>

#include "drawing/recording_surface.h"
#include "drawing/tee_surface.h"
#include "drawing/twips.h"

namespace fortema::drawing {
namespace {

TEST(Twips, NearestPixelWithHalvesAwayFromZero) {
    for (const double t : {0.0, 7.0, 7.5, 22.4999, 22.5, -7.5, -22.6, 5953.5, 1e9 + 7.5})
        EXPECT_EQ(pixelsFromTwips(t), std::lround(t / kTwipsPerPixel)) << t;
}

TEST(PictureBox, DrawingsSurviveRepaintsAndResizes) {
    PictureBox box;
    box.setDesignSize(1500, 1500);
    EXPECT_EQ(box.size(), QSize(100, 100));
    QPainterSurface& s = box.surface();
    s.setScale(0, 0, 1, 1);
    s.setBackColor(qbColor(15));
    s.clear();
    s.filledBox(0.2, 0.2, 0.4, 0.4, qbColor(12));
    box.show();
    box.repaint();
    EXPECT_EQ(box.image().pixelColor(30, 30), qbColor(12));
    box.resize(200, 150);
    EXPECT_EQ(box.image().size(), QSize(200, 150));
    EXPECT_EQ(box.image().pixelColor(30, 30), qbColor(12));
    EXPECT_EQ(box.image().pixelColor(150, 120), qbColor(15));
    // The user scale now spans the bigger box.
    s.filledBox(0.9, 0.9, 1.0, 1.0, qbColor(9));
    EXPECT_EQ(box.image().pixelColor(190, 140), qbColor(9));
}

TEST(PictureBox, MouseMovesAreReportedInUserCoordinates) {
    PictureBox box;
    box.setDesignSize(5535, 4935);
    box.surface().setScale(-0.9, -1.1, 2.6, 2.6);
    QSignalSpy spy(&box, &PictureBox::mouseMovedUser);
    const QPointF at(369 * 0.9 / 2.6, 329 * 1.7 / 2.6);  // the plot origin, x = 0 and y = 0.6
    QMouseEvent move(QEvent::MouseMove, at, box.mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&box, &move);
    ASSERT_EQ(spy.count(), 1);
    EXPECT_NEAR(spy.at(0).at(0).toDouble(), 0.0, 1e-9);
    EXPECT_NEAR(spy.at(0).at(1).toDouble(), 0.6, 1e-9);
}

// Each surface moves its own position by its own metrics; the first answers.
TEST(TeeSurface, DrawsOnBothAndTheFirstAnswers) {
    RecordingSurface narrow(1000, 1000, 72);
    RecordingSurface wide(1000, 1000, 144);
    TeeSurface tee(narrow, wide);
    tee.setScale(0, 0, 100, 100);
    tee.setFontSize(10);
    tee.print("ab", false);
    EXPECT_DOUBLE_EQ(tee.currentX(), 1);
    EXPECT_DOUBLE_EQ(wide.currentX(), 2);
    tee.circle(0, 0, 1, qbColor(4));
    tee.newPage();
    EXPECT_EQ(narrow.dumpLines(), wide.dumpLines());
    EXPECT_EQ(narrow.records().size(), 4);
}

}  // namespace
}  // namespace fortema::drawing
