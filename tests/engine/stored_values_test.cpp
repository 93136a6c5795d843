// A calculation whose typed values or results the archive could not keep in single precision is
// refused, naming the value to blame; one it can keep stores only finite single values.
#include "engine/section.h"
#include "tests/engine/examples.h"

#include <gtest/gtest.h>

#include <string>

using namespace fortema::engine;
using namespace fortema::engine::testing;

namespace {

const std::string kRange = warning::kOutOfRange;

}  // namespace

TEST(StoredValues, CalculationsTheArchiveCouldNotKeepAreRefusedNamingTheValue) {
    struct Case {
        SectionTexts texts;
        Layout layout;
        std::string refusal;
        bool typedValueUnfit;  // "Sa&lva dati" must refuse what this calculation read, too
    };
    const Case cases[] = {
        // Every typed value fits, but Mu grows with h² beyond the single range.
        {with(example3(), &SectionTexts::h, "1000000000000000000000"), Layout::Rectangular,
         kRange + ": h = 1E+21 mm", false},
        {with(example4(), &SectionTexts::d, "1e25"), Layout::Circular, kRange + ": d = 1E+25 mm", false},
        // Typed values that single precision cannot hold at all, too large or too small.
        {with(example3(), &SectionTexts::Nd, "1e39"), Layout::Rectangular, kRange + ": Nd = 1E+39 daN", true},
        {with(example2(), &SectionTexts::c1, "1e-50"), Layout::Rectangular, kRange + ": c1 = 1E-50 mm", true},
        // A product that does not exist even in double precision names the most extreme value.
        {with(example1(), &SectionTexts::h, "1e200"), Layout::Rectangular, kRange + ": h = 1E+200 mm", true},
    };
    for (const Case& c : cases) {
        Analysis a;
        ASSERT_TRUE(a.calcola(example1(), Layout::Rectangular).traced);
        const SectionResult before = a.result();
        const CalcOutcome o = a.calcola(c.texts, c.layout);
        EXPECT_FALSE(o.traced) << c.refusal;
        EXPECT_EQ(o.refusal, c.refusal);
        // Nothing of the refused calculation is shown or stored as its result.
        EXPECT_EQ(a.result().Mu, before.Mu) << c.refusal;
        EXPECT_EQ(storedValuesWarning(a.section(), a.result(), c.layout), c.typedValueUnfit ? c.refusal : "");
    }
}

TEST(StoredValues, TheWorkedExamplesFitAndAreNamedInTheArchiveUnits) {
    Analysis a;
    ASSERT_TRUE(a.calcola(example2(), Layout::Rectangular).traced);
    EXPECT_EQ(storedValuesWarning(a.section(), a.result(), Layout::Rectangular), "");
    const std::vector<StoredValue> values = storedValues(a.section(), a.result(), Layout::Rectangular);
    ASSERT_EQ(values.size(), 16u);
    EXPECT_EQ(std::string(values[11].symbol) + " " + values[11].unit, "A1 mm²");
    EXPECT_DOUBLE_EQ(values[11].value, 150);
}
