#pragma once

// The four worked examples as a user types them into the main window.

#include <string>
#include <utility>

#include "engine/section.h"

namespace fortema::engine::testing {

inline SectionTexts materials(std::string fmd, std::string Em, std::string Nd, std::string Md) {
    SectionTexts t;
    t.fyk = "4500";
    t.fyd = "3913";
    t.Ea = "2100000";
    t.fmd = std::move(fmd);
    t.Em = std::move(Em);
    t.Nd = std::move(Nd);
    t.Md = std::move(Md);
    return t;
}

inline SectionTexts rectangle(SectionTexts t, std::string b, std::string h, std::string c1, std::string c2,
                              std::string A1, std::string A2) {
    t.b = std::move(b);
    t.h = std::move(h);
    t.c1 = std::move(c1);
    t.c2 = std::move(c2);
    t.A1 = std::move(A1);
    t.A2 = std::move(A2);
    return t;
}

inline SectionTexts circle(SectionTexts t, std::string d, std::string c, std::string Aa) {
    t.d = std::move(d);
    t.c = std::move(c);
    t.Aa = std::move(Aa);
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
