#include "engine/domain.h"

#include <cmath>

namespace fortema::engine {

void DomainTrace::store(int field, int i, double n, double m) {
    points.at(static_cast<std::size_t>(field)).at(static_cast<std::size_t>(i)) = {n, m};
    int& c = count.at(static_cast<std::size_t>(field));
    if (i > c) c = i;
    const bool first = count[1] + count[2] + count[3] + count[4] + count[5] == 1;
    if (first || n < nMin) nMin = n;
    if (first || n > nMax) nMax = n;
}

bool DomainTrace::allFinite() const {
    for (int f = 1; f <= 5; ++f) {
        for (int i = 1; i <= count[static_cast<std::size_t>(f)]; ++i) {
            const CurvePoint& p = points[static_cast<std::size_t>(f)][static_cast<std::size_t>(i)];
            if (!std::isfinite(p.n) || !std::isfinite(p.m)) return false;
        }
    }
    return std::isfinite(nd) && std::isfinite(md) && std::isfinite(n) && std::isfinite(m) &&
           std::isfinite(yan);
}

void DesignSearch::offer(double n, double m, std::int16_t campo, float yan) {
    const float gap = toSingle(std::fabs(std::fabs(m_nd) - std::fabs(n)));
    // Compared by sign rather than by the product n·n_d, which could underflow to zero.
    const bool sameSide = (n > 0 && m_nd > 0) || (n < 0 && m_nd < 0);
    if (!sameSide) return;
    if (gap < m_best.gap) m_best.take(gap, n, m, campo, yan);
    if (gap < m_nearest.gap) m_nearest.take(gap, n, m, campo, yan);
}

void DesignSearch::writeTo(DomainTrace& trace) const {
    const bool beyond = trace.nd > trace.nMax || trace.nd < trace.nMin;
    const Choice& chosen = !m_best.found && beyond ? m_nearest : m_best;
    trace.found = chosen.found;
    if (!chosen.found) return;
    trace.n = chosen.n;
    trace.m = chosen.m;
    trace.campo = chosen.campo;
    trace.yan = chosen.yan;
}

double fieldFiveStep(double nc, double nP4) {
    const double spread = (nc - nP4) / 48;
    return spread > 0.005 ? spread : 0.005;
}

double fieldFiveM(double n, double nP4, double mP4, double k) {
    // k = 0 or 0/0: P4 lies on the pure-compression point's n, the line has no slope in n.
    if (k == 0 || std::isnan(k)) return mP4;
    return mP4 - (n - nP4) / k;
}

}  // namespace fortema::engine
