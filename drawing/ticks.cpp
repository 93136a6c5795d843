#include "drawing/ticks.h"

#include <cmath>
#include <initializer_list>

namespace fortema::drawing {

double tickStep(double span) {
    if (!(span > 0) || !std::isfinite(span)) return 1;
    const double raw = span / 6;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (double f : {1.0, 2.0, 5.0, 10.0}) {
        if (raw <= f * power) return f * power;
    }
    return 10 * power;
}

}  // namespace fortema::drawing
