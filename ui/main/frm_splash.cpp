#include "ui/main/frm_splash.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

#include "ui/aux/twips.h"

namespace fortema::ui {

frmSplash::frmSplash(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmSplash"));
    setWindowTitle(QString());
    setFixedSize(twipSize(7320, 4605));

    auto* frame = new QFrame(this);
    frame->setObjectName(QStringLiteral("Frame1"));
    frame->setFrameShape(QFrame::Box);
    frame->setGeometry(twipRect(150, 120, 7020, 3720));

    auto* logo = new QLabel(frame);
    logo->setObjectName(QStringLiteral("imgLogo"));
    logo->setGeometry(twipRect(240, 360, 1800, 1800));

    auto* product = new QLabel(QStringLiteral("FORTEMA"), frame);
    product->setObjectName(QStringLiteral("lblProductName"));
    product->setFont(dialogFont(32, true));
    product->setGeometry(twipRect(2200, 480, 4600, 900));

    auto* version = new QLabel(QStringLiteral("Versione 2.4 / 2018"), frame);
    version->setObjectName(QStringLiteral("lblVersion"));
    version->setFont(dialogFont(12, true));
    version->setGeometry(twipRect(2200, 1500, 4600, 400));

    auto* platform = new QLabel(QStringLiteral("Linux"), frame);
    platform->setObjectName(QStringLiteral("lblPlatform"));
    platform->setFont(dialogFont(12, true));
    platform->setGeometry(twipRect(2200, 1950, 4600, 400));

    auto* credit = new QLabel(QStringLiteral("Calcolo dei domini di resistenza M-N - edizione Qt"), frame);
    credit->setObjectName(QStringLiteral("lblCompany"));
    credit->setFont(dialogFont(9));
    credit->setGeometry(twipRect(240, 3000, 6600, 400));

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
