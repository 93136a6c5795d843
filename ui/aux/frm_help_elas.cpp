#include "ui/aux/frm_help_elas.h"

#include "ui/aux/twips.h"

namespace fortema::ui {

frmHelpElas::frmHelpElas(QWidget* parent)
    : ReferenceCard(QStringLiteral("frmHelpElas"),
                    QStringLiteral("  Moduli elastici e resistenze di riferimento per il calcestruzzo"),
                    QSize(6150, 2535), 122, QRect(pixelsFromTwips(6150) / 2 - 46, 136, 92, 25), parent) {
    // The blanks before "94" line its digits up with those of "118" and "141" below.
    addLabel(QStringLiteral("Label4"), QStringLiteral("CONGLOMERATO CEMENTIZIO, si può assumere:"),
             QRect(48, 8, 354, 18), true);
    addLabel(QStringLiteral("Label5"),
             QStringLiteral("C16/20 (res.cubica caratt. Rck 20) :  E = 286000 - fmd =   94 daN/cm^2"),
             QRect(48, 28, 354, 18));
    addLabel(QStringLiteral("Label1"),
             QStringLiteral("C20/25 (res.cubica caratt. Rck 25) :  E = 299000 - fmd = 118 daN/cm^2"),
             QRect(48, 46, 354, 18));
    addLabel(QStringLiteral("Label2"),
             QStringLiteral("C25/30 (res.cubica caratt. Rck 30) :  E = 314000 - fmd = 141 daN/cm^2"),
             QRect(48, 64, 354, 18));
    addLabel(QStringLiteral("Label3"), QStringLiteral("MURATURE, si può assumere: fmd=0,85*fmk/(Ym*FC)"),
             QRect(48, 92, 354, 18), true);
}

}  // namespace fortema::ui
