// The one-page printout of "&STAMPA", drawn on the recording surface: chart, curves, design
// point, data sheet, the cut of the design point and the failure path.

#include "report/section_printout.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QPrinter>
#include <array>
#include <cmath>
#include <vector>

#include "drawing/recording_surface.h"
#include "engine/numtext.h"
#include "engine/section.h"
#include "section_printout_examples.h"
#include "tests/report/analysis_access.h"

namespace fortema::report {
namespace {

using drawing::DrawRecord;
using drawing::qbColor;
using drawing::RecordingSurface;
using engine::Analysis;
using engine::AnalysisAccess;
using engine::numtext::NumberLocale;
using test::calculated;
using test::kExamples;

constexpr double kEps = 1e-9;

struct Printed {
    bool ok = false;
    QList<DrawRecord> all;
    std::vector<DrawRecord> texts, lines, circles;
    QStringList dump;
};

Printed print(Analysis& a, const PrintChoice& choice, const NumberLocale& loc = NumberLocale::c()) {
    RecordingSurface sheet(4800, 6600, 600);
    Printed p;
    p.ok = printSection(sheet, a, choice, loc);
    p.all = sheet.records();
    p.dump = sheet.dumpLines();
    for (const DrawRecord& r : p.all) {
        if (r.kind == DrawRecord::Kind::Text) p.texts.push_back(r);
        if (r.kind == DrawRecord::Kind::Line) p.lines.push_back(r);
        if (r.kind == DrawRecord::Kind::Circle) p.circles.push_back(r);
    }
    return p;
}

PrintChoice rectangular(const QString& description = QStringLiteral("TRAVE 1")) {
    return {true, false, description};
}
PrintChoice circular(const QString& description = QStringLiteral("PILASTRO 1")) {
    return {false, true, description};
}

// The data sheet: the texts from y = 0.75 down, a text that stays on its line joined to the next.
QStringList sheetLines(const Printed& p) {
    QStringList out;
    bool join = false;
    for (const DrawRecord& t : p.texts) {
        if (join) {
            out.last() += t.text;
        } else if (t.y1 >= 0.75 - kEps) {
            EXPECT_NEAR(t.x1, -0.38, kEps) << t.text.toStdString();
            EXPECT_EQ(t.color, qbColor(0)) << t.text.toStdString();
            out << t.text;
        }
        join = !t.endLine;
    }
    return out;
}

std::vector<double> sheetYs(const Printed& p) {
    std::vector<double> ys;
    for (const DrawRecord& t : p.texts) {
        if (t.y1 >= 0.75 - kEps && std::abs(t.x1 + 0.38) < kEps) ys.push_back(t.y1);
    }
    return ys;
}

// The line printed at y (with what follows it on the same text line), or "<none>".
QString lineAt(const Printed& p, double y) {
    for (std::size_t k = 0; k < p.texts.size(); ++k) {
        const DrawRecord& t = p.texts[k];
        if (std::abs(t.x1 + 0.38) > kEps || std::abs(t.y1 - y) > kEps) continue;
        QString s = t.text;
        for (std::size_t j = k; j + 1 < p.texts.size() && !p.texts[j].endLine; ++j) s += p.texts[j + 1].text;
        return s;
    }
    return QStringLiteral("<none>");
}

// Values chosen so every printed item is known in advance. `base` gives the curves.
Analysis contrived(Analysis a) {
    engine::CurrentSection& s = AnalysisAccess::section(a);
    s.fyd = 3913;
    s.Ea = 2100000;
    s.fmd = 10;
    s.Em = 10000;
    s.b = 100;
    s.h = 40;
    s.c1 = 3;
    s.c2 = 2.5;
    s.A1 = 1.5;
    s.A2 = 1.25f;
    s.d = 40;
    s.c = 3.5;
    s.Aa = 7.25;
    s.Nd = 14000;
    s.Md = 130000;
    engine::SectionResult& r = AnalysisAccess::result(a);
    r.Nu = 14000.7;
    r.Mu = 135000.9;
    r.yan = 12.34f;
    AnalysisAccess::setDesignPoint(a, 0.123456789, 0.56789f);
    AnalysisAccess::setBeyondCapacity(a, false);
    return a;
}

void setRatio(Analysis& a, double mu, double md) {
    AnalysisAccess::result(a).Mu = mu;
    AnalysisAccess::section(a).Md = md;
}

// ---------------------------------------------------------------------------------------------
// The chart: page set-up, texts, legend and grid.

TEST(SectionPrintoutChart, PageSetUpFontAndOneEndedPage) {
    for (int e : {0, 1, 3}) {
        SCOPED_TRACE(kExamples[e].name);
        Analysis a = calculated(kExamples[e]);
        const Printed p = print(a, e == 3 ? circular() : rectangular());
        ASSERT_TRUE(p.ok);
        ASSERT_FALSE(p.dump.isEmpty());
        EXPECT_EQ(p.dump.first(), QStringLiteral("scale -0.9000 -0.7500 2.0800 2.8800"));
        EXPECT_EQ(p.dump.last(), QStringLiteral("enddoc"));
        EXPECT_EQ(p.dump.count(QStringLiteral("enddoc")), 1);
        EXPECT_EQ(p.dump.filter(QStringLiteral("newpage")).size(), 0);
        for (const DrawRecord& t : p.texts) {
            EXPECT_EQ(t.fontName, QStringLiteral("MS Sans Serif"));
            EXPECT_EQ(t.fontSize, 8);
            EXPECT_FALSE(t.fontBold);
        }
        // The heading is printed once, inside the page and above the chart title.
        int headings = 0;
        for (const DrawRecord& t : p.texts) {
            if (t.text != QString::fromLatin1(kSheetHeading)) continue;
            ++headings;
            EXPECT_NEAR(t.x1, -0.38, kEps);
            EXPECT_GE(t.y1, -0.75);
            EXPECT_LT(t.y1, -0.5);
            EXPECT_EQ(t.color, qbColor(0));
        }
        EXPECT_EQ(headings, 1);
    }
}

struct Placed {
    QString text;
    double x, y;
    QColor color;
};

std::vector<Placed> chartTexts(const Printed& p) {
    std::vector<Placed> out;
    for (const DrawRecord& t : p.texts) {
        if (t.text == QString::fromLatin1(kSheetHeading)) break;
        EXPECT_TRUE(t.endLine) << t.text.toStdString();
        out.push_back({t.text, t.x1, t.y1, t.color});
    }
    return out;
}

std::vector<Placed> expectedChart(bool rect, const std::vector<const char*>& mLabels, bool legend) {
    const QColor black = qbColor(0);
    std::vector<Placed> v{{"FORTEMA DI RESISTENZA M / N", -0.3, -0.5, black},
                          {"1.4", -0.38, -0.43, black},
                          {"1.2", -0.38, -0.33, black},
                          {"1.0", -0.38, -0.23, black},
                          {"0.8", -0.38, -0.13, black},
                          {"0.6", -0.38, -0.02, black},
                          {"0.4", -0.38, 0.08, black},
                          {"0.2", -0.38, 0.18, black},
                          {"0.0", -0.38, 0.28, black},
                          {"-0.2", -0.39, 0.38, black},
                          {"-0.4", -0.39, 0.48, black},
                          {"-0.6", -0.39, 0.58, black}};
    v.push_back(rect ? Placed{"n = N/b*h*fm", -0.25, -0.38, black}
                     : Placed{"n = N/Ac*fm", -0.25, -0.38, black});
    v.push_back({"n", 0.05, -0.38, black});
    v.push_back({"N compressione", -0.27, 0.23, black});
    v.push_back({"N trazione", -0.27, 0.33, black});
    v.push_back({"m", 0.55, 0.24, black});
    v.push_back(rect ? Placed{"m=M/b*fm*h^2/6", 0.35, 0.54, black}
                     : Placed{"m=M/fm*r^3/10", 0.34, 0.54, black});
    v.push_back({"m= 0.0", -0.05, 0.63, black});
    for (std::size_t k = 0; k < mLabels.size(); ++k)
        v.push_back({mLabels[k], 0.1 * double(k + 1), 0.63, black});
    if (legend) {
        v.push_back({"___ campo5", 0.65, -0.43, qbColor(11)});
        v.push_back({"___ campo4", 0.65, -0.33, qbColor(9)});
        v.push_back({"___ campo3", 0.65, -0.23, qbColor(13)});
        v.push_back({"___ campo2", 0.65, -0.13, qbColor(10)});
        v.push_back({"___ campo1", 0.65, -0.02, qbColor(12)});
    }
    return v;
}

void expectChart(const Printed& p, const std::vector<Placed>& want) {
    const std::vector<Placed> got = chartTexts(p);
    ASSERT_EQ(got.size(), want.size());
    for (std::size_t k = 0; k < want.size(); ++k) {
        SCOPED_TRACE(want[k].text.toStdString());
        EXPECT_EQ(got[k].text, want[k].text);
        EXPECT_NEAR(got[k].x, want[k].x, kEps);
        EXPECT_NEAR(got[k].y, want[k].y, kEps);
        EXPECT_EQ(got[k].color, want[k].color);
    }
}

TEST(SectionPrintoutChart, TextsLabelsAndLegendOfEachLayout) {
    Analysis plain = calculated(kExamples[0]);
    expectChart(print(plain, rectangular()),
                expectedChart(true, {"0.2", "0.4", "0.6", "0.8", "1.0", "1.2"}, false));
    Analysis reinforced = calculated(kExamples[1]);
    expectChart(print(reinforced, rectangular()),
                expectedChart(true, {"0.4", "0.8", "1.2", "1.6", "2.0", "2.4"}, true));
    // A circle's labels follow its own scale, and it carries the legend of its five fields.
    Analysis circle = calculated(kExamples[3]);
    expectChart(print(circle, circular()),
                expectedChart(false, {"3.3", "6.7", "10.0", "13.3", "16.7", "20.0"}, true));
}

TEST(SectionPrintoutChart, GridIsBlueOfWidthOneInItsOrder) {
    std::vector<std::array<double, 4>> want;
    for (double y : {-0.4, -0.3, -0.2, -0.1, 0.0, 0.1, 0.2}) want.push_back({-0.3, y, 0.6, y});
    want.push_back({-0.33, 0.3, 0.6, 0.3});
    for (double y : {0.4, 0.5, 0.6}) want.push_back({-0.3, y, 0.6, y});
    want.push_back({-0.3, -0.4, -0.3, 0.6});
    for (double x : {-0.2, -0.1}) want.push_back({x, -0.3, x, 0.6});
    want.push_back({0, -0.43, 0, 0.6});
    for (double x : {0.1, 0.2, 0.3}) want.push_back({x, -0.4, x, 0.6});
    for (double x : {0.4, 0.5}) want.push_back({x, -0.4, x, 0.5});
    want.push_back({0.6, -0.4, 0.6, 0.6});
    for (int e : {0, 3}) {
        Analysis a = calculated(kExamples[e]);
        const Printed p = print(a, e == 3 ? circular() : rectangular());
        ASSERT_GT(p.lines.size(), want.size());
        for (std::size_t k = 0; k < want.size(); ++k) {
            SCOPED_TRACE(k);
            const DrawRecord& l = p.lines[k];
            EXPECT_NEAR(l.x1, want[k][0], kEps);
            EXPECT_NEAR(l.y1, want[k][1], kEps);
            EXPECT_NEAR(l.x2, want[k][2], kEps);
            EXPECT_NEAR(l.y2, want[k][3], kEps);
            EXPECT_EQ(l.color, QColor(0, 0, 128));
            EXPECT_EQ(l.lineWidth, 1);
        }
        // Everything after the grid is drawn three pixels wide.
        for (std::size_t k = want.size(); k < p.lines.size(); ++k) EXPECT_EQ(p.lines[k].lineWidth, 3);
    }
}

// ---------------------------------------------------------------------------------------------
// Curves, the design-point cross and the origin mark.

struct Seg {
    double x1, y1, x2, y2;
    QColor color;
};

// The segments the drawing rules give for the curves of `a` at scale s.
std::vector<Seg> expectedCurves(const Analysis& a, double s, bool unreinforced) {
    std::vector<Seg> v;
    auto seg = [&](int f, int i, const QColor& c) {
        const engine::CurvePoint p = a.curve(f)[i], q = a.curve(f)[i + 1];
        v.push_back({s * p.m, 0.3 - 0.5 * p.n, s * q.m, 0.3 - 0.5 * q.n, c});
    };
    if (unreinforced) {
        for (int i = 1; i <= 100; ++i) seg(1, i, qbColor(0));
        return v;
    }
    const int bounds[6][3] = {{}, {12, 2, 50}, {10, 1, 99}, {13, 1, 99}, {9, 1, 49}, {11, 1, 49}};
    for (int f = 1; f <= 5; ++f) {
        for (int i = bounds[f][1]; i <= bounds[f][2] && a.curve(f)[i + 1].n != a.curve(f)[i].n; ++i) {
            seg(f, i, qbColor(bounds[f][0]));
        }
    }
    return v;
}

constexpr std::size_t kGridLines = 21;

// Curves, then the two strokes of the cross, drawn after the grid.
void expectCurvesAndCross(const Printed& p, const std::vector<Seg>& curves, double xd, double yd,
                          const QColor& cross) {
    ASSERT_EQ(p.lines.size(), kGridLines + curves.size() + 2);
    for (std::size_t k = 0; k < curves.size(); ++k) {
        SCOPED_TRACE(k);
        const DrawRecord& l = p.lines[kGridLines + k];
        EXPECT_NEAR(l.x1, curves[k].x1, kEps);
        EXPECT_NEAR(l.y1, curves[k].y1, kEps);
        EXPECT_NEAR(l.x2, curves[k].x2, kEps);
        EXPECT_NEAR(l.y2, curves[k].y2, kEps);
        EXPECT_EQ(l.color, curves[k].color);
    }
    const DrawRecord& h = p.lines[p.lines.size() - 2];
    const DrawRecord& v = p.lines.back();
    EXPECT_NEAR(h.x1, xd - 0.02, kEps);
    EXPECT_NEAR(h.x2, xd + 0.02, kEps);
    EXPECT_NEAR(h.y1, yd, kEps);
    EXPECT_NEAR(h.y2, yd, kEps);
    EXPECT_NEAR(v.x1, xd, kEps);
    EXPECT_NEAR(v.x2, xd, kEps);
    EXPECT_NEAR(v.y1, yd - 0.03, kEps);
    EXPECT_NEAR(v.y2, yd + 0.03, kEps);
    EXPECT_EQ(h.color, cross);
    EXPECT_EQ(v.color, cross);
    ASSERT_EQ(p.circles.size(), 1u);
    EXPECT_NEAR(p.circles[0].x1, 0, kEps);
    EXPECT_NEAR(p.circles[0].y1, 0.3, kEps);
    EXPECT_NEAR(p.circles[0].x2, 0.015, kEps);
    EXPECT_EQ(p.circles[0].color, qbColor(0));
}

TEST(SectionPrintoutCurves, UnreinforcedIsFieldOneInBlackWithABlueCross) {
    Analysis a = calculated(kExamples[0]);
    const double xd = 0.5 * a.md(), yd = 0.3 - 0.5 * a.nd();
    const std::vector<Seg> want = expectedCurves(a, 0.5, true);
    ASSERT_EQ(want.size(), 100u);
    expectCurvesAndCross(print(a, rectangular()), want, xd, yd, qbColor(9));
}

TEST(SectionPrintoutCurves, ReinforcedFieldsStopAtARepeatedNAndFieldOneStartsAtPointTwo) {
    Analysis a = calculated(kExamples[1]);
    const double xd = 0.25 * a.md(), yd = 0.3 - 0.5 * a.nd();
    const std::vector<Seg> want = expectedCurves(a, 0.25, false);
    const Printed p = print(a, rectangular());
    expectCurvesAndCross(p, want, xd, yd, qbColor(12));
    // The first red segment leaves from point 2; point 1 is never a segment's start.
    const DrawRecord& first = p.lines[kGridLines];
    EXPECT_EQ(first.color, qbColor(12));
    EXPECT_NEAR(first.x1, 0.25 * a.curve(1)[2].m, kEps);
    EXPECT_NEAR(first.y1, 0.3 - 0.5 * a.curve(1)[2].n, kEps);
    // These curves end in repeated points well before the bounds: fewer than all 345 segments.
    EXPECT_LT(want.size(), 49u + 99 + 99 + 49 + 49);
}

TEST(SectionPrintoutCurves, CircleAtItsOwnScaleWithARedCross) {
    Analysis a = calculated(kExamples[3]);
    // On a circle the first two points of field 1 coincide; starting at point 2 skips them.
    ASSERT_EQ(a.curve(1)[1].n, a.curve(1)[2].n);
    const double xd = 0.03 * a.md(), yd = 0.3 - 0.5 * a.nd();
    const std::vector<Seg> want = expectedCurves(a, 0.03, false);
    ASSERT_FALSE(want.empty());
    EXPECT_EQ(want.front().color, qbColor(12));
    expectCurvesAndCross(print(a, circular()), want, xd, yd, qbColor(12));
}

TEST(SectionPrintoutCurves, FieldsWhosePointTwoRepeatsPointOneDrawNothing) {
    // Never calculated: every point of every list is (0, 0).
    Analysis reinforced = contrived(Analysis{});
    expectCurvesAndCross(print(reinforced, rectangular()), {}, 0.25 * 0.56789f, 0.3 - 0.5 * 0.123456789,
                         qbColor(12));
    // The unreinforced curve has no stop test: its hundred segments are drawn, degenerate or not.
    Analysis plain = contrived(Analysis{});
    AnalysisAccess::section(plain).A1 = 0;
    AnalysisAccess::section(plain).A2 = 0;
    const Printed p = print(plain, rectangular());
    ASSERT_EQ(p.lines.size(), kGridLines + 100 + 2);
    EXPECT_NEAR(p.lines[kGridLines].x1, 0, kEps);
    EXPECT_NEAR(p.lines[kGridLines].y1, 0.3, kEps);
    EXPECT_EQ(p.lines.back().color, qbColor(9));
}

TEST(SectionPrintoutCurves, ASwitchedLayoutRedrawsTheLastCurvesAtTheNewScale) {
    Analysis a = calculated(kExamples[1]);
    const double xd = 0.03 * a.md(), yd = 0.3 - 0.5 * a.nd();
    const Printed p = print(a, circular());
    expectCurvesAndCross(p, expectedCurves(a, 0.03, false), xd, yd, qbColor(12));
    EXPECT_EQ(lineAt(p, 1.10), QStringLiteral("Diametro della sezione circolare, d =  0 cm"));
}

// ---------------------------------------------------------------------------------------------
// The data sheet.

TEST(SectionPrintoutSheet, RectangularLinesItemByItem) {
    Analysis a = contrived(calculated(kExamples[1]));
    const Printed p = print(a, rectangular(QStringLiteral("typed after the calculation")));
    ASSERT_TRUE(p.ok);
    const QStringList want{"DESCRIZIONE DELLA SEZIONE: typed after the calculation",
                           "MATERIALI:",
                           "Resistenza di progetto dell'armatura, fyd =  3913 daN/cm^2",
                           "Modulo elastico dell'armatura, Ea =  2100000 daN/cm^2",
                           "Resistenza di progetto del materiale, fmd =  10 daN/cm^2",
                           "Modulo elastico del materiale, Em =  10000 daN/cm^2",
                           "DIMENSIONI:",
                           "Larghezza della sezione in zona compressa, b =  100 cm",
                           "Altezza della sezione, h =  40 cm",
                           "Copriferro in zona tesa, c1 =  3 cm",
                           "Copriferro in zona compressa, c2 =  2.5 cm",
                           "Area armatura tesa, A1 =  1.5 cm^2",
                           "Area armatura compressa, A2 =  1.25 cm^2",
                           "SOLLECITAZIONI:",
                           "Sforzo normale di progetto, Nd =  14000 daN",
                           "Momento flettente di progetto,Md =  130000 daN*cm",
                           "n = Nd/(fmd*b*h) =  0.123456789  -  m = Md/(fmd*b*h^2/6) = 0.4875",
                           "RISULTATI ALLO SLU (FRONTIERA FORTEMA):",
                           "n = 0.1234  -  m = 0.5678 ",
                           "Sforzo normale ultimo resistente, Nu =  14000 daN",
                           "Momento flettente ultimo resistente, Mu = m*fmd(b*h^2)/6 =  135000 daN*cm",
                           "Posizione asse neutro/zona compressa,yan = 12.34 cm",
                           "Rapporto Mu / Md = 1.0385 (>=1 Verifica)"};
    EXPECT_EQ(sheetLines(p), want);
    std::vector<double> ys;
    for (int k = 0; k <= 22; ++k) ys.push_back(0.75 + 0.05 * k);
    const std::vector<double> got = sheetYs(p);
    ASSERT_EQ(got.size(), ys.size());
    for (std::size_t k = 0; k < ys.size(); ++k) EXPECT_NEAR(got[k], ys[k], kEps);
}

TEST(SectionPrintoutSheet, CircularLinesItemByItem) {
    Analysis a = contrived(calculated(kExamples[3]));
    const Printed p = print(a, circular());
    ASSERT_TRUE(p.ok);
    const QStringList want{"DESCRIZIONE DELLA SEZIONE: PILASTRO 1",
                           "MATERIALI:",
                           "Resistenza di progetto dell'armatura, fyd =  3913 daN/cm^2",
                           "Modulo elastico dell'armatura, Ea =  2100000 daN/cm^2",
                           "Resistenza di progetto del materiale, fmd =  10 daN/cm^2",
                           "Modulo elastico del materiale, Em =  10000 daN/cm^2",
                           "DIMENSIONI:",
                           "Diametro della sezione circolare, d =  40 cm",
                           "Copriferro, c =  3.5 cm",
                           "Area armatura totale, Aa =  7.25 cm^2",
                           "SOLLECITAZIONI:",
                           "Sforzo normale di progetto, Nd =  14000 daN",
                           "Momento flettente di progetto, Md =  130000 daN*cm",
                           "RISULTATI ALLO SLU (FRONTIERA FORTEMA):",
                           "n = 0.1234   - m = 0.5678 ",
                           "Sforzo normale ultimo resistente, Nu =  14000 daN",
                           "Momento flettente ultimo resistente, Mu =  135000 daN*cm",
                           "Rapporto Mu / Md = 1.0385"};
    EXPECT_EQ(sheetLines(p), want);
    const std::vector<double> got = sheetYs(p);
    ASSERT_EQ(got.size(), 18u);
    for (std::size_t k = 0; k < got.size(); ++k) EXPECT_NEAR(got[k], 0.75 + 0.05 * double(k), kEps);
}

TEST(SectionPrintoutSheet, UnreinforcedResultsLineAndNegativeNd) {
    Analysis a = contrived(calculated(kExamples[0]));
    AnalysisAccess::section(a).A1 = 0;
    AnalysisAccess::section(a).A2 = 0;
    AnalysisAccess::section(a).Nd = -12500;
    AnalysisAccess::setDesignPoint(a, 0.5, 0.75f);
    const Printed p = print(a, rectangular());
    EXPECT_EQ(lineAt(p, 1.65), QStringLiteral("n = 0.5  -  m = 3n(1-n) = 0.75 "));
    EXPECT_EQ(lineAt(p, 1.45), QStringLiteral("Sforzo normale di progetto, Nd = -12500 daN"));
    EXPECT_EQ(lineAt(p, 1.30), QStringLiteral("Area armatura tesa, A1 =  0 cm^2"));
}

TEST(SectionPrintoutSheet, CommaLocaleSeparatorAndGrouping) {
    Analysis a = contrived(calculated(kExamples[1]));
    setRatio(a, 135000.9, 100);  // the 1.55 line: m = 6*100/(10*100*1600) = 0.000375
    const Printed p = print(a, rectangular(), NumberLocale::italian());
    EXPECT_EQ(lineAt(p, 1.20), QStringLiteral("Copriferro in zona tesa, c1 =  3 cm"));
    EXPECT_EQ(lineAt(p, 1.25), QStringLiteral("Copriferro in zona compressa, c2 =  2,5 cm"));
    EXPECT_EQ(lineAt(p, 1.35), QStringLiteral("Area armatura compressa, A2 =  1,25 cm^2"));
    // Numbers are never grouped; formatted values are.
    EXPECT_EQ(lineAt(p, 0.90), QStringLiteral("Modulo elastico dell'armatura, Ea =  2100000 daN/cm^2"));
    EXPECT_EQ(lineAt(p, 1.55),
              QStringLiteral("n = Nd/(fmd*b*h) =  0,123456789  -  m = Md/(fmd*b*h^2/6) = 0,0004"));
    EXPECT_EQ(lineAt(p, 1.65), QStringLiteral("n = 0,1234  -  m = 0,5678 "));
    EXPECT_EQ(lineAt(p, 1.80), QStringLiteral("Posizione asse neutro/zona compressa,yan = 12,34 cm"));
    EXPECT_EQ(lineAt(p, 1.85), QStringLiteral("Rapporto Mu / Md = 1.350,0090 (>=1 Verifica)"));

    Analysis c = contrived(calculated(kExamples[1]));
    setRatio(c, 135000.9, 100);
    EXPECT_EQ(lineAt(print(c, rectangular()), 1.85),
              QStringLiteral("Rapporto Mu / Md = 1,350.0090 (>=1 Verifica)"));
}

// ---------------------------------------------------------------------------------------------
// The cut of the design point.

TEST(SectionPrintoutCut, FourDecimalsTowardsMinusInfinityKeptForTheNextPrintout) {
    Analysis a = contrived(calculated(kExamples[1]));
    const Printed first = print(a, rectangular());
    EXPECT_EQ(a.nd(), std::floor(0.123456789 * 10000) / 10000);
    EXPECT_EQ(a.md(), 0.5678f);
    // The chart is drawn before the cut, the design line shows n_d in full, the results line cut.
    EXPECT_NEAR(first.lines.back().x1, 0.25 * 0.56789f, kEps);
    EXPECT_NEAR(first.lines.rbegin()[1].y1, 0.3 - 0.5 * 0.123456789, kEps);
    EXPECT_TRUE(lineAt(first, 1.55).startsWith(QStringLiteral("n = Nd/(fmd*b*h) =  0.123456789  -")));

    const Printed second = print(a, rectangular());
    EXPECT_TRUE(lineAt(second, 1.55).startsWith(QStringLiteral("n = Nd/(fmd*b*h) =  0.1234  -")));
    EXPECT_EQ(lineAt(second, 1.65), QStringLiteral("n = 0.1234  -  m = 0.5678 "));
    EXPECT_NEAR(second.lines.back().x1, 0.25 * 0.5678f, kEps);
    EXPECT_NEAR(second.lines.rbegin()[1].y1, 0.3 - 0.5 * 0.1234, kEps);
    EXPECT_NE(first.dump, second.dump);
    // Once cut, the point stays put: printing again gives the same page.
    const Printed third = print(a, rectangular());
    EXPECT_EQ(second.dump, third.dump);
    EXPECT_EQ(a.md(), 0.5678f);
}

TEST(SectionPrintoutCut, NegativeValuesMoveAwayFromZero) {
    Analysis a = contrived(calculated(kExamples[3]));
    AnalysisAccess::setDesignPoint(a, -0.123456789, -0.56789f);
    const Printed p = print(a, circular());
    EXPECT_EQ(lineAt(p, 1.45), QStringLiteral("n =-0.1235   - m =-0.5679 "));
    EXPECT_EQ(a.nd(), -0.1235);
    EXPECT_EQ(a.md(), -0.5679f);
}

// ---------------------------------------------------------------------------------------------
// The verdict after the ratio.

TEST(SectionPrintoutVerdict, RatioAtAndJustBelowOne) {
    Analysis a = contrived(calculated(kExamples[1]));
    setRatio(a, 130000, 130000);
    EXPECT_EQ(lineAt(print(a, rectangular()), 1.85),
              QStringLiteral("Rapporto Mu / Md = 1.0000 (>=1 Verifica)"));
    // Rounded it reads 1, yet the unrounded ratio decides.
    setRatio(a, 99996, 100000);
    const Printed below = print(a, rectangular());
    EXPECT_EQ(lineAt(below, 1.85), QStringLiteral("Rapporto Mu / Md = 1.0000 (<1 Non Verifica)"));
    // The ratio stays on its line: the verdict follows it at its right end.
    const DrawRecord& ratio = below.texts.rbegin()[1];
    EXPECT_EQ(ratio.text, QStringLiteral("Rapporto Mu / Md = 1.0000"));
    EXPECT_FALSE(ratio.endLine);
    EXPECT_EQ(below.texts.back().text, QStringLiteral(" (<1 Non Verifica)"));
    EXPECT_NEAR(below.texts.back().y1, 1.85, kEps);
    EXPECT_GT(below.texts.back().x1, -0.38);
}

TEST(SectionPrintoutVerdict, NdBeyondTheAxialCapacityNeverPasses) {
    const QString beyond = QStringLiteral(" (Non Verifica: Nd oltre la capacità assiale)");
    // A real calculation: far more compression than the reinforced masonry can take.
    test::Example e = kExamples[1];
    e.texts.Nd = "52000";
    Analysis a = calculated(e);
    ASSERT_TRUE(a.beyondCapacity());
    const Printed p = print(a, rectangular());
    ASSERT_TRUE(p.ok);
    EXPECT_TRUE(lineAt(p, 1.85).endsWith(beyond)) << lineAt(p, 1.85).toStdString();

    // Even a ratio above 1 does not pass, on either layout.
    Analysis r = contrived(calculated(kExamples[1]));
    AnalysisAccess::setBeyondCapacity(r, true);
    EXPECT_EQ(lineAt(print(r, rectangular()), 1.85), QStringLiteral("Rapporto Mu / Md = 1.0385") + beyond);
    Analysis c = contrived(calculated(kExamples[3]));
    AnalysisAccess::setBeyondCapacity(c, true);
    const Printed pc = print(c, circular());
    EXPECT_EQ(lineAt(pc, 1.60), QStringLiteral("Rapporto Mu / Md = 1.0385") + beyond);
    for (const QString& line : sheetLines(pc)) EXPECT_FALSE(line.contains(QStringLiteral("(>=1 Verifica)")));
}

// ---------------------------------------------------------------------------------------------
// Failures: nothing ends the page, nothing reaches the printer.

TEST(SectionPrintoutFailure, ZeroMdStopsAtTheRatioWithThePointAlreadyCut) {
    for (bool rect : {true, false}) {
        SCOPED_TRACE(rect ? "rectangular" : "circular");
        Analysis a = contrived(calculated(kExamples[rect ? 1 : 3]));
        AnalysisAccess::section(a).Md = 0;
        const Printed p = print(a, rect ? rectangular() : circular());
        EXPECT_FALSE(p.ok);
        EXPECT_FALSE(p.dump.contains(QStringLiteral("enddoc")));
        EXPECT_EQ(lineAt(p, rect ? 1.85 : 1.60), QStringLiteral("<none>"));
        EXPECT_NE(lineAt(p, rect ? 1.80 : 1.55), QStringLiteral("<none>"));
        for (const QString& l : p.dump) {
            EXPECT_FALSE(l.contains(QStringLiteral("inf")) || l.contains(QStringLiteral("nan")))
                << l.toStdString();
        }
        // Stored values are not restored.
        EXPECT_EQ(a.nd(), 0.1234);
    }
}

TEST(SectionPrintoutFailure, ZeroWidthStopsBeforeTheDesignLine) {
    Analysis a = contrived(calculated(kExamples[1]));
    AnalysisAccess::section(a).b = 0;
    const Printed p = print(a, rectangular());
    EXPECT_FALSE(p.ok);
    EXPECT_FALSE(p.dump.contains(QStringLiteral("enddoc")));
    EXPECT_NE(lineAt(p, 1.50), QStringLiteral("<none>"));
    EXPECT_EQ(lineAt(p, 1.55), QStringLiteral("<none>"));
    EXPECT_EQ(a.nd(), 0.123456789);  // failed before the cut
}

TEST(SectionPrintoutFailure, APrinterGetsNothingFromAFailedPage) {
    const QString file = QStringLiteral(FORTEMA_TEST_OUTPUT "/sheet_failed.pdf");
    QFile::remove(file);
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file);
    Analysis a = contrived(calculated(kExamples[1]));
    AnalysisAccess::section(a).Md = 0;
    const PrintOutcome out = printSectionOn(printer, a, rectangular(), NumberLocale::c());
    EXPECT_FALSE(out.printed);
    EXPECT_EQ(out.message, QString::fromUtf8(kPrintNoRatio));
    EXPECT_FALSE(QFile::exists(file));
    EXPECT_EQ(a.nd(), 0.1234);

    // The same printer prints the page once the section can be printed.
    AnalysisAccess::section(a).Md = 130000;
    const PrintOutcome ok = printSectionOn(printer, a, rectangular(), NumberLocale::c());
    EXPECT_TRUE(ok.printed);
    EXPECT_TRUE(ok.message.isEmpty());
    EXPECT_GT(QFile(file).size(), 0);
}

TEST(SectionPrintoutFailure, APrinterThatCannotStartLeavesThePointUncut) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QStringLiteral(FORTEMA_TEST_OUTPUT "/no such folder/sheet.pdf"));
    Analysis a = contrived(calculated(kExamples[1]));
    const PrintOutcome out = printSectionOn(printer, a, rectangular(), NumberLocale::c());
    EXPECT_FALSE(out.printed);
    EXPECT_EQ(out.message, QString::fromUtf8(kPrintProblem));
    EXPECT_EQ(a.nd(), 0.123456789);
    EXPECT_EQ(a.md(), 0.56789f);
}

}  // namespace
}  // namespace fortema::report
