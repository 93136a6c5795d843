#include "engine/exact_domain.h"

#include <algorithm>
#include <cmath>

namespace fortema::engine {

namespace {

// Half the width, in strain, of the step over a jump of the laws: far above the rounding of the
// strip strains (about 1e-18), far below anything that shows in N or M.
constexpr double kJumpStrain = 1e-11;

BoundaryPoint between(const BoundaryPoint& a, const BoundaryPoint& b, double t) {
    const auto mix = [t](double u, double v) { return (1 - t) * u + t * v; };
    BoundaryPoint p;
    p.N = mix(a.N, b.N);
    p.M = mix(a.M, b.M);
    p.x = mix(a.x, b.x);
    p.edgeStrain = mix(a.edgeStrain, b.edgeStrain);
    p.steelStrain = mix(a.steelStrain, b.steelStrain);
    p.campo = t < 0.5 ? a.campo : b.campo;
    p.bridge = a.bridge || b.bridge;
    return p;
}

struct Bracket {
    double sLo, sHi;
    BoundaryPoint lo, hi;
};

// Bisection of s down to the place where `before` turns false; `before` holds at lo unless lo is
// the start. A sign change is enough: N or the ray's cross product need not be monotonic.
template <class Before>
Bracket narrow(const ExactBoundary& b, Before before) {
    Bracket k{0, b.end(), b.evaluate(0), b.evaluate(b.end())};
    const double width = 1e-12 * std::max(1.0, b.end());
    while (k.sHi - k.sLo > width) {
        const double mid = 0.5 * (k.sLo + k.sHi);
        if (!(mid > k.sLo && mid < k.sHi)) break;
        const BoundaryPoint p = b.evaluate(mid);
        if (before(p)) {
            k.sLo = mid;
            k.lo = p;
        } else {
            k.sHi = mid;
            k.hi = p;
        }
    }
    return k;
}

bool finite(const BoundaryPoint& p) { return std::isfinite(p.N) && std::isfinite(p.M); }

}  // namespace

ExactBoundary::ExactBoundary(const CurrentSection& s, Layout layout) : m_s(s), m_layout(layout) {
    if (layout == Layout::Rectangular) {
        m_nScale = s.fmd * s.b * s.h;
        m_mScale = s.fmd * s.b * (s.h * s.h) / 6;
        // The continuous law Ea·ε up to fyd: the single-precision εyd of the tracing is a storage matter.
        m_eyd = s.fyd / s.Ea;
        if (s.A1 == 0 && s.A2 == 0) {
            m_unreinforced = true;
            m_pieces.emplace_back(Kind::Parabola);
            return;
        }
        const double eyd = std::min(m_eyd, 0.01);
        addSweep(1, m_eyd, 0);
        addSweep(2, 0, 0.0035);
        addSweep(3, 0.01, eyd);
        addSweep(4, eyd, 0);
        BoundaryPoint p4 = rectState(4, 0), pc;
        pc.N = s.fmd * s.b * s.h + s.fyd * (s.A1 + s.A2);
        pc.M = s.fyd * s.A2 * (s.h / 2 - s.c2) - s.fyd * s.A1 * (s.h / 2 - s.c1);
        addLine(5, p4, pc);
        return;
    }
    m_cs = circleSection(s);
    m_strips.emplace(m_cs);
    m_pieces.reserve(static_cast<std::size_t>(12 * m_strips->count()));  // a few hundred jumps
    m_nScale = m_cs.nScale;
    m_mScale = m_cs.mScale;
    m_eyd = m_cs.eyd;
    BoundaryPoint pt, pc;
    pt.N = -s.fyd * s.Aa;
    pt.M = 0;
    pc.N = s.fmd * m_cs.Ac + s.fyd * s.Aa;
    pc.M = 0;
    const double eyd = std::min(m_eyd, 0.01);
    addLine(1, pt, circleState(2, 0));
    addSweep(2, 0, 0.0035);
    addSweep(3, 0.01, eyd);
    addSweep(4, eyd, 0);
    addLine(5, circleState(4, 0), pc);
}

void ExactBoundary::addLine(int campo, const BoundaryPoint& from, const BoundaryPoint& to) {
    BoundaryPoint a, b;
    a.campo = b.campo = campo;
    a.x = b.x = m_layout == Layout::Rectangular ? m_s.h : kNotDefined;
    a.N = from.N, a.M = from.M;
    b.N = to.N, b.M = to.M;
    Piece p(Kind::Line, campo, campo);
    p.line = static_cast<int>(m_lines.size());
    m_lines.push_back({a, b});
    m_pieces.push_back(p);
}

void ExactBoundary::addSweep(int campo, double from, double to) {
    if (from == to) return;
    // Where one field's law hands over to the next with a jump (A2 between fields 2 and 3), the
    // two states are joined by a bridge.
    if (!m_pieces.empty() && m_pieces.back().kind != Kind::Line) {
        const Piece& last = m_pieces.back();
        const BoundaryPoint a = state(last.campoB, last.eB), b = state(campo, from);
        if (std::fabs(a.N - b.N) > 1e-9 * m_nScale || std::fabs(a.M - b.M) > 1e-9 * m_mScale) {
            m_pieces.emplace_back(Kind::Bridge, last.campoB, campo, last.eB, from);
        }
    }
    if (m_layout == Layout::Rectangular) {
        m_pieces.push_back(Piece(Kind::Sweep, campo, campo, from, to));
        return;
    }
    // The circle's laws jump wherever a strip's strain crosses the cut yield strain of the steel
    // or the cut ε0 of the concrete: continuous stretches between them, a bridge over each.
    std::vector<double> jumps;
    circleJumps(campo, from, to, jumps);
    std::sort(jumps.begin(), jumps.end());
    const double span = to - from;
    const double du = kJumpStrain / std::fabs(span);
    const auto strain = [&](double u) { return u >= 1 ? to : from + u * span; };
    double done = 0;
    for (std::size_t i = 0; i < jumps.size();) {
        std::size_t j = i;
        while (j + 1 < jumps.size() && jumps[j + 1] - jumps[j] < 3 * du) ++j;  // one step over all
        const double a = std::max(done, jumps[i] - du), b = std::min(1.0, jumps[j] + du);
        if (a > done) m_pieces.push_back(Piece(Kind::Sweep, campo, campo, strain(done), strain(a)));
        if (b > a) m_pieces.push_back(Piece(Kind::Bridge, campo, campo, strain(a), strain(b)));
        done = std::max(done, b);
        i = j + 1;
    }
    if (done < 1) m_pieces.push_back(Piece(Kind::Sweep, campo, campo, strain(done), to));
}

void ExactBoundary::circleJumps(int campo, double from, double to, std::vector<double>& at) const {
    const double span = to - from;
    const double du = kJumpStrain / std::fabs(span);
    // The strain at depth fraction η is α + β·e for the field's varying strain e.
    const auto crossing = [&](double eta, double threshold) {
        const double alpha = campo == 2 ? 0.01 * eta : -0.0035 + 0.0035 * eta;
        const double beta = campo == 2 ? eta - 1 : eta;
        if (beta == 0) return;
        const double u = ((threshold - alpha) / beta - from) / span;
        if (u > -du && u < 1 + du) at.push_back(std::clamp(u, 0.0, 1.0));
    };
    const CircleStrips& strips = *m_strips;
    for (int i = 0; i < strips.count(); ++i) {
        if (m_s.Aa != 0) {
            crossing(strips.steelDepth(i), m_cs.eyd);
            crossing(strips.steelDepth(i), -static_cast<double>(m_cs.eyd));
        }
        crossing(strips.concreteDepth(i), -m_cs.e0);
    }
}

BoundaryPoint ExactBoundary::state(int campo, double strain) const {
    if (m_unreinforced) return {};
    if (m_layout == Layout::Rectangular)
        return campo >= 1 && campo <= 4 ? rectState(campo, strain) : BoundaryPoint{};
    return campo >= 2 && campo <= 4 ? circleState(campo, strain) : BoundaryPoint{};
}

BoundaryPoint ExactBoundary::rectState(int campo, double e) const {
    const double fyd = m_s.fyd, Ea = m_s.Ea, fmd = m_s.fmd, b = m_s.b, h = m_s.h, c2 = m_s.c2;
    const double A1 = m_s.A1, A2 = m_s.A2;
    const double d = h - m_s.c1;
    const double half1 = h / 2 - m_s.c1, half2 = h / 2 - c2;
    BoundaryPoint p;
    p.campo = campo;
    if (campo == 1) {
        // The section turns about A1 at its tension limit while A2 stretches.
        p.N = -fyd * A1 - Ea * e * A2;
        p.M = fyd * A1 * half1 - Ea * e * A2 * half2;
        p.x = 0;
        p.edgeStrain = d > c2 ? (0.01 - e) * c2 / (d - c2) - e : kNotDefined;
        p.steelStrain = 0.01;
        return p;
    }
    double x, s1, s2;
    if (campo == 2) {
        x = e * d / (e + 0.01);
        s1 = fyd;
        s2 = x > 0 ? Ea * e * (x - c2) / x : 0.0;
        s2 = std::clamp(s2, 0.0, fyd);
        p.edgeStrain = e;
        p.steelStrain = 0.01;
    } else {
        x = 0.0035 * d / (0.0035 + e);
        s1 = campo == 3 ? fyd : Ea * e;
        s2 = fyd;
        p.edgeStrain = 0.0035;
        p.steelStrain = e;
    }
    const double C = 0.8 * fmd * b * x;
    p.N = -s1 * A1 + s2 * A2 + C;
    p.M = s1 * A1 * half1 + s2 * A2 * half2 + C * (h / 2 - 0.4 * x);
    p.x = x;
    return p;
}

BoundaryPoint ExactBoundary::circleState(int campo, double e) const {
    const double eTop = campo == 2 ? e : 0.0035;
    const double eBot = campo == 2 ? 0.01 : e;
    const CurvePoint q = m_strips->integrate(eTop, eBot);
    BoundaryPoint p;
    p.campo = campo;
    p.N = q.n * m_nScale;
    p.M = q.m * m_mScale;
    const double r = m_cs.r;
    p.x = eTop + eBot > 0 ? 2 * r * eTop / (eTop + eBot) : kNotDefined;
    p.edgeStrain = eTop;
    p.steelStrain = -eTop + (eTop + eBot) * (r + m_cs.rs) / (2 * r);
    return p;
}

BoundaryPoint ExactBoundary::evaluate(double s) const {
    if (std::isnan(s)) s = 0;
    const double last = static_cast<double>(m_pieces.size() - 1);
    const double k = std::clamp(std::floor(s), 0.0, last);
    const double t = std::clamp(s - k, 0.0, 1.0);
    const Piece& p = m_pieces[static_cast<std::size_t>(k)];
    switch (p.kind) {
        case Kind::Sweep:
            return state(p.campoA, t >= 1 ? p.eB : p.eA + t * (p.eB - p.eA));
        case Kind::Bridge: {
            BoundaryPoint q = between(state(p.campoA, p.eA), state(p.campoB, p.eB), t);
            q.bridge = true;
            return q;
        }
        case Kind::Line: {
            const auto& ends = m_lines[static_cast<std::size_t>(p.line)];
            return between(ends[0], ends[1], t);
        }
        case Kind::Parabola:
            break;
    }
    BoundaryPoint q;
    q.N = t * m_nScale;
    q.M = 3 * t * (1 - t) * m_mScale;
    q.x = t * m_s.h;
    return q;
}

ExactResult solveExact(const CurrentSection& s, Layout layout, double Nd) {
    ExactResult r;
    CurrentSection checked = s;
    checked.Nd = Nd;
    r.refusal = checkSection(checked, layout);
    if (!r.refusal.empty()) return r;

    const ExactBoundary b(checked, layout);
    const BoundaryPoint tension = b.evaluate(0), compression = b.evaluate(b.end());
    if (!finite(tension) || !finite(compression) || !std::isfinite(Nd)) {
        r.refusal = outOfRangeWarning(checked, layout);
        return r;
    }
    if (Nd < tension.N || Nd > compression.N) {
        r.beyondCapacity = true;
        return r;
    }
    const Bracket k = narrow(b, [Nd](const BoundaryPoint& p) { return p.N < Nd; });
    const double gap = k.hi.N - k.lo.N;
    const BoundaryPoint p = between(k.lo, k.hi, gap > 0 ? std::clamp((Nd - k.lo.N) / gap, 0.0, 1.0) : 0.0);
    if (!finite(p)) {
        r.refusal = outOfRangeWarning(checked, layout);
        return r;
    }
    r.found = true;
    // A jump too narrow for its own bridge is crossed straight all the same.
    r.onBridge = p.bridge || gap > 0.5;
    r.Nu = p.N;
    r.Mu = p.M;
    r.campo = p.campo;
    if (layout == Layout::Rectangular) r.yan = p.x;
    r.edgeStrain = p.edgeStrain;
    r.steelStrain = p.steelStrain;
    return r;
}

RayHit loadRayFactor(const ExactBoundary& boundary, double N, double M) {
    RayHit hit;
    if (!(M >= 0) || !std::isfinite(N) || !std::isfinite(M) || (N == 0 && M == 0)) return hit;
    // Positive where the boundary point lies on the tension side of the ray.
    const auto cross = [N, M](const BoundaryPoint& p) { return N * p.M - M * p.N; };
    if (cross(boundary.evaluate(0)) < 0 || cross(boundary.evaluate(boundary.end())) > 0) return hit;
    const Bracket k = narrow(boundary, [&](const BoundaryPoint& p) { return cross(p) > 0; });
    const double cl = cross(k.lo), ch = cross(k.hi);
    const BoundaryPoint p = between(k.lo, k.hi, cl - ch > 0 ? std::clamp(cl / (cl - ch), 0.0, 1.0) : 0.0);
    const double along = p.N * N + p.M * M;
    if (along < 0 || !finite(p)) return hit;  // the crossing lies on the opposite ray
    hit.found = true;
    hit.factor = along / (N * N + M * M);
    hit.point = p;
    return hit;
}

}  // namespace fortema::engine
