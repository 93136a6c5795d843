#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace fortema::cli {

// `fortema-cli report FILE.ftm -o OUT.pdf`: the full project report of "Anteprii&ma e Stampa
// completa", the pages the preview shows, printed onto a PDF file without a display.
// Exit status 0 when the PDF was written, 1 when the project holds no stored data or the PDF
// cannot be written, 2 for a file that cannot be read (the program's own message) or arguments
// it cannot take.
int runReport(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace fortema::cli
