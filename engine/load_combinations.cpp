#include "engine/load_combinations.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "engine/numtext.h"

namespace fortema::engine {

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();

BoundaryPoint lerp(const BoundaryPoint& a, const BoundaryPoint& b, double t) {
    BoundaryPoint p = t < 0.5 ? a : b;
    const auto mix = [t](double u, double v) { return u + t * (v - u); };
    p.N = mix(a.N, b.N);
    p.M = mix(a.M, b.M);
    p.x = mix(a.x, b.x);
    p.edgeStrain = mix(a.edgeStrain, b.edgeStrain);
    p.steelStrain = mix(a.steelStrain, b.steelStrain);
    return p;
}

}  // namespace

CurrentSection turnedOver(const CurrentSection& s) {
    CurrentSection t = s;
    t.A1 = s.A2;
    t.A2 = toSingle(s.A1);
    t.c1 = s.c2;
    t.c2 = s.c1;
    return t;
}

DomainSide::DomainSide(const CurrentSection& s, Layout layout) : m_boundary(s, layout) {
    const int pieces = static_cast<int>(m_boundary.end());
    for (int k = 0; k <= pieces; ++k) {
        const BoundaryPoint p = m_boundary.evaluate(k);
        m_s.push_back(k);
        m_N.push_back(p.N);
        m_M.push_back(p.M);
    }
}

// Regula falsi with the Illinois step on one piece of the boundary, bracketed from the table of
// piece ends: a handful of evaluations where a bisection over the whole boundary takes forty.
template <class Value>
BoundaryPoint DomainSide::solve(Value value, double tolerance) const {
    // The first piece whose far end is no longer before the point, from the table alone.
    const auto tabled = [this](std::size_t k) {
        BoundaryPoint p;
        p.N = m_N[k];
        p.M = m_M[k];
        return p;
    };
    std::size_t i = 0;
    while (i + 2 < m_s.size() && value(tabled(i + 1)) < 0) ++i;
    double sLo = m_s[i], sHi = m_s[i + 1];
    BoundaryPoint lo = m_boundary.evaluate(sLo), hi = m_boundary.evaluate(sHi);
    double fLo = value(lo), fHi = value(hi);
    if (fLo >= 0) return lo;
    if (fHi <= 0) return hi;
    int side = 0;
    for (int iteration = 0; iteration < 100 && sHi - sLo > 1e-13; ++iteration) {
        double s = sHi - fHi * (sHi - sLo) / (fHi - fLo);
        if (!(s > sLo && s < sHi)) s = 0.5 * (sLo + sHi);
        const BoundaryPoint p = m_boundary.evaluate(s);
        const double f = value(p);
        if (std::fabs(f) <= tolerance) return p;
        if (f < 0) {
            sLo = s, lo = p, fLo = f;
            if (side == -1) fHi /= 2;
            side = -1;
        } else {
            sHi = s, hi = p, fHi = f;
            if (side == 1) fLo /= 2;
            side = 1;
        }
    }
    // A jump of the laws narrower than its bridge: crossed straight, as the exact solver does.
    return lerp(lo, hi, fHi - fLo > 0 ? std::clamp(-fLo / (fHi - fLo), 0.0, 1.0) : 0.0);
}

std::optional<BoundaryPoint> DomainSide::atN(double N) const {
    if (!std::isfinite(N) || N < nMin() || N > nMax()) return std::nullopt;
    return solve([N](const BoundaryPoint& p) { return p.N - N; }, 1e-3);
}

RayHit DomainSide::ray(double N, double M) const {
    RayHit hit;
    if (!(M >= 0) || !std::isfinite(N) || !std::isfinite(M) || (N == 0 && M == 0)) return hit;
    // Negative while the boundary point lies on the tension side of the ray.
    const auto cross = [N, M](const BoundaryPoint& p) { return M * p.N - N * p.M; };
    if (cross(m_boundary.evaluate(0)) > 0 || cross(m_boundary.evaluate(m_boundary.end())) < 0) return hit;
    const double scale = std::hypot(N, M) * std::max(std::fabs(nMin()), std::fabs(nMax()));
    const BoundaryPoint p = solve(cross, 1e-12 * scale);
    const double along = p.N * N + p.M * M;
    if (along < 0 || !std::isfinite(along)) return hit;  // the crossing lies on the opposite ray
    hit.found = true;
    hit.factor = along / (N * N + M * M);
    hit.point = p;
    return hit;
}

