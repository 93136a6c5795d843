#pragma once

// Texts that must stay inside the page: a line too long for its room is set in a smaller font,
// down to kSmallestPoints, and only then cut with "…". Widths are those of the real font the
// page is drawn with, in typographic points, whatever device draws it afterwards.

#include <QString>
#include <Qt>

namespace fortema::report {

inline constexpr double kSmallestPoints = 6;
inline constexpr double kPointsPerCm = 72.0 / 2.54;

struct FittedText {
    QString text;
    double points = 0;
};

// The width of `text` in `face` (a face of the page files, such as "MS Sans Serif") at `points`.
double textWidthPoints(const QString& text, const QString& face, double points, bool bold);

// `text` at `points` when it fits in `roomPoints`; else at the largest whole size below, down to
// kSmallestPoints, at which it fits; else at kSmallestPoints, cut where `elide` says with "…".
FittedText fitText(const QString& text, const QString& face, double points, bool bold, double roomPoints,
                   Qt::TextElideMode elide = Qt::ElideRight);

}  // namespace fortema::report
