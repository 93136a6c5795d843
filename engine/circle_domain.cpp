// The circular reinforced-concrete section, integrated in horizontal strips. The bars are
// smeared into a thin tube on the ring of radius rs; the element of the tube at the strip's
// angle sits at its own depth r − rs·cos θ, which keeps the steel where the bars are.
#include "engine/domain.h"
#include "engine/strain_limits.h"

#include <cmath>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace fortema::engine {

namespace {

constexpr double kPi = 3.141592654;
constexpr double kStripAngle = 0.02;
constexpr int kMaxStrips = 200;
// The lower edge of field 2 sits at the tension limit as a single holds it.
constexpr float kSteelStrainLimitSingle = static_cast<float>(kSteelStrainLimit);
static_assert(kSteelStrainLimitSingle == 0.01f);

double steelStress(const CircleSection& cs, double eps) {
    const double a = std::fabs(eps);
    return a > cs.eyd ? cs.fyd : cs.Ea * a;
}

double concreteStress(const CircleSection& cs, double eps) {
    const double a = std::fabs(eps);
    return a < cs.e0 ? cs.Em * a : cs.fmd;
}

}  // namespace

CircleSection circleSection(const CurrentSection& s) {
    CircleSection cs;
    cs.r = s.d / 2;
    cs.rs = cs.r - s.c;
    cs.Ac = kPi * (cs.r * cs.r);
    cs.t = s.Aa / (6.283185308 * cs.rs);
    cs.fyd = s.fyd;
    cs.Ea = s.Ea;
    cs.fmd = s.fmd;
    cs.Em = s.Em;
    cs.eyd = toSingle(std::floor(10000 * s.fyd / s.Ea) / 10000);
    cs.e0 = std::floor(10000 * s.fmd / s.Em) / 10000;
    cs.nScale = s.fmd * cs.Ac;
    cs.mScale = s.fmd * (cs.r * cs.r * cs.r) / 10.2;
    return cs;
}

int circleStripCount() {
    int count = 0;
    double theta = -kStripAngle;
    for (int round = 1; round <= kMaxStrips; ++round) {
        theta += kStripAngle;
        if (theta > kPi) break;
        ++count;
    }
    return count;
}

CurvePoint integrateCirclePlain(const CircleSection& cs, double eTop, double eBot) {
    const double r = cs.r, rs = cs.rs;
    const double steelArea = 2 * cs.t * (kStripAngle * rs);
    const double g = eBot + eTop;
    double n = 0, m = 0;
    double theta = -kStripAngle;
    float yPrev = 0;
    for (int round = 1; round <= kMaxStrips; ++round) {
        theta += kStripAngle;
        if (theta > kPi) break;
        const double y = r * (1 - std::cos(theta));
        const double dy = y - yPrev;

        const double ys = r - rs * std::cos(theta);
        const double es = -eTop + g * (ys / (2 * r));
        double F = std::fabs(steelStress(cs, es) * steelArea);
        if (es > 0) F = -F;
        double M = F * (rs * std::cos(theta));

        const double eps = -eTop + g * (y / (2 * r));
        if (eps < 0) {
            const double Fc = std::fabs(concreteStress(cs, eps) * (2 * r * std::sin(theta) * dy));
            F += Fc;
            const double lever = r * std::fabs(std::cos(theta));
            if (y < r) {
                M += Fc * lever;
            } else if (y > r) {
                M += Fc * -lever;
            } else {
                M += Fc * 0.0;
            }
        }
        n += F / cs.nScale;
        m += M / cs.mScale;
        yPrev = toSingle(y);
    }
    return {n, m};
}

