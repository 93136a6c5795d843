// The two section sketches on the recording surface.

#include <gtest/gtest.h>

#include <QMap>
#include <cmath>

#include "drawing/recording_surface.h"
#include "ui/main/section_sketch.h"

namespace fortema::ui {
namespace {

using drawing::DrawRecord;
using drawing::qbColor;
using drawing::RecordingSurface;

constexpr double kEps = 1e-9;

struct Sketch {
    RecordingSurface surface{218, 186};  // the sketch box, 3270 × 2790 twips
    explicit Sketch(void (*draw)(drawing::Surface&)) {
        setUpSketchSurface(surface);
        surface.setForeColor(qbColor(1));
        surface.clearRecords();
        draw(surface);
    }
    QList<DrawRecord> dashes() const {
        QList<DrawRecord> out;
        for (const DrawRecord& l : surface.records(DrawRecord::Kind::Line))
            if (l.color == qbColor(12)) out << l;
        return out;
    }
    QMap<QString, QPointF> texts() const {
        QMap<QString, QPointF> out;
        for (const DrawRecord& t : surface.records(DrawRecord::Kind::Text)) {
            EXPECT_EQ(t.fontName, QStringLiteral("arial")) << t.text.toStdString();
            EXPECT_EQ(t.fontSize, 8) << t.text.toStdString();
            out.insert(t.text, {t.x1, t.y1});
        }
        return out;
    }
};

TEST(SectionSketch, setUpIsTenByTenFromTheTopLeft) {
    RecordingSurface s(218, 186);
    setUpSketchSurface(s);
    EXPECT_DOUBLE_EQ(s.scaleLeft(), 0);
    EXPECT_DOUBLE_EQ(s.scaleTop(), 0);
    EXPECT_DOUBLE_EQ(s.scaleWidth(), 10);
    EXPECT_DOUBLE_EQ(s.scaleHeight(), 10);
    EXPECT_EQ(s.lineWidth(), 1);
}

TEST(SectionSketch, bothClearFirstAndDrawInTheBoxColoursExceptTheNeutralAxis) {
    for (auto draw : {&drawRectangularSketch, &drawCircularSketch}) {
        const Sketch s(draw);
        ASSERT_FALSE(s.surface.records().isEmpty());
        EXPECT_EQ(s.surface.records().first().kind, DrawRecord::Kind::Clear);
        for (const DrawRecord& r : s.surface.records()) {
            if (r.kind == DrawRecord::Kind::Line || r.kind == DrawRecord::Kind::Circle ||
                r.kind == DrawRecord::Kind::Text) {
                EXPECT_TRUE(r.color == qbColor(1) ||
                            (r.kind == DrawRecord::Kind::Line && r.color == qbColor(12)));
            }
        }
        // Six light red dashes of the neutral axis at y = 3.5, across x = 2 .. 8.
        const auto dashes = s.dashes();
        ASSERT_EQ(dashes.size(), 6);
        EXPECT_NEAR(dashes.first().x1, 2, kEps);
        EXPECT_NEAR(dashes.last().x2, 8, kEps);
        for (qsizetype i = 0; i < dashes.size(); ++i) {
            EXPECT_NEAR(dashes[i].y1, 3.5, kEps);
            EXPECT_NEAR(dashes[i].y2, 3.5, kEps);
            EXPECT_NEAR(dashes[i].x2 - dashes[i].x1, 0.5, 1e-9);
            if (i > 0) {
                EXPECT_GT(dashes[i].x1, dashes[i - 1].x2);
            }
        }
        // Texts after the drawing, so nothing hides them.
        EXPECT_EQ(s.surface.records().last().kind, DrawRecord::Kind::Text);
    }
}

TEST(SectionSketch, rectangularTOutlineIsClosedWithItsBars) {
    const Sketch s(&drawRectangularSketch);
    const auto lines = s.surface.records(DrawRecord::Kind::Line);
    ASSERT_GE(lines.size(), 8);
    // The first eight lines are the T; every corner joins exactly two of them.
    QMap<QPair<double, double>, int> ends;
    for (int i = 0; i < 8; ++i) {
        ++ends[{lines[i].x1, lines[i].y1}];
        ++ends[{lines[i].x2, lines[i].y2}];
    }
    EXPECT_EQ(ends.size(), 8);
    for (const int count : ends) EXPECT_EQ(count, 2);
    // Flange 2..8 wide from y = 2, web 4..6 down to y = 7.
    double left = 10, right = 0, top = 10, bottom = 0;
    for (const auto& [corner, count] : ends.asKeyValueRange()) {
        left = std::min(left, corner.first);
        right = std::max(right, corner.first);
        top = std::min(top, corner.second);
        bottom = std::max(bottom, corner.second);
    }
    EXPECT_EQ(left, 2);
    EXPECT_EQ(right, 8);
    EXPECT_EQ(top, 2);
    EXPECT_EQ(bottom, 7);

    const auto bars = s.surface.records(DrawRecord::Kind::Circle);
    ASSERT_EQ(bars.size(), 9);
    int upper = 0, lower = 0;
    for (const DrawRecord& b : bars) {
        EXPECT_NEAR(b.x2, 0.05, kEps);
        if (std::abs(b.y1 - 2.5) < kEps) {
            ++upper;
            EXPECT_TRUE(b.x1 > 2 && b.x1 < 8);  // in the flange
        } else {
            ++lower;
            EXPECT_NEAR(b.y1, 6.5, kEps);
            EXPECT_TRUE(b.x1 > 4 && b.x1 < 6);  // in the web
        }
    }
    EXPECT_EQ(upper, 6);
    EXPECT_EQ(lower, 3);
}

TEST(SectionSketch, rectangularTexts) {
    const Sketch s(&drawRectangularSketch);
    const QMap<QString, QPointF> expected{
        {QStringLiteral("h"), {9.6, 4.5}},
        {QStringLiteral("b"), {4.9, 7.2}},
        {QStringLiteral("->Controllare sempre arm. minima di Norma"), {0, 8.5}},
        {QStringLiteral("->Per sezioni non armate poni A1=A2=0"), {0, 9.2}},
        {QStringLiteral("A2"), {4.7, 2.1}},
        {QStringLiteral("c2"), {8.5, 2.5}},
        {QStringLiteral("A1"), {3, 6.2}},
        {QStringLiteral("c1"), {6.5, 5.7}},
        {QStringLiteral("y"), {1.2, 2.2}},
        {QStringLiteral("zona compressa"), {3, 0.7}},
    };
    EXPECT_EQ(s.texts(), expected);
    EXPECT_EQ(s.surface.records(DrawRecord::Kind::Text).size(), expected.size());
}

TEST(SectionSketch, circularRingOfThirteenBars) {
    const Sketch s(&drawCircularSketch);
    const auto circles = s.surface.records(DrawRecord::Kind::Circle);
    ASSERT_EQ(circles.size(), 14);
    EXPECT_NEAR(circles[0].x1, 5, kEps);
    EXPECT_NEAR(circles[0].y1, 5, kEps);
    EXPECT_NEAR(circles[0].x2, 2.7, kEps);
    // From the rightmost bar clockwise (y grows downwards), every 30°, the last on the first.
    for (int k = 1; k <= 13; ++k) {
        const DrawRecord& b = circles[k];
        EXPECT_NEAR(b.x2, 0.05, kEps);
        EXPECT_NEAR(std::hypot(b.x1 - 5, b.y1 - 5), 2.5, 1e-6) << k;
        const double angle = std::atan2(b.y1 - 5, b.x1 - 5);
        const double expected = std::remainder(30.0 * (k - 1) * M_PI / 180, 2 * M_PI);
        EXPECT_NEAR(std::remainder(angle - expected, 2 * M_PI), 0, 1e-6) << k;
    }
    EXPECT_NEAR(circles[13].x1, circles[1].x1, 1e-6);
    EXPECT_NEAR(circles[13].y1, circles[1].y1, 1e-6);
    EXPECT_NEAR(circles[1].x1, 7.5, 1e-9);
    EXPECT_NEAR(circles[2].y1, 6.25, 1e-6);
}

TEST(SectionSketch, circularDimensionLinesAndTexts) {
    const Sketch s(&drawCircularSketch);
    const auto lines = s.surface.records(DrawRecord::Kind::Line);
    ASSERT_EQ(lines.size(), 14);
    // The diameter's dimension line spans the extension lines at the circle's top and bottom.
    const DrawRecord& d = lines.last();
    EXPECT_NEAR(d.x1, 8.9, kEps);
    EXPECT_NEAR(d.y1, 1.9, kEps);
    EXPECT_NEAR(d.y2, 8.1, kEps);
    const QMap<QString, QPointF> expected{
        {QStringLiteral("d"), {9.2, 4.8}},
        {QStringLiteral("c"), {8.2, 7.2}},
        {QStringLiteral("y"), {1.6, 2.2}},
        {QStringLiteral("zona compressa"), {3, 0.7}},
        {QStringLiteral("->Controllare sempre arm. minima di Norma"), {0, 8.5}},
        {QStringLiteral("->Per sezioni non armate poni A1=A2=0"), {0, 9.2}},
    };
    EXPECT_EQ(s.texts(), expected);
}

TEST(SectionSketch, aRedrawGivesExactlyTheSameSketch) {
    for (auto draw : {&drawRectangularSketch, &drawCircularSketch}) {
        RecordingSurface s(218, 186);
        setUpSketchSurface(s);
        s.clearRecords();
        draw(s);
        const QString first = s.dump();
        s.clearRecords();
        drawCircularSketch(s);
        drawRectangularSketch(s);
        s.clearRecords();
        draw(s);
        EXPECT_EQ(s.dump(), first);
    }
}

}  // namespace
}  // namespace fortema::ui
