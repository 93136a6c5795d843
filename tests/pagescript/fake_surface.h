#pragma once

// A surface that writes down what is drawn on it, one text per operation, with text metrics
// that do not depend on fonts: a text is 10 units per character per point wide and 20 units
// per point high.

#include <QLocale>
#include <QStringList>

#include "drawing/surface.h"

namespace fortema::pagescript::test {

class FakeSurface : public drawing::Surface {
public:
    QStringList ops;
    QList<double> fontSizes;  // every size set, in order

    void setScale(double left, double top, double width, double height) override {
        m_left = left;
        m_top = top;
        m_width = width;
        m_height = height;
    }
    double scaleLeft() const override { return m_left; }
    double scaleTop() const override { return m_top; }
    double scaleWidth() const override { return m_width; }
    double scaleHeight() const override { return m_height; }

    void clear() override {
        ops << QStringLiteral("clear");
        m_x = m_left;
        m_y = m_top;
    }
    void setBackColor(const QColor&) override {}
    void setForeColor(const QColor& color) override { m_fore = color; }
    QColor foreColor() const override { return m_fore; }
    void setLineWidth(int) override {}

    void setFontName(const QString& face) override { m_face = face; }
    void setFontSize(double points) override {
        m_size = points;
        fontSizes << points;
    }
    void setFontBold(bool bold) override { m_bold = bold; }
    QString fontName() const override { return m_face; }
    double fontSize() const override { return m_size; }
    bool fontBold() const override { return m_bold; }

    void setFillStyle(int style) override { m_fillStyle = style; }
    void setFillColor(const QColor& color) override { m_fillColor = color; }
    int fillStyle() const { return m_fillStyle; }
    QColor fillColor() const { return m_fillColor; }

    void setCurrentX(double x) override { m_x = x; }
    void setCurrentY(double y) override { m_y = y; }
    double currentX() const override { return m_x; }
    double currentY() const override { return m_y; }

    void print(const QString& text, bool endLine = true) override {
        ops << QStringLiteral("text %1 %2 %3%4 at %5,%6")
                   .arg(text, m_face)
                   .arg(n(m_size))
                   .arg(m_bold ? QStringLiteral(" bold") : QString())
                   .arg(n(m_x))
                   .arg(n(m_y));
        if (endLine) {
            m_x = m_left;
            m_y += textHeight(text);
        } else {
            m_x += textWidth(text);
        }
    }
    void tabToColumn(int) override {}
    double textWidth(const QString& text) const override { return text.size() * 10.0 * m_size; }
    double textHeight(const QString&) const override { return 20.0 * m_size; }

    void line(double x1, double y1, double x2, double y2, std::optional<QColor> color) override {
        ops << QStringLiteral("line %1,%2 %3,%4%5")
                   .arg(n(x1))
                   .arg(n(y1))
                   .arg(n(x2))
                   .arg(n(y2))
                   .arg(colorText(color));
    }
    void box(double x1, double y1, double x2, double y2, std::optional<QColor> color) override {
        ops << QStringLiteral("box %1,%2 %3,%4%5 fill %6 %7")
                   .arg(n(x1))
                   .arg(n(y1))
                   .arg(n(x2))
                   .arg(n(y2))
                   .arg(colorText(color))
                   .arg(m_fillStyle)
                   .arg(m_fillColor.name());
    }
    void filledBox(double x1, double y1, double x2, double y2, const QColor& color) override {
        ops << QStringLiteral("filledbox %1,%2 %3,%4 %5")
                   .arg(n(x1))
                   .arg(n(y1))
                   .arg(n(x2))
                   .arg(n(y2))
                   .arg(color.name());
    }
    void circle(double x, double y, double radius, std::optional<QColor>) override {
        ops << QStringLiteral("circle %1,%2 %3").arg(n(x)).arg(n(y)).arg(n(radius));
    }
    void paintPicture(const QImage& picture, double x, double y, double width, double height) override {
        ops << QStringLiteral("picture %1x%2 at %3,%4 size %5,%6")
                   .arg(picture.width())
                   .arg(picture.height())
                   .arg(n(x))
                   .arg(n(y))
                   .arg(n(width))
                   .arg(n(height));
    }
    void newPage() override { ops << QStringLiteral("newpage"); }
    void endDocument() override { ops << QStringLiteral("enddocument"); }

    // The operations whose text starts with `prefix`.
    QStringList opsStartingWith(const QString& prefix) const {
        QStringList out;
        for (const QString& op : ops) {
            if (op.startsWith(prefix)) out << op;
        }
        return out;
    }

private:
    static QString n(double v) { return QString::number(v, 'g', QLocale::FloatingPointShortest); }
    static QString colorText(const std::optional<QColor>& color) {
        return color ? QStringLiteral(" ") + color->name() : QString();
    }

    double m_left = 0, m_top = 0, m_width = 11907, m_height = 16839.9;
    QColor m_fore = Qt::black;
    QString m_face = QStringLiteral("MS Sans Serif");
    double m_size = 8.25;
    bool m_bold = false;
    int m_fillStyle = 1;
    QColor m_fillColor = Qt::black;
    double m_x = 0, m_y = 0;
};

}  // namespace fortema::pagescript::test
