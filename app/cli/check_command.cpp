#include "app/cli/check_command.h"

#include "app/cli/combinations_output.h"
#include "app/cli/json_writer.h"
#include "archive/number_locale.h"
#include "engine/code_page.h"
#include "engine/exact_domain.h"
#include "engine/input_fields.h"
#include "engine/load_combinations.h"
#include "engine/section.h"

#include <QFile>
#include <QFileInfo>
#include <QString>

#include <cmath>
#include <map>
#include <ostream>

namespace fortema::cli {

using engine::Analysis;
using engine::Layout;
using engine::SectionTexts;

namespace {

std::map<std::string, std::string SectionTexts::*> fieldKeys() {
    return {
        {"fyk", &SectionTexts::fyk}, {"fyd", &SectionTexts::fyd}, {"Ea", &SectionTexts::Ea},
        {"fmd", &SectionTexts::fmd}, {"Em", &SectionTexts::Em},   {"Nd", &SectionTexts::Nd},
        {"Md", &SectionTexts::Md},   {"b", &SectionTexts::b},     {"h", &SectionTexts::h},
        {"c1", &SectionTexts::c1},   {"c2", &SectionTexts::c2},   {"A1", &SectionTexts::A1},
        {"A2", &SectionTexts::A2},   {"d", &SectionTexts::d},     {"c", &SectionTexts::c},
        {"Aa", &SectionTexts::Aa},
    };
}

std::string curvesJson(const Analysis& analysis) {
    std::string out = "[";
    for (int field = 1; field <= 5; ++field) {
        const engine::FieldCurve& curve = analysis.curve(field);
        out += field > 1 ? ",[" : "[";
        for (int i = 1; i <= curve.size(); ++i) {
            if (i > 1) out += ',';
            out += '[';
            out += jsonNumber(curve[i].n);
            out += ',';
            out += jsonNumber(curve[i].m);
            out += ']';
        }
        out += "]";
    }
    return out + "]";
}

// One row per traced point: the field, the point's number in its field (from 1), n and m.
std::string curvesCsv(const Analysis& analysis) {
    std::string out = "field,point,n,m\n";
    for (int field = 1; field <= 5; ++field) {
        const engine::FieldCurve& curve = analysis.curve(field);
        for (int i = 1; i <= curve.size(); ++i) {
            out += std::to_string(field) + "," + std::to_string(i) + "," + jsonNumber(curve[i].n) + "," +
                   jsonNumber(curve[i].m) + "\n";
        }
    }
    return out;
}

// The design point solved exactly at Nd beside the traced one, and how far the traced Mu lies
// from it in percent of the exact Mu (null where either has no point).
std::string exactJson(const Analysis& analysis) {
    const engine::CurrentSection& s = analysis.section();
    const engine::ExactResult x = engine::solveExact(s, analysis.layout(), s.Nd);
    if (!x.refusal.empty()) return "null";
    const double traced = analysis.result().Mu;
    const bool comparable = x.found && analysis.pointFound() && !analysis.beyondCapacity() && x.Mu != 0;
    JsonObject json;
    json.number("Nu", x.Nu).number("Mu", x.Mu).raw("campo", x.found ? std::to_string(x.campo) : "null");
    if (analysis.layout() == Layout::Rectangular) json.number("yan", x.yan);
    json.number("edge_strain", x.edgeStrain)
        .number("steel_strain", x.steelStrain)
        .boolean("on_bridge", x.onBridge)
        .boolean("beyond_capacity", x.beyondCapacity)
        .raw("Mu_diff_percent", comparable ? jsonNumber((traced - x.Mu) / std::fabs(x.Mu) * 100) : "null");
    return json.text();
}

// The combinations of a CSV file (UTF-8, or Windows-1252 as older spreadsheets write it).
bool readLoads(const std::string& path, engine::LoadTable& loads, std::ostream& err) {
    QFile file(QFile::decodeName(path.c_str()));
    if (!QFileInfo(file).isFile() || !file.open(QIODevice::ReadOnly)) {
        err << "fortema-cli check: impossibile leggere il file di combinazioni " << path << "\n";
        return false;
    }
    const QByteArray bytes = file.read(4 * 1024 * 1024);
    std::string text = bytes.toStdString();
    if (QString::fromUtf8(bytes).toUtf8() != bytes)
        text = QString::fromStdU32String(engine::fromWindows1252(text)).toStdString();
    loads = engine::parseLoadTable(text);
    if (loads.errorLine) {
        err << "fortema-cli check: " << path << ": " << loads.error << "\n";
        return false;
    }
    return true;
}

}  // namespace

bool parseSectionArgs(const std::vector<std::string>& args, const std::string& command, SectionInput& input,
                      std::ostream& err) {
    const auto keys = fieldKeys();
    std::map<std::string, bool> seen;
    for (const std::string& arg : args) {
        const auto eq = arg.find('=');
        if (eq == std::string::npos || eq == 0) {
            err << "fortema-cli " << command << ": argomento non valido \"" << arg
                << "\" (atteso chiave=valore)\n";
            return false;
        }
        const std::string key = arg.substr(0, eq);
        const std::string value = arg.substr(eq + 1);
        if (seen[key]) {
            err << "fortema-cli " << command << ": chiave ripetuta \"" << key << "\"\n";
            return false;
        }
        seen[key] = true;
        if (key == "type") {
            if (value == "R") {
                input.layout = Layout::Rectangular;
            } else if (value == "C") {
                input.layout = Layout::Circular;
            } else {
                err << "fortema-cli " << command
                    << ": type deve essere R (rettangolare) o C (circolare), non \"" << value << "\"\n";
                return false;
            }
            continue;
        }
        if (key == "descrizione" && input.takesDescription) {
            input.description = value;
            continue;
        }
        const auto it = keys.find(key);
        if (it == keys.end()) {
            err << "fortema-cli " << command << ": chiave sconosciuta \"" << key << "\"\n";
            return false;
        }
        input.texts.*(it->second) = value;
    }
    return true;
}

int runCheck(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    bool curves = false;
    bool csv = false;
    std::string loadsFile;
    std::vector<std::string> keyValues;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--loads") {
            if (i + 1 >= args.size() || !loadsFile.empty()) {
                err << "fortema-cli check: --loads vuole un solo file CSV di combinazioni\n";
                return 2;
            }
            loadsFile = args[++i];
        } else if (arg == "--curves" || arg == "--csv") {
            (arg == "--csv" ? csv : curves) = true;
            if (curves && csv) {
                err << "fortema-cli check: --curves e --csv non vanno insieme\n";
                return 2;
            }
        } else {
            keyValues.push_back(arg);
        }
    }
    SectionInput input;
    if (!parseSectionArgs(keyValues, "check", input, err)) return 2;
    engine::LoadTable loads;
    if (!loadsFile.empty() && !readLoads(loadsFile, loads, err)) return 2;
    const SectionTexts& texts = input.texts;
    const Layout layout = input.layout;

    Analysis analysis;
    engine::CalcOutcome outcome;
    // A text the window's box would refuse is refused here too, instead of being read some way.
    outcome.refusal = engine::refusedTextWarning(texts, archive::numberLocale());
    if (outcome.refusal.empty()) outcome = analysis.calcola(texts, layout);
    if (csv) {
        // Without curves there is nothing to plot: the reason goes to stderr.
        if (!outcome.traced) {
            err << "fortema-cli check: " << outcome.refusal << "\n";
            return 1;
        }
        out << curvesCsv(analysis);
        if (!outcome.finalWarning.empty()) err << "fortema-cli check: " << outcome.finalWarning << "\n";
        return 0;
    }
    std::string warnings = "[";
    const std::string& shown = outcome.traced ? outcome.finalWarning : outcome.refusal;
    if (!shown.empty()) warnings += jsonString(shown);
    warnings += "]";

    JsonObject json;
    json.string("status", outcome.traced ? "ok" : "refused").raw("warnings", warnings);
    if (outcome.traced) {
        const engine::SectionResult& r = analysis.result();
        json.number("n_d", analysis.nd()).number("m_d", analysis.md()).number("Nu", r.Nu).number("Mu", r.Mu);
        if (layout == Layout::Rectangular) json.number("yan", r.yan);
        json.raw("campo", std::to_string(r.campo)).boolean("passes", analysis.passes());
        if (curves) json.raw("curves", curvesJson(analysis));
        json.raw("exact", exactJson(analysis));
    } else {
        json.raw("n_d", "null").raw("m_d", "null").raw("Nu", "null").raw("Mu", "null");
        if (layout == Layout::Rectangular) json.raw("yan", "null");
        json.raw("campo", "null").boolean("passes", false);
        if (curves) json.raw("curves", "null");
        json.raw("exact", "null");
    }
    bool allPass = true;
    if (!loadsFile.empty()) {
        const engine::CombinationsResult checked =
            outcome.traced ? engine::checkCombinations(analysis.section(), layout, loads.rows)
                           : engine::CombinationsResult{outcome.refusal, {}, -1, false};
        json.raw("combinations", combinationsJson(loads.rows, checked));
        allPass = checked.allPass;
    }
    out << json.text() << "\n";
    // A refused section is an answer the caller must not take for a result, as with sheet.
    return outcome.traced && allPass ? 0 : 1;
}

}  // namespace fortema::cli
