#include "archive/archive_text.h"

namespace fortema::archive {

namespace {

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

}  // namespace fortema::archive
