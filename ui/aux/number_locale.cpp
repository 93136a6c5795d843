#include "ui/aux/number_locale.h"

#include <QLocale>

namespace fortema::ui {

namespace {

char asciiSeparator(const QString& text, char fallback) {
    if (text.size() != 1) return fallback;
    const QChar c = text.at(0);
    if (c.isSpace()) return ' ';
    if (c.unicode() > 0x20 && c.unicode() < 0x7f && !c.isDigit()) return char(c.unicode());
    return fallback;
}

}  // namespace

engine::numtext::NumberLocale numberLocale() {
    const QLocale locale;
    engine::numtext::NumberLocale result;
    result.decimal = asciiSeparator(locale.decimalPoint(), '.');
    if (result.decimal == ' ') result.decimal = '.';
    result.group = asciiSeparator(locale.groupSeparator(), result.decimal == ',' ? '.' : ',');
    if (result.group == result.decimal) result.group = result.decimal == ',' ? '.' : ',';
    return result;
}

std::string inputBoxText(float value, const engine::numtext::NumberLocale& loc) {
    namespace numtext = engine::numtext;
    std::string text = numtext::singleText(value, numtext::NumberLocale::c());
    if (!numtext::isLocaleNumber(text, loc)) text = numtext::singleText(value, loc);
    return text;
}

}  // namespace fortema::ui
