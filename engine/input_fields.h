#pragma once

// The sixteen numeric input boxes of a section: how each one is read by the calculation, which
// texts its change check accepts, the enabling rule of "&CALCOLA", and the text a stored number
// is written back with. The window and the command line both go through here, so a text can
// never give one number in the window and another on the command line.

#include <array>
#include <string>
#include <string_view>

#include "engine/numtext.h"
#include "engine/section.h"

namespace fortema::engine {

enum class Field { fyk, fyd, Ea, fmd, Em, Nd, Md, b, h, c1, c2, A1, A2, d, c, Aa };
inline constexpr int kFieldCount = 16;

// The keys a box takes: digits only; digits and a decimal comma ("." typed becomes ","); digits
// and the minus sign.
enum class KeyRule { Digits, DecimalComma, Signed };

struct FieldRule {
    Field field;
    const char* box;     // the box's name in the main window
    const char* symbol;  // as warnings and the command line name it
    KeyRule keys;
    std::string SectionTexts::*text;
};

// In the order the calculation reads them: materials, actions, rectangle, circle.
const std::array<FieldRule, kFieldCount>& fieldRules();
const FieldRule& fieldRule(Field field);

// The five material boxes, the rectangle's six and the circle's three, in reading order.
inline constexpr std::array<Field, 5> kMaterialFields = {Field::fyk, Field::fyd, Field::Ea, Field::fmd,
                                                         Field::Em};
inline constexpr std::array<Field, 6> kRectangularFields = {Field::b,  Field::h,  Field::c1,
                                                            Field::c2, Field::A1, Field::A2};
inline constexpr std::array<Field, 3> kCircularFields = {Field::d, Field::c, Field::Aa};

// The number the calculation reads from a box's text, in the box's own unit: the leading-number
// parse with "." as the decimal separator; in c1, whose keys give a decimal comma, the comma
// separates the decimals too ("25,5" reads 25.5). A text that starts with no number reads 0.
double fieldValue(Field field, std::string_view text);

enum class TextCheck {
    Accepted,    // reads as the number it shows, in the locale as in the calculation
    Unfinished,  // a lone "-" being typed into a signed box: left alone, reads 0
    Refused,     // not a number, or one the locale and the calculation would read differently
};

// The rule of every box that takes plain numbers: the calculation's leading-number parse reads all
// of the text, and the locale, if it reads a number there at all, reads the same one.
bool readsAsShown(std::string_view text, const numtext::NumberLocale& loc);

// The change check of a box. An empty text is refused like any text that is no number (the box
// beeps and takes the focus) and reads 0. A text passes only when the calculation reads all of it, and no
// other number in the locale's reading: "1.500" is 1500 to an Italian reader and 1.5 to the calculation, so
// it is refused; "2,5" is refused in every box but c1, where the comma is the decimal separator.
TextCheck checkFieldText(Field field, std::string_view text, const numtext::NumberLocale& loc);

// "&CALCOLA" is enabled: no material box empty or "0", and the layout's two main sizes neither
// empty nor "0" (b and h, or d and c). Covers, areas and actions take no part.
bool calculationEnabled(const SectionTexts& texts, Layout layout);

// The text a stored number is written into its box with: one that the change check accepts and
// the calculation reads back as the same number, under any locale.
std::string storedFieldText(Field field, float value, const numtext::NumberLocale& loc);

// "Attenzione, dati non validi: <symbol> = "<text>" non è un numero leggibile senza ambiguità"
// for the first text the change check refuses, in reading order; empty when all pass. The
// window empties such a box; the command line, which has no box to empty, refuses the section.
std::string refusedTextWarning(const SectionTexts& texts, const numtext::NumberLocale& loc);

}  // namespace fortema::engine
