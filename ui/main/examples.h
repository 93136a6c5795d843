#pragma once

// The four ready-made sections of the menu "&Esempi".

#include <array>

#include "engine/section.h"

namespace fortema::ui {

struct WorkedExample {
    const char* action;   // objectName of its menu item
    const char* caption;  // its menu item
    const char* description;
    engine::Layout layout;
    // fyk, fyd, Ea, fmd, Em, Nd, Md
    std::array<const char*, 7> materialAndActions;
    // rectangular: b, h, c1, c2, A1, A2; circular: d, c, Aa and three unused
    std::array<const char*, 6> geometry;
};

// Unreinforced masonry, reinforced masonry, the rectangle of a reinforced-concrete T, the
// circular reinforced-concrete section.
const std::array<WorkedExample, 4>& workedExamples();

}  // namespace fortema::ui
