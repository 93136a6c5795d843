// The section printout on a real printer: each worked example printed to a PDF file, its
// text read back with pdftotext, its words kept inside the printable area, and a picture of
// the page left next to it for a person to look at.

#include <gtest/gtest.h>

#include <QFile>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

#include "drawing/recording_surface.h"
#include "report/section_printout.h"
#include "section_printout_examples.h"

namespace fortema::report {
namespace {

using engine::numtext::NumberLocale;
using test::kExamples;

QString run(const QString& program, const QStringList& args, int* exitCode = nullptr) {
    QProcess p;
    p.start(program, args);
    p.waitForFinished(60000);
    if (exitCode) *exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    return QString::fromUtf8(p.readAllStandardOutput());
}

QString squeezed(QString s) { return s.remove(QRegularExpression(QStringLiteral("\\s+"))); }

// The data sheet texts as the page draws them: from y = 0.75 down, a text that stays on its
// line joined with the next.
QStringList sheetLines(const drawing::RecordingSurface& page) {
    QStringList out;
    bool join = false;
    for (const drawing::DrawRecord& r : page.records(drawing::DrawRecord::Kind::Text)) {
        if (join) {
            out.last() += r.text;
        } else if (r.y1 >= 0.75 - 1e-9) {
            out << r.text;
        }
        join = !r.endLine;
    }
    return out;
}

TEST(SectionPrintoutPdf, EachWorkedExampleOnOnePageInsideThePrintableArea) {
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdftotext.isEmpty()) GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    const QString pdftoppm = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));

    for (const test::Example& e : kExamples) {
        SCOPED_TRACE(e.name);
        const QString base = QStringLiteral(FORTEMA_TEST_OUTPUT "/sheet_") + QString::fromLatin1(e.name);
        const QString file = base + QStringLiteral(".pdf");
        QFile::remove(file);
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setPageSize(QPageSize(QPageSize::A4));
        printer.setOutputFileName(file);

        const bool rect = e.layout == engine::Layout::Rectangular;
        const PrintChoice choice{rect, !rect, QString::fromUtf8(e.description)};
        engine::Analysis a = test::calculated(e);
        engine::Analysis copy = a;
        drawing::RecordingSurface page(printer.width(), printer.height(), printer.resolution());
        ASSERT_TRUE(printSection(page, copy, choice, NumberLocale::c()));

        const PrintOutcome out = printSectionOn(printer, a, choice, NumberLocale::c());
        ASSERT_TRUE(out.printed) << out.message.toStdString();
        ASSERT_GT(QFile(file).size(), 0);

        // One page, holding every data line and the chart's captions.
        const QString text = run(pdftotext, {file, QStringLiteral("-")});
        EXPECT_EQ(text.count(QLatin1Char('\f')), 1);
        const QString flat = squeezed(text);
        const QStringList lines = sheetLines(page);
        EXPECT_EQ(lines.size(), rect ? 23 : 18);
        for (const QString& line : lines) EXPECT_TRUE(flat.contains(squeezed(line))) << line.toStdString();
        for (const char* caption :
             {kSheetHeading, "FORTEMA DI RESISTENZA M / N", "N compressione", "N trazione"}) {
            EXPECT_TRUE(flat.contains(squeezed(QString::fromLatin1(caption)))) << caption;
        }
        EXPECT_EQ(flat.contains(QStringLiteral("___campo1")),
                  e.layout == engine::Layout::Circular || e.texts.A1 != "0" || e.texts.A2 != "0");

        // Every word lies inside the printable area the printer reports (PDF points).
        const QRectF area = printer.pageLayout().paintRectPoints();
        const QString boxes = run(pdftotext, {QStringLiteral("-bbox"), file, QStringLiteral("-")});
        static const QRegularExpression word(
            QStringLiteral("<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" "
                           "yMax=\"([\\d.]+)\">([^<]*)</word>"));
        int words = 0;
        for (auto it = word.globalMatch(boxes); it.hasNext();) {
            const QRegularExpressionMatch m = it.next();
            ++words;
            const QString w = m.captured(5);
            EXPECT_GE(m.captured(1).toDouble(), area.left() - 0.5) << w.toStdString();
            EXPECT_GE(m.captured(2).toDouble(), area.top() - 0.5) << w.toStdString();
            EXPECT_LE(m.captured(3).toDouble(), area.right() + 0.5) << w.toStdString();
            EXPECT_LE(m.captured(4).toDouble(), area.bottom() + 0.5) << w.toStdString();
        }
        EXPECT_GT(words, 100);

        // A picture of the page beside the PDF, to be looked at.
        if (!pdftoppm.isEmpty()) {
            QFile::remove(base + QStringLiteral("-1.png"));
            int code = -1;
            run(pdftoppm, {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("60"), file, base},
                &code);
            EXPECT_EQ(code, 0);
            EXPECT_TRUE(QFile::exists(base + QStringLiteral("-1.png")));
        }
    }
}

}  // namespace
}  // namespace fortema::report
