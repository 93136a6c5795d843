#include "app/cli/validation_manifest.h"

#include <charconv>
#include <set>

namespace fortema::cli {

namespace {

constexpr std::size_t kFields = 11;

std::vector<std::string_view> splitTabs(std::string_view line) {
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    for (;;) {
        const std::size_t tab = line.find('\t', start);
        fields.push_back(line.substr(start, tab == std::string_view::npos ? tab : tab - start));
        if (tab == std::string_view::npos) return fields;
        start = tab + 1;
    }
}

// A plain decimal number with "." whatever the locale, the whole field and nothing else.
std::optional<double> number(std::string_view text) {
    double value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc() || ptr != end || !std::isfinite(value)) return std::nullopt;
    return value;
}

bool withinTolerance(double diff, double tolerance) {
    return std::isfinite(diff) && std::fabs(diff) <= tolerance;
}

}  // namespace

Manifest parseManifest(std::string_view text) {
    Manifest out;
    std::set<std::string, std::less<>> ids;
    int lineNumber = 0;
    const auto fail = [&](const std::string& why) {
        out.ok = false;
        out.message = "riga " + std::to_string(lineNumber) + ": " + why;
        out.cases.clear();
        return out;
    };
    while (!text.empty()) {
        const std::size_t eol = text.find('\n');
        std::string_view line = text.substr(0, eol);
        text = eol == std::string_view::npos ? std::string_view() : text.substr(eol + 1);
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.find_first_not_of(" \t") == std::string_view::npos || line.front() == '#') continue;

        const std::vector<std::string_view> f = splitTabs(line);
        if (f.size() != kFields) {
            return fail("attesi " + std::to_string(kFields) + " campi separati da tabulazioni, trovati " +
                        std::to_string(f.size()));
        }
        ValidationCase c;
        c.id = f[0];
        c.file = f[1];
        c.kind = f[2];
        c.quantity = f[3];
        c.source = f[9];
        c.reason = f[10];
        if (c.id.empty() || !ids.insert(c.id).second)
            return fail("identificativo vuoto o ripetuto \"" + c.id + "\"");
        // The files live beside the list, also inside the program's resources.
        if (c.file.size() <= 4 || c.file.compare(c.file.size() - 4, 4, ".ftm") != 0 ||
            c.file.find_first_of("/\\") != std::string::npos) {
            return fail("il file \"" + c.file + "\" deve essere un nome .ftm senza cartella");
        }
        if (c.quantity != "Mu") return fail("grandezza sconosciuta \"" + c.quantity + "\" (prevista Mu)");

        const std::optional<double> reference = number(f[4]);
        if (!reference || *reference == 0)
            return fail("riferimento non valido \"" + std::string(f[4]) + "\"");
        c.reference = *reference;
        if (f[5] != "-") {
            c.hand = number(f[5]);
            if (!c.hand || *c.hand == 0)
                return fail("valore a mano non valido \"" + std::string(f[5]) + "\"");
        }
        const std::optional<double> program = number(f[6]);
        if (!program || *program < 0) return fail("tolleranza non valida \"" + std::string(f[6]) + "\"");
        c.programTolerance = *program;
        if (f[7] != "oltre") {
            c.exactTolerance = number(f[7]);
            if (!c.exactTolerance || *c.exactTolerance < 0) {
                return fail("tolleranza non valida \"" + std::string(f[7]) + "\"");
            }
        } else if (c.hand) {
            return fail("un valore a mano non si confronta con un Nd oltre la capacità");
        }
        if (f[8] != "si" && f[8] != "no") return fail("scansione \"" + std::string(f[8]) + "\" (si o no)");
        c.sweep = f[8] == "si";
        out.cases.push_back(std::move(c));
    }
    if (out.cases.empty()) {
        out.message = "nessun caso";
        return out;
    }
    out.ok = true;
    return out;
}

double percentDifference(double value, double reference) {
    return (value - reference) * 100 / std::fabs(reference);
}

CaseVerdict judgeCase(const ValidationCase& c, const CaseMeasure& m) {
    CaseVerdict v;
    if (!m.computed) {
        v.handOk = false;
        return v;
    }
    v.programDiff = percentDifference(m.programMu, c.reference);
    v.programOk = withinTolerance(v.programDiff, c.programTolerance);
    if (m.exactFound) v.exactDiff = percentDifference(m.exactMu, c.reference);
    if (c.exactTolerance) {
        v.exactOk = m.exactFound && withinTolerance(v.exactDiff, *c.exactTolerance);
    } else {
        v.exactOk = m.exactBeyond;
    }
    if (c.hand) {
        v.handDiff = m.exactFound ? percentDifference(m.exactMu, *c.hand) : NAN;
        v.handOk = withinTolerance(v.handDiff, kHandTolerancePercent);
    }
    return v;
}

}  // namespace fortema::cli
