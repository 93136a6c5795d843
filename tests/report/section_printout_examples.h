#pragma once

// The four ready-made sections of the "&Esempi" menu as the input boxes hold them, and the
// analysis "&CALCOLA" leaves after each, for the printout tests.

#include <array>

#include "engine/section.h"

namespace fortema::report::test {

struct Example {
    const char* name;
    const char* description;
    engine::Layout layout;
    engine::SectionTexts texts;
};

inline engine::SectionTexts rectangleTexts(const char* fmd, const char* Em, const char* Nd, const char* Md,
                                           const char* b, const char* h, const char* c, const char* A1,
                                           const char* A2) {
    engine::SectionTexts t;
    t.fyk = "4500";
    t.fyd = "3913";
    t.Ea = "2100000";
    t.fmd = fmd;
    t.Em = Em;
    t.Nd = Nd;
    t.Md = Md;
    t.b = b;
    t.h = h;
    t.c1 = c;
    t.c2 = c;
    t.A1 = A1;
    t.A2 = A2;
    return t;
}

inline engine::SectionTexts circleTexts() {
    engine::SectionTexts t;
    t.fyk = "4500";
    t.fyd = "3913";
    t.Ea = "2100000";
    t.fmd = "118";
    t.Em = "299000";
    t.Nd = "20000";
    t.Md = "300000";
    t.d = "400";
    t.c = "30";
    t.Aa = "700";
    return t;
}

inline const std::array<Example, 4> kExamples = {{
    {"unreinforced", "ES.sezione rettangolare muratura non armata", engine::Layout::Rectangular,
     rectangleTexts("10", "10000", "14000", "130000", "1000", "400", "30", "0", "0")},
    {"reinforced", "ES.sezione rettangolare muratura armata", engine::Layout::Rectangular,
     rectangleTexts("10", "10000", "14000", "130000", "1000", "400", "30", "150", "100")},
    {"concrete", "ES.sezione rettangolare in c.a.", engine::Layout::Rectangular,
     rectangleTexts("118", "299000", "45000", "1400000", "300", "500", "25", "600", "600")},
    {"circle", "ES.sezione circolare di cls armato", engine::Layout::Circular, circleTexts()},
}};

inline engine::Analysis calculated(const Example& e) {
    engine::Analysis a;
    a.calcola(e.texts, e.layout);
    return a;
}

}  // namespace fortema::report::test
