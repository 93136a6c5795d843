#pragma once

// The analysis "&CALCOLA" leaves after a worked example, and access to put an Analysis into
// states a calculation reaches only with contrived inputs.

#include "engine/section.h"
#include "tests/engine/examples.h"

namespace fortema::engine {

// Worked example 1 to 4 (the fourth is the circle) calculated, with another Nd when given.
inline Analysis calculated(int example, const char* nd = nullptr) {
    static SectionTexts (*const kTexts[])() = {testing::example1, testing::example2, testing::example3,
                                               testing::example4};
    SectionTexts texts = kTexts[example - 1]();
    if (nd) texts.Nd = nd;
    Analysis a;
    a.calcola(texts, example == 4 ? Layout::Circular : Layout::Rectangular);
    return a;
}

class AnalysisAccess {
public:
    static void setDesignPoint(Analysis& a, double nd, float md) {
        a.m_nd = nd;
        a.m_md = md;
    }
    static CurrentSection& section(Analysis& a) { return a.m_section; }
    static SectionResult& result(Analysis& a) { return a.m_result; }
    static void setBeyondCapacity(Analysis& a, bool beyond) { a.m_beyondCapacity = beyond; }
};

}  // namespace fortema::engine
