#pragma once

// The four worked examples as a user types them into the main window.

#include "engine/section.h"

namespace fortema::engine::testing {

inline SectionTexts materials(const char* fmd, const char* Em, const char* Nd, const char* Md) {
    SectionTexts t;
    t.fyk = "4500";
    t.fyd = "3913";
    t.Ea = "2100000";
    t.fmd = fmd;
    t.Em = Em;
    t.Nd = Nd;
    t.Md = Md;
    return t;
}

inline SectionTexts rectangle(SectionTexts t, const char* b, const char* h, const char* c1, const char* c2,
                              const char* A1, const char* A2) {
    t.b = b;
    t.h = h;
    t.c1 = c1;
    t.c2 = c2;
    t.A1 = A1;
    t.A2 = A2;
    return t;
}

inline SectionTexts circle(SectionTexts t, const char* d, const char* c, const char* Aa) {
    t.d = d;
    t.c = c;
    t.Aa = Aa;
    return t;
}

// Unreinforced masonry, reinforced masonry, the rectangle of a reinforced-concrete T, the
// circular reinforced-concrete section.
inline SectionTexts example1() {
    return rectangle(materials("10", "10000", "14000", "130000"), "1000", "400", "30", "30", "0", "0");
}
inline SectionTexts example2() {
    return rectangle(materials("10", "10000", "14000", "130000"), "1000", "400", "30", "30", "150", "100");
}
inline SectionTexts example3() {
    return rectangle(materials("118", "299000", "45000", "1400000"), "300", "500", "25", "25", "600", "600");
}
inline SectionTexts example4() {
    return circle(materials("118", "299000", "20000", "300000"), "400", "30", "700");
}

}  // namespace fortema::engine::testing
