// The section printout on a real printer: the reinforced worked example printed to a PDF file,
// its text read back with pdftotext, its words kept inside the printable area, and a picture of
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

QString run(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    p.waitForFinished(60000);
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

TEST(SectionPrintoutPdf, OnePageInsideThePrintableArea) {
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdftotext.isEmpty()) GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    const test::Example& e = test::kExamples[1];
    const QString base = QStringLiteral(FORTEMA_TEST_OUTPUT "/sheet_reinforced");
    const QString file = base + QStringLiteral(".pdf");
    QFile::remove(file);
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setOutputFileName(file);

    const PrintChoice choice{true, false, QString::fromUtf8(e.description)};
    engine::Analysis a = test::calculated(e);
    engine::Analysis copy = a;
    drawing::RecordingSurface page(printer.width(), printer.height(), printer.resolution());
    ASSERT_TRUE(printSection(page, copy, choice, NumberLocale::c()));
    const PrintOutcome out = printSectionOn(printer, a, choice, NumberLocale::c());
    ASSERT_TRUE(out.printed) << out.message.toStdString();

    // One page, holding every data line and the chart's captions.
    const QString text = run(pdftotext, {file, QStringLiteral("-")});
    EXPECT_EQ(text.count(QLatin1Char('\f')), 1);
    const QString flat = squeezed(text);
    const QStringList lines = sheetLines(page);
    EXPECT_EQ(lines.size(), 23);
    for (const QString& line : lines) EXPECT_TRUE(flat.contains(squeezed(line))) << line.toStdString();
    for (const char* caption : {kSheetHeading, "FORTEMA DI RESISTENZA M / N", "N compressione", "___campo1"})
        EXPECT_TRUE(flat.contains(squeezed(QString::fromLatin1(caption)))) << caption;

    // Every word lies inside the printable area the printer reports (PDF points).
    const QRectF area = printer.pageLayout().paintRectPoints().toRectF().adjusted(-0.5, -0.5, 0.5, 0.5);
    const QString boxes = run(pdftotext, {QStringLiteral("-bbox"), file, QStringLiteral("-")});
    static const QRegularExpression word(QStringLiteral(
        "<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\">([^<]*)</word>"));
    int words = 0;
    for (auto it = word.globalMatch(boxes); it.hasNext(); ++words) {
        const QRegularExpressionMatch m = it.next();
        const QRectF box(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()),
                         QPointF(m.captured(3).toDouble(), m.captured(4).toDouble()));
        EXPECT_TRUE(area.contains(box)) << m.captured(5).toStdString();
    }
    EXPECT_GT(words, 100);

    // A picture of the page beside the PDF, to be looked at.
    QProcess::execute(QStringLiteral("pdftoppm"),
                      {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("60"),
                       QStringLiteral("-singlefile"), file, base});
}

}  // namespace
}  // namespace fortema::report
