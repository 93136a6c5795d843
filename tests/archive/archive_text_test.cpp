#include "archive/archive_text.h"

#include <gtest/gtest.h>

namespace fortema::archive {
namespace {

TEST(SanitizeArchiveText, RemovesQuotesAndTurnsLineBreaksIntoBlanks) {
    EXPECT_EQ(sanitizeArchiveText(QStringLiteral("trave \"T1\"")), "trave T1");
    EXPECT_EQ(sanitizeArchiveText(QStringLiteral("\"\"")), "");
    EXPECT_EQ(sanitizeArchiveText(QStringLiteral("a\r\nb\nc\rd")), "a b c d");
    EXPECT_EQ(sanitizeArchiveText(QString::fromUtf16(u"a\u2028b\u2029c")), "a b c");
    // Typographic quotes and commas are harmless inside a quoted item.
    const QString kept = QString::fromUtf16(u"\u201Ctrave\u201D, 3 \u00B0 piano");
    EXPECT_EQ(sanitizeArchiveText(kept), kept);
}

TEST(Windows1252, ItalianLettersAreSingleBytes) {
    const QByteArray bytes = toWindows1252(QString::fromUtf16(u"è à ù ò ì é perché €"));
    EXPECT_EQ(bytes, QByteArray("\xE8 \xE0 \xF9 \xF2 \xEC \xE9 perch\xE9 \x80"));
    EXPECT_EQ(fromWindows1252(bytes), QString::fromUtf16(u"è à ù ò ì é perché €"));
}

TEST(Windows1252, CharactersOutsideTheCodePageBecomeQuestionMarks) {
    // One mark per character, also for one outside the basic plane.
    EXPECT_EQ(toWindows1252(QString::fromUtf16(u"ő Ж \U0001F600 x")), QByteArray("? ? ? x"));
}

TEST(Windows1252, EveryByteReadsAndWritesBackUnchanged) {
    QByteArray all;
    for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
    EXPECT_EQ(toWindows1252(fromWindows1252(all)), all);
    EXPECT_EQ(fromWindows1252(QByteArray("\x93\x94\x85")), QString::fromUtf16(u"\u201C\u201D\u2026"));
}

}  // namespace
}  // namespace fortema::archive
