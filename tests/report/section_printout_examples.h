#pragma once

// The four ready-made sections of the "&Esempi" menu as the input boxes hold them, and the
// analysis "&CALCOLA" leaves after each, for the printout tests.

#include <array>

#include "engine/section.h"
#include "tests/engine/examples.h"

namespace fortema::report::test {

struct Example {
    const char* name;
    const char* description;
    engine::Layout layout;
    engine::SectionTexts texts;
};

inline const std::array<Example, 4> kExamples = {{
    {"unreinforced", "ES.sezione rettangolare muratura non armata", engine::Layout::Rectangular,
     engine::testing::example1()},
    {"reinforced", "ES.sezione rettangolare muratura armata", engine::Layout::Rectangular,
     engine::testing::example2()},
    {"concrete", "ES.sezione rettangolare in c.a.", engine::Layout::Rectangular, engine::testing::example3()},
    {"circle", "ES.sezione circolare di cls armato", engine::Layout::Circular, engine::testing::example4()},
}};

inline engine::Analysis calculated(const Example& e) {
    engine::Analysis a;
    a.calcola(e.texts, e.layout);
    return a;
}

}  // namespace fortema::report::test
