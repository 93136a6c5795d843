#pragma once

// The one way the program writes a PDF file: the printer writes a temporary file beside the
// target, which is renamed into place only when the printer reports success. A failed or
// cancelled print leaves no half PDF behind and an existing file of that name untouched.

#include <QString>
#include <functional>

class QPrinter;

namespace fortema::report {

struct PdfFile {
    bool written = false;
    // Italian, what went wrong with the file itself (a folder that takes no file, a disk that is
    // full). Empty when the file was written, and when `paint` failed: its caller knows why.
    QString message;
};

// Whether `printer` puts its pages in a PDF file rather than on paper: it is set to print to a
// file, or no printer is installed at all.
bool printsToPdf(const QPrinter& printer);

// What to tell the user when `printer` would not start or finish a print: that no printer is
// installed, that the PDF file cannot be written, or that the chosen printer failed; each with
// what to do about it.
QString printerProblem(const QPrinter& printer);

// Runs `paint`, which prints through `printer` and returns whether the printer reported success,
// with the printer writing a PDF at a temporary name in the folder of `target`; on success that
// file becomes `target`. The printer's own output format and file name are put back afterwards,
// so no later print reuses `target` unasked.
PdfFile writePdfFile(QPrinter& printer, const QString& target, const std::function<bool(QPrinter&)>& paint);

}  // namespace fortema::report
