#include "app/cli/sheet_command.h"

#include <QFile>
#include <QPageSize>
#include <QPrinter>
#include <ostream>

#include "app/cli/check_command.h"
#include "app/cli/headless.h"
#include "app/cli/usage.h"
#include "archive/number_locale.h"
#include "report/pdf_file.h"
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
    printer.setPageSize(QPageSize(QPageSize::A4));
    report::PrintChoice choice;
    choice.option1 = input.layout == engine::Layout::Rectangular;
    choice.option2 = !choice.option1;
    choice.descrizione = QString::fromStdString(input.description);
    report::PrintOutcome printed;
    const report::PdfFile file =
        report::writePdfFile(printer, QFile::decodeName(output.c_str()), [&](QPrinter& pdf) {
            printed = report::printSectionOn(pdf, analysis, choice, archive::numberLocale());
            return printed.printed;
        });
    if (!file.written) {
        err << "fortema-cli sheet: "
            << (file.message.isEmpty() ? printed.message : file.message).toStdString() << "\n";
        return 1;
    }
    return 0;
}

}  // namespace fortema::cli
