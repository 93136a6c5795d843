#include "engine/code_page.h"

#include <gtest/gtest.h>

namespace fortema::engine {
namespace {

TEST(Windows1252, ItalianLettersBothWaysAndOthersAsQuestionMarks) {
    const std::u32string text = U"è à ù ò ì é perché € – «ü» Œ";
    const std::string bytes = toWindows1252(text);
    EXPECT_EQ(bytes, "\xE8 \xE0 \xF9 \xF2 \xEC \xE9 perch\xE9 \x80 \x96 \xAB\xFC\xBB \x8C");
    EXPECT_EQ(fromWindows1252(bytes), text);
    EXPECT_EQ(toWindows1252(U"ő Ж \U0001F600 x ħ"), "? ? ? x ?");  // one mark per character
    // Every byte reads and writes back unchanged; the undefined ones stand for the control
    // characters of the same number.
    std::string all;
    for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
    EXPECT_EQ(toWindows1252(fromWindows1252(all)), all);
    EXPECT_EQ(fromWindows1252("\x81\x8D\x9D"), U"\u0081\u008D\u009D");
}

}  // namespace
}  // namespace fortema::engine
