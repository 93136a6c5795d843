#include "app/cli/validate_command.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cmath>
#include <ostream>

#include "app/cli/headless.h"
#include "app/cli/usage.h"
#include "app/cli/validation_dossier.h"
#include "archive/number_locale.h"
#include "archive/project_file.h"
#include "engine/input_fields.h"

namespace fortema::cli {

namespace numtext = engine::numtext;

CaseRun runCase(const ValidationCase& validationCase, const QString& folder,
                const numtext::NumberLocale& loc) {
    CaseRun run;
    run.validationCase = validationCase;
    archive::SectionArchive archive;
    archive::ProjectData projectData;
    const archive::FileResult read = archive::readProjectFile(
        QDir(folder).filePath(QString::fromStdString(validationCase.file)), archive, projectData);
    if (!read.ok) {
        run.fileError = read.message;
        return run;
    }
    run.record = archive.at(0);
    if (run.record.sectionType != QLatin1String("R") && run.record.sectionType != QLatin1String("C")) {
        run.fileError = QStringLiteral("la posizione 1 non contiene una sezione rettangolare o circolare");
        return run;
    }
    run.layout =
        run.record.sectionType == QLatin1String("R") ? engine::Layout::Rectangular : engine::Layout::Circular;
    const engine::SectionTexts texts = archive::positionTexts(run.record, loc);
    if (!engine::calculationEnabled(texts, run.layout)) {
        run.fileError = QStringLiteral("la posizione 1 ha dati incompleti: CALCOLA non sarebbe attivo");
        return run;
    }
    run.outcome = run.analysis.calcola(texts, run.layout);
    CaseMeasure measure;
    measure.computed = run.outcome.traced;
    if (run.outcome.traced) {
        const engine::CurrentSection& s = run.analysis.section();
        run.exact = engine::solveExact(s, run.layout, s.Nd);
        measure.programMu = run.analysis.result().Mu;
        measure.exactFound = run.exact.found;
        measure.exactBeyond = run.exact.beyondCapacity;
        measure.exactMu = run.exact.Mu;
    }
    run.verdict = judgeCase(validationCase, measure);
    return run;
}

CaseSet runCases(const QString& folder, const numtext::NumberLocale& loc) {
    CaseSet set;
    const QString path = QDir(folder).filePath(QLatin1String(kManifestName));
    QFile file(path);
    if (!QFileInfo(folder).isDir()) {
        set.message = QStringLiteral("la cartella %1 non esiste").arg(folder);
        return set;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        set.message = QStringLiteral("impossibile leggere l'elenco dei casi %1").arg(path);
        return set;
    }
    const QByteArray bytes = file.readAll();
    const Manifest manifest = parseManifest(std::string_view(bytes.constData(), std::size_t(bytes.size())));
    if (!manifest.ok) {
        set.message =
            QStringLiteral("elenco dei casi %1, %2").arg(path, QString::fromStdString(manifest.message));
        return set;
    }
    for (const ValidationCase& c : manifest.cases) set.runs.push_back(runCase(c, folder, loc));
    set.ok = true;
    return set;
}

namespace {

std::string pad(const std::string& text, int width, bool right) {
    QString shown = QString::fromStdString(text).left(width);
    shown = right ? shown.rightJustified(width) : shown.leftJustified(width);
    return shown.toStdString();
}

std::string whole(double v, const numtext::NumberLocale& loc) {
    return numtext::generalText(std::round(v), loc);
}

std::string percent(double v, const numtext::NumberLocale& loc) {
    return std::isfinite(v) ? numtext::fixedText(v, 3, loc) : "-";
}

std::string verdictText(const CaseRun& r) {
    if (!r.fileError.isEmpty()) return "NON CALCOLATO: " + r.fileError.toStdString();
    if (!r.outcome.traced) return "NON CALCOLATO: " + r.outcome.refusal;
    return r.verdict.ok() ? "CONFORME" : "NON CONFORME";
}

}  // namespace

void writeCaseTable(const std::vector<CaseRun>& runs, const numtext::NumberLocale& loc, std::ostream& out) {
    const auto tol = [&](double t) { return numtext::generalText(t, loc); };
    out << pad("Caso", 5, false) << " " << pad("Tipo", 30, false) << pad("Riferimento", 12, true)
        << pad("Programma", 12, true) << pad("Diff.%", 9, true) << pad("Toll.%", 8, true)
        << pad("Esatto", 12, true) << pad("Diff.%", 9, true) << pad("Toll.%", 8, true)
        << pad("Mano%", 8, true) << "  Esito\n";
    int passing = 0;
    for (const CaseRun& r : runs) {
        const ValidationCase& c = r.validationCase;
        const bool done = r.computed();
        std::string exact = "-";
        if (done && r.exact.found) exact = whole(r.exact.Mu, loc);
        if (done && r.exact.beyondCapacity) exact = "oltre";
        out << pad(c.id, 5, false) << " " << pad(c.kind, 30, false) << pad(whole(c.reference, loc), 12, true)
            << pad(done ? whole(r.analysis.result().Mu, loc) : "-", 12, true)
            << pad(percent(r.verdict.programDiff, loc), 9, true) << pad(tol(c.programTolerance), 8, true)
            << pad(exact, 12, true) << pad(percent(r.verdict.exactDiff, loc), 9, true)
            << pad(c.exactTolerance ? tol(*c.exactTolerance) : "oltre", 8, true)
            << pad(percent(r.verdict.handDiff, loc), 8, true) << "  " << verdictText(r) << "\n";
        if (done && r.verdict.ok()) ++passing;
    }
    out << "Casi: " << runs.size() << ", conformi: " << passing
        << ", non conformi o non calcolati: " << runs.size() - std::size_t(passing) << "\n";
}

int runValidate(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    std::string dir;
    std::string output;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const bool dirOption = args[i] == "--dir";
        if (dirOption || args[i] == "-o") {
            std::string& value = dirOption ? dir : output;
            if (i + 1 >= args.size() || !value.empty() || args[i + 1].empty()) {
                err << "fortema-cli validate: " << args[i] << " vuole un solo "
                    << (dirOption ? "nome di cartella" : "nome di file PDF") << "\n";
                return 2;
            }
            value = args[++i];
        } else {
            err << "fortema-cli validate: argomento non previsto \"" << args[i] << "\"\n"
                << "uso: " << synopsis("validate") << "\n";
            return 2;
        }
    }
    const numtext::NumberLocale loc = archive::numberLocale();
    const QString folder = dir.empty() ? QLatin1String(kBuiltInCases) : QFile::decodeName(dir.c_str());
    const CaseSet set = runCases(folder, loc);
    if (!set.ok) {
        err << "fortema-cli validate: " << set.message.toStdString() << "\n";
        return 2;
    }
    out << "Casi prova: " << (dir.empty() ? std::string("quelli compresi nel programma") : dir) << "\n";
    writeCaseTable(set.runs, loc, out);
    bool allPass = true;
    for (const CaseRun& r : set.runs) allPass = allPass && r.computed() && r.verdict.ok();

    if (!output.empty()) {
        const HeadlessApplication app;
        const report::PdfReport pdf =
            writeValidationDossier(set.runs, loc, QFile::decodeName(output.c_str()));
        if (pdf.outcome != report::ReportOutcome::Written || pdf.pages < 1) {
            err << "fortema-cli validate: " << pdf.message.toStdString() << "\n";
            return 1;
        }
        out << output << ": " << pdf.pages << (pdf.pages == 1 ? " pagina\n" : " pagine\n");
    }
    return allPass ? 0 : 1;
}

}  // namespace fortema::cli
