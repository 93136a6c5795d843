#pragma once

// Tracing of the M-N strength domain of one section as a pure function of the values read
// into a CurrentSection: the points of the five strain fields, the design point and the
// point chosen for it. Analysis::calcola commits a trace to its lists only when every
// number in it is finite.

#include "engine/section.h"

#include <array>
#include <cstdint>
#include <limits>

namespace fortema::engine {

struct DomainTrace {
    using Points = std::array<CurvePoint, FieldCurve::kCapacity + 1>;

    // points[field][i], i from 1 to count[field]; only these are written by this trace.
    std::array<Points, 6> points;
    std::array<int, 6> count{};

    double nd = 0;  // design point, non-dimensional
    float md = 0;
    bool unreinforced = false;  // A1 = A2 = 0 in the rectangular layout: no search

    // The chosen point (found == false when no traced point matched the design force).
    bool found = false;
    double n = 0;
    double m = 0;
    float yan = 0;  // rectangular only
    std::int16_t campo = 0;

    // Extremes of n over every point this trace stored, including the two end points.
    double nMin = 0;
    double nMax = 0;

    void store(int field, int i, double n, double m);
    bool allFinite() const;
};

// The search for the traced point whose n is nearest to the design value on the same side
// of zero. The gap is compared in single precision and strictly, so that the earlier of
// two equally near points wins.
class DesignSearch {
public:
    explicit DesignSearch(double nd) : m_nd(nd) {}

    void offer(double n, double m, std::int16_t campo, float yan);
    // A design force beyond every traced n by more than the initial gap of 10 still takes
    // the nearest point on its side, the capacity, as a force just beyond it does: the
    // section is then judged as beyond its capacity rather than left without a result.
    void writeTo(DomainTrace& trace) const;

private:
    struct Choice {
        float gap;
        bool found = false;
        double n = 0;
        double m = 0;
        float yan = 0;
        std::int16_t campo = 0;
        void take(float g, double pn, double pm, std::int16_t c, float y) {
            gap = g, found = true, n = pn, m = pm, campo = c, yan = y;
        }
    };
    double m_nd;
    Choice m_best{10};
    Choice m_nearest{std::numeric_limits<float>::infinity()};
};

// The step along the field-5 line from P4 to the pure-compression point: large enough for
// the 49 steps to reach it.
double fieldFiveStep(double nc, double nP4);

// One point of the field-5 line, m = m_P4 − (n − n_P4)/k, with the degenerate lines
// (P4 on the pure-compression point) kept at P4 instead of dividing zero by zero.
double fieldFiveM(double n, double nP4, double mP4, double k);

DomainTrace traceRectangular(const CurrentSection& s);
DomainTrace traceCircular(const CurrentSection& s);

// The values the strip integration of a circular section works with, derived once per
// calculation.
struct CircleSection {
    double r = 0, rs = 0, Ac = 0, t = 0;
    double fyd = 0, Ea = 0, fmd = 0, Em = 0;
    float eyd = 0;      // yield strain cut to four decimals
    double e0 = 0;      // end of the elastic branch of the concrete, cut likewise
    double nScale = 0;  // fmd·Ac
    double mScale = 0;  // fmd·r³/10.2
};

CircleSection circleSection(const CurrentSection& s);

// The angles of the strips: 0, 0.02, ..., 3.14, counted as the strip loop counts them.
int circleStripCount();

// Straight strip loop for the strain state (compressed upper edge eTop, tensile lower edge
// eBot), with the trigonometry evaluated in every strip: the reference that the tabulated
// integration must match bit for bit.
CurvePoint integrateCirclePlain(const CircleSection& cs, double eTop, double eBot);

// The same integration with the strip geometry, which depends only on r and rs,
// tabulated once per section.
class CircleStrips {
public:
    explicit CircleStrips(const CircleSection& cs);
    CurvePoint integrate(double eTop, double eBot) const;

    // The strips in order, and the depths (as fractions of the diameter) at which integrate()
    // takes the strain of strip i's concrete and of its ring element.
    int count() const { return m_count; }
    double concreteDepth(int i) const { return m_strips.at(static_cast<std::size_t>(i)).eta; }
    double steelDepth(int i) const { return m_strips.at(static_cast<std::size_t>(i)).etaSteel; }

private:
    struct Strip {
        double eta;         // y / 2r of the concrete strip
        double area;        // 2·r·sin θ·Δy
        double lever;       // r·|cos θ|, signed by the side of the centre
        double etaSteel;    // y_s / 2r of the ring element
        double leverSteel;  // rs·cos θ
        // n and m of the strip with yielded steel in tension and no concrete, and with
        // yielded steel in compression and concrete at fmd: the same for every strain state.
        alignas(16) double stretched[2];
        alignas(16) double crushed[2];
    };
    CircleSection m_cs;
    double m_steelArea = 0;
    std::array<Strip, 200> m_strips{};
    int m_count = 0;
};

// The result step after tracing: the chosen point turned into Nu and Mu (whole daN and
// daN·cm, cut towards minus infinity), yan cut to 0.01 cm, the verdict and whether the
// layout's final warning is due. `previous` is the result of the last calculation, whose
// yan a circular section leaves as it was.
struct ResultStep {
    SectionResult result;
    bool passes = false;
    bool beyondCapacity = false;
    bool finalWarning = false;
};

ResultStep showResults(const CurrentSection& s, Layout layout, const DomainTrace& t,
                       const SectionResult& previous);

}  // namespace fortema::engine
