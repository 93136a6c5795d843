#pragma once

// Window layouts in twips, and the fonts of the windows.

#include <QFont>
#include <QRect>
#include <QSize>
#include <QStringList>

#include "drawing/twips.h"

namespace fortema::ui {

using drawing::kTwipsPerPixel;
using drawing::pixelsFromTwips;

inline QRect twipRect(int left, int top, int width, int height) {
    return {pixelsFromTwips(left), pixelsFromTwips(top), pixelsFromTwips(width), pixelsFromTwips(height)};
}

inline QSize twipSize(int width, int height) { return {pixelsFromTwips(width), pixelsFromTwips(height)}; }

// The classic dialog font and its fixed-pitch partner, with the metric-compatible fonts
// of free systems as fallbacks.
inline QFont dialogFont(qreal pointSize = 8.25, bool bold = false) {
    QFont font;
    font.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans")});
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

inline QFont courierFont(qreal pointSize = 8.25, bool bold = false) {
    QFont font;
    font.setFamilies({QStringLiteral("Courier New"), QStringLiteral("Liberation Mono")});
    font.setStyleHint(QFont::TypeWriter);
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

}  // namespace fortema::ui
