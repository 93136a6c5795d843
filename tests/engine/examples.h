#pragma once

// The four worked examples as a user types them into the main window, and the figures they are
// known to give, each worked out by hand here and only here.

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
// The texts with one field typed otherwise.
inline SectionTexts with(SectionTexts t, std::string SectionTexts::*field, const char* text) {
    t.*field = text;
    return t;
}

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

// What "&CALCOLA" shows (daN, daN·cm, cm). In field 3 of a rectangle both bars have yielded:
// N = fyd·(A2 − A1) + 0.8·fmd·b·x, M = fyd·(A1 + A2)·(h/2 − c) + 0.8·fmd·b·x·(h/2 − 0.4·x), at
// the neutral-axis depth x = 0.0035·d/(0.0035 + ε1) of the traced step ε1 = εyd − 0.0001 + k·0.0001.
struct Shown {
    double Nu, Mu;
    float yan;
    int campo;
};
// 1: n = 14000/(10·100·40) = 0.35 on m = 3n(1 − n): Mu = 3·0.35·0.65·10·100·40²/6 = 182000, but in
//    doubles 3·0.35 rounds down, the product is 181999.99999999997 and the cut gives 181999;
//    yan = 0.35·40 = 14 cm.
inline constexpr Shown kShown1{14000, 181999, 14.0f, 0};
// 2: step 12 (ε1 = 0.0029633), x = 0.0035·37/0.0064633 = 20.036 cm: N = −1956.5 + 800·x = 14072.4
//    and M = 3913·2.5·17 + 800·x·(20 − 0.4·x) = 358417.6. That point lies above Nd: its own Nu.
inline constexpr Shown kShown2{14072, 358417, 20.03f, 3};
// 3: step 52 (ε1 = 0.0069633), x = 0.0035·47.5/0.0104633 = 15.8888 cm: N = 2832·x = 44997.1, just
//    below Nd so Nu shows Nd; M = 3913·12·22.5 + N·(25 − 0.4·x) = 1056510 + 838947.8 = 1895457.8.
inline constexpr Shown kShown3{45000, 1895457, 15.88f, 3};
// 4: the strip integration of the circle (r = 20 cm, bars on rs = 17 cm); the exact solver gives
//    the same within its steps (tests/engine/exact_domain_test.cpp).
inline constexpr Shown kShown4{20000, 660602, 0.0f, 3};

// Example 3 without the steps: x = 45000/2832 = 15.8898 cm exactly at Nd, so
// Mu = 1056510 + 45000·(25 − 0.4·15.8898) = 1895493.05.
inline constexpr double kExactMu3 = 1895493.05;

// Example 3 with A2 = 1200 mm² squashed: Nc = 118·30·50 + 3913·(6 + 12) = 247434 and, from the
// unequal bars, Mc = 3913·(12 − 6)·22.5 = 528255; both come back through n, m one unit low.
inline constexpr double kCapacityNu3 = 247433, kCapacityMu3 = 528254;

}  // namespace fortema::engine::testing
