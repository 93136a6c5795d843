#pragma once

#include <QString>
#include <iosfwd>
#include <string>
#include <vector>

#include "app/cli/validation_manifest.h"
#include "archive/section_archive.h"
#include "engine/exact_domain.h"
#include "engine/numtext.h"
#include "engine/section.h"

namespace fortema::cli {

// The solved cases compiled into the program: the list "cases.tsv" and its project files.
inline constexpr const char* kBuiltInCases = ":/validation";
inline constexpr const char* kManifestName = "cases.tsv";

// One case recomputed as the window recomputes a stored position: position 1 of its project file
// shown (its numbers become the boxes' texts) and "&CALCOLA" pressed; beside it the design point
// solved exactly at the same Nd.
struct CaseRun {
    ValidationCase validationCase;
    QString fileError;  // why the project file gave no section; empty when it did
    archive::SectionRecord record;
    engine::Layout layout = engine::Layout::Rectangular;
    engine::Analysis analysis;
    engine::CalcOutcome outcome;
    engine::ExactResult exact;
    CaseVerdict verdict;

    bool computed() const { return fileError.isEmpty() && outcome.traced; }
};

CaseRun runCase(const ValidationCase& validationCase, const QString& folder,
                const engine::numtext::NumberLocale& loc);

struct CaseSet {
    bool ok = false;
    QString message;  // Italian, why the list could not be used
    std::vector<CaseRun> runs;
};

// Reads the list of `folder` and recomputes every case in it.
CaseSet runCases(const QString& folder, const engine::numtext::NumberLocale& loc);

// The table the command prints: one line per case and a closing count.
void writeCaseTable(const std::vector<CaseRun>& runs, const engine::numtext::NumberLocale& loc,
                    std::ostream& out);

// `fortema-cli validate [--dir DIR] [-o FILE.pdf]`: recomputes every solved case, prints the
// table and with -o writes the validation dossier as a PDF through the page file, as the report
// does. Exit status 0 when every case keeps its tolerances, 1 when one does not (or the PDF
// cannot be written), 2 for arguments it cannot take or a list it cannot read.
int runValidate(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace fortema::cli
