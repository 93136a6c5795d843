#include "engine/numtext.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>
#include <optional>
#include <string>
#include <type_traits>

namespace fortema::engine::numtext {

namespace {

// Significant digits of |value| rounded to `precision` digits, and the decimal exponent of
// the first digit: 1234.5 at 5 digits gives "12345" and 3.
struct Digits {
    std::string digits;
    int exponent = 0;
};

Digits roundedDigits(double value, int precision) {
    char buf[64];
    // "%.*e" rounds correctly and is independent of the C locale for the digits and exponent.
    std::snprintf(buf, sizeof buf, "%.*e", precision - 1, std::fabs(value));
    Digits d;
    const std::string s(buf);
    const auto ePos = s.find('e');
    for (std::size_t i = 0; i < ePos; ++i) {
        if (s[i] >= '0' && s[i] <= '9') d.digits.push_back(s[i]);
    }
    d.exponent = std::stoi(s.substr(ePos + 1));
    while (d.digits.size() > 1 && d.digits.back() == '0') d.digits.pop_back();
    return d;
}

template <typename T>
bool readsBack(const Digits& d, T value) {
    std::string text = d.digits.substr(0, 1) + "." + d.digits.substr(1) + "e" + std::to_string(d.exponent);
    T parsed{};
    std::from_chars(text.data(), text.data() + text.size(), parsed);
    return parsed == static_cast<T>(std::fabs(static_cast<double>(value)));
}

// The shortest digits, up to `maxDigits`, that read back to the same value; past that the
// value rounded to `maxDigits` digits, as the classic default conversion shows it.
template <typename T>
Digits shortestDigits(T value, int maxDigits) {
    if constexpr (std::is_same_v<T, float>) {
        // For a single, the shortest digits std::to_chars finds are the ones the search below
        // would find, in a fraction of the time.
        char buf[64];
        const auto res =
            std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::scientific);
        Digits d;
        const char* p = buf;
        for (; p != res.ptr && *p != 'e'; ++p) {
            if (*p >= '0' && *p <= '9') d.digits.push_back(*p);
        }
        std::from_chars(p[1] == '+' ? p + 2 : p + 1, res.ptr, d.exponent);
        while (d.digits.size() > 1 && d.digits.back() == '0') d.digits.pop_back();
        if (static_cast<int>(d.digits.size()) <= maxDigits) return d;
        return roundedDigits(static_cast<double>(value), maxDigits);
    }
    for (int p = 1; p < maxDigits; ++p) {
        Digits d = roundedDigits(static_cast<double>(value), p);
        if (readsBack(d, value)) return d;
    }
    return roundedDigits(static_cast<double>(value), maxDigits);
}

// How a value's digits are laid out: the exponent form from `maxDigits` digits before the point
// and below `minPlainExponent`, and whether a 0 stands before the point of a value below 1.
struct Style {
    int maxDigits;
    int minPlainExponent;
    char decimal;
    bool zeroBeforePoint;
};

std::string layout(bool negative, const Digits& d, const Style& style) {
    const char decimal = style.decimal;
    std::string out = negative ? "-" : "";
    const int e = d.exponent;
    const int n = static_cast<int>(d.digits.size());
    if (e >= style.maxDigits || e < style.minPlainExponent) {
        out += d.digits[0];
        if (n > 1) {
            out += decimal;
            out += d.digits.substr(1);
        }
        char exp[16];
        std::snprintf(exp, sizeof exp, "E%c%02d", e < 0 ? '-' : '+', std::abs(e));
        return out + exp;
    }
    if (e < 0) {
        if (style.zeroBeforePoint) out += '0';
        out += decimal;
        out.append(static_cast<std::size_t>(-e - 1), '0');
        return out + d.digits;
    }
    if (n <= e + 1) {
        out += d.digits;
        out.append(static_cast<std::size_t>(e + 1 - n), '0');
        return out;
    }
    out += d.digits.substr(0, static_cast<std::size_t>(e + 1));
    out += decimal;
    return out + d.digits.substr(static_cast<std::size_t>(e + 1));
}

template <typename T>
std::string defaultText(T value, const Style& style) {
    if (std::isnan(value)) return "NaN";
    if (std::isinf(value)) return value < 0 ? "-Inf" : "Inf";
    if (value == 0) return "0";
    return layout(value < 0, shortestDigits(value, style.maxDigits), style);
}

Style defaultStyle(int maxDigits, const NumberLocale& loc) { return {maxDigits, -5, loc.decimal, true}; }

bool isDigit(char c) { return c >= '0' && c <= '9'; }

bool isBlank(char c) { return c == ' ' || c == '\t'; }

// Parses `text` as a locale number into plain "." form; empty result when it is not one.
std::string normalizeLocaleNumber(std::string_view text, const NumberLocale& loc) {
    std::size_t i = 0, end = text.size();
    while (i < end && isBlank(text[i])) ++i;
    while (end > i && isBlank(text[end - 1])) --end;
    std::string out;
    if (i < end && (text[i] == '+' || text[i] == '-')) {
        if (text[i] == '-') out += '-';
        ++i;
    }
    // Group separators only where the locale puts them: a first group of one to three digits,
    // then groups of exactly three. "118.5" is no grouped number to an Italian reader.
    bool digits = false;
    bool grouped = false;
    int run = 0;
    while (i < end) {
        if (isDigit(text[i])) {
            out += text[i++];
            ++run;
            digits = true;
        } else if (text[i] == loc.group && loc.group != loc.decimal && run > 0 && run <= 3 &&
                   (!grouped || run == 3)) {
            grouped = true;
            run = 0;
            ++i;
        } else {
            break;
        }
    }
    if (grouped && run != 3) return {};
    if (i < end && text[i] == loc.decimal) {
        out += '.';
        ++i;
        while (i < end && isDigit(text[i])) {
            out += text[i++];
            digits = true;
        }
    }
    if (!digits) return {};
    if (i < end && (text[i] == 'e' || text[i] == 'E')) {
        std::string exp = "e";
        ++i;
        if (i < end && (text[i] == '+' || text[i] == '-')) exp += text[i++];
        bool expDigits = false;
        while (i < end && isDigit(text[i])) {
            exp += text[i++];
            expDigits = true;
        }
        if (!expDigits) return {};
        out += exp;
    }
    if (i != end) return {};
    return out;
}

double parsePlain(const std::string& plain) {
    double value = 0;
    const auto [ptr, ec] = std::from_chars(plain.data(), plain.data() + plain.size(), value);
    (void)ptr;
    if (ec == std::errc::result_out_of_range) {
        // Too large to hold: the largest finite value, so that callers see a number they can refuse.
        const bool negative = !plain.empty() && plain[0] == '-';
        const bool tiny = plain.find("e-") != std::string::npos;
        if (tiny) return 0.0;
        return negative ? -std::numeric_limits<double>::max() : std::numeric_limits<double>::max();
    }
    return ec == std::errc() ? value : 0.0;
}

}  // namespace

