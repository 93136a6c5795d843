// Values at the edge of the range on paper: the report never prints "Inf", "NaN", or "Md = 0" for a
// moment that is not 0, and a sheet the data cannot make says so instead of blaming the printer.

#include <gtest/gtest.h>

#include <QFile>
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <limits>

#include "engine/code_page.h"
#include "report/full_report.h"
#include "report/section_printout.h"

namespace fortema::report {
namespace {

namespace numtext = engine::numtext;

class Silent : public pagescript::PreviewObserver {
public:
    void ensurePreviewLoaded() override {}
    void closePreview() override {}
    void pageListChanged(const QStringList&) override {}
    void setWaitCursor(bool) override {}
    void showInformation(const QString&, const QString&) override {}
    void showWarning(const QString&, const QString&) override {}
};

archive::SectionRecord stored(float mu, float md, float yan) {
    archive::SectionRecord r;
    r.fmd = 118;
    r.geometry = {300, 500, 25, 25, 600, 600, 0};
    r.Nd = 45000;
    r.Md = md;
    r.Mu = mu;
    r.yan = yan;
    return r;
}

TEST(ReportRanges, HugeOrInfiniteStoredValuesAreShownForWhatTheyAre) {
    const auto c = numtext::NumberLocale::c();
    // A tiny moment: the quotient exists, only single precision cannot hold it.
    EXPECT_EQ(cutRatioText(2e6f, std::numeric_limits<float>::min(), c), QStringLiteral("1.701412E+44"));
    EXPECT_EQ(cutRatioText(std::numeric_limits<float>::infinity(), 5, c), QLatin1String(kValueOutOfRange));

    archive::SectionArchive a;
    // yan × 10 leaves the single range; an infinite Mu could only come from memory, never a file.
    a.at(0) = stored(1895457, std::numeric_limits<float>::min(), 3e38f);
    a.at(1) = stored(std::numeric_limits<float>::infinity(), 1400000, 4.25f);
    QTemporaryDir folder;
    Silent silent;
    pagescript::PageScriptWriter writer(silent, folder.path(), c);
    ASSERT_EQ(FullReport(writer, a, {}, c, {}), ReportOutcome::Written);
    QFile file(writer.pageFile());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString pages = QString::fromStdU32String(engine::fromWindows1252(file.readAll().toStdString()));
    EXPECT_FALSE(pages.contains(QRegularExpression(QStringLiteral("\\b(inf|nan)\\b|Md = 0"),
                                                   QRegularExpression::CaseInsensitiveOption)));
    EXPECT_TRUE(pages.contains(QStringLiteral("\r\n fuori scala\r\n"))) << "the yan column";
    EXPECT_TRUE(pages.contains(QStringLiteral("Mu = fuori scala daNcm")));
    EXPECT_TRUE(pages.contains(QStringLiteral("Mu / Md = 1.612476E+44 ")));
}

TEST(ReportRanges, ASheetWithoutMomentSaysWhyItCannotBePrinted) {
    engine::Analysis a;
    engine::SectionTexts t;
    t.fyk = "4500", t.fyd = "3913", t.Ea = "2100000", t.fmd = "118", t.Em = "299000";
    t.Nd = "45000", t.Md = "0";
    t.b = "300", t.h = "500", t.c1 = "25", t.c2 = "25", t.A1 = "600", t.A2 = "600";
    ASSERT_TRUE(a.calcola(t, engine::Layout::Rectangular).traced);
    for (const bool rectangular : {true, false}) {
        QTemporaryDir folder;
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(folder.filePath(QStringLiteral("sheet.pdf")));
        const PrintOutcome out = printSectionOn(printer, a, PrintChoice{rectangular, !rectangular, {}},
                                                numtext::NumberLocale::c());
        EXPECT_FALSE(out.printed);
        EXPECT_EQ(out.message,
                  QStringLiteral("Stampa non possibile: con Md = 0 il rapporto Mu / Md non è definito."));
        EXPECT_FALSE(QFile::exists(printer.outputFileName()));
    }
}

}  // namespace
}  // namespace fortema::report
