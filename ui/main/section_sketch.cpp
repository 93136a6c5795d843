#include "ui/main/section_sketch.h"

#include <array>
#include <cmath>

namespace fortema::ui {

using drawing::qbColor;
using drawing::Surface;

namespace {

struct Segment {
    double x1, y1, x2, y2;
};

struct Text {
    const char* text;
    double x, y;
};

constexpr double kBarRadius = 0.05;

template <std::size_t N>
void drawSegments(Surface& s, const std::array<Segment, N>& segments) {
    for (const Segment& g : segments) s.line(g.x1, g.y1, g.x2, g.y2);
}

template <std::size_t N>
void drawTexts(Surface& s, const std::array<Text, N>& texts) {
    s.setFontName(QStringLiteral("arial"));
    s.setFontSize(8);
    for (const Text& t : texts) {
        s.setCurrentX(t.x);
        s.setCurrentY(t.y);
        s.print(QString::fromLatin1(t.text));
    }
}

// The neutral axis at y = 3.5, dashed in light red across the section.
void drawNeutralAxisDashes(Surface& s) {
    static const std::array<Segment, 6> dashes = {{{2, 3.5, 2.5, 3.5},
                                                   {3.1, 3.5, 3.6, 3.5},
                                                   {4.2, 3.5, 4.7, 3.5},
                                                   {5.3, 3.5, 5.8, 3.5},
                                                   {6.4, 3.5, 6.9, 3.5},
                                                   {7.5, 3.5, 8, 3.5}}};
    for (const Segment& d : dashes) s.line(d.x1, d.y1, d.x2, d.y2, qbColor(12));
}

}  // namespace

void setUpSketchSurface(Surface& surface) {
    surface.setScale(0, 0, 10, 10);
    surface.setLineWidth(1);
}

void drawRectangularSketch(Surface& s) {
    s.clear();
    static const std::array<Segment, 8> outline = {{{2, 2, 8, 2},
                                                    {2, 4, 4, 4},
                                                    {6, 4, 8, 4},
                                                    {4, 7, 6, 7},
                                                    {2, 2, 2, 4},
                                                    {8, 2, 8, 4},
                                                    {4, 4, 4, 7},
                                                    {6, 4, 6, 7}}};
    drawSegments(s, outline);
    for (int i = 0; i <= 5; ++i) s.circle(2.5 + i, 2.5, kBarRadius);
    for (const double i : {0.0, 0.5, 1.0}) s.circle(4.5 + i, 6.5, kBarRadius);
    s.line(1, 3.5, 1.7, 3.5);
    drawNeutralAxisDashes(s);
    static const std::array<Segment, 12> dimensions = {{{1, 2, 1.7, 2},
                                                        {1, 2, 1, 3.5},
                                                        {8.5, 2, 9.5, 2},
                                                        {6.5, 7, 9.5, 7},
                                                        {8.5, 2.4, 9, 2.4},
                                                        {6.5, 6.6, 7, 6.6},
                                                        {9.4, 1.9, 9.4, 7.1},
                                                        {8.9, 1.9, 8.9, 2.5},
                                                        {6.9, 6.5, 6.9, 7.1},
                                                        {2, 4.5, 2, 8},
                                                        {8, 4.5, 8, 8},
                                                        {1.9, 7.9, 8.1, 7.9}}};
    drawSegments(s, dimensions);
    static const std::array<Text, 10> texts = {{{"h", 9.6, 4.5},
                                                {"b", 4.9, 7.2},
                                                {"->Controllare sempre arm. minima di Norma", 0, 8.5},
                                                {"->Per sezioni non armate poni A1=A2=0", 0, 9.2},
                                                {"A2", 4.7, 2.1},
                                                {"c2", 8.5, 2.5},
                                                {"A1", 3, 6.2},
                                                {"c1", 6.5, 5.7},
                                                {"y", 1.2, 2.2},
                                                {"zona compressa", 3, 0.7}}};
    drawTexts(s, texts);
}

void drawCircularSketch(Surface& s) {
    s.clear();
    s.circle(5, 5, 2.7);
    // Thirteen bars: the last one falls on the first, as the ring closes.
    for (int a = 0; a <= 360; a += 30) {
        const double angle = a * 3.141592654 / 180;
        s.circle(5 + 2.5 * std::cos(angle), 5 + 2.5 * std::sin(angle), kBarRadius);
    }
    static const std::array<Segment, 4> depth = {
        {{7, 1.9, 9, 1.9}, {1.2, 1.9, 3, 1.9}, {1.2, 1.9, 1.2, 3.5}, {1.2, 3.5, 1.7, 3.5}}};
    drawSegments(s, depth);
    drawNeutralAxisDashes(s);
    static const std::array<Segment, 4> dimensions = {
        {{7, 8.1, 9, 8.1}, {5.5, 7.6, 8, 7.6}, {7.8, 7.5, 7.8, 8.2}, {8.9, 1.9, 8.9, 8.1}}};
    drawSegments(s, dimensions);
    static const std::array<Text, 6> texts = {{{"d", 9.2, 4.8},
                                               {"c", 8.2, 7.2},
                                               {"y", 1.6, 2.2},
                                               {"zona compressa", 3, 0.7},
                                               {"->Controllare sempre arm. minima di Norma", 0, 8.5},
                                               {"->Per sezioni non armate poni A1=A2=0", 0, 9.2}}};
    drawTexts(s, texts);
}

}  // namespace fortema::ui
