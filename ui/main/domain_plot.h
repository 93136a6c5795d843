#pragma once

// The M-N domain plot of the main window: its coordinate system, the empty frame, the curves
// and design point of a calculation, and the readout of the cursor. Everything draws on a
// Surface, so the same routines serve the window and the tests.

#include <QString>

#include "drawing/surface.h"
#include "engine/numtext.h"
#include "engine/section.h"

namespace fortema::ui {

// How m maps to the plot's x: reinforced rectangle X = 0.5·m, unreinforced X = m,
// circle X = 0.06·m.
enum class PlotScale { Unreinforced, Reinforced, Circular };

// The scale under which the frame labels m and the cursor reads it: the circular layout has
// its own; a rectangle follows A1 and A2 of the last calculation.
PlotScale framePlotScale(bool circularLayout, bool reinforced);
// The scale of the curves of the last calculation.
PlotScale curvePlotScale(const engine::Analysis& analysis);
double plotX(double m, PlotScale scale);
double plotMFromX(double x, PlotScale scale);
inline double plotY(double n) { return 0.6 - n; }

// x from -0.9 to 1.7 rightwards, y from -1.1 at the top to 1.5 at the bottom, white, thin lines.
void setUpPlotSurface(drawing::Surface& surface);

struct DomainFrameOptions {
    bool option1 = false;     // rectangular layout selected
    bool option2 = false;     // circular layout selected
    bool reinforced = false;  // A1 > 0 or A2 > 0 in the last calculation
};

// Clears the plot and draws title, scales, captions, legends, grid and axes.
void drawDomainFrame(drawing::Surface& surface, const DomainFrameOptions& options);

// The curves of the five strain fields, the design-point cross and the origin circle of the
// last calculation, over whatever the plot shows.
void drawDomainCurves(drawing::Surface& surface, const engine::Analysis& analysis);

// "m = 1.20   n = 1.00" for the cursor at plot coordinates (x, y).
QString cursorReadout(double x, double y, PlotScale scale, const engine::numtext::NumberLocale& loc);

}  // namespace fortema::ui
