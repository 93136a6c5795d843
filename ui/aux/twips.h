#pragma once

// Window layouts are given in twips; the windows place their controls in logical pixels.

#include <QFont>
#include <QRect>
#include <QSize>
#include <QStringList>

namespace fortema::ui {

constexpr int kTwipsPerPixel = 15;

constexpr int twips(int value) { return (value + kTwipsPerPixel / 2) / kTwipsPerPixel; }

inline QRect twipRect(int left, int top, int width, int height) {
    return {twips(left), twips(top), twips(width), twips(height)};
}

inline QSize twipSize(int width, int height) { return {twips(width), twips(height)}; }

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
