#include "engine/numtext.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <clocale>
#include <cmath>
#include <random>

using namespace fortema::engine::numtext;

namespace {
const NumberLocale kC = NumberLocale::c();
const NumberLocale kIt = NumberLocale::italian();
}  // namespace

TEST(NumberTexts, ShortestUpToSevenOrFifteenDigitsThenTheExponent) {
    const std::pair<float, const char*> singles[] = {{0.0f, "0"},
                                                     {2100000.0f, "2100000"},
                                                     {-0.5f, "-0.5"},
                                                     {0.1f + 0.2f, "0.3"},
                                                     {3913.0001f, "3913"},
                                                     {2.0f / 3.0f, "0.6666667"},
                                                     {9999999.0f, "9999999"},
                                                     {1e7f, "1E+07"},
                                                     {12345678.0f, "1.234568E+07"},
                                                     {0.00001f, "0.00001"},
                                                     {0.0000015f, "1.5E-06"}};
    for (const auto& [v, text] : singles) EXPECT_EQ(singleText(v, kC), text);
    EXPECT_EQ(singleText(878.85f, kIt), "878,85");
    EXPECT_EQ(singleText(1234567.0f, kIt), "1234567");  // no grouping
    EXPECT_EQ(generalText(1.0 / 3.0, kC), "0.333333333333333");
    EXPECT_EQ(generalText(0.123456789, kIt), "0,123456789");
    EXPECT_EQ(generalText(123456789012345.0, kC), "123456789012345");
    EXPECT_EQ(generalText(1e15, kC), "1E+15");
    EXPECT_EQ(signedText(300.0f), " 300");
    EXPECT_EQ(signedText(-0.0f), " 0");
    EXPECT_EQ(signedText(-14000.0f), "-14000");

    std::mt19937 rng(7);
    std::uniform_real_distribution<float> mag(-6.0f, 6.0f);
    for (int i = 0; i < 2000; ++i) {
        const float v = std::pow(10.0f, mag(rng)) * ((i % 2) ? -1.0f : 1.0f);
        EXPECT_NEAR(leadingNumber(singleText(v, kC)), v, std::fabs(v) * 6e-7) << singleText(v, kC);
    }
}

// The project file's classic delimited form: no 0 before the point, the exponent below 1E-04.
TEST(NumberTexts, ProjectFileForm) {
    const std::pair<float, const char*> cases[] = {{-0.0f, "0"},
                                                   {0.05f, ".05"},
                                                   {-0.25f, "-.25"},
                                                   {4500.0f, "4500"},
                                                   {1e7f, "1E+07"},
                                                   {12.34f, "12.34"},
                                                   {1.2345678f, "1.234568"},
                                                   {0.00012345f, ".00012345"},
                                                   {1e-5f, "1E-05"},
                                                   {FLT_MAX, "3.402823E+38"},
                                                   {INFINITY, "3.402823E+38"},
                                                   {NAN, "0"}};
    for (const auto& [value, text] : cases) EXPECT_EQ(fileText(value), text) << value;
}

TEST(NumberTexts, FixedDecimalsWithGrouping) {
    const struct {
        double value;
        int decimals;
        const NumberLocale& loc;
        const char* text;
    } cases[] = {{3.392920066, 2, kC, "3.39"},
                 {0.0, 2, kIt, "0,00"},
                 {1234.5, 2, kIt, "1.234,50"},
                 {123456.7, 1, kC, "123,456.7"},
                 {1234567.891, 2, kC, "1,234,567.89"},
                 {-1.2, 2, kC, "-1.20"},
                 {-0.001, 2, kC, "0.00"},
                 {0.99996, 4, kC, "1.0000"},
                 {7.0, 0, kC, "7"}};
    for (const auto& c : cases) EXPECT_EQ(fixedText(c.value, c.decimals, c.loc), c.text) << c.value;
}

TEST(NumberTexts, ReadingLocaleAndLeadingNumbers) {
    const std::pair<const char*, double> locale[] = {
        {"2,5", 2.5}, {"1.234,5", 1234.5}, {"4500", 4500}, {"-14000", -14000}, {" 4500 ", 4500}};
    for (const auto& [text, value] : locale) {
        EXPECT_TRUE(isLocaleNumber(text, kIt)) << text;
        EXPECT_DOUBLE_EQ(localeNumberValue(text, kIt), value);
    }
    for (const char* text : {"", "-", "abc", "12a", "1.23", "1e"})
        EXPECT_FALSE(isLocaleNumber(text, kIt)) << text;
    EXPECT_TRUE(isLocaleNumber("1e3", kC));
    EXPECT_FALSE(readsWhole("1e"));  // an exponent letter needs its digits

    // Only the point separates decimals; the scan stops at the first character that cannot go on.
    const std::pair<const char*, double> leading[] = {{"2,5", 2}, {".5", 0.5},         {"abc", 0},
                                                      {"-", 0},   {"  -3.5e2x", -350}, {"12abc", 12},
                                                      {"1e", 1},  {"1e-400", 0}};
    for (const auto& [text, value] : leading) EXPECT_DOUBLE_EQ(leadingNumber(text), value) << text;
    EXPECT_FALSE(std::signbit(leadingNumber("-0")));
    const std::string huge(400, '9');
    EXPECT_TRUE(std::isfinite(leadingNumber(huge)) && std::isfinite(localeNumberValue(huge, kC)));
}

// Qt switches the C library to the user's locale at start-up; the texts must not follow it.
TEST(NumberTexts, IndependentOfTheCLibraryLocale) {
    const char* previous = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = previous ? previous : "C";
    if (!std::setlocale(LC_NUMERIC, "it_IT.UTF-8")) GTEST_SKIP() << "it_IT.UTF-8 not installed";
    EXPECT_EQ(fixedText(3.392920066, 2, kC), "3.39");
    EXPECT_EQ(singleText(0.35f, kC), "0.35");
    EXPECT_EQ(fileText(3.25f), "3.25");
    EXPECT_DOUBLE_EQ(leadingNumber("2.5"), 2.5);
    std::setlocale(LC_NUMERIC, saved.c_str());
}
