#include "report/section_printout.h"

#include <QPrinter>
#include <algorithm>
#include <array>
#include <cmath>

#include "drawing/current_printer.h"
#include "drawing/painter_surface.h"
#include "drawing/recording_surface.h"
#include "report/text_fit.h"

namespace fortema::report {

namespace {

using drawing::qbColor;
using engine::numtext::NumberLocale;

const QString kFont = QStringLiteral("MS Sans Serif");
constexpr double kFontSize = 8;
constexpr double kSheetX = -0.38;
// The sheet's user scale: x from -0.9 to 1.18 across the printable area.
constexpr double kSheetLeft = -0.9;
constexpr double kSheetWidth = 2.08;

// A printed value that cannot be computed ends the printout; the reason blames the data.
struct PrintFailure {
    const char* reason = kPrintOutOfRange;
};

double checked(double v) {
    if (!std::isfinite(v)) throw PrintFailure{};
    return v;
}

double ratioOf(const engine::SectionResult& r, const engine::CurrentSection& s) {
    if (s.Md == 0) throw PrintFailure{kPrintNoRatio};
    return checked(r.Mu / s.Md);
}

// The item kinds of a sheet line.
class Items {
public:
    explicit Items(const NumberLocale& loc) : m_loc(loc) {}

    // A number: one blank before it unless it is negative, one after it.
    QString number(double v) const {
        checked(v);
        if (v == 0) v = 0;  // no "-0"
        return (v < 0 ? QString() : QStringLiteral(" ")) +
               QString::fromStdString(engine::numtext::generalText(v, m_loc)) + QLatin1Char(' ');
    }
    QString single(float v) const {
        checked(v);
        if (v == 0) v = 0;
        return (v < 0 ? QString() : QStringLiteral(" ")) +
               QString::fromStdString(engine::numtext::singleText(v, m_loc)) + QLatin1Char(' ');
    }
    QString formatted(double v, int decimals) const {
        return QString::fromStdString(engine::numtext::fixedText(checked(v), decimals, m_loc));
    }
    QString whole(double v) const { return number(std::floor(checked(v))); }

private:
    const NumberLocale& m_loc;
};

void textAt(drawing::Surface& sheet, double x, double y, const QString& text, bool endLine = true) {
    sheet.setCurrentX(x);
    sheet.setCurrentY(y);
    sheet.print(text, endLine);
}

// A line of the sheet from x to the right edge of the printable area, smaller or cut when it
// would cross it; `tail` follows on the same text line in the same size.
void fittedAt(drawing::Surface& sheet, const SheetPaper& paper, double x, double y, const QString& text,
              const QString& tail = QString()) {
    const double room = (kSheetLeft + kSheetWidth - x) / kSheetWidth * paper.widthPoints;
    const FittedText fitted = fitText(text + tail, kFont, kFontSize, false, room);
    const bool smaller = fitted.points != kFontSize;
    if (smaller) sheet.setFontSize(fitted.points);
    if (tail.isEmpty() || fitted.text != text + tail) {
        textAt(sheet, x, y, fitted.text);
    } else {
        textAt(sheet, x, y, text, false);
        sheet.print(tail);
    }
    if (smaller) sheet.setFontSize(kFontSize);
}

void dataLine(drawing::Surface& sheet, const SheetPaper& paper, double y, const QString& text,
              const QString& tail = QString()) {
    fittedAt(sheet, paper, kSheetX, y, text, tail);
}

struct ChartScale {
    double s;
    bool reinforcedLabels;  // m labels 0.4 .. 2.4 and the field legend
    bool rectangular;
    bool unreinforced;  // rectangular with A1 = A2 = 0
};

ChartScale chartScale(const engine::Analysis& analysis, const PrintChoice& choice) {
    const engine::CurrentSection& cs = analysis.section();
    ChartScale c{};
    c.rectangular = choice.option1;
    c.unreinforced = choice.option1 && cs.A1 == 0 && cs.A2 == 0;
    c.s = !choice.option1 ? 0.03 : (c.unreinforced ? 0.5 : 0.25);
    c.reinforcedLabels = cs.A1 > 0 || cs.A2 > 0;
    return c;
}

void chartTexts(drawing::Surface& sheet, const ChartScale& c, const PrintChoice& choice) {
    struct Placed {
        const char* text;
        double x, y;
    };
    static constexpr std::array<Placed, 12> kNLabels{{{"FORTEMA DI RESISTENZA M / N", -0.3, -0.5},
                                                      {"1.4", -0.38, -0.43},
                                                      {"1.2", -0.38, -0.33},
                                                      {"1.0", -0.38, -0.23},
                                                      {"0.8", -0.38, -0.13},
                                                      {"0.6", -0.38, -0.02},
                                                      {"0.4", -0.38, 0.08},
                                                      {"0.2", -0.38, 0.18},
                                                      {"0.0", -0.38, 0.28},
                                                      {"-0.2", -0.39, 0.38},
                                                      {"-0.4", -0.39, 0.48},
                                                      {"-0.6", -0.39, 0.58}}};
    for (const Placed& p : kNLabels) textAt(sheet, p.x, p.y, QString::fromLatin1(p.text));
    if (choice.option1) textAt(sheet, -0.25, -0.38, QStringLiteral("n = N/b*h*fm"));
    if (choice.option2) textAt(sheet, -0.25, -0.38, QStringLiteral("n = N/Ac*fm"));
    textAt(sheet, 0.05, -0.38, QStringLiteral("n"));
    textAt(sheet, -0.27, 0.23, QStringLiteral("N compressione"));
    textAt(sheet, -0.27, 0.33, QStringLiteral("N trazione"));
    textAt(sheet, 0.55, 0.24, QStringLiteral("m"));
    if (choice.option1) textAt(sheet, 0.35, 0.54, QStringLiteral("m=M/b*fm*h^2/6"));
    if (choice.option2) textAt(sheet, 0.34, 0.54, QStringLiteral("m=M/fm*r^3/10"));
    textAt(sheet, -0.05, 0.63, QStringLiteral("m= 0.0"));

    // The labels read m = x / s at x = 0.1 .. 0.6; a circle has its own scale.
    static constexpr std::array<const char*, 6> kReinforced{"0.4", "0.8", "1.2", "1.6", "2.0", "2.4"};
    static constexpr std::array<const char*, 6> kUnreinforced{"0.2", "0.4", "0.6", "0.8", "1.0", "1.2"};
    static constexpr std::array<const char*, 6> kCircle{"3.3", "6.7", "10.0", "13.3", "16.7", "20.0"};
    const auto& labels = !c.rectangular ? kCircle : (c.reinforcedLabels ? kReinforced : kUnreinforced);
    for (std::size_t k = 0; k < labels.size(); ++k) {
        textAt(sheet, 0.1 * static_cast<double>(k + 1), 0.63, QString::fromLatin1(labels[k]));
    }
}

void legend(drawing::Surface& sheet) {
    struct Entry {
        const char* text;
        double y;
        int campo;
    };
    static constexpr std::array<Entry, 5> kEntries{{{"___ campo5", -0.43, 5},
                                                    {"___ campo4", -0.33, 4},
                                                    {"___ campo3", -0.23, 3},
                                                    {"___ campo2", -0.13, 2},
                                                    {"___ campo1", -0.02, 1}}};
    for (const Entry& e : kEntries) {
        sheet.setForeColor(drawing::fieldColor(e.campo));
        textAt(sheet, 0.65, e.y, QString::fromLatin1(e.text));
    }
}

void grid(drawing::Surface& sheet, int pixels) {
    sheet.setForeColor(qbColor(1));
    sheet.setLineWidth(pixels);
    for (double y : {-0.4, -0.3, -0.2, -0.1, 0.0, 0.1, 0.2}) sheet.line(-0.3, y, 0.6, y);
    sheet.line(-0.33, 0.3, 0.6, 0.3);
    for (double y : {0.4, 0.5, 0.6}) sheet.line(-0.3, y, 0.6, y);
    // The n caption and the m caption keep their corners free of grid lines.
    sheet.line(-0.3, -0.4, -0.3, 0.6);
    for (double x : {-0.2, -0.1}) sheet.line(x, -0.3, x, 0.6);
    sheet.line(0, -0.43, 0, 0.6);
    for (double x : {0.1, 0.2, 0.3}) sheet.line(x, -0.4, x, 0.6);
    for (double x : {0.4, 0.5}) sheet.line(x, -0.4, x, 0.5);
    sheet.line(0.6, -0.4, 0.6, 0.6);
}

void curves(drawing::Surface& sheet, const engine::Analysis& analysis, const ChartScale& c) {
    auto at = [&](const engine::CurvePoint& p) { return std::pair{c.s * p.m, 0.3 - 0.5 * p.n}; };
    auto segment = [&](const engine::FieldCurve& curve, int i, const QColor& color) {
        const auto [x1, y1] = at(curve[i]);
        const auto [x2, y2] = at(curve[i + 1]);
        sheet.line(x1, y1, x2, y2, color);
    };
    if (c.unreinforced) {
        const engine::FieldCurve& field1 = analysis.curve(1);
        for (int i = 1; i <= 100; ++i) segment(field1, i, qbColor(0));
        return;
    }
    struct Field {
        int field, first, last;
    };
    // Field 1 starts at point 2, as on a circle, whose first two points of field 1 coincide.
    static constexpr std::array<Field, 5> kFields{
        {{1, 2, 50}, {2, 1, 99}, {3, 1, 99}, {4, 1, 49}, {5, 1, 49}}};
    for (const Field& f : kFields) {
        const engine::FieldCurve& curve = analysis.curve(f.field);
        for (int i = f.first; i <= f.last; ++i) {
            // A capped tail repeats its last point and is not drawn.
            if (curve[i + 1].n == curve[i].n) break;
            segment(curve, i, drawing::fieldColor(f.field));
        }
    }
}

void designPoint(drawing::Surface& sheet, const engine::Analysis& analysis, const ChartScale& c) {
    sheet.setForeColor(qbColor(0));
    const double xd = checked(c.s * analysis.md());
    const double yd = checked(0.3 - 0.5 * analysis.nd());
    const QColor color = qbColor(c.unreinforced ? 9 : 12);
    sheet.line(xd - 0.02, yd, xd + 0.02, yd, color);
    sheet.line(xd, yd - 0.03, xd, yd + 0.03, color);
    sheet.circle(0, 0.3, 0.015, qbColor(0));
}

QString verdict(const engine::Analysis& analysis, double ratio) {
    // The ratio of an end point of the domain says nothing about a force the section cannot take.
    if (analysis.beyondCapacity()) return QStringLiteral(" (Non Verifica: Nd oltre la capacità assiale)");
    return ratio >= 1 ? QStringLiteral(" (>=1 Verifica)") : QStringLiteral(" (<1 Non Verifica)");
}

void materialLines(drawing::Surface& sheet, const SheetPaper& paper, const engine::CurrentSection& s,
                   const QString& descrizione, const Items& it) {
    dataLine(sheet, paper, 0.75, QStringLiteral("DESCRIZIONE DELLA SEZIONE: ") + descrizione);
    dataLine(sheet, paper, 0.80, QStringLiteral("MATERIALI:"));
    dataLine(sheet, paper, 0.85,
             QStringLiteral("Resistenza di progetto dell'armatura, fyd = ") + it.number(s.fyd) +
                 QStringLiteral("daN/cm^2"));
    dataLine(sheet, paper, 0.90,
             QStringLiteral("Modulo elastico dell'armatura, Ea = ") + it.number(s.Ea) +
                 QStringLiteral("daN/cm^2"));
    dataLine(sheet, paper, 0.95,
             QStringLiteral("Resistenza di progetto del materiale, fmd = ") + it.number(s.fmd) +
                 QStringLiteral("daN/cm^2"));
    dataLine(sheet, paper, 1.00,
             QStringLiteral("Modulo elastico del materiale, Em = ") + it.number(s.Em) +
                 QStringLiteral("daN/cm^2"));
}

void rectangularSheet(drawing::Surface& sheet, const SheetPaper& paper, engine::Analysis& analysis,
                      const QString& descrizione, const Items& it) {
    const engine::CurrentSection& s = analysis.section();
    const engine::SectionResult& r = analysis.result();
    materialLines(sheet, paper, s, descrizione, it);
    dataLine(sheet, paper, 1.05, QStringLiteral("DIMENSIONI:"));
    dataLine(sheet, paper, 1.10,
             QStringLiteral("Larghezza della sezione in zona compressa, b = ") + it.number(s.b) +
                 QStringLiteral("cm"));
    dataLine(sheet, paper, 1.15,
             QStringLiteral("Altezza della sezione, h = ") + it.number(s.h) + QStringLiteral("cm"));
    dataLine(sheet, paper, 1.20,
             QStringLiteral("Copriferro in zona tesa, c1 = ") + it.number(s.c1) + QStringLiteral("cm"));
    dataLine(sheet, paper, 1.25,
             QStringLiteral("Copriferro in zona compressa, c2 = ") + it.number(s.c2) + QStringLiteral("cm"));
    dataLine(sheet, paper, 1.30,
             QStringLiteral("Area armatura tesa, A1 = ") + it.number(s.A1) + QStringLiteral("cm^2"));
    dataLine(sheet, paper, 1.35,
             QStringLiteral("Area armatura compressa, A2 = ") + it.single(s.A2) + QStringLiteral("cm^2"));
    dataLine(sheet, paper, 1.40, QStringLiteral("SOLLECITAZIONI:"));
    dataLine(sheet, paper, 1.45,
             QStringLiteral("Sforzo normale di progetto, Nd = ") + it.number(s.Nd) + QStringLiteral("daN"));
    dataLine(
        sheet, paper, 1.50,
        QStringLiteral("Momento flettente di progetto,Md = ") + it.number(s.Md) + QStringLiteral("daN*cm"));
    const double m = 6 * s.Md / (s.b * s.fmd * (s.h * s.h));
    dataLine(sheet, paper, 1.55,
             QStringLiteral("n = Nd/(fmd*b*h) = ") + it.number(analysis.nd()) +
                 QStringLiteral(" -  m = Md/(fmd*b*h^2/6) = ") + it.formatted(m, 4));
    dataLine(sheet, paper, 1.60, QStringLiteral("RISULTATI ALLO SLU (FRONTIERA FORTEMA):"));
    analysis.cutDesignPoint();
    const double nd = analysis.nd();
    if (s.A1 > 0 || s.A2 > 0) {
        dataLine(
            sheet, paper, 1.65,
            QStringLiteral("n =") + it.number(nd) + QStringLiteral(" -  m =") + it.single(analysis.md()));
    } else {
        dataLine(sheet, paper, 1.65,
                 QStringLiteral("n =") + it.number(nd) + QStringLiteral(" -  m = 3n(1-n) =") +
                     it.number(3 * nd * (1 - nd)));
    }
    dataLine(
        sheet, paper, 1.70,
        QStringLiteral("Sforzo normale ultimo resistente, Nu = ") + it.whole(r.Nu) + QStringLiteral("daN"));
    dataLine(sheet, paper, 1.75,
             QStringLiteral("Momento flettente ultimo resistente, Mu = m*fmd(b*h^2)/6 = ") + it.whole(r.Mu) +
                 QStringLiteral("daN*cm"));
    dataLine(sheet, paper, 1.80,
             QStringLiteral("Posizione asse neutro/zona compressa,yan = ") + it.formatted(r.yan, 2) +
                 QStringLiteral(" cm"));
    const double ratio = ratioOf(r, s);
    dataLine(sheet, paper, 1.85, QStringLiteral("Rapporto Mu / Md = ") + it.formatted(ratio, 4),
             verdict(analysis, ratio));
}

void circularSheet(drawing::Surface& sheet, const SheetPaper& paper, engine::Analysis& analysis,
                   const QString& descrizione, const Items& it) {
    const engine::CurrentSection& s = analysis.section();
    const engine::SectionResult& r = analysis.result();
    materialLines(sheet, paper, s, descrizione, it);
    dataLine(sheet, paper, 1.05, QStringLiteral("DIMENSIONI:"));
    dataLine(
        sheet, paper, 1.10,
        QStringLiteral("Diametro della sezione circolare, d = ") + it.number(s.d) + QStringLiteral("cm"));
    dataLine(sheet, paper, 1.15, QStringLiteral("Copriferro, c = ") + it.number(s.c) + QStringLiteral("cm"));
    dataLine(sheet, paper, 1.20,
             QStringLiteral("Area armatura totale, Aa = ") + it.number(s.Aa) + QStringLiteral("cm^2"));
    dataLine(sheet, paper, 1.25, QStringLiteral("SOLLECITAZIONI:"));
    dataLine(sheet, paper, 1.30,
             QStringLiteral("Sforzo normale di progetto, Nd = ") + it.number(s.Nd) + QStringLiteral("daN"));
    dataLine(
        sheet, paper, 1.35,
        QStringLiteral("Momento flettente di progetto, Md = ") + it.number(s.Md) + QStringLiteral("daN*cm"));
    dataLine(sheet, paper, 1.40, QStringLiteral("RISULTATI ALLO SLU (FRONTIERA FORTEMA):"));
    analysis.cutDesignPoint();
    dataLine(sheet, paper, 1.45,
             QStringLiteral("n =") + it.number(analysis.nd()) + QStringLiteral("  - m =") +
                 it.single(analysis.md()));
    dataLine(
        sheet, paper, 1.50,
        QStringLiteral("Sforzo normale ultimo resistente, Nu = ") + it.whole(r.Nu) + QStringLiteral("daN"));
    dataLine(sheet, paper, 1.55,
             QStringLiteral("Momento flettente ultimo resistente, Mu = ") + it.whole(r.Mu) +
                 QStringLiteral("daN*cm"));
    const double ratio = ratioOf(r, s);
    const QString ratioText = QStringLiteral("Rapporto Mu / Md = ") + it.formatted(ratio, 4);
    dataLine(sheet, paper, 1.60, ratioText, analysis.beyondCapacity() ? verdict(analysis, ratio) : QString());
}

}  // namespace

ChartPens chartPens(double dotsPerInch) {
    ChartPens pens;
    pens.curve = std::max(3, int(std::ceil(0.5 * dotsPerInch / 72.0)));
    pens.grid = std::max(1, pens.curve / 3);
    return pens;
}

bool printSection(drawing::Surface& sheet, engine::Analysis& analysis, const PrintChoice& choice,
                  const NumberLocale& loc, const SheetPaper& paper, QString* whyNot) {
    const ChartPens pens = chartPens(paper.dotsPerInch);
    try {
        sheet.setScale(kSheetLeft, -0.75, kSheetWidth, 2.88);
        sheet.setLineWidth(pens.curve);
        sheet.setFontName(kFont);
        sheet.setFontSize(kFontSize);
        sheet.setForeColor(qbColor(0));

        const ChartScale c = chartScale(analysis, choice);
        chartTexts(sheet, c, choice);
        // A circle's five fields are drawn in their colours too, so it carries the legend.
        if (c.reinforcedLabels || !c.rectangular) legend(sheet);
        grid(sheet, pens.grid);

        sheet.setFontName(kFont);
        sheet.setFontSize(kFontSize);
        sheet.setForeColor(qbColor(0));
        sheet.setLineWidth(pens.curve);
        dataLine(sheet, paper, kHeadingY, QString::fromLatin1(kSheetHeading));

        curves(sheet, analysis, c);
        designPoint(sheet, analysis, c);

        const Items items(loc);
        if (choice.option1) {
            rectangularSheet(sheet, paper, analysis, choice.descrizione, items);
        } else {
            circularSheet(sheet, paper, analysis, choice.descrizione, items);
        }
        sheet.endDocument();
        return true;
    } catch (const PrintFailure& failure) {
        if (whyNot) *whyNot = QString::fromUtf8(failure.reason);
        return false;
    }
}

PrintOutcome printSectionOn(QPrinter& printer, engine::Analysis& analysis, const PrintChoice& choice,
                            const NumberLocale& loc) {
    const PrintOutcome printerFailed{false, QString::fromUtf8(kPrintProblem), true};
    // The page is drawn on a copy, whose cut design point is kept only once the printer has
    // started: a printer that cannot start fails before the page is drawn, as it always did.
    engine::Analysis drawn = analysis;
    const int resolution = std::max(printer.resolution(), 1);
    drawing::RecordingSurface page(std::max(printer.width(), 1), std::max(printer.height(), 1), resolution);
    const SheetPaper sheetPaper{double(std::max(printer.width(), 1)) * 72.0 / resolution, double(resolution)};
    QString whyNot;
    if (!printSection(page, drawn, choice, loc, sheetPaper, &whyNot)) {
        analysis = drawn;
        return PrintOutcome{false, whyNot};
    }
    drawing::QPainterSurface paper(&printer);
    if (paper.failed()) return printerFailed;
    analysis = drawn;
    page.replay(paper);
    return paper.failed() ? printerFailed : PrintOutcome{true, QString()};
}

PrintOutcome printSectionOnCurrentPrinter(engine::Analysis& analysis, const PrintChoice& choice,
                                          const NumberLocale& loc) {
    return printSectionOn(drawing::currentPrinter(), analysis, choice, loc);
}

}  // namespace fortema::report
