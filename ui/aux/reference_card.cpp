#include "ui/aux/reference_card.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

#include "ui/aux/twips.h"

namespace fortema::ui {

ReferenceCard::ReferenceCard(const QString& objectName, const QString& caption, QSize clientTwips,
                             int lineTop, const QRect& buttonRect, QWidget* parent)
    : QDialog(parent) {
    setObjectName(objectName);
    setWindowTitle(caption);
    setFont(dialogFont());
    setFixedSize(twipSize(clientTwips.width(), clientTwips.height()));
    QPalette yellow = palette();
    yellow.setColor(QPalette::Window, QColor(255, 255, 0));
    yellow.setColor(QPalette::WindowText, Qt::black);
    setPalette(yellow);
    setAutoFillBackground(true);

    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("Picture1"));
    picture->setGeometry(8, 8, 32, 32);
    picture->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(32, 32));

    auto* line = new QFrame(this);
    line->setObjectName(QStringLiteral("Line1"));
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Plain);
    line->setGeometry(8, lineTop, width() - 16, 1);

    auto* cmdChiudi = new QPushButton(QStringLiteral("Chiudi"), this);
    cmdChiudi->setObjectName(QStringLiteral("cmdChiudi"));
    cmdChiudi->setGeometry(buttonRect);
    cmdChiudi->setPalette(QPalette());
    cmdChiudi->setDefault(true);
    connect(cmdChiudi, &QPushButton::clicked, this, &QDialog::accept);
}

QLabel* ReferenceCard::addLabel(const QString& name, const QString& text, const QRect& rect, bool bold) {
    auto* label = new QLabel(text, this);
    label->setObjectName(name);
    label->setGeometry(rect);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    if (bold) label->setFont(dialogFont(8.25, true));
    return label;
}

}  // namespace fortema::ui
