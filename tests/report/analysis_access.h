#pragma once

// Puts an Analysis into states a calculation reaches only with contrived inputs.

#include "engine/section.h"

namespace fortema::engine {

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
