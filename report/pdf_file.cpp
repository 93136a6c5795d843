#include "report/pdf_file.h"

#include <sys/stat.h>
#include <QDir>
#include <QFile>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTemporaryFile>

#include "archive/file_causes.h"
#include "archive/project_file.h"

namespace fortema::report {

namespace {

QString shown(const QString& path) { return QDir::toNativeSeparators(path); }

bool sameFile(const QString& a, const QString& b) {
    struct stat x {};
    struct stat y {};
    return !a.isEmpty() && !b.isEmpty() && ::stat(QFile::encodeName(a).constData(), &x) == 0 &&
           ::stat(QFile::encodeName(b).constData(), &y) == 0 && x.st_dev == y.st_dev && x.st_ino == y.st_ino;
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

QString pdfTargetRefusal(const QString& target, const QString& source) {
    const auto refused = [&target](const QString& reason) {
        return QStringLiteral("Il file %1 non viene sostituito dal PDF: %2.").arg(shown(target), reason);
    };
    if (target.isEmpty()) return QStringLiteral("Manca il nome del file PDF.");
    if (sameFile(target, source)) return refused(QStringLiteral("è il file di progetto da stampare"));
    const archive::PathCheck check = archive::checkPath(target);
    if (!check.refusal.isEmpty()) return refused(check.refusal);
    if (!check.exists) return {};
    // Only a regular file is opened here: a pipe would keep the program waiting.
    QFile existing(target);
    if (existing.open(QIODevice::ReadOnly) && existing.read(5) == "%PDF-") return {};
    return refused(QStringLiteral("non è un file PDF"));
}

PdfFile writePdfFile(QPrinter& printer, const QString& target, const std::function<bool(QPrinter&)>& paint,
                     const QString& source) {
    const QString refusal = pdfTargetRefusal(target, source);
    if (!refusal.isEmpty()) return {false, refusal};
    QTemporaryFile temporary(QDir::temp().filePath(QStringLiteral("fortema-XXXXXX.pdf")));
    if (!temporary.open()) {
        return {false, QStringLiteral("Impossibile creare il PDF temporaneo in %1: %2.")
                           .arg(shown(QDir::tempPath()), temporary.errorString())};
    }
    temporary.close();

    const QPrinter::OutputFormat format = printer.outputFormat();
    const QString fileName = printer.outputFileName();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(temporary.fileName());
    const bool painted = paint(printer);
    printer.setOutputFileName(fileName);
    printer.setOutputFormat(format);
    if (!painted) return {};

    // The printer does not report a write that failed half way: a whole PDF ends with its mark.
    QByteArray bytes;
    if (temporary.open()) bytes = temporary.readAll();
    if (!bytes.startsWith("%PDF-") || !bytes.trimmed().endsWith("%%EOF")) {
        return {false, QStringLiteral("Impossibile scrivere il file PDF %1: il PDF temporaneo %2 è rimasto "
                                      "incompleto; controllare lo spazio libero sul disco.")
                           .arg(shown(target), shown(temporary.fileName()))};
    }
    const archive::FileResult written = archive::writeWholeFile(target, bytes);
    return {written.ok, written.message};
}

}  // namespace fortema::report
