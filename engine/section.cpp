#include "engine/section.h"

#include "engine/domain.h"
#include "engine/input_fields.h"
#include "engine/numtext.h"

#include <cmath>
#include <span>

namespace fortema::engine {

std::string warning::zeroValue(const std::string& symbol) {
    return "Attenzione, dati non validi: " + symbol + " deve essere diverso da zero";
}

std::string warning::negativeValue(const std::string& symbol) {
    return "Attenzione, dati non validi: " + symbol + " non può essere negativo";
}

namespace {

bool usableDivisor(double v) { return v != 0 && std::isfinite(v); }

constexpr const char* kPressure = "daN/cm²";

// The typed values of `layout`, in reading order.
std::vector<StoredValue> typedValues(const CurrentSection& s, Layout layout) {
    std::vector<StoredValue> out = {{"fyk", s.fyk, kPressure}, {"fyd", s.fyd, kPressure},
                                    {"Ea", s.Ea, kPressure},   {"fmd", s.fmd, kPressure},
                                    {"Em", s.Em, kPressure},   {"Nd", s.Nd, "daN"},
                                    {"Md", s.Md, "daN*cm"}};
    if (layout == Layout::Rectangular) {
        out.insert(out.end(), {{"b", s.b * 10, "mm"},
                               {"h", s.h * 10, "mm"},
                               {"c1", s.c1 * 10, "mm"},
                               {"c2", s.c2 * 10, "mm"},
                               {"A1", s.A1 * 100, "mm²"},
                               {"A2", double(s.A2) * 100, "mm²"}});
    } else {
        out.insert(out.end(), {{"d", s.d * 10, "mm"}, {"c", s.c * 10, "mm"}, {"Aa", s.Aa * 100, "mm²"}});
    }
    return out;
}

std::string named(const StoredValue& v) {
    return std::string(warning::kOutOfRange) + ": " + v.symbol + " = " +
           numtext::generalText(v.value, numtext::NumberLocale::c()) + " " + v.unit;
}

}  // namespace

std::vector<StoredValue> storedValues(const CurrentSection& s, const SectionResult& r, Layout layout) {
    std::vector<StoredValue> out = typedValues(s, layout);
    out.insert(out.end(), {{"Nu", r.Nu, "daN"}, {"Mu", r.Mu, "daN*cm"}});
    if (layout == Layout::Rectangular) out.push_back({"yan", r.yan, "cm"});
    return out;
}

std::string outOfRangeWarning(const CurrentSection& s, Layout layout) {
    const std::vector<StoredValue> typed = typedValues(s, layout);
    for (const StoredValue& v : typed)
        if (!fitsSingle(v.value)) return named(v);
    // Every value fits on its own: the one farthest from 1 is the likeliest to have been mistyped.
    const StoredValue* extreme = nullptr;
    double farthest = -1;
    for (const StoredValue& v : typed) {
        if (v.value == 0) continue;
        const double distance = std::fabs(std::log10(std::fabs(v.value)));
        if (distance > farthest) {
            farthest = distance;
            extreme = &v;
        }
    }
    return extreme ? named(*extreme) : std::string(warning::kOutOfRange);
}

std::string storedValuesWarning(const CurrentSection& s, const SectionResult& r, Layout layout) {
    for (const StoredValue& v : storedValues(s, r, layout))
        if (!fitsSingle(v.value)) return outOfRangeWarning(s, layout);
    return {};
}

bool readSection(const SectionTexts& texts, Layout layout, CurrentSection& section) {
    const auto number = [&texts](Field f) { return fieldValue(f, texts.*fieldRule(f).text); };
    section.fyk = number(Field::fyk);
    section.fyd = number(Field::fyd);
    section.Ea = number(Field::Ea);
    section.fmd = number(Field::fmd);
    section.Em = number(Field::Em);
    section.Nd = number(Field::Nd);
    const bool ndSetToOne = section.Nd == 0;
    if (ndSetToOne) section.Nd = 1;
    section.Md = number(Field::Md);
    if (layout == Layout::Rectangular) {
        section.b = number(Field::b) / 10;
        section.h = number(Field::h) / 10;
        section.c1 = number(Field::c1) / 10;
        section.c2 = number(Field::c2) / 10;
        section.A1 = number(Field::A1) / 100;
        section.A2 = toSingle(number(Field::A2) / 100);
    } else {
        section.d = number(Field::d) / 10;
        section.c = number(Field::c) / 10;
        section.Aa = number(Field::Aa) / 100;
    }
    return ndSetToOne;
}

std::string checkSection(const CurrentSection& s, Layout layout) {
    if (s.Md < 0) return warning::kNegativeMoment;
    const bool rectangular = layout == Layout::Rectangular;
    if (rectangular && s.A1 == 0 && s.Nd < 0) return warning::kRectangularTension;
    if (!rectangular && s.Aa == 0 && s.Nd < 0) return warning::kCircularTension;

    // A text such as "00" passes the enabling rule, which tests for the exact text "0".
    if (s.Ea == 0) return warning::zeroValue("Ea");
    if (s.fmd == 0) return warning::zeroValue("fmd");
    // The key filters keep the minus sign out of these boxes, but a pasted text passes the
    // change check; a negative strength or size would trace a domain that means nothing.
    struct Named {
        const char* symbol;
        double value;
    };
    const Named common[] = {{"fyd", s.fyd}, {"Ea", s.Ea}, {"fmd", s.fmd}, {"Em", s.Em}};
    const Named rect[] = {{"b", s.b}, {"h", s.h}, {"c1", s.c1}, {"c2", s.c2}, {"A1", s.A1}, {"A2", s.A2}};
    const Named circle[] = {{"d", s.d}, {"c", s.c}, {"Aa", s.Aa}};
    for (const Named& v : common)
        if (v.value < 0) return warning::negativeValue(v.symbol);
    for (const Named& v : rectangular ? std::span<const Named>(rect) : std::span<const Named>(circle))
        if (v.value < 0) return warning::negativeValue(v.symbol);
    if (rectangular) {
        if (s.b == 0) return warning::zeroValue("b");
        if (s.h == 0) return warning::zeroValue("h");
        const double nScale = s.fmd * s.b * s.h;
        const double mScale = s.fmd * s.b * (s.h * s.h) / 6;
        if (!usableDivisor(nScale) || !usableDivisor(mScale) || !std::isfinite(s.fyd / s.Ea)) {
            return outOfRangeWarning(s, layout);
        }
        // Bars outside the section, or both layers on one line, make a domain that is no section's.
        // An unreinforced rectangle has no bars, and its covers are not read.
        if ((s.A1 != 0 || s.A2 != 0) && !(s.c1 + s.c2 < s.h)) return warning::kCoversTooLarge;
        return storedValuesWarning(s, SectionResult{}, layout);
    }
    if (s.Em == 0) return warning::zeroValue("Em");
    if (s.d == 0) return warning::zeroValue("d");
    if (!(s.c < s.d / 2)) return warning::kCoverTooLarge;
    const CircleSection cs = circleSection(s);
    if (!usableDivisor(cs.nScale) || !usableDivisor(cs.mScale) || !std::isfinite(cs.t) ||
        !std::isfinite(cs.eyd) || !std::isfinite(cs.e0)) {
        return outOfRangeWarning(s, layout);
    }
    if (!(s.Aa < cs.Ac)) return warning::kSteelTooLarge;
    return storedValuesWarning(s, SectionResult{}, layout);
}

ResultStep showResults(const CurrentSection& s, Layout layout, const DomainTrace& t,
                       const SectionResult& previous) {
    ResultStep out;
    SectionResult& r = out.result;
    r = previous;
    if (!t.found) {
        // No traced point lies on the side of the design force, or within reach of it: nothing
        // the section carries. A force far beyond the capacity is still said to be so.
        r = SectionResult{};
        out.finalWarning = true;
        out.beyondCapacity = !t.unreinforced && (t.nd > t.nMax || t.nd < t.nMin);
        return out;
    }
    r.campo = t.campo;
    if (layout == Layout::Rectangular) {
        if (s.A1 == 0 && s.A2 == 0) r.campo = 0;
        r.Nu = t.n * s.b * s.h * s.fmd;
        r.Mu = t.m * s.fmd * s.b * (s.h * s.h) / 6;
        r.yan = std::floor(t.yan * 100.0f) / 100.0f;
    } else {
        const CircleSection cs = circleSection(s);
        r.Nu = t.n * cs.Ac * s.fmd;
        r.Mu = t.m * s.fmd * (cs.r * cs.r * cs.r) / 10.2;
    }
    r.Nu = std::floor(r.Nu);
    r.Mu = std::floor(r.Mu);

    // Beyond the axial capacity the chosen end point is the capacity, not a point at Nd.
    out.beyondCapacity = !t.unreinforced && (t.nd > t.nMax || t.nd < t.nMin);
    if (!out.beyondCapacity) {
        if (t.nd > 0 && r.Nu < s.Nd) r.Nu = s.Nd;
        if (t.nd < 0 && r.Nu > s.Nd) r.Nu = s.Nd;
    }
    out.passes = !out.beyondCapacity && r.Mu >= s.Md;
    out.finalWarning = r.Mu <= 0 || out.beyondCapacity;
    return out;
}

CalcOutcome Analysis::calcola(const SectionTexts& texts, Layout layout) {
    CalcOutcome outcome;
    outcome.ndSetToOne = readSection(texts, layout, m_section);
    outcome.refusal = checkSection(m_section, layout);
    if (!outcome.refusal.empty()) return outcome;

    const DomainTrace trace =
        layout == Layout::Rectangular ? traceRectangular(m_section) : traceCircular(m_section);
    const ResultStep step = showResults(m_section, layout, trace, m_result);
    const SectionResult& r = step.result;
    // Results the archive could not keep would be stored as infinities: refused before anything
    // is shown, so that nothing can store them.
    if (!trace.allFinite() || !std::isfinite(r.Nu) || !std::isfinite(r.Mu) || !std::isfinite(r.yan)) {
        outcome.refusal = outOfRangeWarning(m_section, layout);
        return outcome;
    }
    outcome.refusal = storedValuesWarning(m_section, r, layout);
    if (!outcome.refusal.empty()) return outcome;

    for (int f = 1; f <= 5; ++f) {
        const auto fi = static_cast<std::size_t>(f);
        for (int i = 1; i <= trace.count[fi]; ++i) {
            const CurvePoint& p = trace.points[fi][static_cast<std::size_t>(i)];
            m_curves[fi].set(i, p.n, p.m);
        }
    }
    m_nd = trace.nd;
    m_md = trace.md;
    m_layout = layout;
    m_result = r;
    m_passes = step.passes;
    m_beyondCapacity = step.beyondCapacity;
    m_pointFound = trace.found;

    outcome.traced = true;
    if (step.finalWarning) {
        outcome.finalWarning =
            layout == Layout::Rectangular ? warning::kRectangularFinal : warning::kCircularFinal;
    }
    return outcome;
}

void Analysis::cutDesignPoint() {
    m_nd = std::floor(m_nd * 10000) / 10000;
    m_md = std::floor(m_md * 10000.0f) / 10000.0f;
}

}  // namespace fortema::engine
