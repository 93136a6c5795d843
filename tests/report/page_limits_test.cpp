// What keeps the pages readable: long lines set smaller, then cut, so that no word crosses the
// margin (read back from real PDFs with pdftotext -bbox), line widths that hold on any printer,
// the texts of the frames, the verdict of each block and the positions the report leaves out.

#include <gtest/gtest.h>

#include <QFile>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>

#include "report/full_report.h"
#include "report/section_printout.h"
#include "report/text_fit.h"
#include "tests/report/analysis_access.h"

namespace fortema::report {
namespace {

using engine::numtext::NumberLocale;

// 200 characters of words, as a user might describe a section at length.
const QString kLong =
    QStringLiteral("Trave di bordo del solaio di copertura, campata lunga ").repeated(4).left(200);

// The words of a PDF and the right end of the rightmost, in points; empty without pdftotext.
std::pair<QString, double> wordsOf(const QString& pdf) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    p.waitForFinished(60000);
    static const QRegularExpression word(
        QStringLiteral("xMax=\"([\\d.]+)\" yMax=\"[\\d.]+\">([^<]*)</word>"));
    QStringList words;
    double right = 0;
    for (auto it = word.globalMatch(QString::fromUtf8(p.readAllStandardOutput())); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        right = std::max(right, m.captured(1).toDouble());
        words << m.captured(2);
    }
    return {words.join(QLatin1Char(' ')), right};
}

TEST(TextFit, SmallerDownToSixPointsThenCut) {
    const QString face = QStringLiteral("MS Sans Serif");
    const QString line = QStringLiteral("x").repeated(60);
    const double width = textWidthPoints(line, face, 8, false);
    const struct {
        double room;
        double points;
        bool cut;
    } cases[] = {{width, 8, false}, {width * 0.9, 7, false}, {width * 0.5, kSmallestPoints, true}};
    for (const auto& c : cases) {
        const FittedText fit = fitText(line, face, 8, false, c.room);
        EXPECT_EQ(fit.points, c.points) << c.room;
        EXPECT_EQ(fit.text.endsWith(QChar(0x2026)), c.cut) << c.room;
        EXPECT_LE(textWidthPoints(fit.text, face, fit.points, false), c.room) << c.room;
    }
}

TEST(ChartPens, CurvesHalfAPointAtLeastAndTheGridThinner) {
    for (const double dpi : {72.0, 96.0, 300.0, 600.0, 1200.0, 2400.0}) {
        const ChartPens pens = chartPens(dpi);
        EXPECT_GE(pens.curve * 72.0 / dpi, 0.5) << dpi;
        EXPECT_GE(pens.grid, 1) << dpi;
        EXPECT_LT(pens.grid, pens.curve) << dpi;
    }
}

// A 200-character description on the sheet, and on the report with long project data; the
// frames name the file, the program and the time, and every block its verdict.
TEST(PageLimits, LongTextsStayInsideTheMarginsOfTheSheetAndTheReport) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageSize(QPageSize(QPageSize::A4));
    const QString sheet = QStringLiteral(FORTEMA_TEST_OUTPUT "/sheet_long_description.pdf");
    printer.setOutputFileName(sheet);
    engine::Analysis analysis = engine::calculated(2);
    ASSERT_TRUE(printSectionOn(printer, analysis, {true, false, kLong}, NumberLocale::c()).printed);

    archive::SectionArchive a;
    const float moments[] = {1400000, 2500000, 1895457};  // Mu 1895457: above, below, equal
    for (int i = 0; i < 3; ++i) {
        archive::SectionRecord& r = a.at(i);
        r.description = kLong;
        r.fmd = 118;
        r.geometry = {300, 500, 25, 25, 600, 600, 0};
        r.Nd = 45000;
        r.Md = moments[i];
        r.Mu = 1895457;
    }
    const QString report = QStringLiteral(FORTEMA_TEST_OUTPUT "/report_long_texts.pdf");
    const ReportContext context{QStringLiteral("/progetti/scuola.ftm"),
                                QDateTime(QDate(2026, 3, 5), QTime(14, 32))};
    ASSERT_EQ(fullReportToPdf(a, {kLong, kLong, "Ing. Rossi", kLong, kLong, kLong}, NumberLocale::c(), report,
                              context)
                  .pages,
              2);

    const struct {
        QString pdf;
        double right;  // points from the left edge of the sheet
        std::vector<const char*> texts;
    } pdfs[] = {
        {sheet,
         printer.pageLayout().paintRect(QPageLayout::Point).right(),
         {"DESCRIZIONE DELLA SEZIONE: Trave di bordo"}},
        {report,
         kRightMarginCm * kPointsPerCm,
         {"File: scuola.ftm", "FORTEMA 2.4 per Linux", "Stampato il 05/03/2026 alle 14:32",
          "PROGETTO: Trave di bordo", "Descrizione: Trave di bordo", "Mu / Md = 1.3538 VERIFICATA",
          "Mu / Md = 0.7581 NON VERIFICATA", "Mu / Md = 1 VERIFICATA"}},
    };
    for (const auto& p : pdfs) {
        const auto [text, right] = wordsOf(p.pdf);
        if (text.isEmpty()) GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
        EXPECT_LE(right, p.right + 0.5) << p.pdf.toStdString();
        EXPECT_TRUE(text.contains(QChar(0x2026))) << p.pdf.toStdString();
        for (const char* expected : p.texts)
            EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected;
    }
}

TEST(LeftOutPositions, NamedAfterTheStop) {
    const auto stored = [](std::initializer_list<int> positions, int descriptionOnly = -1) {
        archive::SectionArchive a;
        for (int p : positions) a.at(p).Nd = 1000;
        a.at(0).description = QStringLiteral("sezione");
        if (descriptionOnly >= 0) a.at(descriptionOnly).description = QStringLiteral("solo descrizione");
        return a;
    };
    const struct {
        archive::SectionArchive archive;
        std::vector<int> left;
        const char* named;
    } cases[] = {
        {stored({0, 1, 2}), {}, ""},
        {stored({0, 1, 3}), {3}, "La posizione 4 contiene dati"},
        {stored({0, 2, 3, 4, 7}), {2, 3, 4, 7}, "Le posizioni 3-5, 8 contengono dati"},
        // A description alone stops the report at its place and is left out with it.
        {stored({0}, 1), {1}, "La posizione 2 contiene"},
        {stored({}, 5), {0, 5}, "Le posizioni 1, 6"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(positionsLeftOut(c.archive), c.left) << c.named;
        const QString message = leftOutMessage(c.left);
        EXPECT_EQ(message.isEmpty(), c.left.empty());
        EXPECT_TRUE(message.contains(QString::fromUtf8(c.named))) << message.toStdString();
    }
}

}  // namespace
}  // namespace fortema::report
