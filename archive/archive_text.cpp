#include "archive/archive_text.h"

#include <QList>
#include <array>

namespace fortema::archive {

namespace {

// Bytes 0x80..0x9F of Windows-1252; the undefined ones keep their own number.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  //
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  //
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  //
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char encodeOne(uint c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
    for (std::size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] == c) return static_cast<char>(0x80 + i);
    }
    return '?';
}

bool isLineBreak(char32_t c) {
    return c == '\r' || c == '\n' || c == 0x0B || c == 0x0C || c == 0x85 || c == 0x2028 || c == 0x2029;
}

}  // namespace

QString sanitizeArchiveText(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'"') continue;
        if (isLineBreak(c.unicode())) {
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
            out += u' ';
        } else {
            out += c;
        }
    }
    return out;
}

QByteArray toWindows1252(const QString& text) {
    QByteArray out;
    out.reserve(text.size());
    // One "?" per character, so that a character outside the basic plane is not counted twice.
    for (const uint c : text.toUcs4()) out += encodeOne(c);
    return out;
}

QString fromWindows1252(const QByteArray& bytes) {
    QString out;
    out.reserve(bytes.size());
    for (char b : bytes) {
        const auto u = static_cast<unsigned char>(b);
        out += (u >= 0x80 && u < 0xA0) ? QChar(kHighControls[u - 0x80]) : QChar(u);
    }
    return out;
}

}  // namespace fortema::archive
