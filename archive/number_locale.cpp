#include "archive/number_locale.h"

#include <QLocale>

namespace fortema::archive {

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

}  // namespace fortema::archive
