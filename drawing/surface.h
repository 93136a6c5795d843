#pragma once

// The one drawing interface. The plot, the sketches, the preview page and the printer are
// all drawn through a Surface in user coordinates; only the QPainter implementation in
// this library touches QPainter. Tests draw on the recording implementation instead.

#include <QColor>
#include <QImage>
#include <QString>
#include <optional>

namespace fortema::drawing {

// The classic 16-colour palette, by index (0 black, 1 blue, 8 grey, 9 light blue,
// 10 light green, 11 light cyan, 12 light red, 13 light magenta, 15 bright white, ...).
QColor qbColor(int index);

// The colour of a strain field (campo 1 to 5) wherever fields are shown: the curves of the plot
// and of the printout, their legends, the result and the start window's logo; black for any
// other number.
QColor fieldColor(int campo);

// A 24-bit colour with red in the low byte, green in the middle and blue in the high byte.
QColor colorFromBgr(long value);

enum FillStyle { FillSolid = 0, FillTransparent = 1 };  // 2..7: hatch patterns

class Surface {
public:
    virtual ~Surface() = default;

    // User coordinates: the left and top edges and the width and height of the surface.
    virtual void setScale(double left, double top, double width, double height) = 0;
    virtual double scaleLeft() const = 0;
    virtual double scaleTop() const = 0;
    virtual double scaleWidth() const = 0;
    virtual double scaleHeight() const = 0;

    // Paints the background colour over the whole surface; the position goes to the top left.
    virtual void clear() = 0;
    virtual void setBackColor(const QColor& color) = 0;
    virtual void setForeColor(const QColor& color) = 0;
    virtual QColor foreColor() const = 0;
    // Width of lines in device pixels.
    virtual void setLineWidth(int pixels) = 0;

    virtual void setFontName(const QString& face) = 0;
    virtual void setFontSize(double points) = 0;
    virtual void setFontBold(bool bold) = 0;
    virtual QString fontName() const = 0;
    virtual double fontSize() const = 0;
    virtual bool fontBold() const = 0;

    virtual void setFillStyle(int style) = 0;
    virtual void setFillColor(const QColor& color) = 0;

    virtual void setCurrentX(double x) = 0;
    virtual void setCurrentY(double y) = 0;
    virtual double currentX() const = 0;
    virtual double currentY() const = 0;

    // Prints at the current position (the text's top left corner). A text that ends its
    // line moves the position to the left edge, one text line down; one that stays on the
    // line leaves the position at its right end.
    virtual void print(const QString& text, bool endLine = true) = 0;
    // Moves the position to text column `column` (1 = the left edge); one column is the
    // average character width of the current font.
    virtual void tabToColumn(int column) = 0;
    // Width and height of a text in the current font, in user units.
    virtual double textWidth(const QString& text) const = 0;
    virtual double textHeight(const QString& text) const = 0;

    // Straight line in the given colour, else in the fore colour.
    virtual void line(double x1, double y1, double x2, double y2,
                      std::optional<QColor> color = std::nullopt) = 0;
    // Outline in the given or fore colour; inside as fill style and fill colour say.
    virtual void box(double x1, double y1, double x2, double y2,
                     std::optional<QColor> color = std::nullopt) = 0;
    virtual void filledBox(double x1, double y1, double x2, double y2, const QColor& color) = 0;
    // Radius in horizontal user units; the circle stays round whatever the two scales.
    virtual void circle(double x, double y, double radius, std::optional<QColor> color = std::nullopt) = 0;
    // The picture scaled into the rectangle with top left (x, y) and the given size.
    virtual void paintPicture(const QImage& picture, double x, double y, double width, double height) = 0;

    // Printer only; picture surfaces ignore them.
    virtual void newPage() = 0;
    virtual void endDocument() = 0;
};

}  // namespace fortema::drawing
