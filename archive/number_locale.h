#pragma once

// The locale the program's number texts follow: the windows, the printouts, the page file and
// the command line all take their separators from here.

#include "engine/numtext.h"

namespace fortema::archive {

// The separators of the current default QLocale, in the form the number-text module takes.
// A separator that is not a plain ASCII character (the narrow no-break space some locales
// group with) becomes a blank; an unusable decimal separator becomes ".".
engine::numtext::NumberLocale numberLocale();

}  // namespace fortema::archive
