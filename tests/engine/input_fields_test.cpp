// What a box accepts is what the calculation reads, under the C and the Italian locale.
#include <gtest/gtest.h>

#include "engine/input_fields.h"
#include "tests/engine/examples.h"

namespace fortema::engine {
namespace {

using numtext::NumberLocale;
using namespace testing;

constexpr TextCheck A = TextCheck::Accepted, U = TextCheck::Unfinished, R = TextCheck::Refused;

TEST(InputFields, TheCheckRefusesEveryTextTheCalculationWouldReadOtherwise) {
    struct Case {
        Field field;
        const char* text;
        TextCheck c, italian;
        double value;  // what the calculation reads
    };
    const Case cases[] = {
        {Field::b, "1.500", A, R, 1.5},  // 1500 to an Italian reader
        {Field::b, "1,500", R, R, 1},    // 1500 to a C reader, 1 to the calculation
        {Field::Ea, "2.1e6", A, A, 2100000}, {Field::A1, "", R, R, 0},
        {Field::h, "1.2.3", R, R, 1.2},      {Field::c1, "25,5", A, A, 25.5},  // the cover's decimal comma
        {Field::c1, "1,2,5", R, R, 1.2},     {Field::Nd, "-", U, U, 0},
        {Field::Md, "-5000", A, A, -5000},   {Field::b, "-", R, R, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(fieldRule(c.field).symbol) + " = \"" + c.text + "\"");
        EXPECT_EQ(checkFieldText(c.field, c.text, NumberLocale::c()), c.c);
        EXPECT_EQ(checkFieldText(c.field, c.text, NumberLocale::italian()), c.italian);
        EXPECT_EQ(fieldValue(c.field, c.text), c.value);
    }
}

TEST(InputFields, StoredNumbersGoBackAsTextsTheBoxKeepsAndReadsAlike) {
    const float values[] = {0, 1, 25.5f, 1.125f, 118.5f, -5000, 1234567, 0.000125f, 2100000};
    for (const NumberLocale& loc : {NumberLocale::c(), NumberLocale::italian(), NumberLocale{',', ' '}}) {
        for (const FieldRule& rule : fieldRules()) {
            for (float v : values) {
                const std::string text = storedFieldText(rule.field, v, loc);
                SCOPED_TRACE(std::string(rule.symbol) + " = \"" + text + "\"");
                EXPECT_EQ(checkFieldText(rule.field, text, loc), TextCheck::Accepted);
                EXPECT_EQ(static_cast<float>(fieldValue(rule.field, text)), v);
            }
        }
    }
    EXPECT_EQ(storedFieldText(Field::c1, 25.5f, NumberLocale::c()), "25,5");
}

TEST(InputFields, ImpossibleSectionsAreRefusedBeforeTracing) {
    struct Case {
        SectionTexts texts;
        Layout layout;
        const char* refusal;
    };
    const Case cases[] = {
        {rectangle(example3(), "300", "500", "250", "250", "600", "600"), Layout::Rectangular,
         warning::kCoversTooLarge},
        {rectangle(example3(), "300", "500", "250", "250", "0", "600"), Layout::Rectangular,
         warning::kCoversTooLarge},
        {rectangle(example3(), "300", "500", "250", "249", "600", "600"), Layout::Rectangular, ""},
        // Without bars the covers are not read.
        {rectangle(example1(), "1000", "400", "400", "30", "0", "0"), Layout::Rectangular, ""},
        // 400 mm across: 125664 mm² of section.
        {circle(example4(), "400", "30", "125664"), Layout::Circular, warning::kSteelTooLarge},
        {circle(example4(), "400", "30", "125600"), Layout::Circular, ""},
    };
    for (const Case& c : cases) {
        Analysis a;
        const CalcOutcome out = a.calcola(c.texts, c.layout);
        EXPECT_EQ(out.refusal, c.refusal);
        EXPECT_EQ(out.traced, out.refusal.empty());
    }
}

TEST(InputFields, EnablingRuleAndTheCommandLinesRefusal) {
    SectionTexts t = example3();
    EXPECT_TRUE(calculationEnabled(t, Layout::Rectangular));
    EXPECT_FALSE(calculationEnabled(t, Layout::Circular));  // d and c hold "0"
    EXPECT_TRUE(calculationEnabled(circle(example4(), "400", "30", ""), Layout::Circular));
    for (std::string SectionTexts::*box : {&SectionTexts::fyk, &SectionTexts::Em, &SectionTexts::b}) {
        for (const char* text : {"", "0"}) {
            SectionTexts u = example3();
            u.*box = text;
            EXPECT_FALSE(calculationEnabled(u, Layout::Rectangular));
        }
    }
    t.b = "1.500";
    EXPECT_EQ(refusedTextWarning(t, NumberLocale::c()), "");
    EXPECT_EQ(refusedTextWarning(t, NumberLocale::italian()),
              "Attenzione, dati non validi: b = \"1.500\" non è un numero leggibile senza ambiguità");
}

}  // namespace
}  // namespace fortema::engine
