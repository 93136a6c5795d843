#pragma once

// The exact design point: the traced domain made continuous. Each field keeps the material laws,
// the fixed strains and the rules of its tracing; only its strain parameter runs continuously
// instead of in steps, so the point at the design force is solved for rather than taken from the
// nearest step. The traced results stay what they are; this is a second opinion beside them.

#include "engine/domain.h"
#include "engine/section.h"

#include <array>
#include <limits>
#include <optional>
#include <string>
#include <vector>

namespace fortema::engine {

inline constexpr double kNotDefined = std::numeric_limits<double>::quiet_NaN();

// One point of the boundary on the side of positive moments (upper edge compressed).
struct BoundaryPoint {
    double N = kNotDefined;  // daN, compression positive
    double M = kNotDefined;  // daN·cm about mid-depth (rectangle) or the centre (circle)
    int campo = 0;           // 1..5; 0 for the unreinforced rectangle
    // Neutral-axis depth, cm, as the tracing gives yan: 0 in field 1 and h in field 5 of the
    // rectangle, n·h for the unreinforced one; the depth of zero strain for a circle's state.
    double x = kNotDefined;
    // Strain of the compressed edge (shortening positive) and of the tension steel (A1, or the
    // lowest bar of the ring; elongation positive). Not defined on the straight lines of fields 5
    // and (circle) 1, nor for the unreinforced rectangle, which have no strain state.
    double edgeStrain = kNotDefined;
    double steelStrain = kNotDefined;
    // On a straight bridge over a jump of the laws rather than on a strain state.
    bool bridge = false;
};

// The ordered, continuous boundary of the positive side, from the pure-tension point (s = 0) to
// the pure-compression point (s = end()). Each piece of it occupies one unit of s: a field's strain
// running over part of its range, a straight line of the tracing (field 5, the circle's field 1),
// or a bridge. A bridge spans a jump of the laws in N and M linearly, where the strain state stays
// but a stress does not: the circle's steel at the cut yield strain (Ea·εyd < fyd) and its concrete
// at the cut ε0 (Em·ε0 < fmd), and A2 between field 2's stress and the fyd that field 3 assumes.
// Along s, N never decreases for sections of sound proportions.
//
// The negative side is the same boundary of the rectangle turned over (A1, c1 swapped with A2, c2,
// M negated); the circle and the unreinforced rectangle are symmetric.
class ExactBoundary {
public:
    // The section must have passed checkSection for the layout.
    ExactBoundary(const CurrentSection& s, Layout layout);

    double end() const { return static_cast<double>(m_pieces.size()); }
    BoundaryPoint evaluate(double s) const;

    // The raw point of a strain-field at its varying strain, as the tracing defines it (without
    // bridges): rectangle field 1 the strain of A2, field 2 that of the compressed edge, fields 3
    // and 4 that of A1; circle field 2 the upper edge's strain, fields 3 and 4 the lower edge's.
    BoundaryPoint state(int campo, double strain) const;

    // The scales of the non-dimensional n and m of the layout.
    double nScale() const { return m_nScale; }
    double mScale() const { return m_mScale; }

private:
    enum class Kind { Sweep, Bridge, Line, Parabola };
    struct Piece {
        Kind kind;
        int campoA = 0, campoB = 0;  // Sweep: campoA; Bridge: the fields of its two end states
        double eA = 0, eB = 0;       // Sweep: strain from eA to eB; Bridge: strains of its ends
        int line = 0;                // Line: its ends in m_lines

        explicit Piece(Kind k, int a = 0, int b = 0, double ea = 0, double eb = 0)
            : kind(k), campoA(a), campoB(b), eA(ea), eB(eb) {}
    };

    void addSweep(int campo, double from, double to);
    void addLine(int campo, const BoundaryPoint& from, const BoundaryPoint& to);
    void circleJumps(int campo, double from, double to, std::vector<double>& at) const;
    BoundaryPoint rectState(int campo, double e) const;
    BoundaryPoint circleState(int campo, double e) const;

    CurrentSection m_s;
    Layout m_layout;
    bool m_unreinforced = false;
    double m_nScale = 0, m_mScale = 0;
    double m_eyd = 0;  // the yield strain of the layout's steel law
    CircleSection m_cs;
    std::optional<CircleStrips> m_strips;  // circle only
    std::vector<Piece> m_pieces;
    std::vector<std::array<BoundaryPoint, 2>> m_lines;
};

// The design point solved at the design force: Nu within 0.5 daN of Nd (in practice far closer),
// Mu, yan and strains not cut. A section the calculation refuses is refused here too (refusal
// holds the warning); Nd beyond the pure-compression or pure-tension force is beyondCapacity, with
// no point.
struct ExactResult {
    bool found = false;
    bool beyondCapacity = false;
    bool onBridge = false;
    std::string refusal;
    double Nu = kNotDefined;  // daN
    double Mu = kNotDefined;  // daN·cm
    int campo = 0;
    double yan = kNotDefined;  // cm, rectangle only
    double edgeStrain = kNotDefined;
    double steelStrain = kNotDefined;
};

ExactResult solveExact(const CurrentSection& s, Layout layout, double Nd);

// How far the load (N, M ≥ 0) can be scaled from the origin before it leaves the domain: the
// factor λ with λ·(N, M) on the positive side of the boundary; the load is carried when λ ≥ 1.
// found is false for a zero load, for M < 0, and for a ray that leaves through the other side,
// which happens only near the N axis when the pure-tension or pure-compression point lies off it.
// A section with no tensile strength whose boundary starts at the origin gives λ = 0 for a ray
// above the boundary's first tangent.
struct RayHit {
    bool found = false;
    double factor = kNotDefined;
    BoundaryPoint point;
};

RayHit loadRayFactor(const ExactBoundary& boundary, double N, double M);

}  // namespace fortema::engine
