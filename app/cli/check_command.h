#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "engine/section.h"

namespace fortema::cli {

// One section as given on the command line: type=R|C and the fields' texts by their symbols
// (fyk fyd Ea fmd Em Nd Md, b h c1 c2 A1 A2, d c Aa), as typed into the window.
struct SectionInput {
    engine::SectionTexts texts;
    engine::Layout layout = engine::Layout::Rectangular;
    bool takesDescription = false;  // the key "descrizione" is accepted
    std::string description;
};

// Reads key=value arguments into `input`; false, with the reason on `err`, for an argument that
// is not key=value, an unknown or repeated key, or a type other than R or C.
bool parseSectionArgs(const std::vector<std::string>& args, const std::string& command, SectionInput& input,
                      std::ostream& err);

// `fortema-cli check key=value ... [--curves | --csv]`: one section checked from the texts a
// user would type into the main window. Writes one JSON object to `out`, or with --csv the
// traced points of the five fields as CSV (field,point,n,m); returns the exit status: 0, 1 for a
// section the calculation refuses (the JSON says why; with --csv the reason is on `err`) or a
// load combination that fails, 2 for arguments it cannot take, with the reason on `err`. The JSON object ends
// with "exact": the design point solved at Nd on the continuous domain (Nu, Mu, campo, yan, edge_strain,
// steel_strain, on_bridge, beyond_capacity, and Mu_diff_percent, the traced Mu's difference from it in
// percent of it), null for a refused section.
int runCheck(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace fortema::cli
