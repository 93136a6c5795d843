#pragma once

// The full M-N domain of a section in the program's units, M (daN·cm) across and N (daN) up, with
// the load combinations as points coloured by their verdict: the plot of the window of the load
// combinations, drawn on a Surface.

#include <utility>
#include <vector>

#include "drawing/surface.h"

namespace fortema::ui {

struct LoadPlotPoint {
    double N = 0, M = 0;
    bool passes = false;
    bool governing = false;
};

// The part of the (M, N) plane on view.
struct LoadPlotView {
    double mMin = -1, mMax = 1, nMin = -1, nMax = 1;

    // Zoomed by `factor` (< 1 closer) about the point (m, n), which stays where it is.
    LoadPlotView zoomed(double factor, double m, double n) const;
    LoadPlotView panned(double dm, double dn) const;
};

// Everything in sight, with a margin; a view of ±1 when there is nothing.
LoadPlotView fitView(const std::vector<std::pair<double, double>>& outline,
                     const std::vector<LoadPlotPoint>& points);

// The surface's user coordinates become x = M and y = −N (compression up); (x, y) of the surface
// back to (M, N) is therefore (x, −y).
void drawLoadDomain(drawing::Surface& surface, const LoadPlotView& view,
                    const std::vector<std::pair<double, double>>& outline,
                    const std::vector<LoadPlotPoint>& points);

}  // namespace fortema::ui