CircleStrips::CircleStrips(const CircleSection& cs) : m_cs(cs) {
    const double r = cs.r, rs = cs.rs;
    m_steelArea = 2 * cs.t * (kStripAngle * rs);
    double theta = -kStripAngle;
    float yPrev = 0;
    for (int round = 1; round <= kMaxStrips; ++round) {
        theta += kStripAngle;
        if (theta > kPi) break;
        const double cosT = std::cos(theta);
        const double y = r * (1 - cosT);
        const double dy = y - yPrev;
        Strip& s = m_strips[static_cast<std::size_t>(m_count++)];
        s.eta = y / (2 * r);
        s.area = 2 * r * std::sin(theta) * dy;
        const double lever = r * std::fabs(cosT);
        s.lever = y < r ? lever : (y > r ? -lever : 0.0);
        s.etaSteel = (r - rs * cosT) / (2 * r);
        s.leverSteel = rs * cosT;

        // The two states that do not depend on the strain, by the same operations as integrate().
        const double Fs = std::fabs(cs.fyd * m_steelArea);
        const double Ft = -Fs;
        s.stretched[0] = Ft / cs.nScale;
        s.stretched[1] = Ft * s.leverSteel / cs.mScale;
        const double Fc = std::fabs(cs.fmd * s.area);
        s.crushed[0] = (Fs + Fc) / cs.nScale;
        s.crushed[1] = (Fs * s.leverSteel + Fc * s.lever) / cs.mScale;
        yPrev = toSingle(y);
    }
}

namespace {

// The running n and m of the strip loop. With SSE2 a strip's two divisions and two sums
// are one packed operation each; every lane rounds exactly as the scalar operation would.
class StripSum {
public:
#if defined(__SSE2__)
    StripSum(double nScale, double mScale) : m_scale(_mm_set_pd(mScale, nScale)), m_sum(_mm_setzero_pd()) {}
    void add(const double* nm) { m_sum = _mm_add_pd(m_sum, _mm_load_pd(nm)); }
    void addScaled(double F, double M) { m_sum = _mm_add_pd(m_sum, _mm_div_pd(_mm_set_pd(M, F), m_scale)); }
    CurvePoint value() const { return {_mm_cvtsd_f64(m_sum), _mm_cvtsd_f64(_mm_unpackhi_pd(m_sum, m_sum))}; }

private:
    __m128d m_scale;
    __m128d m_sum;
#else
    StripSum(double nScale, double mScale) : m_nScale(nScale), m_mScale(mScale) {}
    void add(const double* nm) {
        m_n += nm[0];
        m_m += nm[1];
    }
    void addScaled(double F, double M) {
        m_n += F / m_nScale;
        m_m += M / m_mScale;
    }
    CurvePoint value() const { return {m_n, m_m}; }

private:
    double m_nScale, m_mScale;
    double m_n = 0, m_m = 0;
#endif
};

}  // namespace

CurvePoint CircleStrips::integrate(double eTop, double eBot) const {
    const CircleSection& cs = m_cs;
    const double g = eBot + eTop;
    const double eyd = cs.eyd;
    StripSum sum(cs.nScale, cs.mScale);
    for (int i = 0; i < m_count; ++i) {
        const Strip& s = m_strips[static_cast<std::size_t>(i)];
        const double es = -eTop + g * s.etaSteel;
        const double eps = -eTop + g * s.eta;
        const double aes = std::fabs(es);
        if (aes > eyd) {
            if (es > 0 && !(eps < 0)) {
                sum.add(s.stretched);
                continue;
            }
            if (es < 0 && eps < 0 && !(std::fabs(eps) < cs.e0)) {
                sum.add(s.crushed);
                continue;
            }
        }
        double F = std::fabs((aes > eyd ? cs.fyd : cs.Ea * aes) * m_steelArea);
        if (es > 0) F = -F;
        double M = F * s.leverSteel;
        if (eps < 0) {
            const double ae = std::fabs(eps);
            const double Fc = std::fabs((ae < cs.e0 ? cs.Em * ae : cs.fmd) * s.area);
            F += Fc;
            M += Fc * s.lever;
        }
        sum.addScaled(F, M);
    }
    return sum.value();
}

