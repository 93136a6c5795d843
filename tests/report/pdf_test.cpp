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

// The words of a PDF with their boxes, in points from the top left corner of the sheet.
std::vector<std::pair<QRectF, QString>> wordsOf(const QString& pdf) {
    static const QRegularExpression word(QStringLiteral(
        "<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\">([^<]*)</word>"));
    std::vector<std::pair<QRectF, QString>> words;
    for (auto it = word.globalMatch(pdfText({"-bbox", pdf, "-"})); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        words.push_back({QRectF(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()),
                                QPointF(m.captured(3).toDouble(), m.captured(4).toDouble())),
                         m.captured(5)});
    }
    return words;
}

// 200 characters of words, as a user might describe a section at length.
const QString kLong =
    QStringLiteral("Trave di bordo del solaio di copertura, campata lunga ").repeated(4).left(200);

// A 200-character description is set smaller, then cut, inside the printable area too.
TEST(SectionPrintoutPdf, TheReinforcedExampleOnOnePageInsideThePrintableArea) {
    const QString file = QStringLiteral(FORTEMA_TEST_OUTPUT "/sheet.pdf");
    QFile::remove(file);
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setOutputFileName(file);
    const PrintChoice choice{true, false, kLong};
    engine::Analysis a = engine::calculated(2);
    engine::Analysis copy = a;
    drawing::RecordingSurface page(printer.width(), printer.height(), printer.resolution());
    const SheetPaper paper{printer.width() * 72.0 / printer.resolution(), double(printer.resolution())};
    ASSERT_TRUE(printSection(page, copy, choice, NumberLocale::c(), paper));
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
    const auto words = wordsOf(file);
    for (const auto& [box, word] : words) EXPECT_TRUE(area.contains(box)) << word.toStdString();
    EXPECT_TRUE(flat.contains(QStringLiteral("DESCRIZIONEDELLASEZIONE:Travedibordo")));
    EXPECT_TRUE(flat.contains(QChar(0x2026)));
    EXPECT_GT(words.size(), 100u);
    keepPictures(file);
}

// Long project data and descriptions stay inside the margin; the frames name the project file,
// the program and the time; every block ends with its verdict.
TEST(FullReportPdf, SevenPositionsPrintThreePages) {
    const QString pdf = QStringLiteral(FORTEMA_TEST_OUTPUT "/full_report.pdf");
    QFile::remove(pdf);
    archive::SectionArchive a;
    for (int i = 0; i < 7; ++i) {
        a.at(i).sectionType = QStringLiteral("R");
        a.at(i).fyd = 3913;
        a.at(i).Nd = 1000;
        a.at(i).Md = 10000;
        a.at(i).description = kLong;
    }
    a.at(6).Mu = 1234567;
    a.at(5).Mu = 10000;
    const ReportContext context{QStringLiteral("/progetti/scuola.ftm"),
                                QDateTime(QDate(2026, 3, 5), QTime(14, 32))};
    const PdfReport out = fullReportToPdf(a, {QStringLiteral("Scuola ") + kLong, kLong, "", "", "", kLong},
                                          NumberLocale::c(), pdf, context);
    ASSERT_EQ(out.outcome, ReportOutcome::Written) << out.message.toStdString();
    EXPECT_EQ(out.pages, 3);
    const QString text = pdfText({QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    if (text.isEmpty()) GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    const QStringList pages = text.split(QLatin1Char('\f'));
    ASSERT_EQ(pages.size(), 4);  // three pages, each ended by a form feed
    EXPECT_TRUE(pages[0].contains(QStringLiteral("PROGETTO: Scuola")));
    EXPECT_TRUE(pages[2].contains(QStringLiteral("pag. 2")));
    EXPECT_TRUE(pages[2].contains(QRegularExpression(QStringLiteral("Sezione numero: +7"))));
    EXPECT_TRUE(pages[2].contains(QStringLiteral("Mu / Md = 123.4567 VERIFICATA")));
    EXPECT_TRUE(pages[2].contains(QStringLiteral("Mu / Md = 1 VERIFICATA")));
    EXPECT_TRUE(pages[1].contains(QStringLiteral("Mu / Md = 0 NON VERIFICATA")));
    for (const char* frame :
         {"File: scuola.ftm", "FORTEMA 2.4 per Linux", "Stampato il 05/03/2026 alle 14:32"})
        EXPECT_TRUE(pages[0].contains(QLatin1String(frame))) << frame;
    for (const auto& [box, word] : wordsOf(pdf))
        EXPECT_LE(box.right(), kRightMarginCm * 72 / 2.54 + 0.5) << word.toStdString();
    EXPECT_TRUE(text.contains(QChar(0x2026)));
    keepPictures(pdf);
}

}  // namespace
}  // namespace fortema::report
