#include "app/cli/sheet_command.h"

#include <QFile>
#include <QPageSize>
#include <QPrinter>
#include <ostream>

#include "app/cli/check_command.h"
#include "app/cli/headless.h"
#include "app/cli/usage.h"
#include "archive/number_locale.h"
#include "report/section_printout.h"

namespace fortema::cli {

int runSheet(const std::vector<std::string>& args, std::ostream&, std::ostream& err) {
    std::vector<std::string> keyValues;
    std::string output;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "-o") {
            if (i + 1 >= args.size() || !output.empty()) {
                err << "fortema-cli sheet: -o vuole un solo nome di file PDF\n";
                return 2;
            }
            output = args[++i];
        } else {
            keyValues.push_back(args[i]);
        }
    }
    if (output.empty()) {
        err << "uso: " << synopsis("sheet") << "\n";
        return 2;
    }
    SectionInput input;
    input.takesDescription = true;
    if (!parseSectionArgs(keyValues, "sheet", input, err)) return 2;

    engine::Analysis analysis;
    const engine::CalcOutcome outcome = analysis.calcola(input.texts, input.layout);
    if (!outcome.traced) {
        err << "fortema-cli sheet: " << outcome.refusal << "\n";
        return 1;
    }
    if (!outcome.finalWarning.empty()) err << "fortema-cli sheet: " << outcome.finalWarning << "\n";

    const HeadlessApplication app;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QFile::decodeName(output.c_str()));
    printer.setPageSize(QPageSize(QPageSize::A4));
    report::PrintChoice choice;
    choice.option1 = input.layout == engine::Layout::Rectangular;
    choice.option2 = !choice.option1;
    choice.descrizione = QString::fromStdString(input.description);
    const report::PrintOutcome printed =
        report::printSectionOn(printer, analysis, choice, archive::numberLocale());
    if (!printed.printed) {
        err << "fortema-cli sheet: " << printed.message.toStdString() << "\n";
        return 1;
    }
    if (!QFile::exists(printer.outputFileName())) {
        err << "fortema-cli sheet: impossibile scrivere il file " << output << "\n";
        return 1;
    }
    return 0;
}

}  // namespace fortema::cli
