#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "tests/support/test_registry.h"
#include "tests/ui/aux/window_checks.h"
#include "ui/aux/frm_help_acciaio.h"
#include "ui/aux/frm_help_elas.h"

namespace fortema::ui::test {

namespace {

using Texts = QList<QPair<QString, QString>>;

void checkCard(QDialog& card, const QString& caption, QSize size, const Texts& labels) {
    QCOMPARE(card.windowTitle(), caption);
    QCOMPARE(card.size(), size);
    QCOMPARE(card.palette().color(QPalette::Window), QColor(255, 255, 0));
    QVERIFY(card.autoFillBackground());
    int previousTop = -1;
    for (const auto& [name, text] : labels) {
        auto* label = card.findChild<QLabel*>(name);
        QVERIFY2(label, qPrintable(name));
        QCOMPARE(label->text(), text);
        QVERIFY2(label->y() >= previousTop, qPrintable(name + " out of order"));
        previousTop = label->y();
    }
    QVERIFY(card.findChild<QLabel*>(QStringLiteral("Picture1")));
    QVERIFY(card.findChild<QFrame*>(QStringLiteral("Line1")));
    FORTEMA_VERIFY_LAYOUT(card);

    auto* cmdChiudi = card.findChild<QPushButton*>(QStringLiteral("cmdChiudi"));
    QCOMPARE(cmdChiudi->text(), QStringLiteral("Chiudi"));
    card.show();
    QTest::mouseClick(cmdChiudi, Qt::LeftButton);
    QVERIFY(!card.isVisible());
}

}  // namespace

class ReferenceCardsTest : public QObject {
    Q_OBJECT
private slots:
    void concreteCard() {
        frmHelpElas card;
        saveScreenshot(card, "frmHelpElas");
        checkCard(card, QStringLiteral("  Moduli elastici e resistenze di riferimento per il calcestruzzo"),
                  QSize(410, 169),
                  {{"Label4", "CONGLOMERATO CEMENTIZIO, si può assumere:"},
                   {"Label5", "C16/20 (res.cubica caratt. Rck 20) :  E = 286000 - fmd =   94 daN/cm^2"},
                   {"Label1", "C20/25 (res.cubica caratt. Rck 25) :  E = 299000 - fmd = 118 daN/cm^2"},
                   {"Label2", "C25/30 (res.cubica caratt. Rck 30) :  E = 314000 - fmd = 141 daN/cm^2"},
                   {"Label3", "MURATURE, si può assumere: fmd=0,85*fmk/(Ym*FC)"}});
    }

    void steelCard() {
        frmHelpAcciaio card;
        saveScreenshot(card, "frmHelpAcciaio");
        checkCard(card, QStringLiteral("  Resistenze caratteristiche dell'acciaio"), QSize(404, 128),
                  {{"Label11", "TIPO DI ACCIAIO  ( fyk resistenza caratteristica allo snervamento )"},
                   {"Label12", "B450C- B450A:"},
                   {"Label8", "fyk = 4500  daN/cm^2  (450 N/mm^2)"},
                   {"Label10", "FeB44 k :"},
                   {"Label13", "fyk = 4300  daN/cm^2  (430 N/mm^2)"}});
        auto* label12 = card.findChild<QLabel*>(QStringLiteral("Label12"));
        auto* label8 = card.findChild<QLabel*>(QStringLiteral("Label8"));
        QCOMPARE(label8->y(), label12->y());
        QVERIFY(label8->x() > label12->geometry().right());
        QCOMPARE(card.findChild<QPushButton*>(QStringLiteral("cmdChiudi"))->geometry(),
                 QRect(160, 96, 92, 25));
    }
};

static RegisterTest<ReferenceCardsTest> registerReferenceCardsTest;

}  // namespace fortema::ui::test

#include "reference_cards_test.moc"
