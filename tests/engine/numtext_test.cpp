#include "engine/numtext.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <random>

using namespace fortema::engine::numtext;

namespace {
const NumberLocale kC = NumberLocale::c();
const NumberLocale kIt = NumberLocale::italian();
}  // namespace

TEST(SingleText, ShortestFormUpToSevenDigits) {
    EXPECT_EQ(singleText(0.0f, kC), "0");
    EXPECT_EQ(singleText(4500.0f, kC), "4500");
    EXPECT_EQ(singleText(2100000.0f, kC), "2100000");
    EXPECT_EQ(singleText(0.35f, kC), "0.35");
    EXPECT_EQ(singleText(-0.5f, kC), "-0.5");
    EXPECT_EQ(singleText(123.4f, kC), "123.4");
    EXPECT_EQ(singleText(0.1f + 0.2f, kC), "0.3");
    // A float that needs nine digits to read back is shown with seven, rounded.
    EXPECT_EQ(singleText(3913.0001f, kC), "3913");
    EXPECT_EQ(singleText(1.0f / 3.0f, kC), "0.3333333");
    EXPECT_EQ(singleText(2.0f / 3.0f, kC), "0.6666667");
    EXPECT_EQ(singleText(9999999.0f, kC), "9999999");
}

TEST(SingleText, ExponentOnlyForVeryLargeOrSmall) {
    EXPECT_EQ(singleText(10000000.0f, kC), "1E+07");
    EXPECT_EQ(singleText(12345678.0f, kC), "1.234568E+07");
    EXPECT_EQ(singleText(0.00001f, kC), "0.00001");
    EXPECT_EQ(singleText(0.0000015f, kC), "1.5E-06");
    EXPECT_EQ(singleText(-2.5e-7f, kIt), "-2,5E-07");
}

TEST(SingleText, LocaleSeparator) {
    EXPECT_EQ(singleText(878.85f, kIt), "878,85");
    EXPECT_EQ(singleText(878.85f, kC), "878.85");
    EXPECT_EQ(singleText(1077.3f, kIt), "1077,3");
    // No grouping in the default text.
    EXPECT_EQ(singleText(1234567.0f, kIt), "1234567");
}

TEST(SingleText, RoundTripsThroughLeadingNumberWithinSevenDigits) {
    std::mt19937 rng(7);
    std::uniform_real_distribution<float> mag(-6.0f, 6.0f);
    for (int i = 0; i < 2000; ++i) {
        const float v = std::pow(10.0f, mag(rng)) * ((i % 2) ? -1.0f : 1.0f);
        const double back = leadingNumber(singleText(v, kC));
        EXPECT_NEAR(back, v, std::fabs(v) * 6e-7) << singleText(v, kC);
    }
}

TEST(GeneralText, UpToFifteenDigits) {
    EXPECT_EQ(generalText(0.35, kC), "0.35");
    EXPECT_EQ(generalText(12500.0, kC), "12500");
    EXPECT_EQ(generalText(1.0 / 3.0, kC), "0.333333333333333");
    EXPECT_EQ(generalText(0.123456789, kIt), "0,123456789");
    EXPECT_EQ(generalText(1e15, kC), "1E+15");
    EXPECT_EQ(generalText(123456789012345.0, kC), "123456789012345");
    EXPECT_EQ(generalText(-40.0, kC), "-40");
}

TEST(SignedText, BlankForNonNegativeAndAlwaysPoint) {
    EXPECT_EQ(signedText(300.0f), " 300");
    EXPECT_EQ(signedText(42.5f), " 42.5");
    EXPECT_EQ(signedText(0.0f), " 0");
    EXPECT_EQ(signedText(-0.0f), " 0");
    EXPECT_EQ(signedText(-14000.0f), "-14000");
    EXPECT_EQ(signedText(1.0f), " 1");
}

