#pragma once

// Section analysis: reading the input texts of one section, tracing its M-N strength
// domain strain field by strain field, choosing the design point and producing the
// ultimate resultants. No window code lives here; the windows call Analysis::calcola.

#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

namespace fortema::engine {

// The warnings of the calculation, exactly as the program shows them.
namespace warning {
inline constexpr const char* kNegativeMoment = "Inserire sempre momento flettente Md > 0";
inline constexpr const char* kRectangularTension = "Attenzione, risultati inattendibili: Nd < 0 ed A1 = 0  ";
inline constexpr const char* kCircularTension = "Attenzione, risultati inattendibili: Nd<0 ed Aa=0  ";
inline constexpr const char* kRectangularFinal =
    "ATTENZIONE: Nd<0 / A1 insufficiente / Materiale con schiacciamento ";
inline constexpr const char* kCircularFinal =
    "ATTENZIONE, RISULTATI INATTENDIBILI: Nd<0 - Aa INSUFFICIENTE  ";
inline constexpr const char* kCoverTooLarge =
    "Attenzione, dati non validi: il copriferro c deve essere minore del raggio d/2";
inline constexpr const char* kCoversTooLarge =
    "Attenzione, dati non validi: la somma dei copriferri c1 + c2 deve essere minore dell'altezza h";
inline constexpr const char* kSteelTooLarge =
    "Attenzione, dati non validi: l'area dell'armatura Aa deve essere minore dell'area della sezione";
// Followed by the value to blame (outOfRangeWarning).
inline constexpr const char* kOutOfRange =
    "Attenzione, dati non validi: valori troppo grandi o troppo piccoli per il calcolo";
// "Attenzione, dati non validi: <symbol> deve essere diverso da zero"
std::string zeroValue(const std::string& symbol);
// "Attenzione, dati non validi: <symbol> non può essere negativo"
std::string negativeValue(const std::string& symbol);
}  // namespace warning

// A double rounded to single precision, as the places that keep single precision hold it.
// Beyond the float range the result is the infinity of that sign (the plain conversion is
// undefined there); the engine refuses such a calculation.
inline float toSingle(double v) {
    constexpr float kMax = std::numeric_limits<float>::max();
    if (v > kMax) return std::numeric_limits<float>::infinity();
    if (v < -kMax) return -std::numeric_limits<float>::infinity();
    return static_cast<float>(v);
}

enum class Layout { Rectangular, Circular };

// Single precision holds `v`: it lies within the range of a float and, unless it is 0, does not
// round to 0 there.
inline bool fitsSingle(double v) {
    const float f = toSingle(v);
    return std::isfinite(f) && (v == 0 || f != 0);
}

// The values the last calculation read, in engine units (cm, cm², daN, daN·cm, daN/cm²).
// A value of the other layout keeps what it last held.
struct CurrentSection {
    double fyk = 0, fyd = 0, Ea = 0, fmd = 0, Em = 0;
    double Nd = 0, Md = 0;
    double b = 0, h = 0, c1 = 0, c2 = 0, A1 = 0;
    float A2 = 0;
    double d = 0, c = 0, Aa = 0;
};

// After a calculation: Nu (daN) and Mu (daN·cm) as whole numbers, yan (cm) cut to 0.01,
// campo 1..5 (0 for an unreinforced rectangle).
struct SectionResult {
    double Nu = 0;
    double Mu = 0;
    float yan = 0;
    std::int16_t campo = 0;
};

struct CurvePoint {
    double n = 0;
    double m = 0;
};

// The traced points of one strain field, indexed from 1 as the drawing rules count them.
// Points a calculation did not rewrite keep what an earlier calculation stored.
class FieldCurve {
public:
    static constexpr int kCapacity = 200;

