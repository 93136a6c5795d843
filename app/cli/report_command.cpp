#include "app/cli/report_command.h"

#include <QFile>
#include <ostream>

#include "app/cli/headless.h"
#include "app/cli/usage.h"
#include "archive/number_locale.h"
#include "archive/project_file.h"
#include "report/full_report.h"

namespace fortema::cli {

int runReport(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    std::string file;
    std::string output;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "-o") {
            if (i + 1 >= args.size() || !output.empty()) {
                err << "fortema-cli report: -o vuole un solo nome di file PDF\n";
                return 2;
            }
            output = args[++i];
        } else if (args[i].rfind("-", 0) == 0 || !file.empty()) {
            err << "fortema-cli report: argomento non previsto \"" << args[i] << "\"\n";
            return 2;
        } else {
            file = args[i];
        }
    }
    if (file.empty() || output.empty()) {
        err << "uso: " << synopsis("report") << "\n";
        return 2;
    }

    const HeadlessApplication app;
    archive::SectionArchive archive;
    archive::ProjectData projectData;
    const archive::FileResult read =
        archive::readProjectFile(QFile::decodeName(file.c_str()), archive, projectData);
    if (!read.ok) {
        err << read.message.toStdString() << "\n";
        return 2;
    }
    report::ReportContext context;
    context.projectFile = QFile::decodeName(file.c_str());
    const report::PdfReport pdf = report::fullReportToPdf(archive, projectData, archive::numberLocale(),
                                                          QFile::decodeName(output.c_str()), context);
    if (pdf.outcome != report::ReportOutcome::Written || pdf.pages < 1) {
        err << "fortema-cli report: " << pdf.message.toStdString() << "\n";
        return 1;
    }
    // The report keeps its stop rule; what it left out is said, on one line.
    const QString leftOut = report::leftOutMessage(report::positionsLeftOut(archive));
    if (!leftOut.isEmpty()) {
        err << "fortema-cli report: "
            << QString(leftOut).replace(QLatin1Char('\n'), QLatin1Char(' ')).toStdString() << "\n";
    }
    out << output << ": " << pdf.pages << (pdf.pages == 1 ? " pagina\n" : " pagine\n");
    return 0;
}

}  // namespace fortema::cli
