// The two printouts on a real printer, one PDF file each, read back with pdftotext; a picture of
// each page is left beside it for a person to look at.

#include <gtest/gtest.h>

#include <QFile>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

#include "drawing/recording_surface.h"
#include "report/full_report.h"
#include "report/section_printout.h"
#include "tests/report/analysis_access.h"

namespace fortema::report {
namespace {

using engine::numtext::NumberLocale;

// What pdftotext gives for these arguments; empty when it is not installed.
QString pdfText(const QStringList& args) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), args);
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

// Pictures of the pages beside the PDF, to be looked at.
void keepPictures(const QString& pdf) {
    QProcess::execute(QStringLiteral("pdftoppm"), {QStringLiteral("-png"), QStringLiteral("-r"),
                                                   QStringLiteral("50"), pdf, pdf.chopped(4)});
}

QString squeezed(QString s) { return s.remove(QRegularExpression(QStringLiteral("\\s+"))); }

TEST(SectionPrintoutPdf, TheReinforcedExampleOnOnePageInsideThePrintableArea) {
    const QString file = QStringLiteral(FORTEMA_TEST_OUTPUT "/sheet.pdf");
    QFile::remove(file);
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setOutputFileName(file);
    const PrintChoice choice{true, false, QStringLiteral("ES.sezione rettangolare muratura armata")};
    engine::Analysis a = engine::calculated(2);
    engine::Analysis copy = a;
    drawing::RecordingSurface page(printer.width(), printer.height(), printer.resolution());
    ASSERT_TRUE(printSection(page, copy, choice, NumberLocale::c()));
    const PrintOutcome out = printSectionOn(printer, a, choice, NumberLocale::c());
    ASSERT_TRUE(out.printed) << out.message.toStdString();

    // One page holding every text of the page.
    const QString text = pdfText({file, QStringLiteral("-")});
    if (text.isEmpty()) GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    EXPECT_EQ(text.count(QLatin1Char('\f')), 1);
    const QString flat = squeezed(text);
    for (const drawing::DrawRecord& t : page.records(drawing::DrawRecord::Kind::Text))
        EXPECT_TRUE(flat.contains(squeezed(t.text))) << t.text.toStdString();

    // Every word lies inside the printable area the printer reports (PDF points).
    const QRectF area = printer.pageLayout().paintRectPoints().toRectF().adjusted(-0.5, -0.5, 0.5, 0.5);
    static const QRegularExpression word(QStringLiteral(
        "<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\">([^<]*)</word>"));
    int words = 0;
    for (auto it = word.globalMatch(pdfText({"-bbox", file, "-"})); it.hasNext(); ++words) {
        const QRegularExpressionMatch m = it.next();
        const QRectF box(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()),
                         QPointF(m.captured(3).toDouble(), m.captured(4).toDouble()));
        EXPECT_TRUE(area.contains(box)) << m.captured(5).toStdString();
    }
    EXPECT_GT(words, 100);
    keepPictures(file);
}

TEST(FullReportPdf, SevenPositionsPrintThreePagesAndNoDataNoPdf) {
    const QString pdf = QStringLiteral(FORTEMA_TEST_OUTPUT "/full_report.pdf");
    QFile::remove(pdf);
    archive::SectionArchive a;
    for (int i = 0; i < 7; ++i) {
        a.at(i).sectionType = QStringLiteral("R");
        a.at(i).fyd = 3913;
        a.at(i).Nd = 1000;
        a.at(i).Md = 10000;
    }
    a.at(6).Mu = 1234567;
    const PdfReport out = fullReportToPdf(a, {"Scuola", "", "", "", "", ""}, NumberLocale::c(), pdf);
    ASSERT_EQ(out.outcome, ReportOutcome::Written) << out.message.toStdString();
    EXPECT_EQ(out.pages, 3);
    const QString text = pdfText({QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    if (text.isEmpty()) GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    const QStringList pages = text.split(QLatin1Char('\f'));
    ASSERT_EQ(pages.size(), 4);  // three pages, each ended by a form feed
    EXPECT_TRUE(pages[0].contains(QStringLiteral("PROGETTO: Scuola")));
    EXPECT_TRUE(pages[2].contains(QStringLiteral("pag. 2")));
    EXPECT_TRUE(pages[2].contains(QRegularExpression(QStringLiteral("Sezione numero: +7"))));
    EXPECT_TRUE(pages[2].contains(QStringLiteral("Mu / Md = 123.4567")));
    keepPictures(pdf);

    const QString none = QStringLiteral(FORTEMA_TEST_OUTPUT "/full_report_empty.pdf");
    QFile::remove(none);
    const PdfReport empty = fullReportToPdf(archive::SectionArchive{}, {}, NumberLocale::c(), none);
    EXPECT_EQ(empty.outcome, ReportOutcome::NoData);
    EXPECT_EQ(empty.message, QStringLiteral("Nessun dato è stato salvato"));
    EXPECT_FALSE(QFile::exists(none));
}

}  // namespace
}  // namespace fortema::report
