#include "ui/main/domain_plot.h"

#include <algorithm>
#include <array>

namespace fortema::ui {

using drawing::qbColor;
using drawing::Surface;

namespace {

constexpr double kReinforcedFactor = 0.5;
constexpr double kCircularFactor = 0.06;

void printAt(Surface& s, double x, double y, const QString& text) {
    s.setCurrentX(x);
    s.setCurrentY(y);
    s.print(text);
}

// The m labels of the circle: the grid lines at x = 0, 0.2, ... 1.2 carry m = x / 0.06. Each
// label ends in the column where the rectangle's label of the same grid line ends (a pitch of
// seven characters), so the wider labels from 10.0 on stay centred on their lines.
QString circularMLabels() {
    QString text = QStringLiteral("m = ");
    const qsizetype firstEnd = text.size() + 3;
    for (int k = 0; k <= 6; ++k) {
        const QString label = QString::number(0.2 * k / kCircularFactor, 'f', 1);
        const qsizetype start = firstEnd + 7 * k - label.size();
        text += QString(std::max<qsizetype>(start - text.size(), k > 0 ? 1 : 0), QLatin1Char(' ')) + label;
    }
    return text;
}

struct FieldDrawing {
    int field;
    int first;
    int last;  // index of the last segment's first point
};

// Segments i -> i+1 from `first` to `last`; the capped tail of a field repeats its last n and
// is not drawn.
void drawField(Surface& s, const engine::FieldCurve& curve, const FieldDrawing& how, PlotScale scale,
               const QColor& color) {
    for (int i = how.first; i <= how.last; ++i) {
        const auto& p = curve[i];
        const auto& q = curve[i + 1];
        if (q.n == p.n) break;
        s.line(plotX(p.m, scale), plotY(p.n), plotX(q.m, scale), plotY(q.n), color);
    }
}

void drawCross(Surface& s, double x, double y, const QColor& color) {
    s.line(x - 0.03, y, x + 0.03, y, color);
    s.line(x, y + 0.04, x, y - 0.04, color);
}

}  // namespace

PlotScale framePlotScale(bool circularLayout, bool reinforced) {
    if (circularLayout) return PlotScale::Circular;
    return reinforced ? PlotScale::Reinforced : PlotScale::Unreinforced;
}

PlotScale curvePlotScale(const engine::Analysis& analysis) {
    if (analysis.layout() == engine::Layout::Circular) return PlotScale::Circular;
    return analysis.reinforcedScale() ? PlotScale::Reinforced : PlotScale::Unreinforced;
}

double plotX(double m, PlotScale scale) {
    switch (scale) {
        case PlotScale::Reinforced:
            return kReinforcedFactor * m;
        case PlotScale::Circular:
            return kCircularFactor * m;
        case PlotScale::Unreinforced:
            break;
    }
    return m;
}

double plotMFromX(double x, PlotScale scale) {
    switch (scale) {
        case PlotScale::Reinforced:
            return x / kReinforcedFactor;
        case PlotScale::Circular:
            return x / kCircularFactor;
        case PlotScale::Unreinforced:
            break;
    }
    return x;
}

void setUpPlotSurface(Surface& surface) {
    surface.setScale(-0.9, -1.1, 2.6, 2.6);
    surface.setBackColor(qbColor(15));
    surface.setLineWidth(1);
}

void drawDomainFrame(Surface& s, const DomainFrameOptions& options) {
    // The background is set before clearing so that the plot is cleared to white whatever
    // background it had.
    s.setBackColor(qbColor(15));
    s.clear();
    s.setForeColor(qbColor(0));

    printAt(s, -0.6, -1.0, QStringLiteral("FORTEMA DI RESISTENZA M / N"));
    struct Label {
        const char* text;
        double x;
        double y;
    };
    // Each tick label stands 0.05 above its grid line.
    static const std::array<Label, 11> nLabels = {{{"1.4", -0.8, -0.85},
                                                   {"1.2", -0.8, -0.65},
                                                   {"1.0", -0.8, -0.45},
                                                   {"0.8", -0.8, -0.25},
                                                   {"0.6", -0.8, -0.05},
                                                   {"0.4", -0.8, 0.15},
                                                   {"0.2", -0.8, 0.35},
                                                   {"n=0.0", -0.85, 0.55},
                                                   {"-0.2", -0.8, 0.75},
                                                   {"-0.4", -0.8, 0.95},
                                                   {"-0.6", -0.8, 1.15}}};
    for (const Label& label : nLabels) printAt(s, label.x, label.y, QString::fromLatin1(label.text));
    s.setForeColor(qbColor(0));
    if (options.option1) printAt(s, -0.55, -0.75, QStringLiteral("n = N/b*h*fm"));
    if (options.option2) printAt(s, -0.55, -0.75, QStringLiteral("n = N/Ac*fm"));
    printAt(s, 0.05, -0.75, QStringLiteral("n"));
    s.setCurrentX(-0.56);
    s.setCurrentY(0.45);
    s.print(QStringLiteral("N compressione"), false);
    s.tabToColumn(30);
    s.print(QStringLiteral("m"));
    printAt(s, -0.56, 0.65, QStringLiteral("N trazione"));
    if (options.option1) printAt(s, 0.61, 1.05, QStringLiteral("m=M/b*fm*h^2/6"));
    if (options.option2) printAt(s, 0.64, 1.05, QStringLiteral("m=M/fm*r^3/10"));

    const PlotScale scale = framePlotScale(options.option2, options.reinforced);
    QString mLabels;
    switch (scale) {
        case PlotScale::Reinforced:
            mLabels = QStringLiteral("m = 0.0    0.4    0.8    1.2    1.6    2.0    2.4");
            break;
        case PlotScale::Circular:
            mLabels = circularMLabels();
            break;
        case PlotScale::Unreinforced:
            mLabels = QStringLiteral("m = 0.0    0.2    0.4    0.6    0.8    1.0    1.2");
            break;
    }
    printAt(s, -0.15, 1.25, mLabels);

    s.setCurrentX(-0.15);
    s.setCurrentY(1.38);
    s.setForeColor(qbColor(0));
    s.print(QStringLiteral("       [+]"), false);
    s.setForeColor(qbColor(0));
    s.print(QStringLiteral(" Punto di progetto"));

    // A circle always has all five fields, so it always carries the colour legend.
    if (scale != PlotScale::Unreinforced) {
        struct Legend {
            const char* text;
            double y;
            int campo;
        };
        static const std::array<Legend, 5> legend = {{{"___ campo5", -0.85, 5},
                                                      {"___ campo4", -0.65, 4},
                                                      {"___ campo3", -0.45, 3},
                                                      {"___ campo2", -0.25, 2},
                                                      {"___ campo1", -0.05, 1}}};
        for (const Legend& entry : legend) {
            s.setForeColor(drawing::fieldColor(entry.campo));
            printAt(s, 1.25, entry.y, QString::fromLatin1(entry.text));
        }
    }

    s.setForeColor(qbColor(8));
    const QColor black = qbColor(0);
    for (const double y : {-0.8, -0.6, -0.4, -0.2, 0.0, 0.2, 0.4}) s.line(-0.6, y, 1.2, y);
    s.line(-0.63, 0.6, 1.23, 0.6, black);
    for (const double y : {0.8, 1.0, 1.2}) s.line(-0.6, y, 1.2, y);
    s.line(-0.6, -0.8, -0.6, 1.2);
    // Shorter lines leave the n caption and the m caption free of grid.
    for (const double x : {-0.4, -0.2}) s.line(x, -0.6, x, 1.2);
    s.line(0, -0.83, 0, 1.23, black);
    for (const double x : {0.2, 0.4, 0.6}) s.line(x, -0.8, x, 1.2);
    for (const double x : {0.8, 1.0}) s.line(x, -0.8, x, 1.0);
    s.line(1.2, -0.8, 1.2, 1.2);
}

void drawDomainCurves(Surface& s, const engine::Analysis& analysis) {
    const PlotScale scale = curvePlotScale(analysis);
    const double yd = plotY(analysis.nd());
    const double xd = plotX(analysis.md(), scale);

    if (analysis.layout() == engine::Layout::Circular) {
        static const std::array<FieldDrawing, 5> fields = {
            {{1, 2, 50}, {2, 1, 99}, {3, 1, 99}, {4, 1, 49}, {5, 1, 49}}};
        for (const FieldDrawing& f : fields)
            drawField(s, analysis.curve(f.field), f, scale, drawing::fieldColor(f.field));
        drawCross(s, xd, yd, qbColor(12));
        s.circle(0, 0.6, 0.03, qbColor(0));
        return;
    }

    if (analysis.unreinforced()) {
        const auto& curve = analysis.curve(1);
        for (int i = 1; i <= 100; ++i)
            s.line(plotX(curve[i].m, scale), plotY(curve[i].n), plotX(curve[i + 1].m, scale),
                   plotY(curve[i + 1].n), qbColor(9));
    } else {
        static const std::array<FieldDrawing, 5> fields = {
            {{1, 1, 49}, {2, 1, 49}, {3, 1, 99}, {4, 1, 49}, {5, 1, 49}}};
        for (const FieldDrawing& f : fields)
            drawField(s, analysis.curve(f.field), f, scale, drawing::fieldColor(f.field));
    }
    drawCross(s, xd, yd, qbColor(0));
    s.circle(0, 0.6, 0.03, qbColor(13));
}

QString cursorReadout(double x, double y, PlotScale scale, const engine::numtext::NumberLocale& loc) {
    const double n = 0.6 - y;
    const double m = plotMFromX(x, scale);
    return QStringLiteral("m = ") + QString::fromStdString(engine::numtext::fixedText(m, 2, loc)) +
           QStringLiteral("   n = ") + QString::fromStdString(engine::numtext::fixedText(n, 2, loc));
}

}  // namespace fortema::ui
