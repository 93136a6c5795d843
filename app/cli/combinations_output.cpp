#include "app/cli/combinations_output.h"

#include <QString>
#include <cmath>
#include <ostream>

#include "app/cli/json_writer.h"
#include "app/cli/terminal_text.h"

namespace fortema::cli {

namespace numtext = engine::numtext;

namespace {

const char* statusKey(const engine::CombinationCheck& c) {
    return c.beyondCapacity ? "beyond_capacity" : (c.passes ? "passes" : "fails");
}

std::string verdict(const engine::CombinationCheck& c) {
    if (c.beyondCapacity) return "NON VERIFICATA: N oltre la capacità assiale";
    return c.passes ? "VERIFICATA" : "NON VERIFICATA";
}

// A name, its control characters shown as escapes, padded or cut to `width`.
std::string name(const std::string& text, int width) {
    return QString::fromStdString(escapeControls(text, Escapes::Cell))
        .left(width)
        .leftJustified(width)
        .toStdString();
}

// A number one blank after the cell before it, right-aligned in `width` and never cut.
std::string padded(const std::string& text, int width) {
    return " " + QString::fromStdString(text).rightJustified(width - 1).toStdString();
}

}  // namespace

std::string ratioCell(double ratio, const numtext::NumberLocale& loc) {
    if (!std::isfinite(ratio)) return "-";
    const double cut = std::floor(ratio * 100) / 100;
    if (std::fabs(cut) < 1e6) return numtext::fixedText(cut, 2, loc);
    return engine::fitsSingle(cut) ? numtext::singleText(engine::toSingle(cut), loc)
                                   : numtext::generalText(cut, loc);
}

std::string combinationsJson(const std::vector<engine::LoadCombination>& loads,
                             const engine::CombinationsResult& result) {
    std::string out = "[";
    for (std::size_t i = 0; i < result.checks.size() && i < loads.size(); ++i) {
        const engine::CombinationCheck& c = result.checks[i];
        JsonObject json;
        json.string("name", loads[i].name)
            .number("N", loads[i].N)
            .number("M", loads[i].M)
            .number("Mu", c.Mu)
            .number("ratio", c.ratio)
            .number("load_factor", c.loadFactor)
            .raw("campo", c.campo ? std::to_string(c.campo) : "null")
            .string("status", statusKey(c))
            .boolean("passes", c.passes)
            .boolean("governing", static_cast<int>(i) == result.governing);
        out += (i ? "," : "") + json.text();
    }
    return out + "]";
}

void writeCombinationRows(const std::vector<engine::LoadCombination>& loads,
                          const engine::CombinationsResult& result, const numtext::NumberLocale& loc,
                          std::ostream& out) {
    if (!result.refusal.empty()) {
        out << "      combinazioni non calcolabili: " << result.refusal << "\n";
        return;
    }
    const auto whole = [&](double v) {
        return std::isfinite(v) ? numtext::generalText(std::floor(v), loc) : "-";
    };
    const auto cut2 = [&](double v) { return ratioCell(v, loc); };
    out << "      " << name("Combinazione", 24) << padded("N", 13) << padded("M", 14) << padded("Mu", 14)
        << padded("Mu/|M|", 9) << padded("lambda", 9) << padded("Campo", 7) << "  Esito\n";
    for (std::size_t i = 0; i < result.checks.size() && i < loads.size(); ++i) {
        const engine::CombinationCheck& c = result.checks[i];
        out << "    " << (static_cast<int>(i) == result.governing ? "* " : "  ") << name(loads[i].name, 24)
            << padded(numtext::generalText(loads[i].N, loc), 13)
            << padded(numtext::generalText(loads[i].M, loc), 14) << padded(whole(c.Mu), 14)
            << padded(cut2(c.ratio), 9) << padded(cut2(c.loadFactor), 9)
            << padded(c.campo ? std::to_string(c.campo) : "-", 7) << "  " << verdict(c) << "\n";
    }
}

}  // namespace fortema::cli
