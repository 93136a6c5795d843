#include "ui/aux/frm_help_acciaio.h"

#include "ui/aux/twips.h"

namespace fortema::ui {

frmHelpAcciaio::frmHelpAcciaio(QWidget* parent)
    : ReferenceCard(QStringLiteral("frmHelpAcciaio"),
                    QStringLiteral("  Resistenze caratteristiche dell'acciaio"), QSize(6060, 1920), 86,
                    twipRect(2400, 1440, 1380, 375), parent) {
    addLabel(QStringLiteral("Label11"),
             QStringLiteral("TIPO DI ACCIAIO  ( fyk resistenza caratteristica allo snervamento )"),
             QRect(48, 8, 348, 18), true);
    addLabel(QStringLiteral("Label12"), QStringLiteral("B450C- B450A:"), QRect(48, 38, 96, 18));
    addLabel(QStringLiteral("Label8"), QStringLiteral("fyk = 4500  daN/cm^2  (450 N/mm^2)"),
             QRect(148, 38, 248, 18));
    addLabel(QStringLiteral("Label10"), QStringLiteral("FeB44 k :"), QRect(48, 58, 96, 18));
    addLabel(QStringLiteral("Label13"), QStringLiteral("fyk = 4300  daN/cm^2  (430 N/mm^2)"),
             QRect(148, 58, 248, 18));
}

}  // namespace fortema::ui
