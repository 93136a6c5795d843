#pragma once

#include <QString>
#include <iosfwd>
#include <string>
#include <vector>

#include "archive/section_archive.h"
#include "engine/numtext.h"
#include "engine/section.h"

namespace fortema::cli {

// A position worth checking: a type other than "R", a description, or a material value or
// geometry slot that is not 0.
bool positionHoldsData(const archive::SectionRecord& record);

enum class CheckStatus { Passes, Fails, Refused, NotComputable, UnknownType };

struct PositionCheck {
    int position = 0;  // as shown, 1..100
    const archive::SectionRecord* record = nullptr;
    CheckStatus status = CheckStatus::NotComputable;
    std::string warning;  // the refusal, or the warning shown after the results
    engine::SectionResult result;
    double ratio = 0;  // Mu / Md of the recomputation; NaN when Md is 0
    // The position's load combinations, checked against its section (empty when it has none).
    const archive::CombinationList* loads = nullptr;
    engine::CombinationsResult combinations;
};

// Recomputes one stored position as showing it and pressing "&CALCOLA" would.
PositionCheck checkPosition(const archive::SectionArchive& archive, int position,
                            const engine::numtext::NumberLocale& loc);

// `fortema-cli project FILE.ftm [--json]`. Exit status 0 when every position holding data and
// every load combination passes, 1 when one does not, 2 when the file cannot be read or the
// arguments are wrong.
int runProject(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace fortema::cli
