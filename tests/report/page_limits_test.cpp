// What keeps the pages readable: long lines set smaller and then cut so that no word crosses the
// margin (read back from real PDFs with pdftotext -bbox), line widths that hold on any printer,
// the texts of the header and footer frames, the verdict of each block and the note on the
// positions the report leaves out.

#include <gtest/gtest.h>

#include <QFile>
#include <QPageSize>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

#include "drawing/recording_surface.h"
#include "report/full_report.h"
#include "report/section_printout.h"
#include "report/text_fit.h"
#include "tests/engine/examples.h"

namespace fortema::report {
namespace {

using engine::numtext::NumberLocale;

// 200 characters of words, as a user might describe a section at length.
const QString kLong =
    QStringLiteral("Trave di bordo del solaio di copertura, campata lunga ").repeated(4).left(200);

struct Word {
    double xMax;
    QString text;
};

// The words of a PDF with their right ends, in points; empty when pdftotext is missing.
std::vector<Word> words(const QString& pdf) {
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdftotext.isEmpty()) return {};
    QProcess p;
    p.start(pdftotext, {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    p.waitForFinished(60000);
    static const QRegularExpression word(
        QStringLiteral("<word xMin=\"[\\d.]+\" yMin=\"[\\d.]+\" xMax=\"([\\d.]+)\" "
                       "yMax=\"[\\d.]+\">([^<]*)</word>"));
    std::vector<Word> out;
    const QString html = QString::fromUtf8(p.readAllStandardOutput());
    for (auto it = word.globalMatch(html); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        out.push_back({m.captured(1).toDouble(), m.captured(2)});
    }
    return out;
}

QString joined(const std::vector<Word>& ws) {
    QStringList t;
    for (const Word& w : ws) t << w.text;
    return t.join(QLatin1Char(' '));
}

TEST(TextFit, ShrinksThenCuts) {
    const QString face = QStringLiteral("MS Sans Serif");
    const FittedText same = fitText(QStringLiteral("MATERIALI:"), face, 8, false, 300);
    EXPECT_EQ(same.text, QStringLiteral("MATERIALI:"));
    EXPECT_EQ(same.points, 8);

    // A line a little too long at 8 points fits whole at a smaller whole size.
    const QString line = QStringLiteral("x").repeated(60);
    const double room = textWidthPoints(line, face, 8, false) * 0.9;
    const FittedText smaller = fitText(line, face, 8, false, room);
    EXPECT_EQ(smaller.text, line);
    EXPECT_EQ(smaller.points, 7);

    for (const bool bold : {false, true}) {
        const FittedText cut = fitText(kLong, face, 10, bold, 200);
        EXPECT_EQ(cut.points, kSmallestPoints);
        EXPECT_TRUE(cut.text.endsWith(QChar(0x2026)));
        EXPECT_TRUE(kLong.startsWith(cut.text.chopped(1)));
        EXPECT_LE(textWidthPoints(cut.text, face, cut.points, bold), 200);
    }
}

TEST(ChartPens, CurvesHalfAPointAtLeastAndTheGridThinner) {
    for (const double dpi : {0.0, 72.0, 96.0, 300.0, 600.0, 1200.0, 2400.0}) {
        const ChartPens pens = chartPens(dpi);
        if (dpi > 0) {
            EXPECT_GE(pens.curve * 72.0 / dpi, 0.5) << dpi;
        }
        EXPECT_GE(pens.curve, 3) << dpi;
        EXPECT_GE(pens.grid, 1) << dpi;
        EXPECT_LT(pens.grid, pens.curve) << dpi;
    }
}

TEST(PageLimits, ALongDescriptionStaysInsideTheSheet) {
    const QString file = QStringLiteral(FORTEMA_TEST_OUTPUT "/sheet_long_description.pdf");
    QFile::remove(file);
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setOutputFileName(file);
    engine::Analysis a;
    a.calcola(engine::testing::example2(), engine::Layout::Rectangular);
    const PrintChoice choice{true, false, kLong};
    ASSERT_TRUE(printSectionOn(printer, a, choice, NumberLocale::c()).printed);

    const std::vector<Word> ws = words(file);
    if (ws.empty()) GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    const double right = printer.pageLayout().paintRectPoints().right();
    for (const Word& w : ws) EXPECT_LE(w.xMax, right + 0.5) << w.text.toStdString();
    const QString text = joined(ws);
    EXPECT_TRUE(text.contains(QStringLiteral("DESCRIZIONE DELLA SEZIONE: Trave di bordo")));
    EXPECT_TRUE(text.contains(QChar(0x2026)));
}

TEST(PageLimits, LongProjectDataAndDescriptionsStayInsideTheReport) {
    archive::SectionArchive a;
    for (int i = 0; i < 3; ++i) {
        archive::SectionRecord& r = a.at(i);
        r.description = kLong;
        r.fyd = 3913;
        r.fmd = 118;
        r.geometry = {300, 500, 25, 25, 600, 600, 0};
        r.Nd = 45000;
        r.Md = i == 1 ? 2500000.0f : 1400000.0f;
        r.Mu = 1895457;
    }
    const archive::ProjectData data = {kLong, kLong, QStringLiteral("Ing. Rossi"), kLong, kLong, kLong};
    const QString file = QStringLiteral(FORTEMA_TEST_OUTPUT "/report_long_texts.pdf");
    QFile::remove(file);
    ReportContext context;
    context.projectFile = QStringLiteral("/progetti/scuola.ftm");
    context.printedAt = QDateTime(QDate(2026, 3, 5), QTime(14, 32));
    const PdfReport out = fullReportToPdf(a, data, NumberLocale::c(), file, context);
    ASSERT_EQ(out.pages, 2) << out.message.toStdString();

    const std::vector<Word> ws = words(file);
    if (ws.empty()) GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    for (const Word& w : ws) EXPECT_LE(w.xMax, kRightMarginCm * kPointsPerCm + 0.5) << w.text.toStdString();
    const QString text = joined(ws);
    for (const char* expected :
         {"File: scuola.ftm", "FORTEMA 2.4 per Linux", "Stampato il 05/03/2026 alle 14:32",
          "PROGETTO: Trave di bordo", "Descrizione: Trave di bordo", "Mu / Md = 0.7581 NON VERIFICATA",
          "Mu / Md = 1.3538 VERIFICATA"}) {
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected;
    }
    EXPECT_GE(text.count(QChar(0x2026)), 8);
}

TEST(ReportFrames, TheProjectFileOrItsAbsence) {
    EXPECT_EQ(projectFileHeader(QString()), QStringLiteral("Progetto non salvato"));
    EXPECT_EQ(projectFileHeader(QStringLiteral("/casa/anna/scuola.ftm")), QStringLiteral("File: scuola.ftm"));
    EXPECT_EQ(verdictText(100, 100), QStringLiteral("VERIFICATA"));
    EXPECT_EQ(verdictText(99.99f, 100), QStringLiteral("NON VERIFICATA"));
}

TEST(LeftOutPositions, NamedAfterTheStop) {
    const auto stored = [](std::initializer_list<int> positions, int descriptionOnly = -1) {
        archive::SectionArchive a;
        for (int p : positions) {
            a.at(p).description = QStringLiteral("sezione");
            a.at(p).Nd = 1000;
        }
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
        // A description alone at the stop is left out with it.
        {stored({0}, 1), {1}, "La posizione 2 contiene"},
        {stored({}, 5), {5}, "La posizione 6"},
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
