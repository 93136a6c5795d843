#include "app/cli/project_command.h"

#include <QFile>
#include <cmath>
#include <limits>
#include <ostream>

#include "app/cli/combinations_output.h"
#include "app/cli/json_writer.h"
#include "app/cli/terminal_text.h"
#include "app/cli/usage.h"
#include "archive/number_locale.h"
#include "archive/project_file.h"

namespace fortema::cli {

using archive::SectionRecord;
using engine::Layout;
using engine::SectionTexts;
namespace numtext = engine::numtext;

bool positionHoldsData(const SectionRecord& r) { return archive::recordHoldsData(r); }

PositionCheck checkPosition(const archive::SectionArchive& archive, int position,
                            const numtext::NumberLocale& loc) {
    PositionCheck check;
    check.position = position + 1;
    check.record = &archive.at(position);
    check.ratio = std::numeric_limits<double>::quiet_NaN();
    check.loads = &archive.combinations(position);
    if (!check.loads->empty())
        check.combinations = archive::checkPositionCombinations(archive, position, loc);
    const SectionRecord& r = *check.record;
    if (r.sectionType != QLatin1String("R") && r.sectionType != QLatin1String("C")) {
        check.status = CheckStatus::UnknownType;
        return check;
    }
    const Layout layout = r.sectionType == QLatin1String("R") ? Layout::Rectangular : Layout::Circular;
    const SectionTexts texts = archive::positionTexts(r, loc);
    if (!engine::calculationEnabled(texts, layout)) {
        check.status = CheckStatus::NotComputable;
        return check;
    }
    engine::Analysis analysis;
    const engine::CalcOutcome outcome = analysis.calcola(texts, layout);
    if (!outcome.traced) {
        check.status = CheckStatus::Refused;
        check.warning = outcome.refusal;
        return check;
    }
    check.result = analysis.result();
    check.warning = outcome.finalWarning;
    const double md = analysis.section().Md;
    if (md != 0) check.ratio = check.result.Mu / md;
    check.status = analysis.passes() ? CheckStatus::Passes : CheckStatus::Fails;
    return check;
}

namespace {

const char* statusKey(CheckStatus s) {
    switch (s) {
        case CheckStatus::Passes:
            return "passes";
        case CheckStatus::Fails:
            return "fails";
        case CheckStatus::Refused:
            return "refused";
        case CheckStatus::NotComputable:
            return "not_computable";
        case CheckStatus::UnknownType:
            return "unknown_type";
    }
    return "";
}

std::string verdictText(const PositionCheck& c) {
    switch (c.status) {
        case CheckStatus::Passes:
            return "VERIFICATA";
        case CheckStatus::Fails:
            return "NON VERIFICATA";
        case CheckStatus::Refused:
            return "RIFIUTATA: " + c.warning;
        case CheckStatus::NotComputable:
            return "NON CALCOLABILE: dati incompleti";
        case CheckStatus::UnknownType:
            return "NON CALCOLABILE: tipo di sezione sconosciuto";
    }
    return "";
}

bool computed(const PositionCheck& c) {
    return c.status == CheckStatus::Passes || c.status == CheckStatus::Fails;
}

std::string jsonOrNull(bool present, double value) { return present ? jsonNumber(value) : "null"; }
std::string jsonOrNull(bool present, float value) { return present ? jsonNumber(value) : "null"; }

std::string positionJson(const PositionCheck& c) {
    const SectionRecord& r = *c.record;
    const bool done = computed(c);
    JsonObject stored;
    stored.number("Nu", r.Nu).number("Mu", r.Mu).number("yan", r.yan).raw("campo", std::to_string(r.campo));
    JsonObject json;
    json.raw("position", std::to_string(c.position))
        .string("type", r.sectionType.toStdString())
        .string("description", r.description.toStdString())
        .number("Nd", r.Nd)
        .number("Md", r.Md)
        .raw("stored", stored.text())
        .raw("Nu", jsonOrNull(done, c.result.Nu))
        .raw("Mu", jsonOrNull(done, c.result.Mu))
        .raw("yan", jsonOrNull(done && r.sectionType == QLatin1String("R"), c.result.yan))
        .raw("campo", done ? std::to_string(c.result.campo) : "null")
        .raw("ratio", jsonOrNull(done, c.ratio))
        .string("status", statusKey(c.status))
        .string("warning", c.warning)
        .boolean("passes", c.status == CheckStatus::Passes);
    if (!c.combinations.refusal.empty() || !c.combinations.checks.empty()) {
        JsonObject combinations;
        combinations.string("refusal", c.combinations.refusal)
            .raw("checks", combinationsJson(*c.loads, c.combinations))
            .boolean("all_pass", c.combinations.allPass && c.combinations.refusal.empty());
        json.raw("combinations", combinations.text());
    }
    return json.text();
}

// A text cell: its control characters shown as escapes, then padded or cut to `width`
// characters.
std::string column(const QString& text, int width, bool right = false) {
    QString shown = QString::fromStdString(escapeControls(text.toStdString(), Escapes::Cell)).left(width);
    shown = right ? shown.rightJustified(width) : shown.leftJustified(width);
    return shown.toStdString();
}
std::string column(const std::string& text, int width, bool right = true) {
    return column(QString::fromStdString(text), width, right);
}

// A number cell: one blank, then the number right-aligned in `width`; never cut, so that even a
// number wider than its column keeps a blank before it. A single's text takes 13 at most
// ("-1.234568E+07").
constexpr int kNumberWidth = 13;
std::string numberColumn(const std::string& text, int width = kNumberWidth) {
    return " " + QString::fromStdString(text).rightJustified(width).toStdString();
}

void writeTable(const std::vector<PositionCheck>& checks, const numtext::NumberLocale& loc,
                std::ostream& out) {
    const auto num = [&](float v) { return numberColumn(numtext::singleText(v, loc)); };
    out << column(std::string("Pos"), 4) << "  " << column(QStringLiteral("Tipo"), 4) << "  "
        << column(QStringLiteral("Descrizione"), 30);
    for (const char* title : {"Nd", "Md", "Nu arch.", "Mu arch.", "Nu", "Mu"}) out << numberColumn(title);
    out << numberColumn("Campo", 6) << numberColumn("Mu/Md") << "  Esito\n";
    for (const PositionCheck& c : checks) {
        const SectionRecord& r = *c.record;
        const bool done = computed(c);
        const std::string ratio = done ? ratioCell(c.ratio, loc) : "-";
        out << column(std::to_string(c.position), 4) << "  " << column(r.sectionType, 4) << "  "
            << column(r.description, 30) << num(r.Nd) << num(r.Md) << num(r.Nu) << num(r.Mu)
            << (done ? num(engine::toSingle(c.result.Nu)) : numberColumn("-"))
            << (done ? num(engine::toSingle(c.result.Mu)) : numberColumn("-"))
            << numberColumn(done ? std::to_string(c.result.campo) : "-", 6) << numberColumn(ratio) << "  "
            << verdictText(c);
        if (c.status != CheckStatus::Refused && !c.warning.empty()) out << " (" << c.warning << ")";
        out << "\n";
        if (c.loads && !c.loads->empty()) writeCombinationRows(*c.loads, c.combinations, loc, out);
    }
}

}  // namespace

int runProject(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    bool json = false;
    std::string file;
    for (const std::string& arg : args) {
        if (arg == "--json") {
            json = true;
        } else if (!arg.empty() && arg[0] == '-') {
            err << "fortema-cli project: opzione sconosciuta \"" << arg << "\"\n";
            return 2;
        } else if (file.empty()) {
            file = arg;
        } else {
            err << "fortema-cli project: un solo file di progetto, non anche \"" << arg << "\"\n";
            return 2;
        }
    }
    if (file.empty()) {
        err << "uso: " << synopsis("project") << "\n";
        return 2;
    }

    archive::SectionArchive archive;
    archive::ProjectData projectData;
    const archive::FileResult read =
        archive::readProjectFile(QFile::decodeName(file.c_str()), archive, projectData);
    if (!read.ok) {
        err << read.message.toStdString() << "\n";
        return 2;
    }

    // The numbers reach the boxes in the text form of the locale the program runs under.
    const numtext::NumberLocale loc = archive::numberLocale();
    std::vector<PositionCheck> checks;
    bool allPass = true;
    for (int p = 0; p < archive::SectionArchive::kPositions; ++p) {
        if (!positionHoldsData(archive.at(p)) && archive.combinations(p).empty()) continue;
        checks.push_back(checkPosition(archive, p, loc));
        const PositionCheck& c = checks.back();
        if (c.status != CheckStatus::Passes) allPass = false;
        if (c.loads && !c.loads->empty() && (!c.combinations.allPass || !c.combinations.refusal.empty()))
            allPass = false;
    }

    if (json) {
        std::string positions = "[";
        for (const PositionCheck& c : checks) {
            if (positions.size() > 1) positions += ",";
            positions += positionJson(c);
        }
        positions += "]";
        std::string data = "[";
        for (const QString& line : projectData) {
            if (data.size() > 1) data += ",";
            data += jsonString(line.toStdString());
        }
        data += "]";
        JsonObject doc;
        doc.string("file", file)
            .raw("project", data)
            .raw("positions", positions)
            .boolean("all_pass", allPass);
        out << doc.text() << "\n";
    } else {
        for (const QString& line : projectData) {
            if (!line.isEmpty()) out << line.toStdString() << "\n";
        }
        if (checks.empty()) {
            out << "Nessuna posizione con dati.\n";
        } else {
            writeTable(checks, loc, out);
        }
    }
    return allPass ? 0 : 1;
}

}  // namespace fortema::cli
