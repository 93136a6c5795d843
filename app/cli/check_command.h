#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace fortema::cli {

// `fortema-cli check key=value ... [--curves]`: one section checked from the texts a user
// would type into the main window. Writes one JSON object to `out`; returns the exit
// status (0, or 2 for arguments it cannot take, with the reason on `err`).
int runCheck(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace fortema::cli
