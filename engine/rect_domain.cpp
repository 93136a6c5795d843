// The rectangular section: unreinforced (material without tensile strength) or reinforced
// with A1 at the lower and A2 at the upper edge, traced field by field.
#include "engine/domain.h"
#include "engine/strain_limits.h"

#include <cmath>

namespace fortema::engine {

namespace {

void traceUnreinforced(const CurrentSection& s, DomainTrace& t) {
    for (int i = 1; i <= 101; ++i) {
        const double n = 0.01 * (i - 1);
        t.store(1, i, n, 3 * n * (1 - n));
    }
    t.found = true;
    t.n = t.nd;
    t.m = 3 * t.nd * (1 - t.nd);
    t.yan = toSingle(t.nd * s.h);
    t.campo = 0;
}

}  // namespace

DomainTrace traceRectangular(const CurrentSection& s) {
    DomainTrace t;
    const double fyd = s.fyd, Ea = s.Ea, fmd = s.fmd, b = s.b, h = s.h, c1 = s.c1, c2 = s.c2;
    const double A1 = s.A1;
    const double A2 = s.A2;
    const double d = h - c1;
    const double nScale = fmd * b * h;
    const double mScale = fmd * b * (h * h) / 6;
    t.nd = s.Nd / nScale;
    t.md = toSingle(std::fabs(s.Md / mScale));
    const float eyd = toSingle(fyd / Ea);

    if (A1 == 0 && A2 == 0) {
        t.unreinforced = true;
        traceUnreinforced(s, t);
        return t;
    }

    DesignSearch search(t.nd);
    const double half1 = h / 2 - c1;
    const double half2 = h / 2 - c2;

    // Field 1: the whole section in tension, A1 yielded, A2 stretched up to yield.
    {
        const double step = 0.05 * eyd;
        double e = -step;
        for (int i = 1; i <= 50; ++i) {
            e += step;
            if (e > eyd) e = eyd;
            const double N = -fyd * A1 - Ea * e * A2;
            const double M = fyd * A1 * half1 - Ea * e * A2 * half2;
            const double n = N / nScale, m = M / mScale;
            t.store(1, i, n, m);
            search.offer(n, m, 1, 0.0f);
        }
    }
    // Field 2: A1 at the tension limit, the compressed edge growing to its limit.
    {
        double e = -kStrainStep;
        for (int i = 1; i <= 50; ++i) {
            e += kStrainStep;
            if (e >= kCrushingStrain) e = kCrushingStrain;
            const double x = e * d / (e + kSteelStrainLimit);
            double s2 = x > 0 ? Ea * e * (x - c2) / x : 0.0;
            if (s2 < 0) s2 = 0;  // A2 in tension is neglected here
            if (s2 > fyd) s2 = fyd;
            const double C = 0.8 * fmd * b * x;
            const double N = -fyd * A1 + s2 * A2 + C;
            const double M = fyd * A1 * half1 + s2 * A2 * half2 + C * (h / 2 - 0.4 * x);
            const double n = N / nScale, m = M / mScale;
            t.store(2, i, n, m);
            search.offer(n, m, 2, toSingle(x));
        }
    }
    // Field 3: compressed edge at its limit, A1 from yield to the tension limit.
    {
        double e = eyd - kStrainStep;
        for (int i = 1; i <= 100; ++i) {
            e += kStrainStep;
            if (e >= kSteelStrainLimit) e = kSteelStrainLimit;
            const double x = kCrushingStrain * d / (kCrushingStrain + e);
            const double C = 0.8 * fmd * b * x;
            const double N = -fyd * A1 + fyd * A2 + C;
            const double M = fyd * A1 * half1 + fyd * A2 * half2 + C * (h / 2 - 0.4 * x);
            const double n = N / nScale;
            const double m = toSingle(M / mScale);
            t.store(3, i, n, m);
            search.offer(n, m, 3, toSingle(x));
        }
    }
    // Field 4: compressed edge at its limit, A1 elastic from zero strain to yield.
    {
        double e = -kStrainStep;
        for (int i = 1; i <= 50; ++i) {
            e += kStrainStep;
            if (e >= eyd) e = eyd;
            const double x = kCrushingStrain * d / (kCrushingStrain + e);
            const double C = 0.8 * fmd * b * x;
            const double N = -Ea * e * A1 + fyd * A2 + C;
            const double M = Ea * e * A1 * half1 + fyd * A2 * half2 + C * (h / 2 - 0.4 * x);
            const double n = N / nScale, m = M / mScale;
            t.store(4, i, n, m);
            search.offer(n, m, 4, toSingle(x));
        }
    }
    // Field 5: the straight line from P4 to the pure-compression point.
    {
        const double Nc = fmd * b * h + fyd * (A1 + A2);
        const double Mc = fyd * A2 * half2 - fyd * A1 * half1;
        const double nc = Nc / nScale;
        const double mc = Mc / mScale;
        t.store(5, 1, nc, toSingle(mc));
        const double nP4 = t.points[4][1].n;
        const double mP4 = t.points[4][1].m;
        const double k = (nc - nP4) / (mP4 - mc);
        const double step = fieldFiveStep(nc, nP4);
        double n = nP4 - step;
        for (int i = 2; i <= 50; ++i) {
            n += step;
            if (n > nc) n = nc;
            const double m = toSingle(fieldFiveM(n, nP4, mP4, k));
            t.store(5, i, n, m);
            search.offer(n, m, 5, toSingle(h));
        }
    }
    search.writeTo(t);
    return t;
}

}  // namespace fortema::engine
