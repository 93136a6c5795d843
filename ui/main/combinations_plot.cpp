#include "ui/main/combinations_plot.h"

#include <algorithm>
#include <cmath>

#include "archive/number_locale.h"
#include "drawing/ticks.h"
#include "engine/numtext.h"

namespace fortema::ui {

namespace {

using drawing::qbColor;

QString tickText(double v) {
    return QString::fromStdString(
        engine::numtext::generalText(std::fabs(v) < 1e-9 ? 0.0 : v, archive::numberLocale()));
}

}  // namespace

LoadPlotView LoadPlotView::zoomed(double factor, double m, double n) const {
    return {m + (mMin - m) * factor, m + (mMax - m) * factor, n + (nMin - n) * factor,
            n + (nMax - n) * factor};
}

LoadPlotView LoadPlotView::panned(double dm, double dn) const {
    return {mMin + dm, mMax + dm, nMin + dn, nMax + dn};
}

LoadPlotView fitView(const std::vector<std::pair<double, double>>& outline,
                     const std::vector<LoadPlotPoint>& points) {
    double nLo = 0, nHi = 0, mLo = 0, mHi = 0;
    const auto take = [&](double N, double M) {
        if (!std::isfinite(N) || !std::isfinite(M)) return;
        nLo = std::min(nLo, N), nHi = std::max(nHi, N), mLo = std::min(mLo, M), mHi = std::max(mHi, M);
    };
    for (const auto& [N, M] : outline) take(N, M);
    for (const LoadPlotPoint& p : points) take(p.N, p.M);
    const double dn = std::max(nHi - nLo, 1.0) * 0.08, dm = std::max(mHi - mLo, 1.0) * 0.08;
    return {mLo - dm, mHi + dm, nLo - dn, nHi + dn};
}

void drawLoadDomain(drawing::Surface& s, const LoadPlotView& v,
                    const std::vector<std::pair<double, double>>& outline,
                    const std::vector<LoadPlotPoint>& points) {
    const double width = v.mMax - v.mMin, height = v.nMax - v.nMin;
    s.setScale(v.mMin, -v.nMax, width, height);
    s.setBackColor(qbColor(15));
    s.clear();
    s.setLineWidth(1);
    s.setFontName(QStringLiteral("Arial"));
    s.setFontSize(8);
    s.setFontBold(false);
    s.setForeColor(qbColor(0));

    // Grid and tick labels, then the two axes.
    const double mStep = drawing::tickStep(width), nStep = drawing::tickStep(height);
    for (double m = std::ceil(v.mMin / mStep) * mStep; m <= v.mMax; m += mStep) {
        s.line(m, -v.nMax, m, -v.nMin, qbColor(7));
        s.setCurrentX(m);
        s.setCurrentY(-v.nMin - 0.045 * height);
        s.print(tickText(m));
    }
    for (double n = std::ceil(v.nMin / nStep) * nStep; n <= v.nMax; n += nStep) {
        s.line(v.mMin, -n, v.mMax, -n, qbColor(7));
        s.setCurrentX(v.mMin + 0.01 * width);
        s.setCurrentY(-n);
        s.print(tickText(n));
    }
    s.line(v.mMin, 0, v.mMax, 0, qbColor(8));
    s.line(0, -v.nMax, 0, -v.nMin, qbColor(8));
    s.setCurrentX(v.mMax - s.textWidth(QStringLiteral("M [daN*cm]")) - 0.01 * width);
    s.setCurrentY(0);
    s.print(QStringLiteral("M [daN*cm]"));
    s.setCurrentX(0.01 * width);
    s.setCurrentY(-v.nMax + 0.01 * height);
    s.print(QStringLiteral("N [daN] (compressione)"));

    // The domain: its outline closed on itself.
    s.setLineWidth(2);
    for (std::size_t i = 0; i < outline.size(); ++i) {
        const auto& [n1, m1] = outline[i];
        const auto& [n2, m2] = outline[(i + 1) % outline.size()];
        s.line(m1, -n1, m2, -n2, qbColor(1));
    }
    // The combinations: a small square each, green when carried, red when not; the governing one
    // ringed.
    const double rm = 0.006 * width, rn = 0.006 * height;
    for (const LoadPlotPoint& p : points) {
        if (!std::isfinite(p.N) || !std::isfinite(p.M)) continue;
        s.filledBox(p.M - rm, -p.N - rn, p.M + rm, -p.N + rn, qbColor(p.passes ? 2 : 12));
        if (p.governing) s.circle(p.M, -p.N, 3 * rm, qbColor(0));
    }
    s.setLineWidth(1);
}

}  // namespace fortema::ui
