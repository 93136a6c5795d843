#include "ui/main/frm_splash.h"

#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QSysInfo>

#include "drawing/painter_surface.h"
#include "ui/aux/twips.h"

namespace fortema::ui {

// A small strength domain, its five fields in their colours over the two axes.
QImage frmSplash::logo(const QSize& size) {
    QImage image(size, QImage::Format_RGB32);
    drawing::QPainterSurface s(&image);
    s.setAntialiasing(true);
    s.setScale(-0.25, -1.25, 1.5, 1.6);
    s.setBackColor(drawing::qbColor(15));
    s.clear();
    s.setLineWidth(1);
    s.line(-0.2, 0, 1.2, 0, drawing::qbColor(0));
    s.line(0, -1.2, 0, 0.3, drawing::qbColor(0));
    s.setLineWidth(3);
    // Corner points of the fields, from pure tension up to pure compression.
    const double n[] = {0.25, 0.12, -0.35, -0.6, -0.85, -1.1};
    const double m[] = {0.0, 0.5, 1.0, 0.95, 0.55, 0.0};
    for (int i = 0; i < 5; ++i) s.line(m[i], n[i], m[i + 1], n[i + 1], drawing::fieldColor(i + 1));
    s.setLineWidth(2);
    s.line(0.62, -0.5, 0.78, -0.5, drawing::qbColor(0));
    s.line(0.7, -0.58, 0.7, -0.42, drawing::qbColor(0));
    return image;
}

QString frmSplash::platformName() {
    const QString name = QSysInfo::prettyProductName();
    return name.isEmpty() || name == QLatin1String("unknown") ? QSysInfo::kernelType() : name;
}

namespace {

QLabel* addLabel(QWidget* parent, const char* name, const QString& text, const QFont& font,
                 const QRect& rect) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setFont(font);
    label->setGeometry(rect);
    return label;
}

}  // namespace

frmSplash::frmSplash(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmSplash"));
    setWindowTitle(QString());
    setFixedSize(twipSize(7320, 4605));
    setFont(dialogFont());

    auto* frame = new QFrame(this);
    frame->setObjectName(QStringLiteral("Frame1"));
    frame->setFrameShape(QFrame::Box);
    frame->setGeometry(twipRect(150, 105, 7020, 3705));

    auto* logo = new QLabel(frame);
    logo->setObjectName(QStringLiteral("imgLogo"));
    logo->setGeometry(twipRect(240, 360, 1800, 1800));
    logo->setFrameShape(QFrame::Panel);
    logo->setFrameShadow(QFrame::Sunken);
    logo->setPixmap(QPixmap::fromImage(frmSplash::logo(logo->contentsRect().size())));

    addLabel(frame, "lblProductName", QStringLiteral("FORTEMA"), dialogFont(32, true),
             twipRect(2280, 360, 4500, 900));
    addLabel(frame, "lblVersion", QStringLiteral("Versione 2.4 / 2018"), dialogFont(12, true),
             twipRect(2280, 1380, 4500, 420));
    addLabel(frame, "lblPlatform", platformName(), dialogFont(12, true), twipRect(2280, 1830, 4500, 420));
    auto* description = addLabel(
        frame, "lblDescription",
        QStringLiteral("Domini di resistenza M-N allo stato limite ultimo di sezioni semplici o armate"),
        dialogFont(9), twipRect(240, 2460, 6540, 420));
    description->setWordWrap(true);
    addLabel(frame, "lblCompany", QStringLiteral("FORTEMA - edizione Qt per Linux"), dialogFont(9),
             twipRect(240, 3060, 6540, 420));

    auto* entra = new QPushButton(QStringLiteral("ENTRA"), this);
    entra->setObjectName(QStringLiteral("entra"));
    entra->setFont(dialogFont(9));
    entra->setGeometry(twipRect(5620, 3960, 1575, 495));
    entra->setDefault(true);
    connect(entra, &QPushButton::clicked, this, &QDialog::accept);

    auto* esci = new QPushButton(QStringLiteral("ESCI"), this);
    esci->setObjectName(QStringLiteral("esci"));
    esci->setFont(dialogFont(9));
    esci->setGeometry(twipRect(3870, 3960, 1575, 495));
    connect(esci, &QPushButton::clicked, this, &QDialog::reject);
}

}  // namespace fortema::ui
