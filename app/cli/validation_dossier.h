#pragma once

// The validation dossier on paper: a cover with the program's version, the date and the table of
// the cases; one page per case with its data, reference, results, differences, reason and source;
// a last page with the sampling error of the design-point search over a sweep of Nd. Written into
// the page file and printed onto a PDF by the same road as the project report.

#include <QString>
#include <vector>

#include "app/cli/validate_command.h"
#include "engine/numtext.h"
#include "report/full_report.h"

namespace fortema::cli {

inline constexpr int kSweepSteps = 200;

// |Mu_program − Mu_exact| / Mu_exact in percent over the points of one strain field (the field of
// the exact point; 0 for an unreinforced rectangle), or over all of them (campo −1).
struct SamplingStats {
    int campo = -1;
    int points = 0;
    double min = 0, max = 0, mean = 0;
};

struct SamplingSweep {
    double ndFrom = 0, ndTo = 0;  // the pure-tension and pure-compression forces, daN
    std::vector<SamplingStats> fields;
    SamplingStats all;
};

// Nd over `steps` whole forces evenly inside (ndFrom, ndTo), each computed as the window computes
// it and solved exactly. Kept: points the search found on the traced domain (not beyond it) whose
// exact Mu is at least a tenth of the largest exact Mu of the sweep.
SamplingSweep sweepSampling(const CaseRun& run, int steps, const engine::numtext::NumberLocale& loc);

report::PdfReport writeValidationDossier(const std::vector<CaseRun>& runs,
                                         const engine::numtext::NumberLocale& loc, const QString& pdfPath);

}  // namespace fortema::cli
