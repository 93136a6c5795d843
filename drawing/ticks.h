#pragma once

// The tick step of a plot axis, shared by the plot of the load combinations and its printed
// drawing.

namespace fortema::drawing {

// A step of 1, 2 or 5 times a power of ten that cuts `span` into more than two and at most six
// parts; 1 for a span that is not a positive number.
double tickStep(double span);

}  // namespace fortema::drawing
