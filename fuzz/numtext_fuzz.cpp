// Number texts: no input may crash the parsers or give a non-finite value, and every
// text the module writes must read back to the value it was made from.
#include "engine/numtext.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>

using namespace fortema::engine::numtext;

namespace {

void check(bool ok) {
    if (!ok) std::abort();
}

bool within(double back, double value, double tolerance) { return std::fabs(back - value) <= tolerance; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const NumberLocale locales[] = {NumberLocale::c(), NumberLocale::italian()};

    check(std::isfinite(leadingNumber(text)));
    for (const auto& loc : locales) {
        const bool number = isLocaleNumber(text, loc);
        const double value = localeNumberValue(text, loc);
        check(std::isfinite(value));
        if (!number) check(value == 0.0);
    }

    if (size >= sizeof(float)) {
        float f;
        std::memcpy(&f, data, sizeof f);
        if (std::isfinite(f)) {
            // The shortest form of a subnormal carries fewer digits than its neighbours need.
            const double tolerance =
                std::max<double>(std::fabs(f) * 6e-7, std::numeric_limits<float>::denorm_min());
            check(within(leadingNumber(singleText(f, locales[0])), f, tolerance));
            check(within(leadingNumber(signedText(f)), f, tolerance));
            check(within(localeNumberValue(singleText(f, locales[1]), locales[1]), f, tolerance));
        }
    }
    if (size >= sizeof(double)) {
        double v;
        std::memcpy(&v, data, sizeof v);
        if (std::isfinite(v)) {
            check(within(leadingNumber(generalText(v, locales[0])), v,
                         std::max(std::fabs(v) * 1e-14, std::numeric_limits<double>::denorm_min())));
            if (std::fabs(v) < 1e12) {
                const int decimals = size > 8 ? data[8] % 5 : 2;
                for (const auto& loc : locales) {
                    const double back = localeNumberValue(fixedText(v, decimals, loc), loc);
                    check(within(back, v, 0.5 * std::pow(10.0, -decimals) + std::fabs(v) * 1e-15));
                }
            }
        }
    }
    return 0;
}
