#pragma once

// The list of solved cases that `fortema-cli validate` recomputes: one line per case, its fields
// separated by tabs, lines starting with "#" and blank lines ignored. Fields, in order:
//
//   id  file  kind  quantity  reference  hand  tol_program  tol_exact  sweep  source  reason
//
// file is the project file (in the same folder) holding the section in position 1; quantity is
// "Mu", the ultimate moment at the design force in daN*cm; reference is the value the case is
// judged against; hand is the value of the program's own laws derived by hand ("-" when the case
// has none); the two tolerances are percentages of |reference|, and tol_exact "oltre" means the
// exact solver must find the design force beyond the section's capacity; sweep is "si" for the
// sections whose sampling error the dossier sweeps; source and reason are free texts.

#include <cmath>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace fortema::cli {

struct ValidationCase {
    std::string id;
    std::string file;
    std::string kind;
    std::string quantity;
    double reference = 0;
    std::optional<double> hand;
    double programTolerance = 0;           // percent
    std::optional<double> exactTolerance;  // percent; empty: beyond the capacity is expected
    bool sweep = false;
    std::string source;
    std::string reason;
};

// How close the exact solver must come to a value derived by hand from the same laws.
inline constexpr double kHandTolerancePercent = 0.1;

struct Manifest {
    bool ok = false;
    std::string message;  // Italian, with the line number, when !ok
    std::vector<ValidationCase> cases;
};

Manifest parseManifest(std::string_view text);

// What the program and the exact solver gave for one case.
struct CaseMeasure {
    bool computed = false;  // the program traced a domain
    double programMu = 0;
    bool exactFound = false;
    bool exactBeyond = false;
    double exactMu = 0;
};

struct CaseVerdict {
    double programDiff = NAN;  // percent of |reference|
    bool programOk = false;
    double exactDiff = NAN;  // percent of |reference|; NaN when the exact solver found no point
    bool exactOk = false;
    double handDiff = NAN;  // exact against hand, percent of |hand|; NaN without a hand value
    bool handOk = true;
    bool ok() const { return programOk && exactOk && handOk; }
};

// (value − reference) in percent of |reference|.
double percentDifference(double value, double reference);

CaseVerdict judgeCase(const ValidationCase& c, const CaseMeasure& m);

}  // namespace fortema::cli
