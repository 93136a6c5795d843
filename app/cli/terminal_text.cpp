#include "app/cli/terminal_text.h"

#include <cstdio>

namespace fortema::cli {

namespace {

// C1 controls and the marks that turn the direction of the text around it without showing.
bool invisibleControl(char32_t c) {
    return (c >= 0x80 && c <= 0x9f) || c == 0x061c || c == 0x200e || c == 0x200f ||
           (c >= 0x202a && c <= 0x202e) || (c >= 0x2066 && c <= 0x2069);
}

// The UTF-8 sequence at `i`: its length and code point, or 0 when none starts there.
std::size_t sequenceAt(std::string_view t, std::size_t i, char32_t& cp) {
    const auto lead = static_cast<unsigned char>(t[i]);
    std::size_t length = 0;
    char32_t least = 0;
    if (lead < 0x80) {
        cp = lead;
        return 1;
    } else if ((lead & 0xe0) == 0xc0) {
        length = 2, cp = lead & 0x1f, least = 0x80;
    } else if ((lead & 0xf0) == 0xe0) {
        length = 3, cp = lead & 0x0f, least = 0x800;
    } else if ((lead & 0xf8) == 0xf0) {
        length = 4, cp = lead & 0x07, least = 0x10000;
    } else {
        return 0;
    }
    if (i + length > t.size()) return 0;
    for (std::size_t k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(t[i + k]);
        if ((next & 0xc0) != 0x80) return 0;
        cp = (cp << 6) | (next & 0x3f);
    }
    if (cp < least || cp > 0x10ffff || (cp >= 0xd800 && cp <= 0xdfff)) return 0;
    return length;
}

std::string escaped(const char* form, unsigned value) {
    char text[12];
    std::snprintf(text, sizeof text, form, value);
    return text;
}

class EscapingBuffer : public std::streambuf {
public:
    explicit EscapingBuffer(std::ostream& target) : m_target(target) {}
    ~EscapingBuffer() override { sync(); }

protected:
    int_type overflow(int_type ch) override {
        if (traits_type::eq_int_type(ch, traits_type::eof())) return traits_type::not_eof(ch);
        m_line += traits_type::to_char_type(ch);
        if (traits_type::to_char_type(ch) == '\n') emit();
        return ch;
    }
    std::streamsize xsputn(const char* s, std::streamsize n) override {
        for (std::streamsize k = 0; k < n; ++k) overflow(traits_type::to_int_type(s[k]));
        return n;
    }
    int sync() override {
        emit();
        m_target.flush();
        return m_target ? 0 : -1;
    }

private:
    void emit() {
        if (m_line.empty()) return;
        m_target << escapeControls(m_line);
        m_line.clear();
    }

    std::ostream& m_target;
    std::string m_line;
};

}  // namespace

std::string escapeControls(std::string_view t, Escapes style) {
    const bool json = style == Escapes::Json;
    std::string out;
    out.reserve(t.size());
    for (std::size_t i = 0; i < t.size();) {
        char32_t cp = 0;
        const std::size_t length = sequenceAt(t, i, cp);
        if (length == 0) {
            out += json ? std::string("\\ufffd") : escaped("\\x%02x", static_cast<unsigned char>(t[i]));
            ++i;
            continue;
        }
        if (length > 1) {
            if (invisibleControl(cp))
                out += escaped("\\u%04x", unsigned(cp));
            else
                out.append(t.substr(i, length));
        } else if (json && (cp == '"' || cp == '\\')) {
            out += '\\';
            out += char(cp);
        } else if (json && (cp == '\n' || cp == '\r' || cp == '\t')) {
            out += cp == '\n' ? "\\n" : (cp == '\r' ? "\\r" : "\\t");
        } else if (cp < 0x20 || cp == 0x7f) {
            if (cp == '\n' && style == Escapes::Terminal)
                out += '\n';
            else
                out += escaped(json ? "\\u%04x" : "\\x%02x", unsigned(cp));
        } else {
            out += char(cp);
        }
        i += length;
    }
    return out;
}

TerminalStream::TerminalStream(std::ostream& target)
    : std::ostream(nullptr), m_buffer(std::make_unique<EscapingBuffer>(target)) {
    rdbuf(m_buffer.get());
}

TerminalStream::~TerminalStream() { flush(); }

}  // namespace fortema::cli
