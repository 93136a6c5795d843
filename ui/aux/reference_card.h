#pragma once

// What the two reference cards share: a yellow modal window with a picture, a line over the
// "Chiudi" button, and labels of fixed text.

#include <QDialog>

class QLabel;
class QPushButton;

namespace fortema::ui {

class ReferenceCard : public QDialog {
    Q_OBJECT
protected:
    // `clientTwips` is the client area; `lineTop` and `buttonRect` are in pixels.
    ReferenceCard(const QString& objectName, const QString& caption, QSize clientTwips, int lineTop,
                  const QRect& buttonRect, QWidget* parent);

    QLabel* addLabel(const QString& name, const QString& text, const QRect& rect, bool bold = false);
};

}  // namespace fortema::ui
