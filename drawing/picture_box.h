#pragma once

// A picture box: a widget that keeps what is drawn on it in its own image, so drawings survive
// repaints and resizes, and that reports the cursor in the user coordinates of its surface.
// Users link Qt6::Widgets.

#include <QImage>
#include <QWidget>

#include "drawing/painter_surface.h"

namespace fortema::drawing {

class PictureBox : public QWidget {
    Q_OBJECT

public:
    explicit PictureBox(QWidget* parent = nullptr);

    // The size of the design layout in twips, to the nearest logical pixel.
    void setDesignSize(int widthTwips, int heightTwips);
    QPainterSurface& surface() { return m_surface; }
    const QPainterSurface& surface() const { return m_surface; }
    // The kept image, at the widget's device pixel ratio.
    const QImage& image() const { return m_image; }
    // A point of the widget in the user coordinates of its surface.
    QPointF toUser(QPointF widgetPos) const { return m_surface.toUser(widgetPos); }

    QSize sizeHint() const override;

signals:
    void mouseMovedUser(double x, double y);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void fitImage();

    QImage m_image;
    QPainterSurface m_surface{&m_image};
    QSize m_designSize{100, 100};
};

}  // namespace fortema::drawing
