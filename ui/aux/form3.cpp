#include "ui/aux/form3.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "archive/number_locale.h"
#include "engine/numtext.h"
#include "ui/aux/prompter.h"
#include "ui/aux/twips.h"

namespace fortema::ui {

namespace numtext = engine::numtext;

namespace {

constexpr std::array<int, Form3::kRows> kDiameters = {8, 10, 11, 12, 13, 14, 16, 17, 21, 22, 28};
// The rows are 360 twips apart; boxes of that height keep their borders from overlapping.
// The headings and "Tot. cmq" stop where the control below them starts, for the same reason.
constexpr int kRowHeight = 360;

QLabel* addLabel(QWidget* parent, const QString& name, const QString& text, const QRect& rect) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setGeometry(rect);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

QPushButton* addButton(QWidget* parent, const QString& name, const QString& text, const QRect& rect) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setGeometry(rect);
    return button;
}

std::string utf8(const QString& text) { return text.toStdString(); }

}  // namespace

Form3::Form3(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("Calcolo sezione armature"));
    setFont(dialogFont());
    setFixedSize(twipSize(3840, 5040));

    auto* lblFerri = addLabel(this, QStringLiteral("lblFerri"), QStringLiteral("Diametro ferri (mm)"),
                              twipRect(120, 240, 975, 720));
    auto* lblQuantita = addLabel(this, QStringLiteral("lblQuantità"), QStringLiteral(" Numero ferri"),
                                 twipRect(1200, 240, 975, 720));
    for (QLabel* heading : {lblFerri, lblQuantita}) {
        heading->setFont(courierFont());
        heading->setWordWrap(true);
    }

    QPalette boxPalette = palette();
    boxPalette.setColor(QPalette::Base, Qt::white);
    boxPalette.setColor(QPalette::Text, Qt::black);
    for (int i = 0; i < kRows; ++i) {
        const int top = 960 + 360 * i;
        m_ferro[i] = addLabel(this, QStringLiteral("ferro_%1").arg(i), QString::number(kDiameters[i]),
                              twipRect(120, top, 975, kRowHeight));
        m_ferro[i]->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

        auto* box = new QLineEdit(this);
        box->setObjectName(QStringLiteral("num_%1").arg(i));
        box->setGeometry(twipRect(1200, top, 975, kRowHeight));
        box->setFont(courierFont(9.75, true));
        box->setPalette(boxPalette);
        m_num[i] = box;
        if (i > 0) setTabOrder(m_num[i - 1], box);
        connect(box, &QLineEdit::textChanged, this, [this, i] { num_Change(i); });
    }

    addLabel(this, QStringLiteral("Label_13"), QStringLiteral("Tot. cmq"), twipRect(2400, 240, 1335, 360));
    m_lblSezione = addLabel(this, QStringLiteral("lblSezione"), QString(), twipRect(2400, 600, 1335, 495));
    m_lblSezione->setFont(dialogFont(12, true));
    m_lblSezione->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    auto* cmdCancella = addButton(this, QStringLiteral("cmdCancella"), QStringLiteral("CANCELLA"),
                                  twipRect(2400, 1680, 1335, 735));
    auto* cmdCalcola = addButton(this, QStringLiteral("cmdCalcola"), QStringLiteral("CALCOLA"),
                                 twipRect(2400, 2760, 1335, 735));
    auto* cmdChiudi = addButton(this, QStringLiteral("cmdChiudi"), QStringLiteral("CHIUDI"),
                                twipRect(2400, 3840, 1335, 735));
    setTabOrder(m_num[kRows - 1], cmdCancella);
    setTabOrder(cmdCancella, cmdCalcola);
    setTabOrder(cmdCalcola, cmdChiudi);

    connect(cmdCalcola, &QPushButton::clicked, this, &Form3::cmdCalcola_Click);
    connect(cmdCancella, &QPushButton::clicked, this, &Form3::cmdCancella_Click);
    connect(cmdChiudi, &QPushButton::clicked, this, &QWidget::close);
}

void Form3::showOrRaise() {
    if (isMinimized()) {
        showNormal();
    } else {
        show();
    }
    raise();
    activateWindow();
}

void Form3::clear() {
    const bool wasEmptying = m_emptying;
    m_emptying = true;
    for (QLineEdit* box : m_num) box->clear();
    m_emptying = wasEmptying;
    m_lblSezione->clear();
}

void Form3::closeEvent(QCloseEvent* event) {
    clear();
    QWidget::closeEvent(event);
}

void Form3::cmdCalcola_Click() {
    float total = 0.0f;
    for (int i = 0; i < kRows; ++i) {
        const double n = numtext::leadingNumber(utf8(m_num[i]->text()));
        const double d = numtext::leadingNumber(utf8(m_ferro[i]->text()));
        // The total is a single-precision value, rounded after every row.
        total = static_cast<float>(static_cast<double>(total) + (d / 20) * (d / 20) * (n * 3.141592654));
    }
    m_lblSezione->setText(QString::fromStdString(numtext::fixedText(total, 2, archive::numberLocale())));
}

void Form3::cmdCancella_Click() {
    for (QLineEdit* box : m_num) box->clear();
    m_lblSezione->clear();
}

void Form3::num_Change(int index) {
    if (m_emptying) return;
    QLineEdit* box = m_num[index];
    if (numtext::isLocaleNumber(utf8(box->text()), archive::numberLocale())) return;
    prompter().beep();
    m_emptying = true;
    box->clear();
    m_emptying = false;
    box->setFocus();
}

}  // namespace fortema::ui