    const CurvePoint& operator[](int i) const { return m_points.at(static_cast<std::size_t>(i)); }
    void set(int i, double n, double m) {
        m_points.at(static_cast<std::size_t>(i)) = {n, m};
        if (i > m_size) m_size = i;
    }
    // Highest index ever stored in this list.
    int size() const { return m_size; }

private:
    std::array<CurvePoint, kCapacity + 1> m_points{};
    int m_size = 0;
};

// The texts of the input boxes of the main window, as typed (mm, mm², daN, daN·cm, daN/cm²).
struct SectionTexts {
    std::string fyk = "0", fyd = "0", Ea = "0", fmd = "0", Em = "0";
    std::string Nd = "0", Md = "0";
    std::string b = "0", h = "0", c1 = "0", c2 = "0", A1 = "0", A2 = "0";
    std::string d = "0", c = "0", Aa = "0";
};

// Reads the texts into `section` (fyk, fyd, Ea, fmd, Em, Nd, Md, then the boxes of the
// layout: lengths ÷ 10, areas ÷ 100), each as its box is read (see input_fields.h). The other
// layout's values are left alone.
// An Nd that reads 0 becomes 1; returns true when that happened (the box must show "1").
bool readSection(const SectionTexts& texts, Layout layout, CurrentSection& section);

// One number of a section as the archive keeps it: the symbol the messages name it by, the value
// in the unit the user types it in (the unit "Sa&lva dati" stores it in), and that unit.
struct StoredValue {
    const char* symbol;
    double value;
    const char* unit;
};

// The numbers "Sa&lva dati" stores from a calculation of `layout`: the materials and the actions,
// the layout's lengths in mm and areas in mm², then Nu, Mu and, for a rectangle, yan in cm.
std::vector<StoredValue> storedValues(const CurrentSection& section, const SectionResult& result,
                                      Layout layout);

// kOutOfRange followed by the value most likely to blame, as typed: ": h = 1E+21 mm". It is the
// first value single precision cannot hold among the typed ones, or else the typed value of
// the most extreme magnitude.
std::string outOfRangeWarning(const CurrentSection& section, Layout layout);

// The refusal when a number "Sa&lva dati" would store does not fit the single precision the
// archive keeps (outOfRangeWarning); empty when all fit.
std::string storedValuesWarning(const CurrentSection& section, const SectionResult& result, Layout layout);

// The checks between reading and tracing, in the order the program makes them: Md < 0, the
// layout's Nd < 0 without tension steel, then the values the calculation cannot divide by,
// a circular cover that leaves no bar ring, and sections that cannot exist (the covers of a
// reinforced rectangle filling its depth, a circle's steel filling its area), last a typed value
// the archive could not keep in single precision. The warning that refuses, or empty.
std::string checkSection(const CurrentSection& section, Layout layout);

struct CalcOutcome {
    // True when a domain was traced (and results are to be shown); false when a check
    // before tracing refused the section.
    bool traced = false;
    // The Nd box must now show "1".
    bool ndSetToOne = false;
    // The warning that refused the section (traced == false), or empty.
    std::string refusal;
    // The warning to show after the results (Mu ≤ 0, or Nd beyond the axial capacity), or empty.
    std::string finalWarning;
};

class Analysis {
public:
    // The calculation behind "&CALCOLA": read, check, trace, search, results.
    CalcOutcome calcola(const SectionTexts& texts, Layout layout);

    const CurrentSection& section() const { return m_section; }
    const SectionResult& result() const { return m_result; }
    // field 1..5
    const FieldCurve& curve(int field) const { return m_curves.at(static_cast<std::size_t>(field)); }

    // The design point of the last calculation, non-dimensional.
    double nd() const { return m_nd; }
    float md() const { return m_md; }
    // The printed data sheet cuts the design point to four decimals and keeps it so.
    void cutDesignPoint();

    Layout layout() const { return m_layout; }
    // A1 > 0 or A2 > 0: the reinforced plot scale and legend.
    bool reinforcedScale() const { return m_section.A1 > 0 || m_section.A2 > 0; }
    // The last calculation traced an unreinforced rectangle (A1 = A2 = 0).
    bool unreinforced() const {
        return m_layout == Layout::Rectangular && m_section.A1 == 0 && m_section.A2 == 0;
    }
    // Verdict of the last calculation: Mu ≥ Md and Nd within the axial capacity.
    bool passes() const { return m_passes; }
    // Nd lies beyond the largest or smallest n traced by the last calculation.
    bool beyondCapacity() const { return m_beyondCapacity; }
    // The last calculation found a traced point on the side of the design force.
    bool pointFound() const { return m_pointFound; }

private:
    CurrentSection m_section;
    SectionResult m_result;
    std::array<FieldCurve, 6> m_curves{};
    double m_nd = 0;
    float m_md = 0;
    Layout m_layout = Layout::Rectangular;
    bool m_passes = false;
    bool m_beyondCapacity = false;
    bool m_pointFound = false;

    friend class AnalysisAccess;  // tests and the command line read internals through it
};

}  // namespace fortema::engine
