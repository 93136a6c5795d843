#pragma once

// Draws on two surfaces at once, say a window's picture box and a test recorder. Every call
// goes to both; the first one answers the queries (scale, position, colours, text metrics).

#include "drawing/surface.h"

namespace fortema::drawing {

class TeeSurface : public Surface {
public:
    // Both surfaces must outlive the tee.
    TeeSurface(Surface& first, Surface& second) : m_first(first), m_second(second) {}

    Surface& first() { return m_first; }
    Surface& second() { return m_second; }

    void setScale(double left, double top, double width, double height) override {
        m_first.setScale(left, top, width, height);
        m_second.setScale(left, top, width, height);
    }
    double scaleLeft() const override { return m_first.scaleLeft(); }
    double scaleTop() const override { return m_first.scaleTop(); }
    double scaleWidth() const override { return m_first.scaleWidth(); }
    double scaleHeight() const override { return m_first.scaleHeight(); }

    void clear() override {
        m_first.clear();
        m_second.clear();
    }
    void setBackColor(const QColor& color) override {
        m_first.setBackColor(color);
        m_second.setBackColor(color);
    }
    void setForeColor(const QColor& color) override {
        m_first.setForeColor(color);
        m_second.setForeColor(color);
    }
    QColor foreColor() const override { return m_first.foreColor(); }
    void setLineWidth(int pixels) override {
        m_first.setLineWidth(pixels);
        m_second.setLineWidth(pixels);
    }

    void setFontName(const QString& face) override {
        m_first.setFontName(face);
        m_second.setFontName(face);
    }
    void setFontSize(double points) override {
        m_first.setFontSize(points);
        m_second.setFontSize(points);
    }
    void setFontBold(bool bold) override {
        m_first.setFontBold(bold);
        m_second.setFontBold(bold);
    }
    QString fontName() const override { return m_first.fontName(); }
    double fontSize() const override { return m_first.fontSize(); }
    bool fontBold() const override { return m_first.fontBold(); }

    void setFillStyle(int style) override {
        m_first.setFillStyle(style);
        m_second.setFillStyle(style);
    }
    void setFillColor(const QColor& color) override {
        m_first.setFillColor(color);
        m_second.setFillColor(color);
    }

    void setCurrentX(double x) override {
        m_first.setCurrentX(x);
        m_second.setCurrentX(x);
    }
    void setCurrentY(double y) override {
        m_first.setCurrentY(y);
        m_second.setCurrentY(y);
    }
    double currentX() const override { return m_first.currentX(); }
    double currentY() const override { return m_first.currentY(); }

    // Each surface moves its own position by its own metrics.
    void print(const QString& text, bool endLine = true) override {
        m_first.print(text, endLine);
        m_second.print(text, endLine);
    }
    void tabToColumn(int column) override {
        m_first.tabToColumn(column);
        m_second.tabToColumn(column);
    }
    double textWidth(const QString& text) const override { return m_first.textWidth(text); }
    double textHeight(const QString& text) const override { return m_first.textHeight(text); }

    void line(double x1, double y1, double x2, double y2,
              std::optional<QColor> color = std::nullopt) override {
        m_first.line(x1, y1, x2, y2, color);
        m_second.line(x1, y1, x2, y2, color);
    }
    void box(double x1, double y1, double x2, double y2,
             std::optional<QColor> color = std::nullopt) override {
        m_first.box(x1, y1, x2, y2, color);
        m_second.box(x1, y1, x2, y2, color);
    }
    void filledBox(double x1, double y1, double x2, double y2, const QColor& color) override {
        m_first.filledBox(x1, y1, x2, y2, color);
        m_second.filledBox(x1, y1, x2, y2, color);
    }
    void circle(double x, double y, double radius, std::optional<QColor> color = std::nullopt) override {
        m_first.circle(x, y, radius, color);
        m_second.circle(x, y, radius, color);
    }
    void paintPicture(const QImage& picture, double x, double y, double width, double height) override {
        m_first.paintPicture(picture, x, y, width, height);
        m_second.paintPicture(picture, x, y, width, height);
    }

    void newPage() override {
        m_first.newPage();
        m_second.newPage();
    }
    void endDocument() override {
        m_first.endDocument();
        m_second.endDocument();
    }

private:
    Surface& m_first;
    Surface& m_second;
};

}  // namespace fortema::drawing
