#pragma once

// Window layouts and picture boxes are given in twips; the windows place their controls and the
// picture boxes size themselves in logical pixels of 15 twips.

namespace fortema::drawing {

inline constexpr int kTwipsPerPixel = 15;

// The nearest whole pixel, halves away from zero (as std::lround, which is not constexpr).
constexpr int pixelsFromTwips(double twips) {
    const double pixels = twips / kTwipsPerPixel;
    const auto whole = static_cast<long long>(pixels);
    // Exact: the whole part of a double and the rest after it are both representable.
    const double rest = pixels - static_cast<double>(whole);
    return static_cast<int>(rest >= 0.5 ? whole + 1 : (rest <= -0.5 ? whole - 1 : whole));
}

}  // namespace fortema::drawing
