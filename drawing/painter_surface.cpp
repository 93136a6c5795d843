#include "drawing/painter_surface.h"

#include <QFile>
#include <QFontMetricsF>
#include <QImage>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPrinter>
#include <algorithm>
#include <array>
#include <cmath>
#include <optional>

namespace fortema::drawing {

namespace {

// Fill styles 2..7: horizontal, vertical, upward diagonal, downward diagonal, cross, diagonal cross.
Qt::BrushStyle hatchPattern(int style) {
    static constexpr std::array<Qt::BrushStyle, 6> kHatches{Qt::HorPattern,   Qt::VerPattern,
                                                            Qt::FDiagPattern, Qt::BDiagPattern,
                                                            Qt::CrossPattern, Qt::DiagCrossPattern};
    if (style < 2 || style > 7) return Qt::NoBrush;
    return kHatches[static_cast<std::size_t>(style - 2)];
}

QStringList linesOf(const QString& text) { return text.split(QLatin1Char('\n')); }

// A box thinner than a pixel is a rule, drawn the line width thick on whole pixels: its outline
// would cover one or two pixel rows depending on where it falls, so a zoom would change it.
std::optional<QRectF> asRule(const QRectF& rect, int lineWidth) {
    if (rect.height() >= 1 && rect.width() >= 1) return std::nullopt;
    const double pen = std::max(lineWidth, 1);
    QRectF rule = rect;
    if (rule.height() < 1)
        rule = QRectF(rule.left(), std::round(rule.center().y() - pen / 2), rule.width(), pen);
    if (rule.width() < 1)
        rule = QRectF(std::round(rule.center().x() - pen / 2), rule.top(), pen, rule.height());
    return rule;
}

}  // namespace

QString installedFace(const QString& face) {
    const QString key = face.trimmed().toLower();
    if (key == QLatin1String("ms sans serif") || key == QLatin1String("arial")) {
        return QStringLiteral("Liberation Sans");
    }
    if (key == QLatin1String("times new roman")) return QStringLiteral("Liberation Serif");
    return face;
}

QPainterSurface::QPainterSurface(QPaintDevice* device) : m_device(device) {
    m_paged = dynamic_cast<QPagedPaintDevice*>(device) != nullptr;
    if (!m_paged) return;
    if (auto* printer = dynamic_cast<QPrinter*>(device); printer != nullptr && !printer->isValid()) {
        m_failed = true;
        return;
    }
    m_pagePainter = new QPainter;
    if (!m_pagePainter->begin(device)) {
        delete m_pagePainter;
        m_pagePainter = nullptr;
        m_failed = true;
    }
}

QPainterSurface::~QPainterSurface() {
    if (m_pagePainter != nullptr) abortDocument();
}

bool QPainterSurface::isActive() const {
    if (m_failed || m_device == nullptr) return false;
    if (m_paged) return m_pagePainter != nullptr && m_pagePainter->isActive();
    const auto* image = dynamic_cast<const QImage*>(m_device);
    return image == nullptr || !image->isNull();
}

void QPainterSurface::abortDocument() {
    if (m_pagePainter == nullptr) return;
    auto* printer = dynamic_cast<QPrinter*>(m_device);
    const bool aborted = printer != nullptr && printer->abort();
    if (m_pagePainter->isActive()) m_pagePainter->end();
    delete m_pagePainter;
    m_pagePainter = nullptr;
    // File printers cannot abort; the file they wrote is removed instead.
    if (!aborted && printer != nullptr && printer->outputFormat() == QPrinter::PdfFormat &&
        !printer->outputFileName().isEmpty()) {
        QFile::remove(printer->outputFileName());
    }
}

double QPainterSurface::deviceWidth() const {
    if (m_device == nullptr) return 1;
    if (const auto* image = dynamic_cast<const QImage*>(m_device)) {
        return image->width() / image->devicePixelRatio();
    }
    return m_device->width();
}

double QPainterSurface::deviceHeight() const {
    if (m_device == nullptr) return 1;
    if (const auto* image = dynamic_cast<const QImage*>(m_device)) {
        return image->height() / image->devicePixelRatio();
    }
    return m_device->height();
}

double QPainterSurface::scaleWidth() const { return m_width.value_or(deviceWidth()); }
double QPainterSurface::scaleHeight() const { return m_height.value_or(deviceHeight()); }

void QPainterSurface::setScale(double left, double top, double width, double height) {
    m_left = left;
    m_top = top;
    m_width = width;
    m_height = height;
}

QPointF QPainterSurface::toDevice(double x, double y) const {
    const double w = scaleWidth();
    const double h = scaleHeight();
    return {w == 0 ? 0 : (x - m_left) * deviceWidth() / w, h == 0 ? 0 : (y - m_top) * deviceHeight() / h};
}

QPointF QPainterSurface::toUser(const QPointF& p) const {
    const double dw = deviceWidth();
    const double dh = deviceHeight();
    return {m_left + (dw == 0 ? 0 : p.x() * scaleWidth() / dw),
            m_top + (dh == 0 ? 0 : p.y() * scaleHeight() / dh)};
}

double QPainterSurface::toUserWidth(double deviceUnits) const {
    const double dw = deviceWidth();
    return dw == 0 ? 0 : deviceUnits * std::abs(scaleWidth()) / dw;
}

double QPainterSurface::toUserHeight(double deviceUnits) const {
    const double dh = deviceHeight();
    return dh == 0 ? 0 : deviceUnits * std::abs(scaleHeight()) / dh;
}

QFont QPainterSurface::currentFont() const {
    QFont font(installedFace(m_fontName));
    // A font must have a positive size; a zoomed-out preview can ask for almost nothing.
    font.setPointSizeF(std::max(m_fontSize, 0.1));
    font.setBold(m_fontBold);
    return font;
}

void QPainterSurface::paint(const std::function<void(QPainter&)>& draw) {
    if (m_device == nullptr || m_failed) return;
    if (m_paged) {
        if (m_pagePainter == nullptr || !m_pagePainter->isActive()) return;
        m_pagePainter->save();
        m_pagePainter->setRenderHint(QPainter::Antialiasing, m_antialiasing);
        draw(*m_pagePainter);
        m_pagePainter->restore();
        return;
    }
    if (const auto* image = dynamic_cast<const QImage*>(m_device); image != nullptr && image->isNull())
        return;
    QPainter painter;
    if (!painter.begin(m_device)) return;
    painter.setRenderHint(QPainter::Antialiasing, m_antialiasing);
    draw(painter);
    painter.end();
    if (m_changed) m_changed();
}

void QPainterSurface::applyPen(QPainter& painter, const QColor& color) const {
    QPen pen(color, std::max(m_lineWidth, 1));
    // Widths are device pixels whatever transform the painter has.
    pen.setCosmetic(true);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    painter.setPen(pen);
}

void QPainterSurface::applyFill(QPainter& painter) const {
    if (m_fillStyle == FillSolid) {
        painter.setBrush(m_fillColor);
    } else {
        painter.setBrush(QBrush(m_fillColor, hatchPattern(m_fillStyle)));
    }
}

void QPainterSurface::clear() {
    // Paper has nothing to clear; only the position returns to the top left.
    if (!m_paged) {
        const QRectF all(0, 0, deviceWidth(), deviceHeight());
        const QColor back = m_backColor;
        paint([&](QPainter& p) { p.fillRect(all, back); });
    }
    m_x = m_left;
    m_y = m_top;
}

double QPainterSurface::textWidth(const QString& text) const {
    const QFontMetricsF metrics(currentFont(), m_device);
    double widest = 0;
    for (const QString& part : linesOf(text)) widest = std::max(widest, metrics.horizontalAdvance(part));
    return toUserWidth(widest);
}

double QPainterSurface::textHeight(const QString& text) const {
    const QFontMetricsF metrics(currentFont(), m_device);
    return toUserHeight(metrics.lineSpacing() * static_cast<double>(linesOf(text).size()));
}

void QPainterSurface::print(const QString& text, bool endLine) {
    const QFont font = currentFont();
    const QPointF at = toDevice(m_x, m_y);
    const QColor color = m_foreColor;
    const QFontMetricsF metrics(font, m_device);
    paint([&](QPainter& p) {
        p.setFont(font);
        p.setPen(color);
        double baseline = at.y() + metrics.ascent();
        for (const QString& part : linesOf(text)) {
            p.drawText(QPointF(at.x(), baseline), part);
            baseline += metrics.lineSpacing();
        }
    });
    if (endLine) {
        m_x = m_left;
        m_y += textHeight(text);
    } else {
        m_x += textWidth(text);
    }
}

void QPainterSurface::tabToColumn(int column) {
    const QFontMetricsF metrics(currentFont(), m_device);
    m_x = m_left + std::max(column - 1, 0) * toUserWidth(metrics.averageCharWidth());
}

void QPainterSurface::line(double x1, double y1, double x2, double y2, std::optional<QColor> color) {
    const QPointF a = toDevice(x1, y1);
    const QPointF b = toDevice(x2, y2);
    const QColor c = color.value_or(m_foreColor);
    paint([&](QPainter& p) {
        applyPen(p, c);
        p.drawLine(a, b);
    });
}

void QPainterSurface::box(double x1, double y1, double x2, double y2, std::optional<QColor> color) {
    const QRectF rect = QRectF(toDevice(x1, y1), toDevice(x2, y2)).normalized();
    const QColor c = color.value_or(m_foreColor);
    if (const auto rule = asRule(rect, m_lineWidth)) {
        paint([&](QPainter& p) { p.fillRect(*rule, c); });
        return;
    }
    paint([&](QPainter& p) {
        applyPen(p, c);
        applyFill(p);
        p.drawRect(rect);
    });
}

void QPainterSurface::filledBox(double x1, double y1, double x2, double y2, const QColor& color) {
    const QRectF rect = QRectF(toDevice(x1, y1), toDevice(x2, y2)).normalized();
    if (const auto rule = asRule(rect, m_lineWidth)) {
        paint([&](QPainter& p) { p.fillRect(*rule, color); });
        return;
    }
    paint([&](QPainter& p) {
        // The edge in the same colour makes the solid box cover exactly what its outline would.
        QPen pen(color, std::max(m_lineWidth, 1));
        pen.setJoinStyle(Qt::MiterJoin);
        p.setPen(pen);
        p.setBrush(color);
        p.drawRect(rect);
    });
}

void QPainterSurface::circle(double x, double y, double radius, std::optional<QColor> color) {
    const QPointF centre = toDevice(x, y);
    const double sw = scaleWidth();
    const double r = sw == 0 ? 0 : std::abs(radius * deviceWidth() / sw);
    const QColor c = color.value_or(m_foreColor);
    paint([&](QPainter& p) {
        applyPen(p, c);
        applyFill(p);
        p.drawEllipse(centre, r, r);
    });
}

void QPainterSurface::paintPicture(const QImage& picture, double x, double y, double width, double height) {
    if (picture.isNull()) return;
    const QRectF target = QRectF(toDevice(x, y), toDevice(x + width, y + height)).normalized();
    paint([&](QPainter& p) {
        p.setRenderHint(QPainter::SmoothPixmapTransform, true);
        p.drawImage(target, picture);
    });
}

void QPainterSurface::newPage() {
    if (!m_paged || !isActive()) return;
    if (!static_cast<QPagedPaintDevice*>(m_device)->newPage()) m_failed = true;
}

void QPainterSurface::endDocument() {
    if (!m_paged || m_pagePainter == nullptr) return;
    const bool ended = m_pagePainter->end();
    delete m_pagePainter;
    m_pagePainter = nullptr;
    if (!ended) m_failed = true;
}

}  // namespace fortema::drawing
