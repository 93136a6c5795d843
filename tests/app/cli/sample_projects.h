#pragma once

// Project files for the command-line tests, made the way the window makes them: each section
// calculated from its field texts and stored with "Sa&lva dati".

#include <QString>

#include "archive/section_archive.h"
#include "engine/section.h"
#include "tests/engine/examples.h"

namespace fortema::cli::testing {

// The third worked example (tests/engine/examples.h), with another Md when given.
inline engine::SectionTexts rectangularTexts(const char* md = "1400000") {
    engine::SectionTexts t = engine::testing::example3();
    t.Md = md;
    return t;
}

inline engine::SectionTexts circularTexts(const char* md = "500000") {
    engine::SectionTexts t;
    t.fyk = "4500", t.fyd = "3913", t.Ea = "2100000", t.fmd = "118", t.Em = "299000";
    t.Nd = "50000", t.Md = md;
    t.d = "400", t.c = "30", t.Aa = "1000";
    return t;
}

// Calculates and stores into `position`, as "&CALCOLA" then "Sa&lva dati" would.
inline void storeSection(archive::SectionArchive& archive, int position, const engine::SectionTexts& texts,
                         engine::Layout layout, const QString& description) {
    engine::Analysis analysis;
    analysis.calcola(texts, layout);
    archive::storeCalculation(archive, position, analysis.section(), analysis.result(), description, layout);
}

}  // namespace fortema::cli::testing
