// Writing a PDF never loses a file: a print that succeeds replaces the target whole, one that
// fails leaves an existing file as it was and nothing half written beside it, and the printer
// keeps its own settings either way.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>

#include "report/pdf_file.h"

namespace fortema::report {
namespace {

QByteArray contents(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// One page with a word on it; false, with the document dropped, when `fail` says so.
bool onePage(QPrinter& printer, bool fail) {
    QPainter painter;
    if (!painter.begin(&printer)) return false;
    painter.drawText(100, 100, QStringLiteral("pagina"));
    if (fail) {
        printer.abort();
        return false;
    }
    return painter.end();
}

TEST(PdfFile, ReplacesOnlyOnSuccessAndLeavesNothingBehind) {
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("foglio.pdf"));
    QFile old(target);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("il foglio di ieri");
    old.close();
    const QFileDevice::Permissions rights = old.permissions();

    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath(QStringLiteral("scelto in precedenza.pdf")));
    for (const bool fail : {true, false}) {
        SCOPED_TRACE(fail ? "failed" : "succeeded");
        const PdfFile out = writePdfFile(printer, target, [fail](QPrinter& p) { return onePage(p, fail); });
        EXPECT_EQ(out.written, !fail);
        EXPECT_TRUE(out.message.isEmpty());
        EXPECT_EQ(contents(target).startsWith("%PDF"), !fail);
        if (fail) {
            EXPECT_EQ(contents(target), QByteArray("il foglio di ieri"));
        }
        // Only the target: no temporary file, and the printer's earlier file was not written.
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
                  QStringList{QStringLiteral("foglio.pdf")});
        EXPECT_EQ(printer.outputFileName(), dir.filePath(QStringLiteral("scelto in precedenza.pdf")));
        EXPECT_EQ(printer.outputFormat(), QPrinter::PdfFormat);
    }
    // The rights of the file it replaced, not those of a private temporary file.
    EXPECT_EQ(QFile::permissions(target), rights);
}

TEST(PdfFile, AFolderThatTakesNoFileIsSaid) {
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("manca/foglio.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    bool painted = false;
    const PdfFile out = writePdfFile(printer, target, [&](QPrinter&) { return painted = true; });
    EXPECT_FALSE(out.written);
    EXPECT_FALSE(painted);
    EXPECT_TRUE(out.message.contains(QDir::toNativeSeparators(target))) << out.message.toStdString();
    EXPECT_FALSE(QFile::exists(target));
}

}  // namespace
}  // namespace fortema::report
