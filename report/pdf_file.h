#pragma once

// The one way the program writes a PDF file, as it writes a project file: the printer fills a
// temporary file of its own, and only when it reports success and the file is a whole PDF are
// its bytes written to the target, through a temporary file beside it renamed into place. A
// failed or cancelled print leaves no half PDF behind and an existing file of that name as it
// was; a target that is not a PDF already (a project file, a note, a device) is never replaced.

#include <QString>
#include <functional>

class QPrinter;

namespace fortema::report {

struct PdfFile {
    bool written = false;
    // Italian, what went wrong with the file itself (a target refused, a full disk). Empty when
    // the file was written, and when `paint` failed: its caller knows why.
    QString message;
};

// Whether `printer` puts its pages in a PDF file rather than on paper: it is set to print to a
// file, or no printer is installed at all.
bool printsToPdf(const QPrinter& printer);

// What to tell the user when `printer` would not start or finish a print: that no printer is
// installed, that the PDF file cannot be written, or that the chosen printer failed; each with
// what to do about it.
QString printerProblem(const QPrinter& printer);

// Why `target` may not receive a PDF, looked at before anything is printed: it is `source` (the
// project file the pages come from) under any name, it is no regular file, or it holds something
// other than a PDF (it does not start with "%PDF-"). Empty when it may.
QString pdfTargetRefusal(const QString& target, const QString& source = {});

// Runs `paint`, which prints through `printer` and returns whether the printer reported success,
// with the printer writing a temporary PDF; then writes that PDF to `target` as above. The
// printer's own output format and file name are put back afterwards, so no later print reuses
// a file unasked.
PdfFile writePdfFile(QPrinter& printer, const QString& target, const std::function<bool(QPrinter&)>& paint,
                     const QString& source = {});

}  // namespace fortema::report
