#pragma once

// The one-page printout of the current section behind "&STAMPA": the M-N domain chart of the
// last calculation at half size, then the data sheet of the layout chosen at print time.
//
// The page is drawn in sheet coordinates: x from -0.9 at the left edge of the printable area to
// 1.18 at its right edge, y from -0.75 at its top to 2.13 at its bottom.

#include <QString>

#include "drawing/surface.h"
#include "engine/numtext.h"
#include "engine/section.h"

class QPrinter;

namespace fortema::report {

inline constexpr const char* kPrintProblem = "Problema di stampa nella stampante utilizzata.";
// The sheet cannot be printed because of the data, not the printer.
inline constexpr const char* kPrintNoRatio =
    "Stampa non possibile: con Md = 0 il rapporto Mu / Md non è definito.";
inline constexpr const char* kPrintOutOfRange =
    "Stampa non possibile: un valore da stampare è troppo grande o troppo piccolo.";

// The heading of the sheet; it stands at the top of the printable area, above the chart.
inline constexpr const char* kSheetHeading =
    "FORTEMA VER.2.4/2018/VERIFICHE ALLO STATO LIMITE DI SEZIONI SEMPLICI O ARMATE";
inline constexpr double kHeadingY = -0.7;

// What the printout reads from the window at print time, besides the last calculation.
struct PrintChoice {
    bool option1 = true;   // rectangular layout chosen
    bool option2 = false;  // circular layout chosen
    QString descrizione;
};

// The paper the sheet goes on: the width of its printable area in points, which the texts must
// not cross, and its resolution, so that lines keep their thickness on any printer (0: widths
// stay in device pixels, as on a screen).
struct SheetPaper {
    double widthPoints = 538.6;  // A4 with margins of 1 cm
    double dotsPerInch = 0;
};

// Draws the whole page on `sheet` and ends its document. Between the results heading and the
// design-point line the design point of `analysis` is cut to four decimals and kept so.
// Returns false, with the page left unfinished and not ended, when a printed value cannot be
// computed (Mu / Md or the design m with a zero divisor): nothing prints "inf" or "nan". The data
// to blame are then told in `whyNot` (kPrintNoRatio, kPrintOutOfRange).
// A line too long for the paper is set smaller, then cut (see text_fit.h).
bool printSection(drawing::Surface& sheet, engine::Analysis& analysis, const PrintChoice& choice,
                  const engine::numtext::NumberLocale& loc, const SheetPaper& paper = {},
                  QString* whyNot = nullptr);

// Line widths of the printed chart in device pixels: the curves at least half a point wide, the
// grid a third of that and never as thick as the curves; 3 and 1 at screen resolutions.
struct ChartPens {
    int curve = 3;
    int grid = 1;
};
ChartPens chartPens(double dotsPerInch);

struct PrintOutcome {
    bool printed = false;
    QString message;  // kPrintProblem, or the data's reason, when not printed
    // The page was whole but the printer did not take it (it would not start or not finish);
    // false when a printed value could not be computed.
    bool printerFailed = false;
};

// `stampa_Click` on a printer: the page is drawn in full on a recorder first, and the printer is
// only started, given the page and ended when that succeeded, so a failure sends nothing. The
// design point of `analysis` is cut as the page cuts it, unless the printer itself fails.
PrintOutcome printSectionOn(QPrinter& printer, engine::Analysis& analysis, const PrintChoice& choice,
                            const engine::numtext::NumberLocale& loc);
// The same on the program's current printer.
PrintOutcome printSectionOnCurrentPrinter(engine::Analysis& analysis, const PrintChoice& choice,
                                          const engine::numtext::NumberLocale& loc);

}  // namespace fortema::report
