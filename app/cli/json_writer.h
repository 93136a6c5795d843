#pragma once

// A small writer of one JSON object on one line: enough for the command line's answers.

#include <string>
#include <string_view>

namespace fortema::cli {

// The text with the quotes, backslashes and control characters escaped (escapeControls in its
// JSON form); other UTF-8 passes unchanged.
std::string jsonString(std::string_view text);

// Numbers that read back to the same value: 17 significant digits for a double, 9 for a
// float; null for a value JSON cannot hold.
std::string jsonNumber(double value);
std::string jsonNumber(float value);

class JsonObject {
public:
    JsonObject& raw(std::string_view key, std::string_view jsonValue);
    JsonObject& string(std::string_view key, std::string_view value);
    JsonObject& number(std::string_view key, double value) { return raw(key, jsonNumber(value)); }
    JsonObject& number(std::string_view key, float value) { return raw(key, jsonNumber(value)); }
    JsonObject& boolean(std::string_view key, bool value) { return raw(key, value ? "true" : "false"); }
    std::string text() const { return m_text + "}"; }

private:
    std::string m_text = "{";
};

}  // namespace fortema::cli
