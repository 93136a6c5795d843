#pragma once

// The surface that really draws, through QPainter, on any paint device: a persistent QImage
// (the picture boxes) or a paged device such as a QPrinter (paper and PDF).
//
// A picture is painted one operation at a time, so it can be shown, grown or replaced between
// operations. A paged device keeps one painter from construction to endDocument(), because
// beginning a painter on a printer starts the print job; its drawing area is the printable
// area the printer reports, with the origin at its top left corner.
//
// Device units are the painter's: logical pixels of a picture (its pixel size divided by its
// device pixel ratio), device pixels of a printer. Fonts are sized in points for the device's
// resolution, and text metrics come from the real font, converted to user units. The faces
// "MS Sans Serif", "Arial" and "Times New Roman" are drawn with Liberation Sans and Serif;
// fontName() still answers the face asked for.

#include <QFont>
#include <QPointF>
#include <functional>

#include "drawing/surface.h"

class QPaintDevice;
class QPainter;

namespace fortema::drawing {

// The face that draws `face`: the Windows faces the drawings ask for, as the metric-compatible
// faces installed here; any other face as it is.
QString installedFace(const QString& face);

class QPainterSurface : public Surface {
public:
    // `device` must outlive the surface. A paged device is begun here; see failed().
    explicit QPainterSurface(QPaintDevice* device);
    // A paged document that was not ended is aborted, so nothing half drawn is sent.
    ~QPainterSurface() override;
    QPainterSurface(const QPainterSurface&) = delete;
    QPainterSurface& operator=(const QPainterSurface&) = delete;

    bool isPaged() const { return m_paged; }
    // Drawing reaches the device: not failed, a picture that is not null, or a paged device
    // whose painter is open (between construction and endDocument).
    bool isActive() const;
    // Beginning the painter, a new page or ending the document failed (for instance no valid
    // printer is installed); nothing more is drawn once it has.
    bool failed() const { return m_failed; }
    // Drops an unfinished paged document without sending it.
    void abortDocument();

    void setAntialiasing(bool on) { m_antialiasing = on; }
    bool antialiasing() const { return m_antialiasing; }
    // Called after every operation that changed the picture (a picture box repaints then).
    void setChangedCallback(std::function<void()> callback) { m_changed = std::move(callback); }

    // Size of the drawing area in device units.
    double deviceWidth() const;
    double deviceHeight() const;
    QPointF toDevice(double x, double y) const;
    QPointF toUser(const QPointF& devicePoint) const;

    QColor backColor() const { return m_backColor; }
    int lineWidth() const { return m_lineWidth; }
    int fillStyle() const { return m_fillStyle; }
    QColor fillColor() const { return m_fillColor; }

    void setScale(double left, double top, double width, double height) override;
    double scaleLeft() const override { return m_left; }
    double scaleTop() const override { return m_top; }
    double scaleWidth() const override;
    double scaleHeight() const override;

    void clear() override;
    void setBackColor(const QColor& color) override { m_backColor = color; }
    void setForeColor(const QColor& color) override { m_foreColor = color; }
    QColor foreColor() const override { return m_foreColor; }
    void setLineWidth(int pixels) override { m_lineWidth = pixels; }

    void setFontName(const QString& face) override { m_fontName = face; }
    void setFontSize(double points) override { m_fontSize = points; }
    void setFontBold(bool bold) override { m_fontBold = bold; }
    QString fontName() const override { return m_fontName; }
    double fontSize() const override { return m_fontSize; }
    bool fontBold() const override { return m_fontBold; }

    void setFillStyle(int style) override { m_fillStyle = style; }
    void setFillColor(const QColor& color) override { m_fillColor = color; }

    void setCurrentX(double x) override { m_x = x; }
    void setCurrentY(double y) override { m_y = y; }
    double currentX() const override { return m_x; }
    double currentY() const override { return m_y; }

    void print(const QString& text, bool endLine = true) override;
    void tabToColumn(int column) override;
    double textWidth(const QString& text) const override;
    double textHeight(const QString& text) const override;

    void line(double x1, double y1, double x2, double y2,
              std::optional<QColor> color = std::nullopt) override;
    void box(double x1, double y1, double x2, double y2, std::optional<QColor> color = std::nullopt) override;
    void filledBox(double x1, double y1, double x2, double y2, const QColor& color) override;
    void circle(double x, double y, double radius, std::optional<QColor> color = std::nullopt) override;
    void paintPicture(const QImage& picture, double x, double y, double width, double height) override;

    void newPage() override;
    void endDocument() override;

private:
    QFont currentFont() const;
    // Runs `draw` with a painter on the device, or does nothing when none can be had.
    void paint(const std::function<void(QPainter&)>& draw);
    void applyPen(QPainter& painter, const QColor& color) const;
    void applyFill(QPainter& painter) const;
    double toUserWidth(double deviceUnits) const;
    double toUserHeight(double deviceUnits) const;

    QPaintDevice* m_device;
    bool m_paged = false;
    bool m_failed = false;
    QPainter* m_pagePainter = nullptr;  // paged devices only
    bool m_antialiasing = false;
    std::function<void()> m_changed;

    // A pixel scale until the first setScale: width and height unset mean "the device's".
    double m_left = 0, m_top = 0;
    std::optional<double> m_width, m_height;
    QColor m_backColor = Qt::white;
    QColor m_foreColor = Qt::black;
    int m_lineWidth = 1;
    QString m_fontName = QStringLiteral("MS Sans Serif");
    double m_fontSize = 8;
    bool m_fontBold = false;
    int m_fillStyle = FillTransparent;
    QColor m_fillColor = Qt::black;
    double m_x = 0, m_y = 0;
};

}  // namespace fortema::drawing