TEST(FixedText, DecimalsGroupingAndSign) {
    EXPECT_EQ(fixedText(3.392920066, 2, kC), "3.39");
    EXPECT_EQ(fixedText(0.0, 2, kC), "0.00");
    EXPECT_EQ(fixedText(0.0, 2, kIt), "0,00");
    EXPECT_EQ(fixedText(1234.5, 2, kIt), "1.234,50");
    EXPECT_EQ(fixedText(1234567.891, 2, kC), "1,234,567.89");
    EXPECT_EQ(fixedText(-1.2, 2, kC), "-1.20");
    EXPECT_EQ(fixedText(-0.001, 2, kC), "0.00");
    EXPECT_EQ(fixedText(0.99996, 4, kC), "1.0000");
    EXPECT_EQ(fixedText(1.25, 4, kIt), "1,2500");
    EXPECT_EQ(fixedText(7.0, 0, kC), "7");
}

TEST(LocaleNumber, CheckOfTheInputFields) {
    EXPECT_TRUE(isLocaleNumber("2,5", kIt));
    EXPECT_DOUBLE_EQ(localeNumberValue("2,5", kIt), 2.5);
    EXPECT_FALSE(isLocaleNumber("", kIt));
    EXPECT_FALSE(isLocaleNumber("-", kIt));
    EXPECT_FALSE(isLocaleNumber("abc", kC));
    EXPECT_FALSE(isLocaleNumber("12a", kC));
    EXPECT_TRUE(isLocaleNumber("-14000", kC));
    EXPECT_TRUE(isLocaleNumber(" 4500 ", kC));
    EXPECT_TRUE(isLocaleNumber("00", kC));
    EXPECT_TRUE(isLocaleNumber("1.5", kC));
    EXPECT_DOUBLE_EQ(localeNumberValue("4500", kIt), 4500.0);
    EXPECT_DOUBLE_EQ(localeNumberValue("1.234,5", kIt), 1234.5);
    EXPECT_DOUBLE_EQ(localeNumberValue("abc", kIt), 0.0);
    EXPECT_FALSE(isLocaleNumber("1e", kC));
    EXPECT_TRUE(isLocaleNumber("1e3", kC));
}

TEST(LeadingNumber, OnlyPointIsDecimalSeparator) {
    EXPECT_DOUBLE_EQ(leadingNumber("2,5"), 2.0);
    EXPECT_DOUBLE_EQ(leadingNumber("2.5"), 2.5);
    EXPECT_DOUBLE_EQ(leadingNumber(""), 0.0);
    EXPECT_DOUBLE_EQ(leadingNumber("abc"), 0.0);
    EXPECT_DOUBLE_EQ(leadingNumber("-"), 0.0);
    EXPECT_DOUBLE_EQ(leadingNumber("  -3.5e2x"), -350.0);
    EXPECT_DOUBLE_EQ(leadingNumber("12abc"), 12.0);
    EXPECT_DOUBLE_EQ(leadingNumber(".5"), 0.5);
    EXPECT_DOUBLE_EQ(leadingNumber("00"), 0.0);
    EXPECT_DOUBLE_EQ(leadingNumber("1e"), 1.0);
    EXPECT_FALSE(std::signbit(leadingNumber("-0")));
}

TEST(LeadingNumber, NeverInfinite) {
    const std::string huge(400, '9');
    EXPECT_TRUE(std::isfinite(leadingNumber(huge)));
    EXPECT_GT(leadingNumber(huge), 1e300);
    EXPECT_TRUE(std::isfinite(leadingNumber("-" + huge)));
    EXPECT_DOUBLE_EQ(leadingNumber("1e-400"), 0.0);
    EXPECT_TRUE(std::isfinite(localeNumberValue(huge, kC)));
}

// Qt switches the C library to the user's locale at start-up; the texts must not follow it.
TEST(NumberTexts, IndependentOfTheCLibraryLocale) {
    const char* previous = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = previous ? previous : "C";
    if (!std::setlocale(LC_NUMERIC, "it_IT.UTF-8")) GTEST_SKIP() << "it_IT.UTF-8 not installed";
    EXPECT_EQ(fixedText(3.392920066, 2, kC), "3.39");
    EXPECT_EQ(fixedText(1234.5, 2, kIt), "1.234,50");
    EXPECT_EQ(singleText(0.35f, kC), "0.35");
    EXPECT_EQ(generalText(0.123456789, kC), "0.123456789");
    EXPECT_DOUBLE_EQ(leadingNumber("2.5"), 2.5);
    EXPECT_DOUBLE_EQ(localeNumberValue("2,5", kIt), 2.5);
    std::setlocale(LC_NUMERIC, saved.c_str());
}
