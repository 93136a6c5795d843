#include "engine/code_page.h"

#include <gtest/gtest.h>

namespace fortema::engine {
namespace {

TEST(Windows1252, ItalianLettersAndTypographyAreSingleBytes) {
    const std::u32string text = U"è à ù ò ì é perché € – «ü» Œ";
    const std::string bytes = toWindows1252(text);
    EXPECT_EQ(bytes, "\xE8 \xE0 \xF9 \xF2 \xEC \xE9 perch\xE9 \x80 \x96 \xAB\xFC\xBB \x8C");
    EXPECT_EQ(fromWindows1252(bytes), text);
}

TEST(Windows1252, CharactersOutsideTheCodePageBecomeQuestionMarks) {
    // One mark per character, also for one outside the basic plane.
    EXPECT_EQ(toWindows1252(U"ő Ж \U0001F600 x ħ"), "? ? ? x ?");
}

TEST(Windows1252, EveryByteReadsAndWritesBackUnchanged) {
    std::string all;
    for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
    EXPECT_EQ(toWindows1252(fromWindows1252(all)), all);
    EXPECT_EQ(fromWindows1252("\x93\x94\x85"), U"\u201C\u201D\u2026");
    // The undefined bytes stand for the control characters of the same number, both ways.
    EXPECT_EQ(fromWindows1252("\x81\x8D\x8F\x90\x9D"), U"\u0081\u008D\u008F\u0090\u009D");
    EXPECT_EQ(toWindows1252(U"\u0081\u009D"), "\x81\x9D");
}

}  // namespace
}  // namespace fortema::engine