FullDomain::FullDomain(const CurrentSection& s, Layout layout) : m_positive(s, layout) {
    const bool symmetric = layout == Layout::Circular || (s.A1 == 0 && s.A2 == 0) ||
                           (s.A1 == static_cast<double>(s.A2) && s.c1 == s.c2);
    if (!symmetric) m_negative.emplace(turnedOver(s), layout);
}

CombinationCheck FullDomain::check(double N, double M) const {
    CombinationCheck c;
    const bool negative = M < 0;
    const DomainSide& side = negative && m_negative ? *m_negative : m_positive;
    const double demand = std::fabs(M);
    const std::optional<BoundaryPoint> p = side.atN(N);
    if (!p) {
        c.beyondCapacity = true;
        c.ratio = 0;
        c.loadFactor = side.ray(N, demand).factor;
        return c;
    }
    c.Mu = negative ? -p->M : p->M;
    c.campo = p->campo;
    c.ratio = demand > 0 ? p->M / demand : (p->M >= 0 ? kInfinity : -kInfinity);
    c.passes = p->M >= demand;
    const RayHit hit = side.ray(N, demand);
    c.loadFactor = hit.found ? hit.factor : kNotDefined;
    return c;
}

std::vector<std::pair<double, double>> FullDomain::outline(int perSide) const {
    std::vector<std::pair<double, double>> out;
    const auto side = [&](const DomainSide& d, double sign, bool backwards) {
        for (int k = 0; k < perSide; ++k) {
            const int j = backwards ? perSide - 1 - k : k;
            const double N = d.nMin() + (d.nMax() - d.nMin()) * j / std::max(1, perSide - 1);
            if (const auto p = d.atN(N)) out.emplace_back(p->N, sign * p->M);
        }
    };
    side(m_positive, 1, false);
    side(m_negative ? *m_negative : m_positive, -1, true);
    return out;
}

CombinationsResult checkCombinations(const CurrentSection& s, Layout layout,
                                     const std::vector<LoadCombination>& combinations) {
    CurrentSection bare = s;
    bare.Nd = 1;
    bare.Md = 0;
    CombinationsResult r;
    r.refusal = checkSection(bare, layout);
    if (!r.refusal.empty()) return r;
    return checkCombinations(FullDomain(s, layout), combinations);
}

namespace {

// The verdict over all checks and the governing one: beyond capacity first, then the smallest ratio.
void summarize(CombinationsResult& r) {
    r.allPass = true;
    r.governing = -1;
    double worst = kInfinity;
    for (std::size_t i = 0; i < r.checks.size(); ++i) {
        const CombinationCheck& c = r.checks[i];
        r.allPass = r.allPass && c.passes;
        const double key = c.beyondCapacity ? -kInfinity : c.ratio;
        if (r.governing < 0 || key < worst) {
            worst = key;
            r.governing = static_cast<int>(i);
        }
    }
}

}  // namespace

CombinationsResult checkCombinations(const FullDomain& domain,
                                     const std::vector<LoadCombination>& combinations) {
    CombinationsResult r;
    r.checks.reserve(combinations.size());
    for (const LoadCombination& c : combinations) r.checks.push_back(domain.check(c.N, c.M));
    summarize(r);
    return r;
}

void recheckCombination(const FullDomain& domain, const std::vector<LoadCombination>& combinations,
                        std::size_t index, CombinationsResult& result) {
    if (result.checks.size() != combinations.size() || index >= combinations.size()) {
        result = checkCombinations(domain, combinations);
        return;
    }
    result.checks[index] = domain.check(combinations[index].N, combinations[index].M);
    summarize(result);
}

