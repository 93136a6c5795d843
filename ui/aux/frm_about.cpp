#include "ui/aux/frm_about.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QStyle>

#include "ui/aux/prompter.h"
#include "ui/aux/twips.h"

namespace fortema::ui {

namespace {

constexpr int kMajor = 2;
constexpr int kMinor = 4;
constexpr int kRevision = 0;

QLabel* addLabel(QWidget* parent, const QString& name, const QString& text, const QRect& rect) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setGeometry(rect);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(true);
    return label;
}

QFrame* addLine(QWidget* parent, const QString& name, const QColor& colour, const QRect& rect) {
    auto* line = new QFrame(parent);
    line->setObjectName(name);
    line->setGeometry(rect);
    QPalette p = line->palette();
    p.setColor(QPalette::Window, colour);
    line->setPalette(p);
    line->setAutoFillBackground(true);
    return line;
}

}  // namespace

frmAbout::frmAbout(QWidget* parent)
    : QDialog(parent),
      m_programs(defaultSysInfoPrograms()),
      m_finder(&frmAbout::findOnPath),
      m_starter(&frmAbout::startDetached) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("Informazioni"));
    setFont(dialogFont());
    setFixedSize(twipSize(5730, 3555));

    auto* picIcon = new QLabel(this);
    picIcon->setObjectName(QStringLiteral("picIcon"));
    picIcon->setGeometry(twipRect(240, 240, 540, 540));
    QIcon icon = QApplication::windowIcon();
    if (icon.isNull()) icon = style()->standardIcon(QStyle::SP_ComputerIcon);
    picIcon->setPixmap(icon.pixmap(picIcon->size()));

    auto* lblTitle = addLabel(this, QStringLiteral("lblTitle"), QStringLiteral("*** FORTEM0 ***"),
                              twipRect(1050, 240, 3885, 480));
    lblTitle->setFont(dialogFont(14, true));
    addLabel(this, QStringLiteral("lblVersion"),
             QStringLiteral("Versione %1.%2.%3").arg(kMajor).arg(kMinor).arg(kRevision),
             twipRect(1050, 780, 3885, 225));
    addLabel(this, QStringLiteral("lblDescription"),
             QStringLiteral("Verifiche allo stato limite ultimo (N-M) di sezioni armate o non reagenti a "
                            "trazione-non armate"),
             twipRect(1050, 1125, 3885, 1170));

    // A light line under a dark one, one pixel lower, reads as an etched groove.
    const QRect groove = twipRect(225, 2430, 5280, 30);
    addLine(this, QStringLiteral("Line1_0"), QColor(255, 255, 255), groove.adjusted(0, 0, 0, 1));
    addLine(this, QStringLiteral("Line1_1"), QColor(128, 128, 128),
            QRect(groove.topLeft(), QSize(groove.width(), 1)));

    addLabel(this, QStringLiteral("lblDisclaimer"),
             QStringLiteral("Per informazioni:\r\nRivolgersi al fornitore del programma."),
             twipRect(255, 2625, 3870, 825));

    auto* cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setGeometry(twipRect(4245, 2625, 1260, 345));
    cmdOK->setDefault(true);
    auto* cmdSysInfo = new QPushButton(QStringLiteral("&System Info..."), this);
    cmdSysInfo->setObjectName(QStringLiteral("cmdSysInfo"));
    cmdSysInfo->setGeometry(twipRect(4260, 3075, 1245, 345));
    setTabOrder(cmdOK, cmdSysInfo);
    cmdOK->setFocus();

    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdSysInfo, &QPushButton::clicked, this, &frmAbout::StartSysInfo);
}

QStringList frmAbout::defaultSysInfoPrograms() {
#ifdef Q_OS_WIN
    return {QStringLiteral("msinfo32")};
#else
    // Hardware and system reports first, then the desktops' system monitors.
    return {QStringLiteral("hardinfo"), QStringLiteral("kinfocenter"), QStringLiteral("gnome-system-monitor"),
            QStringLiteral("mate-system-monitor"), QStringLiteral("xfce4-taskmanager")};
#endif
}

QString frmAbout::findOnPath(const QStringList& programs) {
    for (const QString& program : programs) {
        const QString path = QStandardPaths::findExecutable(program);
        if (!path.isEmpty()) return path;
    }
    return {};
}

bool frmAbout::startDetached(const QString& path) { return QProcess::startDetached(path, {}); }

void frmAbout::StartSysInfo() {
    const QString path = m_finder ? m_finder(m_programs) : QString();
    if (!path.isEmpty() && m_starter && m_starter(path)) return;
    prompter().message(this, messageTitle(),
                       QStringLiteral("Le informazioni sul sistema non sono attualmente disponibili."),
                       Icon::None, Buttons::Ok);
}

}  // namespace fortema::ui
