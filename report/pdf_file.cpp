#include "report/pdf_file.h"

#include <sys/stat.h>
#include <QDir>
#include <QFileInfo>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTemporaryFile>
#include <filesystem>
#include <system_error>

namespace fortema::report {

namespace {

QString notWritten(const QString& target) {
    return QStringLiteral(
               "Impossibile scrivere il file PDF \"%1\": controllare che la cartella sia scrivibile e "
               "che il disco non sia pieno.")
        .arg(QDir::toNativeSeparators(target));
}

}  // namespace

bool printsToPdf(const QPrinter& printer) {
    return printer.outputFormat() == QPrinter::PdfFormat || QPrinterInfo::availablePrinterNames().isEmpty();
}

QString printerProblem(const QPrinter& printer) {
    if (printer.outputFormat() == QPrinter::PdfFormat) {
        return QStringLiteral(
            "Il file PDF non si può scrivere: controllare che la cartella sia scrivibile e che il disco "
            "non sia pieno.");
    }
    if (QPrinterInfo::availablePrinterNames().isEmpty()) {
        return QStringLiteral(
            "Nessuna stampante installata: scegliere la stampa su file PDF in \"Imposta stampante...\" "
            "del menu File.");
    }
    return QStringLiteral(
               "La stampante \"%1\" non è disponibile o non ha accettato la stampa: controllare che sia "
               "accesa e collegata, oppure sceglierne un'altra in \"Imposta stampante...\" del menu File.")
        .arg(printer.printerName());
}

PdfFile writePdfFile(QPrinter& printer, const QString& target, const std::function<bool(QPrinter&)>& paint) {
    const QFileInfo info(target);
    // Beside the target, so that the rename stays on one file system and replaces at once.
    QTemporaryFile temporary(
        info.absoluteDir().filePath(QStringLiteral(".%1.XXXXXX.pdf").arg(info.fileName())));
    if (!temporary.open()) return {false, notWritten(target)};
    temporary.close();
    const QString temporaryPath = temporary.fileName();

    const QPrinter::OutputFormat format = printer.outputFormat();
    const QString fileName = printer.outputFileName();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(temporaryPath);
    const bool painted = paint(printer);
    printer.setOutputFileName(fileName);
    printer.setOutputFormat(format);

    if (!painted) return {};
    if (QFileInfo(temporaryPath).size() <= 0) return {false, notWritten(target)};
    namespace fs = std::filesystem;
    const fs::path from = QFile::encodeName(temporaryPath).toStdString();
    const fs::path to = QFile::encodeName(info.absoluteFilePath()).toStdString();
    std::error_code error;
    // A temporary file is private to its owner; the PDF gets the rights a new file gets here, or
    // keeps those of the file it replaces.
    if (fs::exists(to, error)) {
        fs::permissions(from, fs::status(to, error).permissions(), error);
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        fs::permissions(from, static_cast<fs::perms>(0666 & ~mask), error);
    }
    error.clear();
    fs::rename(from, to, error);
    if (error) return {false, notWritten(target)};
    // Renamed: there is nothing left for the temporary file to remove.
    temporary.setAutoRemove(false);
    return {true, QString()};
}

}  // namespace fortema::report