std::string singleText(float value, const NumberLocale& loc) {
    return defaultText(value, defaultStyle(7, loc));
}

std::string generalText(double value, const NumberLocale& loc) {
    return defaultText(value, defaultStyle(15, loc));
}

std::string fileText(float value) {
    if (std::isnan(value)) return "0";
    if (std::isinf(value)) value = std::copysign(std::numeric_limits<float>::max(), value);
    return defaultText(value, Style{7, -4, '.', false});
}

std::string signedText(float value) {
    const std::string text = singleText(value, NumberLocale::c());
    return std::signbit(value) && value != 0 ? text : " " + text;
}

std::string fixedText(double value, int decimals, const NumberLocale& loc) {
    if (!std::isfinite(value)) return defaultText(value, defaultStyle(15, loc));
    if (decimals < 0) decimals = 0;
    char buf[400];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, std::fabs(value));
    const std::string plain(buf);
    // The C library may have been switched to a comma locale; find its separator, whatever it is.
    const auto point = plain.find_first_not_of("0123456789");
    const std::string whole = plain.substr(0, point);
    std::string out;
    for (std::size_t i = 0; i < whole.size(); ++i) {
        if (i > 0 && (whole.size() - i) % 3 == 0) out += loc.group;
        out += whole[i];
    }
    if (point != std::string::npos) {
        out += loc.decimal;
        out += plain.substr(point + 1);
    }
    // "-0.00" would claim a sign the shown digits do not have.
    const bool allZero = plain.find_first_of("123456789") == std::string::npos;
    return (value < 0 && !allZero) ? "-" + out : out;
}

bool isLocaleNumber(std::string_view text, const NumberLocale& loc) {
    return !normalizeLocaleNumber(text, loc).empty();
}

double localeNumberValue(std::string_view text, const NumberLocale& loc) {
    const std::string plain = normalizeLocaleNumber(text, loc);
    return plain.empty() ? 0.0 : parsePlain(plain);
}

namespace {

struct LeadingScan {
    std::string plain;    // the number in plain "." form
    std::size_t end = 0;  // where reading stopped
    bool digits = false;
};

// With `dExponent`, "D" and "d" mark an exponent as "E" and "e" do.
LeadingScan scanLeading(std::string_view text, bool dExponent = false) {
    LeadingScan s;
    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i])) ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        if (text[i] == '-') s.plain += '-';
        ++i;
    }
    while (i < text.size() && isDigit(text[i])) {
        s.plain += text[i++];
        s.digits = true;
    }
    if (i < text.size() && text[i] == '.') {
        s.plain += '.';
        ++i;
        while (i < text.size() && isDigit(text[i])) {
            s.plain += text[i++];
            s.digits = true;
        }
    }
    s.end = i;
    if (!s.digits) return s;
    if (i < text.size() &&
        (text[i] == 'e' || text[i] == 'E' || (dExponent && (text[i] == 'd' || text[i] == 'D')))) {
        std::size_t j = i + 1;
        std::string exp = "e";
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) exp += text[j++];
        bool expDigits = false;
        while (j < text.size() && isDigit(text[j])) {
            exp += text[j++];
            expDigits = true;
        }
        if (expDigits) {
            s.plain += exp;
            s.end = j;
        }
    }
    return s;
}

}  // namespace

double leadingNumber(std::string_view text) {
    const LeadingScan s = scanLeading(text);
    if (!s.digits) return 0.0;
    const double value = parsePlain(s.plain);
    return value == 0.0 ? 0.0 : value;  // no negative zero
}

bool readsWhole(std::string_view text) {
    const LeadingScan s = scanLeading(text);
    if (!s.digits) return false;
    std::size_t i = s.end;
    while (i < text.size() && isBlank(text[i])) ++i;
    return i == text.size();
}

std::optional<float> fileNumber(std::string_view text) {
    const LeadingScan s = scanLeading(text, true);
    if (!s.digits || isBlank(text.front()) || s.end != text.size()) return std::nullopt;
    float value = 0;
    const char* end = s.plain.data() + s.plain.size();
    const auto [ptr, ec] = std::from_chars(s.plain.data(), end, value);
    if (ec == std::errc::result_out_of_range) {
        return s.plain.find("e-") != std::string::npos ? 0.0f : std::numeric_limits<float>::infinity();
    }
    if (ec != std::errc() || ptr != end) return std::nullopt;
    return value;
}

}  // namespace fortema::engine::numtext
