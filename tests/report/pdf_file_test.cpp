// Writing a PDF from the windows never loses a file: a print that succeeds replaces an earlier
// PDF whole, keeping its rights; a failed one, or a target that is no PDF, leaves everything as
// it was and nothing beside it; and the printer keeps its own file name either way.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>

#include "report/pdf_file.h"

namespace fortema::report {
namespace {

QByteArray bytesOf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

TEST(PdfFile, ReplacesOnlyAPdfAndOnlyOnSuccess) {
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("foglio.pdf"));
    const QString project = dir.filePath(QStringLiteral("scuola.ftm"));
    const QString note = dir.filePath(QStringLiteral("appunti.txt"));
    const QString link = dir.filePath(QStringLiteral("collegamento.pdf"));
    for (const auto& [path, bytes] : {std::pair(pdf, "%PDF-1.4 il foglio di ieri"),
                                      std::pair(note, "appunti"), std::pair(project, "\"Scuola\"")}) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write(bytes) > 0);
    }
    ASSERT_TRUE(QFile::setPermissions(pdf, QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    ASSERT_TRUE(QFile::link(project, link));
    const QStringList files = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System);

    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath(QStringLiteral("scelto prima.pdf")));
    const struct {
        QString target;
        bool printed;
        const char* message;  // empty: none
    } cases[] = {
        {pdf, false, ""},
        {note, true, "non è un file PDF"},
        {link, true, "è il file di progetto"},
        {dir.path(), true, "è una cartella"},
        {dir.filePath(QStringLiteral("manca/foglio.pdf")), true, "non esiste"},
        {pdf, true, ""},
    };
    for (const auto& c : cases) {
        const QByteArray before = bytesOf(c.target);
        const PdfFile out = writePdfFile(
            printer, c.target,
            [&c](QPrinter& p) {
                QPainter painter;
                return painter.begin(&p) && c.printed && painter.end();
            },
            project);
        SCOPED_TRACE(c.target.toStdString() + ": " + out.message.toStdString());
        const bool written = c.printed && !*c.message;
        EXPECT_EQ(out.written, written);
        EXPECT_EQ(out.message.isEmpty(), !*c.message);
        EXPECT_TRUE(out.message.contains(QString::fromUtf8(c.message)));
        if (!written) {
            EXPECT_EQ(bytesOf(c.target), before);
        }
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System), files);
        EXPECT_EQ(printer.outputFileName(), dir.filePath(QStringLiteral("scelto prima.pdf")));
    }
    EXPECT_TRUE(bytesOf(pdf).trimmed().endsWith("%%EOF"));
    EXPECT_EQ(QFile::permissions(pdf), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                           QFileDevice::ReadUser | QFileDevice::WriteUser);
}

}  // namespace
}  // namespace fortema::report
