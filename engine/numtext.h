#pragma once

// The one place where numbers become texts and locale texts become numbers.
// Windows, printouts, page files and the command line all go through here, so that
// every number a user reads follows the same rules. The locale is always passed in.

#include <optional>
#include <string>
#include <string_view>

namespace fortema::engine::numtext {

struct NumberLocale {
    char decimal = '.';
    char group = ',';

    static NumberLocale c() { return {'.', ','}; }
    static NumberLocale italian() { return {',', '.'}; }
};

// Default text of a single-precision value: no leading blank, at most seven significant
// digits in the shortest form that reads back to the same float, the locale's decimal
// separator, exponent form ("1E+07", "1.5E-06") only for very large or very small values.
std::string singleText(float value, const NumberLocale& loc);

// General text of a double: as singleText, with up to fifteen significant digits.
std::string generalText(double value, const NumberLocale& loc);

// A single-precision value as the project file keeps it: as singleText under ".", but with no 0
// before the point below 1 (".5", "-.25") and the exponent form already from 1E-05 down. NaN is
// written as 0 and an infinity as the largest single, so that the file always reads back.
std::string fileText(float value);

// Signed form of a single-precision value: a leading blank when the value is not
// negative, the minus sign otherwise; seven digits at most; always "." as separator.
std::string signedText(float value);

// Exactly `decimals` decimals with the locale's separator, digit grouping and leading zero.
std::string fixedText(double value, int decimals, const NumberLocale& loc);

// The locale number check of the input fields: "2,5" is a number under an Italian
// locale; "", "-" and "abc" are not.
bool isLocaleNumber(std::string_view text, const NumberLocale& loc);

// The value of a text that passes isLocaleNumber (0 otherwise).
double localeNumberValue(std::string_view text, const NumberLocale& loc);

// Leading-number parse of the input fields: "." is the only decimal separator, reading
// stops at the first character that cannot continue the number, no number reads 0.
// "2,5" reads 2; "  -3.5e2x" reads -350.
double leadingNumber(std::string_view text);

// The leading-number parse reads all of `text` as one number, blanks around it aside: "25",
// "-3.5e2" and " 7 " do, "2,5", "1.2.3", "-" and "" do not.
bool readsWhole(std::string_view text);

// A number item of the project file, read whole as a single: sign, digits with "." as the only
// separator, an optional exponent marked E or D. Anything else, "1x", "1,5" or a blank included,
// is no number. A value too large to hold reads as an infinity, one too small as 0.
std::optional<float> fileNumber(std::string_view text);

}  // namespace fortema::engine::numtext