namespace {

std::string trim(std::string_view s) {
    std::size_t a = 0, b = s.size();
    while (a < b && (s[a] == ' ' || s[a] == '\t' || s[a] == '\r')) ++a;
    while (b > a && (s[b - 1] == ' ' || s[b - 1] == '\t' || s[b - 1] == '\r')) --b;
    return std::string(s.substr(a, b - a));
}

// The cells of one row; a cell in double quotes may hold the separator, "" is a quote.
std::vector<std::string> cells(std::string_view line, char separator) {
    std::vector<std::string> out;
    std::string cell;
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char ch = line[i];
        if (quoted) {
            if (ch == '"' && i + 1 < line.size() && line[i + 1] == '"') {
                cell += '"';
                ++i;
            } else if (ch == '"') {
                quoted = false;
            } else {
                cell += ch;
            }
        } else if (ch == '"' && trim(cell).empty()) {
            cell.clear();
            quoted = true;
        } else if (ch == separator) {
            out.push_back(trim(cell));
            cell.clear();
        } else {
            cell += ch;
        }
    }
    out.push_back(trim(cell));
    while (out.size() > 1 && out.back().empty()) out.pop_back();
    return out;
}

std::string cleanName(std::string name) {
    // The project file has no escape for a double quote.
    std::erase(name, '"');
    return name;
}

}  // namespace

LoadTable parseLoadTable(std::string_view text) {
    LoadTable table;
    std::vector<std::string_view> lines;
    for (std::size_t start = 0; start <= text.size();) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    const auto any = [&lines](char c) {
        return std::any_of(lines.begin(), lines.end(),
                           [c](std::string_view l) { return l.find(c) != l.npos; });
    };
    const char separator = any('\t') ? '\t' : (any(';') ? ';' : ',');
    std::vector<std::vector<std::string>> rows(lines.size());
    bool italian = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        rows[i] = cells(lines[i], separator);
        const std::size_t first = rows[i].size() >= 3 ? rows[i].size() - 2 : 0;
        for (std::size_t k = first; k < rows[i].size(); ++k)
            italian = italian || (separator != ',' && rows[i][k].find(',') != std::string::npos);
    }
    const numtext::NumberLocale form =
        italian ? numtext::NumberLocale::italian() : numtext::NumberLocale{'.', '\0'};
    const auto number = [&form](const std::string& cell, double& value) {
        if (!numtext::isLocaleNumber(cell, form)) return false;
        value = numtext::localeNumberValue(cell, form);
        return std::isfinite(value) && std::fabs(value) < 1e30;
    };
    bool first = true;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const std::vector<std::string>& r = rows[i];
        if (r.size() == 1 && r[0].empty()) continue;
        const auto fail = [&](const std::string& why) {
            table.errorLine = static_cast<int>(i + 1);
            table.error = "riga " + std::to_string(i + 1) + ": " + why;
            return table;
        };
        if (r.size() > 3) return fail("troppe colonne (servono nome, N e M)");
        LoadCombination c;
        const bool named = r.size() == 3;
        if (r.size() < 2) return fail("servono nome, N e M");
        const bool numbers = number(r[named ? 1 : 0], c.N) && number(r[named ? 2 : 1], c.M);
        if (!numbers && first) {
            first = false;  // a header row
            continue;
        }
        first = false;
        if (!numbers) {
            return fail("N e M devono essere numeri" +
                        std::string(italian ? " (virgola decimale)" : " (punto decimale)"));
        }
        if (table.rows.size() == kMaxCombinations)
            return fail("più di " + std::to_string(kMaxCombinations) + " combinazioni");
        c.name = named ? cleanName(r[0]) : "C" + std::to_string(table.rows.size() + 1);
        table.rows.push_back(c);
    }
    return table;
}

std::string writeLoadTable(const std::vector<LoadCombination>& rows, char decimal) {
    const numtext::NumberLocale loc{decimal, decimal == ',' ? '.' : ','};
    std::string out = "Nome;N [daN];M [daN*cm]\r\n";
    for (const LoadCombination& c : rows) {
        const bool quote = c.name.find(';') != std::string::npos || c.name.find('\t') != std::string::npos;
        out += quote ? "\"" + c.name + "\"" : c.name;
        out += ";" + numtext::generalText(c.N, loc) + ";" + numtext::generalText(c.M, loc) + "\r\n";
    }
    return out;
}

}  // namespace fortema::engine
