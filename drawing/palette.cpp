#include "drawing/surface.h"

#include <array>

namespace fortema::drawing {

QColor qbColor(int index) {
    static constexpr std::array<std::array<int, 3>, 16> kPalette{{
        {0, 0, 0},
        {0, 0, 128},
        {0, 128, 0},
        {0, 128, 128},
        {128, 0, 0},
        {128, 0, 128},
        {128, 128, 0},
        {192, 192, 192},
        {128, 128, 128},
        {0, 0, 255},
        {0, 255, 0},
        {0, 255, 255},
        {255, 0, 0},
        {255, 0, 255},
        {255, 255, 0},
        {255, 255, 255},
    }};
    // Out-of-range indices wrap like the low four bits of the classic call would.
    const auto& rgb = kPalette[static_cast<std::size_t>(index & 15)];
    return QColor(rgb[0], rgb[1], rgb[2]);
}

QColor fieldColor(int campo) {
    static constexpr std::array<int, 6> kFieldPalette{0, 12, 10, 13, 9, 11};
    return qbColor(campo >= 0 && campo <= 5 ? kFieldPalette[static_cast<std::size_t>(campo)] : 0);
}

QColor colorFromBgr(long value) {
    const auto v = static_cast<unsigned long>(value);
    return QColor(static_cast<int>(v & 0xff), static_cast<int>((v >> 8) & 0xff),
                  static_cast<int>((v >> 16) & 0xff));
}

}  // namespace fortema::drawing
