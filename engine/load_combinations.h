#pragma once

// Many load points against one section: the full M-N domain with both moment signs, and each
// combination (N, M) checked on it with the exact solver's laws. The positive side is the exact
// boundary of the section; the negative side is the same boundary of the rectangle turned over
// (A1, c1 swapped with A2, c2), mirrored; the circle and the unreinforced rectangle are symmetric.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/exact_domain.h"
#include "engine/section.h"

namespace fortema::engine {

struct LoadCombination {
    std::string name;
    double N = 0;  // daN, compression positive
    double M = 0;  // daN·cm, its sign says which edge is compressed (positive: the upper one)
    bool operator==(const LoadCombination&) const = default;
};

inline constexpr std::size_t kMaxCombinations = 500;

// The rectangle with its upper and lower reinforcement exchanged: its positive side is the
// negative side of the original section.
CurrentSection turnedOver(const CurrentSection& s);

// One side of the domain, sampled once so that many forces can be solved on it cheaply.
class DomainSide {
public:
    DomainSide(const CurrentSection& s, Layout layout);

    const ExactBoundary& boundary() const { return m_boundary; }
    double nMin() const { return m_N.front(); }
    double nMax() const { return m_N.back(); }
    // The boundary point at N (within 0.5 daN, in practice far closer); nullopt beyond the
    // pure-tension or pure-compression force.
    std::optional<BoundaryPoint> atN(double N) const;
    // λ with λ·(N, M) on this side (M ≥ 0), as loadRayFactor.
    RayHit ray(double N, double M) const;

private:
    // The point where `value` (negative before it along the boundary) reaches zero.
    template <class Value>
    BoundaryPoint solve(Value value, double tolerance) const;

    ExactBoundary m_boundary;
    std::vector<double> m_s, m_N, m_M;  // the boundary at every piece's ends
};

struct CombinationCheck {
    bool beyondCapacity = false;  // N beyond the pure-compression or pure-tension force
    double Mu = kNotDefined;      // daN·cm on the side of M, signed like M (positive for M = 0)
    int campo = 0;
    double ratio = kNotDefined;       // Mu / |M|; infinite for M = 0 with Mu ≥ 0
    double loadFactor = kNotDefined;  // λ: how far (N, M) scales from the origin to the boundary
    bool passes = false;              // within the axial capacity and |Mu| ≥ |M| on its side
};

class FullDomain {
public:
    // The section must have passed checkSection.
    FullDomain(const CurrentSection& s, Layout layout);

    CombinationCheck check(double N, double M) const;
    // The closed outline (N, M) in daN and daN·cm: the positive side from pure tension to pure
    // compression, then the negative side back, `perSide` points each.
    std::vector<std::pair<double, double>> outline(int perSide) const;

private:
    DomainSide m_positive;
    std::optional<DomainSide> m_negative;  // only for a rectangle that is not symmetric
    bool mirrorNegative() const { return !m_negative; }
};

struct CombinationsResult {
    std::string refusal;  // the section itself is refused: no combination is checked
    std::vector<CombinationCheck> checks;
    int governing = -1;  // the combination with the smallest ratio (beyond capacity first)
    bool allPass = false;
};

// The section's materials and sizes are checked first (its own Nd and Md play no part).
CombinationsResult checkCombinations(const CurrentSection& s, Layout layout,
                                     const std::vector<LoadCombination>& combinations);
// On a domain already built, for a table checked again after every edit.
CombinationsResult checkCombinations(const FullDomain& domain,
                                     const std::vector<LoadCombination>& combinations);
// One edited combination checked again, the verdict and the governing one brought up to date; the
// whole table when `result` does not match it.
void recheckCombination(const FullDomain& domain, const std::vector<LoadCombination>& combinations,
                        std::size_t index, CombinationsResult& result);

// A table of combinations read from text: pasted spreadsheet cells (tab-separated) or a CSV file
// (";" or "," separated). A first row that is not numbers is a header. Each row is name, N, M, or
// N, M alone (the name becomes "C<row>"). Numbers in Italian form (decimal comma, "." grouping)
// or C form (decimal point), one form for the whole table; blank lines are skipped.
struct LoadTable {
    std::vector<LoadCombination> rows;
    int errorLine = 0;  // 1-based line of the first bad row, 0 when all rows were read
    std::string error;  // its reason, in Italian
};
LoadTable parseLoadTable(std::string_view text);

// The combinations as CSV: a header row, ";" separated, numbers in the given decimal separator.
std::string writeLoadTable(const std::vector<LoadCombination>& rows, char decimal);

}  // namespace fortema::engine
