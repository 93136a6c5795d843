// The engine fed arbitrary field texts of both section types: never a crash, a hang, a NaN
// or an infinity in a result or a curve, nor in the exact design point; every refusal has its
// message, and every number "Sa&lva dati" would store from a traced section fits the single
// precision the archive keeps.
#include "engine/exact_domain.h"
#include "engine/section.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

using namespace fortema::engine;

namespace {

void checkFinite(double v) {
    if (!std::isfinite(v)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const Layout layout = (data[0] & 1) ? Layout::Circular : Layout::Rectangular;
    const std::string rest(reinterpret_cast<const char*>(data + 1), size - 1);

    // Fields separated by newlines, in the reading order of the window.
    SectionTexts texts;
    std::string* fields[] = {&texts.fyk, &texts.fyd, &texts.Ea, &texts.fmd, &texts.Em, &texts.Nd,
                             &texts.Md,  &texts.b,   &texts.h,  &texts.c1,  &texts.c2, &texts.A1,
                             &texts.A2,  &texts.d,   &texts.c,  &texts.Aa};
    std::size_t start = 0;
    for (std::string* field : fields) {
        if (start > rest.size()) break;
        const std::size_t end = rest.find('\n', start);
        *field = rest.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (end == std::string::npos) {
            start = rest.size() + 1;
        } else {
            start = end + 1;
        }
    }

    Analysis analysis;
    // Twice, so that lists and results left by the first calculation meet the second.
    for (int round = 0; round < 2; ++round) {
        const Layout used = round == 0 ? layout : Layout::Rectangular;
        const CalcOutcome outcome = analysis.calcola(texts, used);
        if (!outcome.traced && outcome.refusal.empty()) std::abort();
        if (outcome.traced) {
            for (const StoredValue& v : storedValues(analysis.section(), analysis.result(), used))
                if (!fitsSingle(v.value)) std::abort();
            // The window solves the exact design point after every traced calculation.
            const CurrentSection& s = analysis.section();
            const ExactResult exact = solveExact(s, used, s.Nd);
            if (!exact.found && !exact.beyondCapacity && exact.refusal.empty()) std::abort();
            if (exact.found) {
                checkFinite(exact.Nu);
                checkFinite(exact.Mu);
            }
            (void)loadRayFactor(ExactBoundary(s, used), s.Nd, s.Md);
        }
        const SectionResult& r = analysis.result();
        checkFinite(r.Nu);
        checkFinite(r.Mu);
        checkFinite(r.yan);
        checkFinite(analysis.nd());
        checkFinite(analysis.md());
        for (int field = 1; field <= 5; ++field) {
            const FieldCurve& curve = analysis.curve(field);
            for (int i = 1; i <= curve.size(); ++i) {
                checkFinite(curve[i].n);
                checkFinite(curve[i].m);
            }
        }
    }
    return 0;
}
