#pragma once

// The fixed sketches of the two section types beside the geometry fields. They read no value
// of the fields and do not scale with them.

#include "drawing/surface.h"

namespace fortema::ui {

// Origin at the top left, 10 units across and 10 down, thin lines.
void setUpSketchSurface(drawing::Surface& surface);

// A T that stands for every rectangular or assimilable section, with b, h, c1, c2, A1, A2, y.
void drawRectangularSketch(drawing::Surface& surface);
// A circle with its ring of bars, with d, c, y.
void drawCircularSketch(drawing::Surface& surface);

}  // namespace fortema::ui