DomainTrace traceCircular(const CurrentSection& s) {
    DomainTrace t;
    const CircleSection cs = circleSection(s);
    const CircleStrips strips(cs);
    t.nd = s.Nd / cs.nScale;
    t.md = toSingle(std::fabs(s.Md / cs.mScale));
    DesignSearch search(t.nd);

    // A capped strain repeats the previous state exactly; its point is then reused.
    double lastTop = 0, lastBot = 0;
    bool haveLast = false;
    CurvePoint last;
    auto point = [&](double eTop, double eBot) {
        if (!haveLast || eTop != lastTop || eBot != lastBot) {
            last = strips.integrate(eTop, eBot);
            lastTop = eTop;
            lastBot = eBot;
            haveLast = true;
        }
        return last;
    };

    // Field 2: lower edge at the tension limit, upper edge compressed up to its limit.
    {
        const double eBot = kSteelStrainLimitSingle;
        double eTop = -kStrainStep;
        for (int i = 1; i <= 100; ++i) {
            eTop += kStrainStep;
            if (eTop > kCrushingStrain) eTop = kCrushingStrain;
            const CurvePoint p = point(eTop, eBot);
            t.store(2, i, p.n, p.m);
            search.offer(p.n, p.m, 2, 0.0f);
        }
    }
    // Field 3: upper edge at its limit, lower edge from yield to the tension limit.
    {
        double eBot = cs.eyd - kStrainStep;
        for (int i = 1; i <= 100; ++i) {
            eBot += kStrainStep;
            if (eBot >= kSteelStrainLimit) eBot = kSteelStrainLimit;
            const CurvePoint p = point(kCrushingStrain, eBot);
            const double m = toSingle(p.m);
            t.store(3, i, p.n, m);
            search.offer(p.n, m, 3, 0.0f);
        }
    }
    // Field 4: upper edge at its limit, lower edge from zero strain to yield.
    {
        double eBot = -kStrainStep;
        for (int i = 1; i <= 50; ++i) {
            eBot += kStrainStep;
            if (eBot > cs.eyd) eBot = cs.eyd;
            const CurvePoint p = point(kCrushingStrain, eBot);
            t.store(4, i, p.n, p.m);
            search.offer(p.n, p.m, 4, 0.0f);
        }
    }
    // Field 5: the straight line from P4 to the pure-compression point.
    {
        const double nc = (s.fmd * cs.Ac + s.fyd * s.Aa) / cs.nScale;
        t.store(5, 1, nc, 0.0f);
        const double nP4 = t.points[4][1].n;
        const double mP4 = t.points[4][1].m;
        const double k = (nc - nP4) / mP4;
        const double step = fieldFiveStep(nc, nP4);
        double n = nP4 - step;
        for (int i = 2; i <= 50; ++i) {
            n += step;
            if (n > nc) n = nc;
            const double m = toSingle(fieldFiveM(n, nP4, mP4, k));
            t.store(5, i, n, m);
            search.offer(n, m, 5, 0.0f);
        }
    }
    // Field 1: the straight line from the pure-tension point to P2, in equal steps of m.
    {
        const double nt = -s.fyd * s.Aa / cs.nScale;
        t.store(1, 1, nt, 0.0);
        const double nP2 = t.points[2][1].n;
        const double mP2 = t.points[2][1].m;
        const double k1 = std::fabs(mP2) > 0 ? (std::fabs(nt) - std::fabs(nP2)) / std::fabs(mP2) : 0.0;
        if (std::fabs(mP2) > 0 && std::isfinite(k1)) {
            double m = -0.02 * mP2;
            for (int i = 2; i <= 52; ++i) {
                m += 0.02 * mP2;
                const double n = -(std::fabs(nP2) + std::fabs((mP2 - m) * k1));
                t.store(1, i, n, m);
                search.offer(n, m, 1, 0.0f);
            }
        } else {
            // P2 on the n axis: the line runs along it, in the same 50 steps.
            const double span = std::fabs(nt) - std::fabs(nP2);
            for (int i = 2; i <= 52; ++i) {
                const double share = 1 - (i - 2) / 50.0;
                const double n = -(std::fabs(nP2) + std::fabs(share * span));
                t.store(1, i, n, 0.0);
                search.offer(n, 0.0, 1, 0.0f);
            }
        }
    }
    search.writeTo(t);
    return t;
}

}  // namespace fortema::engine
