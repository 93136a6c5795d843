#pragma once

// The number texts of the windows follow the locale the program runs under.

#include "engine/numtext.h"

namespace fortema::ui {

// The separators of the current default QLocale, in the form the number-text module takes.
// A separator that is not a plain ASCII character (the narrow no-break space some locales
// group with) becomes a blank; an unusable decimal separator becomes ".".
engine::numtext::NumberLocale numberLocale();

}  // namespace fortema::ui
