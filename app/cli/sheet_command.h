#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace fortema::cli {

// `fortema-cli sheet key=value ... [descrizione=TEXT] -o OUT.pdf`: the one-page printout of
// "&STAMPA" for one section, into a PDF file, without a display. Exit status 0 when the page
// was written, 1 when the calculation refuses the section or the page cannot be printed,
// 2 for arguments it cannot take.
int runSheet(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace fortema::cli
