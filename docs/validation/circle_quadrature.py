#!/usr/bin/env python3
"""The hand values of the circular cases (E4, C1): FORTEMA's laws integrated continuously.

Written from the laws alone, not from the program's code:
- concrete: no tension; sigma = Em*|eps| while |eps| < e0, then fmd; e0 = floor(10000*fmd/Em)/10000;
- steel: smeared on the bar ring (radius rs = r - c), thickness Aa/(2*pi*rs);
  sigma = Ea*|eps| while |eps| <= eyd, then fyd; eyd = floor(10000*fyd/Ea)/10000;
- strain linear in the depth y: eps(y) = -e_top + (e_top + e_bot)*y/(2r), shortening negative;
- field 3: e_top = 0.0035, e_bot from 0.01 down to eyd; moments about the centre.
Each integral is split where a stress jumps and summed by composite Gauss-Legendre in the angle,
which keeps the integrand smooth; the bottom strain is then found by bisection on N = Nd.
Units: cm, cm^2, daN, daN/cm^2. Run: python3 circle_quadrature.py
"""
import math


def gauss_legendre(n):
    nodes, weights = [], []
    for i in range(1, n + 1):
        x = math.cos(math.pi * (i - 0.25) / (n + 0.5))
        for _ in range(100):
            p0, p1 = 1.0, x
            for k in range(2, n + 1):
                p0, p1 = p1, ((2 * k - 1) * x * p1 - (k - 1) * p0) / k
            dp = n * (x * p1 - p0) / (x * x - 1)
            step = p1 / dp
            x -= step
            if abs(step) < 1e-16:
                break
        nodes.append(x)
        weights.append(2 / ((1 - x * x) * dp * dp))
    return nodes, weights


NODES, WEIGHTS = gauss_legendre(12)


def integrate(f, a, b, pieces=40):
    total, h = 0.0, (b - a) / pieces
    for j in range(pieces):
        c = a + (j + 0.5) * h
        total += sum(w * f(c + x * h / 2) * h / 2 for x, w in zip(NODES, WEIGHTS))
    return total


def piecewise(f, breaks):
    return sum(integrate(f, a, b) for a, b in zip(breaks, breaks[1:]) if b > a)


def resultants(section, e_top, e_bot):
    """N (compression positive) and M of concrete and steel for one strain state."""
    fyd, Ea, fmd, Em, D, c, Aa = section
    r, rs = D / 2, D / 2 - c
    t = Aa / (2 * math.pi * rs)
    eyd = math.floor(10000 * fyd / Ea) / 10000
    e0 = math.floor(10000 * fmd / Em) / 10000
    g = e_top + e_bot

    def eps(y):
        return -e_top + g * y / (2 * r)

    # Concrete: y = r(1 - cos th), strip width 2r sin th, dy = r sin th dth.
    y_na = 2 * r * e_top / g
    th_na = math.acos(max(-1.0, min(1.0, 1 - y_na / r)))
    breaks = [0.0, th_na]
    y_e0 = (e_top - e0) * 2 * r / g
    if 0 < y_e0 < y_na:
        breaks.insert(1, math.acos(1 - y_e0 / r))

    def conc_n(th):
        y = r * (1 - math.cos(th))
        short = -eps(y)
        stress = Em * short if short < e0 else fmd
        return stress * 2 * r * math.sin(th) * r * math.sin(th)

    def conc_m(th):
        return conc_n(th) * r * math.cos(th)

    # Steel ring: angle ph from the top, y = r - rs cos ph; both halves of the ring.
    ring = [0.0, math.pi]
    for limit in (eyd, -eyd):
        cos_ph = (r - (limit + e_top) * 2 * r / g) / rs
        if -1 < cos_ph < 1:
            ring.append(math.acos(cos_ph))
    ring.sort()

    def steel_n(ph):
        e = eps(r - rs * math.cos(ph))
        stress = Ea * abs(e) if abs(e) <= eyd else fyd
        return 2 * t * rs * (-stress if e > 0 else stress)

    def steel_m(ph):
        return steel_n(ph) * rs * math.cos(ph)

    return (piecewise(conc_n, breaks), piecewise(conc_m, breaks),
            piecewise(steel_n, ring), piecewise(steel_m, ring))


def solve_field3(section, Nd):
    eyd = math.floor(10000 * section[0] / section[1]) / 10000
    lo, hi = 0.01, eyd  # N grows as the bottom strain falls
    for _ in range(70):
        mid = (lo + hi) / 2
        if sum(resultants(section, 0.0035, mid)[0::2]) < Nd:
            lo = mid
        else:
            hi = mid
    return lo, resultants(section, 0.0035, lo)


CASES = {
    # fyd, Ea, fmd, Em, d [cm], c [cm], Aa [cm^2]; Nd [daN]
    "E4": ((3913, 2100000, 118, 299000, 40, 3, 7.0), 20000),
    "C1": ((4347, 2000000, 200, 117647, 50, 5, 41.55), 157000),
}

if __name__ == "__main__":
    for name, (section, Nd) in CASES.items():
        e_bot, (Nc, Mc, Ns, Ms) = solve_field3(section, Nd)
        x = section[4] * 0.0035 / (0.0035 + e_bot)
        print(f"{name}: e_bot = {e_bot:.7f}, x = {x:.3f} cm; concrete N = {Nc:.1f} M = {Mc:.1f}; "
              f"steel N = {Ns:.1f} M = {Ms:.1f}; N = {Nc + Ns:.2f} daN, Mu = {Mc + Ms:.2f} daN*cm")
