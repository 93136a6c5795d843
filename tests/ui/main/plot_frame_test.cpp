// The empty frame of the domain plot: its texts, colours, grid and axes, the m labels of the
// three scales and the colour legend.

#include <gtest/gtest.h>

#include <QRegularExpression>
#include <algorithm>
#include <cmath>

#include "drawing/recording_surface.h"
#include "ui/main/domain_plot.h"

namespace fortema::ui {
namespace {

using drawing::DrawRecord;
using drawing::qbColor;
using drawing::RecordingSurface;

constexpr double kEps = 1e-9;

struct Frame {
    RecordingSurface surface;
    explicit Frame(DomainFrameOptions options) {
        setUpPlotSurface(surface);
        drawDomainFrame(surface, options);
    }
    QList<DrawRecord> texts() const { return surface.records(DrawRecord::Kind::Text); }
    QList<DrawRecord> lines() const { return surface.records(DrawRecord::Kind::Line); }
    const DrawRecord* text(const QString& t) const {
        for (const DrawRecord& r : surface.records())
            if (r.kind == DrawRecord::Kind::Text && r.text == t) return &r;
        return nullptr;
    }
    QStringList textList() const {
        QStringList out;
        for (const DrawRecord& r : texts()) out << r.text;
        return out;
    }
};

DomainFrameOptions rectangular(bool reinforced) { return {true, false, reinforced}; }
DomainFrameOptions circular(bool reinforced) { return {false, true, reinforced}; }

bool isHorizontal(const DrawRecord& l) { return std::abs(l.y1 - l.y2) < kEps; }

TEST(DomainFrame, setUpGivesTheUserScaleOfThePlot) {
    RecordingSurface s;
    setUpPlotSurface(s);
    EXPECT_DOUBLE_EQ(s.scaleLeft(), -0.9);
    EXPECT_DOUBLE_EQ(s.scaleTop(), -1.1);
    EXPECT_DOUBLE_EQ(s.scaleLeft() + s.scaleWidth(), 1.7);
    EXPECT_DOUBLE_EQ(s.scaleTop() + s.scaleHeight(), 1.5);
    EXPECT_EQ(s.backColor(), qbColor(15));
    EXPECT_EQ(s.lineWidth(), 1);
}

TEST(DomainFrame, clearsToWhiteFirstAndDrawsTextsBeforeLines) {
    RecordingSurface s;
    setUpPlotSurface(s);
    s.setBackColor(qbColor(1));
    s.clearRecords();
    drawDomainFrame(s, rectangular(true));
    const auto& recs = s.records();
    ASSERT_FALSE(recs.isEmpty());
    EXPECT_EQ(recs.first().kind, DrawRecord::Kind::Clear);
    EXPECT_EQ(recs.first().color, qbColor(15));
    EXPECT_EQ(s.records(DrawRecord::Kind::Clear).size(), 1);
    // Grid and axes pass over the tick labels.
    qsizetype lastText = -1, firstLine = recs.size();
    for (qsizetype i = 0; i < recs.size(); ++i) {
        if (recs[i].kind == DrawRecord::Kind::Text) lastText = i;
        if (recs[i].kind == DrawRecord::Kind::Line) firstLine = std::min(firstLine, i);
    }
    EXPECT_LT(lastText, firstLine);
    EXPECT_TRUE(s.records(DrawRecord::Kind::Circle).isEmpty());
}

TEST(DomainFrame, gridIsGreyAndTheTwoAxesAreBlackAndOverrunIt) {
    const Frame f(rectangular(false));
    int greyHorizontal = 0, greyVertical = 0;
    QList<DrawRecord> axes;
    for (const DrawRecord& l : f.lines()) {
        if (l.color == qbColor(8)) {
            (isHorizontal(l) ? greyHorizontal : greyVertical)++;
            // The grid stays within x -0.6..1.2 and y -0.8..1.2.
            EXPECT_GE(std::min(l.x1, l.x2), -0.6 - kEps);
            EXPECT_LE(std::max(l.x1, l.x2), 1.2 + kEps);
            EXPECT_GE(std::min(l.y1, l.y2), -0.8 - kEps);
            EXPECT_LE(std::max(l.y1, l.y2), 1.2 + kEps);
        } else {
            EXPECT_EQ(l.color, qbColor(0));
            axes << l;
        }
    }
    // n = 1.4 to -0.6 every 0.2 without n = 0; x = -0.6 to 1.2 every 0.2 without x = 0.
    EXPECT_EQ(greyHorizontal, 10);
    EXPECT_EQ(greyVertical, 9);
    ASSERT_EQ(axes.size(), 2);
    const DrawRecord& nAxis = isHorizontal(axes[0]) ? axes[0] : axes[1];
    const DrawRecord& mAxis = isHorizontal(axes[0]) ? axes[1] : axes[0];
    EXPECT_NEAR(nAxis.y1, 0.6, kEps);
    EXPECT_NEAR(std::min(nAxis.x1, nAxis.x2), -0.63, kEps);
    EXPECT_NEAR(std::max(nAxis.x1, nAxis.x2), 1.23, kEps);
    EXPECT_NEAR(mAxis.x1, 0.0, kEps);
    EXPECT_NEAR(std::min(mAxis.y1, mAxis.y2), -0.83, kEps);
    EXPECT_NEAR(std::max(mAxis.y1, mAxis.y2), 1.23, kEps);
}

TEST(DomainFrame, horizontalLinesTopToBottomThenVerticalLeftToRight) {
    const Frame f(rectangular(true));
    const auto lines = f.lines();
    ASSERT_EQ(lines.size(), 21);
    for (int i = 0; i < 11; ++i) {
        EXPECT_TRUE(isHorizontal(lines[i])) << i;
        EXPECT_NEAR(lines[i].y1, -0.8 + 0.2 * i, kEps) << i;
    }
    for (int i = 11; i < 21; ++i) {
        EXPECT_FALSE(isHorizontal(lines[i])) << i;
        EXPECT_NEAR(lines[i].x1, -0.6 + 0.2 * (i - 11), kEps) << i;
    }
}

// The rectangle around a text as the recording surface measures it.
struct TextBox {
    double left, top, right, bottom;
};
TextBox boxOf(const RecordingSurface& s, const DrawRecord& t) {
    return {t.x1, t.y1, t.x1 + s.textWidth(t.text), t.y1 + s.textHeight(t.text)};
}
bool crosses(const DrawRecord& l, const TextBox& b) {
    const double x0 = std::min(l.x1, l.x2), x1 = std::max(l.x1, l.x2);
    const double y0 = std::min(l.y1, l.y2), y1 = std::max(l.y1, l.y2);
    return x0 <= b.right && x1 >= b.left && y0 <= b.bottom && y1 >= b.top;
}

TEST(DomainFrame, axisCaptionsStandInAnAreaFreeOfGridLines) {
    for (const auto& [options, nCaption, mCaption] :
         {std::tuple{rectangular(true), "n = N/b*h*fm", "m=M/b*fm*h^2/6"},
          std::tuple{circular(false), "n = N/Ac*fm", "m=M/fm*r^3/10"}}) {
        const Frame f(options);
        for (const char* caption : {nCaption, mCaption}) {
            const DrawRecord* t = f.text(QString::fromLatin1(caption));
            ASSERT_NE(t, nullptr) << caption;
            const TextBox b = boxOf(f.surface, *t);
            for (const DrawRecord& l : f.lines()) EXPECT_FALSE(crosses(l, b)) << caption << " " << l.x1;
        }
    }
}

TEST(DomainFrame, nLabelsStandJustAboveTheirGridLines) {
    const Frame f(rectangular(false));
    // Every horizontal line, axis included, carries its n = 0.6 - y.
    for (const DrawRecord& l : f.lines()) {
        if (!isHorizontal(l)) continue;
        const double n = 0.6 - l.y1;
        const QString value = QString::number(n, 'f', 1);
        const QString expected = std::abs(n) < kEps ? QStringLiteral("n=0.0") : value;
        const DrawRecord* t = f.text(expected);
        ASSERT_NE(t, nullptr) << expected.toStdString();
        EXPECT_NEAR(t->y1, l.y1 - 0.05, kEps) << expected.toStdString();
        EXPECT_LT(t->x1, -0.6) << "left of the grid";
        EXPECT_EQ(t->color, qbColor(0));
    }
}

TEST(DomainFrame, fixedTextsAtTheirPlaces) {
    const Frame f(rectangular(false));
    struct Expected {
        const char* text;
        double x, y;
    };
    for (const Expected& e : {Expected{"FORTEMA DI RESISTENZA M / N", -0.6, -1.0}, Expected{"n", 0.05, -0.75},
                              Expected{"N compressione", -0.56, 0.45}, Expected{"N trazione", -0.56, 0.65},
                              Expected{"       [+]", -0.15, 1.38}}) {
        const DrawRecord* t = f.text(QString::fromLatin1(e.text));
        ASSERT_NE(t, nullptr) << e.text;
        EXPECT_NEAR(t->x1, e.x, kEps) << e.text;
        EXPECT_NEAR(t->y1, e.y, kEps) << e.text;
        EXPECT_EQ(t->color, qbColor(0)) << e.text;
    }
    // "m" closes the row of "N compressione" at text column 30, near the right end of the m axis.
    const DrawRecord* compression = f.text(QStringLiteral("N compressione"));
    const DrawRecord* m = f.text(QStringLiteral("m"));
    ASSERT_NE(m, nullptr);
    EXPECT_FALSE(compression->endLine);
    EXPECT_EQ(m->xSource, DrawRecord::Source::Tab);
    EXPECT_EQ(m->tabColumn, 30);
    EXPECT_NEAR(m->y1, compression->y1, kEps);
    EXPECT_GT(m->x1, compression->x1 + f.surface.textWidth(compression->text));
    EXPECT_LT(m->x1, 1.23);
    // The marker legend: the cross sign, then its meaning on the same text line.
    const DrawRecord* marker = f.text(QStringLiteral("       [+]"));
    const DrawRecord* meaning = f.text(QStringLiteral(" Punto di progetto"));
    ASSERT_NE(meaning, nullptr);
    EXPECT_FALSE(marker->endLine);
    EXPECT_EQ(meaning->xSource, DrawRecord::Source::Flow);
    EXPECT_NEAR(meaning->y1, marker->y1, kEps);
    EXPECT_EQ(meaning->color, qbColor(0));
}

TEST(DomainFrame, captionsFollowTheChosenLayoutOnly) {
    const QStringList rect{QStringLiteral("n = N/b*h*fm"), QStringLiteral("m=M/b*fm*h^2/6")};
    const QStringList circ{QStringLiteral("n = N/Ac*fm"), QStringLiteral("m=M/fm*r^3/10")};
    const auto has = [](const Frame& f, const QStringList& list) {
        return std::all_of(list.begin(), list.end(), [&](const QString& t) { return f.text(t) != nullptr; });
    };
    const auto none = [](const Frame& f, const QStringList& list) {
        return std::none_of(list.begin(), list.end(), [&](const QString& t) { return f.text(t) != nullptr; });
    };
    const Frame r(rectangular(false)), c(circular(false)), neither(DomainFrameOptions{});
    EXPECT_TRUE(has(r, rect));
    EXPECT_TRUE(none(r, circ));
    EXPECT_TRUE(has(c, circ));
    EXPECT_TRUE(none(c, rect));
    EXPECT_TRUE(none(neither, rect));
    EXPECT_TRUE(none(neither, circ));
    EXPECT_NEAR(r.text(rect[0])->x1, -0.55, kEps);
    EXPECT_NEAR(r.text(rect[1])->x1, 0.61, kEps);
    EXPECT_NEAR(c.text(circ[0])->x1, -0.55, kEps);
    EXPECT_NEAR(c.text(circ[1])->x1, 0.64, kEps);
    EXPECT_NEAR(c.text(circ[1])->y1, 1.05, kEps);
}

// The m label row at (-0.15, 1.25): "m = " and one label for each grid line x = 0, 0.2 .. 1.2.
QString mLabelRow(const Frame& f) {
    for (const DrawRecord& t : f.texts())
        if (t.text.startsWith(QStringLiteral("m = "))) {
            EXPECT_NEAR(t.x1, -0.15, kEps);
            EXPECT_NEAR(t.y1, 1.25, kEps);
            return t.text;
        }
    ADD_FAILURE() << "no m label row";
    return {};
}

TEST(DomainFrame, mLabelsReadTheScaleOfTheCurves) {
    EXPECT_EQ(mLabelRow(Frame(rectangular(false))),
              QStringLiteral("m = 0.0    0.2    0.4    0.6    0.8    1.0    1.2"));
    EXPECT_EQ(mLabelRow(Frame(rectangular(true))),
              QStringLiteral("m = 0.0    0.4    0.8    1.2    1.6    2.0    2.4"));
    // Under each label's grid line x the curves of that scale have m = x / factor.
    for (const auto& [options, scale] :
         {std::pair{rectangular(false), PlotScale::Unreinforced},
          std::pair{rectangular(true), PlotScale::Reinforced},
          std::pair{circular(false), PlotScale::Circular}, std::pair{circular(true), PlotScale::Circular}}) {
        const QString row = mLabelRow(Frame(options));
        const QStringList labels = row.mid(4).split(QLatin1Char(' '), Qt::SkipEmptyParts);
        ASSERT_EQ(labels.size(), 7) << row.toStdString();
        for (int k = 0; k < 7; ++k) {
            const double x = 0.2 * k;
            EXPECT_NEAR(plotX(labels[k].toDouble(), scale), x, 0.004) << row.toStdString();
        }
    }
}

TEST(DomainFrame, circularMLabelsKeepThePitchOfTheRectangleRow) {
    const QString rect = mLabelRow(Frame(rectangular(true)));
    const QString circ = mLabelRow(Frame(circular(false)));
    EXPECT_EQ(circ, QStringLiteral("m = 0.0    3.3    6.7   10.0   13.3   16.7   20.0"));
    // Each label begins in the same character column as the rectangle's label of that grid line.
    static const QRegularExpression label(QStringLiteral("\\d+\\.\\d"));
    QList<qsizetype> rectStarts, circStarts;
    for (auto it = label.globalMatch(rect); it.hasNext();) rectStarts << it.next().capturedStart();
    for (auto it = label.globalMatch(circ); it.hasNext();) circStarts << it.next().capturedStart();
    ASSERT_EQ(rectStarts.size(), 7);
    ASSERT_EQ(circStarts.size(), 7);
    // A label of four characters starts one column earlier, so that it still ends a column
    // short of the next label: the row stays as long as the rectangle's.
    for (int k = 0; k < 7; ++k) {
        const qsizetype width = label.match(circ, circStarts[k]).capturedLength();
        EXPECT_EQ(circStarts[k] + width, rectStarts[k] + 3) << k;
    }
}

TEST(DomainFrame, colourLegendOnlyWhereFiveFieldsCanBeDrawn) {
    const auto legend = [](const Frame& f) {
        QList<DrawRecord> out;
        for (const DrawRecord& t : f.texts())
            if (t.text.startsWith(QStringLiteral("___ campo"))) out << t;
        return out;
    };
    EXPECT_TRUE(legend(Frame(rectangular(false))).isEmpty());
    EXPECT_TRUE(legend(Frame(DomainFrameOptions{})).isEmpty());
    // A circle always has five fields, whatever the last rectangle left in A1 and A2.
    for (const DomainFrameOptions& options : {rectangular(true), circular(false), circular(true)}) {
        const Frame f(options);
        const auto entries = legend(f);
        ASSERT_EQ(entries.size(), 5);
        // campo 5 at the top down to campo 1, one n label row each (n = 1.4 .. 0.6),
        // each in the colour its field is drawn in.
        const int fieldColour[] = {0, 12, 10, 13, 9, 11};
        for (int i = 0; i < 5; ++i) {
            const int field = 5 - i;
            EXPECT_EQ(entries[i].text, QStringLiteral("___ campo%1").arg(field));
            EXPECT_NEAR(entries[i].x1, 1.25, kEps);
            EXPECT_NEAR(entries[i].y1, f.text(QString::number(1.4 - 0.2 * i, 'f', 1))->y1, kEps);
            EXPECT_EQ(entries[i].color, qbColor(fieldColour[field]));
        }
        // Every other text is black.
        for (const DrawRecord& t : f.texts()) {
            if (!t.text.startsWith(QStringLiteral("___"))) {
                EXPECT_EQ(t.color, qbColor(0)) << t.text.toStdString();
            }
        }
    }
}

TEST(DomainFrame, framePlotScaleFollowsLayoutThenSteel) {
    EXPECT_EQ(framePlotScale(false, false), PlotScale::Unreinforced);
    EXPECT_EQ(framePlotScale(false, true), PlotScale::Reinforced);
    EXPECT_EQ(framePlotScale(true, false), PlotScale::Circular);
    EXPECT_EQ(framePlotScale(true, true), PlotScale::Circular);
}

}  // namespace
}  // namespace fortema::ui
