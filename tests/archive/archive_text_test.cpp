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

}  // namespace
}  // namespace fortema::archive
