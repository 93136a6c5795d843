#include "engine/input_fields.h"

#include <algorithm>
#include <stdexcept>

namespace fortema::engine {

namespace {

using T = SectionTexts;

const std::array<FieldRule, kFieldCount> kRules = {{
    {Field::fyk, "tensione_snervamento_armature", "fyk", KeyRule::Digits, &T::fyk},
    {Field::fyd, "tensione_calcolo_armature", "fyd", KeyRule::Digits, &T::fyd},
    {Field::Ea, "modulo_elastico_armature", "Ea", KeyRule::Digits, &T::Ea},
    {Field::fmd, "tensione_calcolo_materiale", "fmd", KeyRule::Digits, &T::fmd},
    {Field::Em, "modulo_elastico_materiale", "Em", KeyRule::Digits, &T::Em},
    {Field::Nd, "sollecitazioneN", "Nd", KeyRule::Signed, &T::Nd},
    {Field::Md, "sollecitazioneM", "Md", KeyRule::Signed, &T::Md},
    {Field::b, "base", "b", KeyRule::Digits, &T::b},
    {Field::h, "altezza", "h", KeyRule::Digits, &T::h},
    {Field::c1, "copriferro1", "c1", KeyRule::DecimalComma, &T::c1},
    {Field::c2, "copriferro2", "c2", KeyRule::Digits, &T::c2},
    {Field::A1, "sezione1", "A1", KeyRule::Digits, &T::A1},
    {Field::A2, "sezione2", "A2", KeyRule::Digits, &T::A2},
    {Field::d, "diametro", "d", KeyRule::Digits, &T::d},
    {Field::c, "copriferro", "c", KeyRule::Digits, &T::c},
    {Field::Aa, "sezione", "Aa", KeyRule::Digits, &T::Aa},
}};

// c1's text with its decimal comma as the calculation reads it. Only the first comma counts,
// so "1,2,5" still does not read whole.
std::string commaAsPoint(std::string_view text) {
    std::string plain(text);
    const auto comma = plain.find(',');
    if (comma != std::string::npos && plain.find('.') == std::string::npos) plain[comma] = '.';
    return plain;
}

bool emptyOrZero(const std::string& text) { return text.empty() || text == "0"; }

}  // namespace

const std::array<FieldRule, kFieldCount>& fieldRules() { return kRules; }

const FieldRule& fieldRule(Field field) {
    const auto i = static_cast<std::size_t>(field);
    if (i >= kRules.size()) throw std::out_of_range("field");
    return kRules[i];
}

double fieldValue(Field field, std::string_view text) {
    if (fieldRule(field).keys == KeyRule::DecimalComma) return numtext::leadingNumber(commaAsPoint(text));
    return numtext::leadingNumber(text);
}

bool readsAsShown(std::string_view text, const numtext::NumberLocale& loc) {
    if (!numtext::readsWhole(text)) return false;
    return !numtext::isLocaleNumber(text, loc) ||
           numtext::localeNumberValue(text, loc) == numtext::leadingNumber(text);
}

TextCheck checkFieldText(Field field, std::string_view text, const numtext::NumberLocale& loc) {
    if (text.empty()) return TextCheck::Refused;
    const KeyRule keys = fieldRule(field).keys;
    if (keys == KeyRule::Signed && text == "-") return TextCheck::Unfinished;
    if (keys == KeyRule::DecimalComma)
        return numtext::readsWhole(commaAsPoint(text)) ? TextCheck::Accepted : TextCheck::Refused;
    return readsAsShown(text, loc) ? TextCheck::Accepted : TextCheck::Refused;
}

bool calculationEnabled(const SectionTexts& texts, Layout layout) {
    for (Field f : kMaterialFields) {
        if (emptyOrZero(texts.*fieldRule(f).text)) return false;
    }
    if (layout == Layout::Rectangular) return !emptyOrZero(texts.h) && !emptyOrZero(texts.b);
    return !emptyOrZero(texts.d) && !emptyOrZero(texts.c);
}

std::string storedFieldText(Field field, float value, const numtext::NumberLocale& loc) {
    std::string text = numtext::singleText(value, numtext::NumberLocale::c());
    if (fieldRule(field).keys == KeyRule::DecimalComma) {
        // What c1's keys would have typed.
        const auto point = text.find('.');
        if (point != std::string::npos) text[point] = ',';
        return text;
    }
    if (checkFieldText(field, text, loc) == TextCheck::Accepted) return text;
    // Three decimals read as a thousands group to a reader whose group separator is ".": a
    // trailing zero keeps the value and leaves no doubt ("1.125" becomes "1.1250").
    const auto exponent = std::min(text.find('E'), text.size());
    return text.substr(0, exponent) + '0' + text.substr(exponent);
}

std::string refusedTextWarning(const SectionTexts& texts, const numtext::NumberLocale& loc) {
    for (const FieldRule& rule : kRules) {
        const std::string& text = texts.*rule.text;
        // An empty box beeps in the window and then reads 0: nothing to refuse.
        if (text.empty()) continue;
        if (checkFieldText(rule.field, text, loc) == TextCheck::Refused)
            return std::string("Attenzione, dati non validi: ") + rule.symbol + " = \"" + text +
                   "\" non è un numero leggibile senza ambiguità";
    }
    return {};
}

}  // namespace fortema::engine
