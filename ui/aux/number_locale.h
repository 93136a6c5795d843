#pragma once

// The number texts of the windows follow the locale the program runs under.

#include <string>

#include "engine/numtext.h"

namespace fortema::ui {

// The separators of the current default QLocale, in the form the number-text module takes.
// A separator that is not a plain ASCII character (the narrow no-break space some locales
// group with) becomes a blank; an unusable decimal separator becomes ".".
engine::numtext::NumberLocale numberLocale();

// The text a stored number is written into an input box with. The calculation reads the boxes
// with "." as the only decimal separator, so a comma written here would silently cut a stored
// 11.5 to 11 at the next "&CALCOLA": the "." form is used whenever the locale's change check
// accepts it (as it does under C and Italian locales), the locale's form otherwise.
std::string inputBoxText(float value, const engine::numtext::NumberLocale& loc);

}  // namespace fortema::ui
