#include "app/cli/json_writer.h"

#include "app/cli/terminal_text.h"

#include <cmath>
#include <cstdio>

namespace fortema::cli {

std::string jsonString(std::string_view text) { return '"' + escapeControls(text, Escapes::Json) + '"'; }

namespace {

std::string formatted(double value, int digits) {
    if (!std::isfinite(value)) return "null";
    if (value == 0) return std::signbit(value) ? "-0" : "0";
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*g", digits, value);
    // The C library may run under a comma locale.
    for (char& c : buf) {
        if (c == ',') c = '.';
    }
    return buf;
}

}  // namespace

std::string jsonNumber(double value) { return formatted(value, 17); }

std::string jsonNumber(float value) { return formatted(static_cast<double>(value), 9); }

JsonObject& JsonObject::raw(std::string_view key, std::string_view jsonValue) {
    if (m_text.size() > 1) m_text += ",";
    m_text += jsonString(key);
    m_text += ":";
    m_text += jsonValue;
    return *this;
}

JsonObject& JsonObject::string(std::string_view key, std::string_view value) {
    return raw(key, jsonString(value));
}

}  // namespace fortema::cli
