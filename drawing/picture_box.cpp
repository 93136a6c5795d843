#include "drawing/picture_box.h"

#include <QMouseEvent>
#include <QPainter>
#include <cmath>

#include "drawing/twips.h"

namespace fortema::drawing {

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_surface.setChangedCallback([this] { update(); });
    fitImage();
}

void PictureBox::setDesignSize(int widthTwips, int heightTwips) {
    m_designSize = QSize(pixelsFromTwips(widthTwips), pixelsFromTwips(heightTwips));
    resize(m_designSize);
    fitImage();
}

QSize PictureBox::sizeHint() const { return m_designSize; }

void PictureBox::fitImage() {
    const qreal ratio = devicePixelRatioF();
    const QSize pixels(static_cast<int>(std::ceil(width() * ratio)),
                       static_cast<int>(std::ceil(height() * ratio)));
    if (!m_image.isNull() && m_image.size() == pixels && m_image.devicePixelRatio() == ratio) return;
    QImage grown(pixels.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    grown.setDevicePixelRatio(ratio);
    grown.fill(m_surface.backColor());
    if (!m_image.isNull()) {
        // What was drawn stays where it was; a larger box shows background around it.
        QPainter painter(&grown);
        painter.drawImage(QPointF(0, 0), m_image);
    }
    // Assigned in place: the surface paints on this very object.
    m_image = grown;
    update();
}

void PictureBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(QPointF(0, 0), m_image);
}

void PictureBox::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    fitImage();
}

void PictureBox::mouseMoveEvent(QMouseEvent* event) {
    const QPointF user = toUser(event->position());
    emit mouseMovedUser(user.x(), user.y());
    QWidget::mouseMoveEvent(event);
}

}  // namespace fortema::drawing
