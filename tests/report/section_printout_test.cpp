// The one-page printout of "&STAMPA", drawn on the recording surface: chart, curves, design
// point, data sheet, the cut of the design point and the failure path; the fitting of long lines
// and the pens that hold on any printer.

#include "report/section_printout.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QPrinter>
#include <cmath>

#include "drawing/recording_surface.h"
#include "engine/section.h"
#include "report/text_fit.h"
#include "tests/report/analysis_access.h"

namespace fortema::report {
namespace {

using drawing::DrawRecord;
using drawing::qbColor;
using engine::Analysis;
using engine::AnalysisAccess;
using engine::calculated;
using engine::numtext::NumberLocale;

constexpr double kEps = 1e-9;

struct Printed {
    bool ok = false;
    QStringList dump;
    QList<DrawRecord> texts, lines;
};

Printed print(Analysis& a, bool rectangular, const NumberLocale& loc = NumberLocale::c()) {
    drawing::RecordingSurface sheet(4800, 6600, 600);
    const bool ok = printSection(sheet, a, {rectangular, !rectangular, QStringLiteral("TRAVE 1")}, loc);
    return {ok, sheet.dumpLines(), sheet.records(DrawRecord::Kind::Text),
            sheet.records(DrawRecord::Kind::Line)};
}

// The sheet line printed at y, joined with the texts that follow it on its line; "<none>".
QString lineAt(const Printed& p, double y) {
    for (qsizetype k = 0; k < p.texts.size(); ++k) {
        if (std::abs(p.texts[k].x1 + 0.38) > kEps || std::abs(p.texts[k].y1 - y) > kEps) continue;
        QString s = p.texts[k].text;
        for (qsizetype j = k; j + 1 < p.texts.size() && !p.texts[j].endLine; ++j) s += p.texts[j + 1].text;
        return s;
    }
    return QStringLiteral("<none>");
}

// Values chosen so that every printed item is known in advance; the curves stay those of `a`.
Analysis contrived(Analysis a) {
    engine::CurrentSection& s = AnalysisAccess::section(a);
    s.fyd = 3913, s.Ea = 2100000, s.fmd = 10, s.Em = 10000;
    s.b = 100, s.h = 40, s.c1 = 3, s.c2 = 2.5, s.A1 = 1.5, s.A2 = 1.25f;
    s.d = 40, s.c = 3.5, s.Aa = 7.25;
    s.Nd = 14000, s.Md = 130000;
    engine::SectionResult& r = AnalysisAccess::result(a);
    r.Nu = 14000.7, r.Mu = 135000.9, r.yan = 12.34f;
    AnalysisAccess::setDesignPoint(a, 0.123456789, 0.56789f);
    AnalysisAccess::setBeyondCapacity(a, false);
    return a;
}

TEST(SectionPrintoutChart, LabelsLegendScaleAndCurvesOfEachLayout) {
    const struct {
        int example;
        bool rectangular;
        const char* mLabels;
        double scale;  // of m; n is always at half size
        int firstPoint;
        QColor firstSegment, cross;
    } cases[] = {
        {1, true, "0.2 0.4 0.6 0.8 1.0 1.2", 0.5, 1, qbColor(0), qbColor(9)},
        {2, true, "0.4 0.8 1.2 1.6 2.0 2.4", 0.25, 2, drawing::fieldColor(1), qbColor(12)},
        // A circle has its own scale and labels, and the legend of its five fields.
        {4, false, "3.3 6.7 10.0 13.3 16.7 20.0", 0.03, 2, drawing::fieldColor(1), qbColor(12)},
        // A rectangle printed as a circle: the last curves at the circle's scale.
        {2, false, "3.3 6.7 10.0 13.3 16.7 20.0", 0.03, 2, drawing::fieldColor(1), qbColor(12)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mLabels);
        Analysis a = calculated(c.example);
        const double nd = a.nd(), md = a.md();  // printing cuts them
        const Printed p = print(a, c.rectangular);
        ASSERT_TRUE(p.ok);
        EXPECT_EQ(p.dump.filter(QStringLiteral("newpage")).size(), 0);
        EXPECT_EQ(p.dump.last(), QStringLiteral("enddoc"));

        QStringList labels;
        QList<QColor> legend;
        for (const DrawRecord& t : p.texts) {
            if (std::abs(t.y1 - 0.63) < kEps && t.text != QStringLiteral("m= 0.0")) labels << t.text;
            if (t.text.startsWith(QStringLiteral("___ campo"))) legend << t.color;
        }
        EXPECT_EQ(labels.join(' '), QString::fromLatin1(c.mLabels));
        const bool reinforced = c.example != 1;
        ASSERT_EQ(legend.size(), reinforced ? 5 : 0);
        // Field 1 is the last legend line, in the colour of its curve.
        if (reinforced) {
            EXPECT_EQ(legend.last(), c.firstSegment);
        }

        // The curves follow the grid, three pixels wide; the last two lines are the cross.
        qsizetype first = 0;
        while (first < p.lines.size() && p.lines[first].lineWidth != 3) ++first;
        ASSERT_LT(first, p.lines.size() - 2);
        const engine::CurvePoint start = a.curve(1)[c.firstPoint];
        EXPECT_NEAR(p.lines[first].x1, c.scale * start.m, kEps);
        EXPECT_NEAR(p.lines[first].y1, 0.3 - 0.5 * start.n, kEps);
        EXPECT_EQ(p.lines[first].color, c.firstSegment);
        EXPECT_EQ(p.lines.size() - first == 100 + 2, !reinforced);
        const DrawRecord& across = p.lines[p.lines.size() - 2];
        EXPECT_NEAR(across.x1, c.scale * md - 0.02, kEps);
        EXPECT_NEAR(across.y1, 0.3 - 0.5 * nd, kEps);
        EXPECT_EQ(across.color, c.cross);
        EXPECT_EQ(p.lines.last().color, c.cross);
    }
}

using Tweak = void (*)(Analysis&);

void setRatio(Analysis& a, double mu, double md) {
    AnalysisAccess::result(a).Mu = mu;
    AnalysisAccess::section(a).Md = md;
}

TEST(SectionPrintoutSheet, LinesThatCarryComputedOrFormattedValues) {
    const Tweak none = [](Analysis&) {};
    const Tweak a2Only = [](Analysis& a) { AnalysisAccess::section(a).A1 = 0; };
    const Tweak unreinforced = [](Analysis& a) {
        AnalysisAccess::section(a).A1 = 0;
        AnalysisAccess::section(a).A2 = 0;
        AnalysisAccess::section(a).Nd = -12500;
        AnalysisAccess::setDesignPoint(a, 0.5, 0.75f);
    };
    const Tweak smallMd = [](Analysis& a) { setRatio(a, 135000.9, 100); };
    const Tweak beyond = [](Analysis& a) { AnalysisAccess::setBeyondCapacity(a, true); };
    const QString beyondText = QStringLiteral(" (Non Verifica: Nd oltre la capacità assiale)");
    const struct {
        bool rectangular;
        Tweak tweak;
        bool italian;
        double y;
        QString line;
    } cases[] = {
        {true, none, false, 0.75, "DESCRIZIONE DELLA SEZIONE: TRAVE 1"},
        {true, none, false, 1.35, "Area armatura compressa, A2 =  1.25 cm^2"},
        // m_d = 6 Md / (b fmd h²) = 6 · 130000 / (100 · 10 · 1600)
        {true, none, false, 1.55, "n = Nd/(fmd*b*h) =  0.123456789  -  m = Md/(fmd*b*h^2/6) = 0.4875"},
        {true, none, false, 1.65, "n = 0.1234  -  m = 0.5678 "},
        {true, a2Only, false, 1.65, "n = 0.1234  -  m = 0.5678 "},
        {true, unreinforced, false, 1.65, "n = 0.5  -  m = 3n(1-n) = 0.75 "},
        {true, unreinforced, false, 1.45, "Sforzo normale di progetto, Nd = -12500 daN"},
        {true, none, false, 1.70, "Sforzo normale ultimo resistente, Nu =  14000 daN"},
        {true, none, false, 1.80, "Posizione asse neutro/zona compressa,yan = 12.34 cm"},
        {true, none, false, 1.85, "Rapporto Mu / Md = 1.0385 (>=1 Verifica)"},
        {true, beyond, false, 1.85, "Rapporto Mu / Md = 1.0385" + beyondText},
        // Numbers are never grouped, formatted values are.
        {true, none, true, 1.25, "Copriferro in zona compressa, c2 =  2,5 cm"},
        {true, none, true, 0.90, "Modulo elastico dell'armatura, Ea =  2100000 daN/cm^2"},
        {true, smallMd, true, 1.55, "n = Nd/(fmd*b*h) =  0,123456789  -  m = Md/(fmd*b*h^2/6) = 0,0004"},
        {true, smallMd, true, 1.85, "Rapporto Mu / Md = 1.350,0090 (>=1 Verifica)"},
        {true, smallMd, false, 1.85, "Rapporto Mu / Md = 1,350.0090 (>=1 Verifica)"},
        {false, none, false, 1.10, "Diametro della sezione circolare, d =  40 cm"},
        {false, none, false, 1.45, "n = 0.1234   - m = 0.5678 "},
        {false, none, false, 1.60, "Rapporto Mu / Md = 1.0385"},
        {false, beyond, false, 1.60, "Rapporto Mu / Md = 1.0385" + beyondText},
    };
    for (const auto& c : cases) {
        Analysis a = contrived(calculated(c.rectangular ? 2 : 4));
        c.tweak(a);
        const Printed p = print(a, c.rectangular, c.italian ? NumberLocale::italian() : NumberLocale::c());
        EXPECT_EQ(lineAt(p, c.y), c.line);
    }
}

TEST(SectionPrintoutVerdict, TheUnroundedRatioDecidesAndNdBeyondTheCapacityNeverPasses) {
    Analysis a = contrived(calculated(2));
    setRatio(a, 130000, 130000);
    EXPECT_EQ(lineAt(print(a, true), 1.85), QStringLiteral("Rapporto Mu / Md = 1.0000 (>=1 Verifica)"));
    setRatio(a, 99996, 100000);
    EXPECT_EQ(lineAt(print(a, true), 1.85), QStringLiteral("Rapporto Mu / Md = 1.0000 (<1 Non Verifica)"));

    // A real calculation: far more compression than the reinforced masonry can take.
    Analysis beyond = calculated(2, "52000");
    ASSERT_TRUE(beyond.beyondCapacity());
    EXPECT_TRUE(lineAt(print(beyond, true), 1.85).endsWith(QStringLiteral("capacità assiale)")));
}

TEST(SectionPrintoutCut, FourDecimalsTowardsMinusInfinityKeptForTheNextPrintout) {
    Analysis a = contrived(calculated(2));
    const Printed first = print(a, true);
    // The chart and the design line come before the cut, the results line after it.
    EXPECT_NEAR(first.lines.last().x1, 0.25 * 0.56789f, kEps);
    EXPECT_TRUE(lineAt(first, 1.55).startsWith(QStringLiteral("n = Nd/(fmd*b*h) =  0.123456789  -")));
    EXPECT_EQ(a.nd(), 0.1234);
    EXPECT_EQ(a.md(), 0.5678f);
    const Printed second = print(a, true);
    EXPECT_TRUE(lineAt(second, 1.55).startsWith(QStringLiteral("n = Nd/(fmd*b*h) =  0.1234  -")));
    EXPECT_NEAR(second.lines.last().x1, 0.25 * 0.5678f, kEps);
    EXPECT_EQ(print(a, true).dump, second.dump);

    Analysis negative = contrived(calculated(4));
    AnalysisAccess::setDesignPoint(negative, -0.123456789, -0.56789f);
    EXPECT_EQ(lineAt(print(negative, false), 1.45), QStringLiteral("n =-0.1235   - m =-0.5679 "));
}

// A value that cannot be computed ends the page unfinished: nothing prints "inf" or "nan".
TEST(SectionPrintoutFailure, ZeroMdOrWidthStopsThePageWhereTheValueIsNeeded) {
    const struct {
        bool rectangular;
        Tweak tweak;
        double lastY;
        double nd;  // the point is cut only after the design line
    } cases[] = {
        {true, [](Analysis& a) { AnalysisAccess::section(a).Md = 0; }, 1.80, 0.1234},
        {false, [](Analysis& a) { AnalysisAccess::section(a).Md = 0; }, 1.55, 0.1234},
        {true, [](Analysis& a) { AnalysisAccess::section(a).b = 0; }, 1.50, 0.123456789},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.lastY);
        Analysis a = contrived(calculated(c.rectangular ? 2 : 4));
        c.tweak(a);
        const Printed p = print(a, c.rectangular);
        EXPECT_FALSE(p.ok);
        EXPECT_FALSE(p.dump.contains(QStringLiteral("enddoc")));
        EXPECT_NE(lineAt(p, c.lastY), QStringLiteral("<none>"));
        EXPECT_EQ(lineAt(p, c.lastY + 0.05), QStringLiteral("<none>"));
        EXPECT_EQ(a.nd(), c.nd);
    }
}

TEST(SectionPrintoutFailure, APrinterGetsNothingFromAFailedPageAndAPrinterThatCannotStartCutsNothing) {
    const QString file = QStringLiteral(FORTEMA_TEST_OUTPUT "/sheet_failed.pdf");
    QFile::remove(file);
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file);
    Analysis a = contrived(calculated(2));
    AnalysisAccess::section(a).Md = 0;
    const PrintOutcome out = printSectionOn(printer, a, {true, false, {}}, NumberLocale::c());
    EXPECT_FALSE(out.printed);
    EXPECT_EQ(out.message, QString::fromUtf8(kPrintNoRatio));
    EXPECT_FALSE(QFile::exists(file));
    // The same printer prints the page once the section can be printed.
    AnalysisAccess::section(a).Md = 130000;
    EXPECT_TRUE(printSectionOn(printer, a, {true, false, {}}, NumberLocale::c()).printed);
    EXPECT_GT(QFile(file).size(), 0);

    printer.setOutputFileName(QStringLiteral(FORTEMA_TEST_OUTPUT "/no such folder/sheet.pdf"));
    Analysis uncut = contrived(calculated(2));
    EXPECT_EQ(printSectionOn(printer, uncut, {true, false, {}}, NumberLocale::c()).message,
              QString::fromUtf8(kPrintProblem));
    EXPECT_EQ(uncut.nd(), 0.123456789);
}

// A long line is set smaller, down to six points, and only then cut.
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

}  // namespace
}  // namespace fortema::report
