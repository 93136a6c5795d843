#include "ui/aux/form2.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QValidator>

#include "ui/aux/prompter.h"
#include "ui/aux/twips.h"

namespace fortema::ui {

namespace {

constexpr std::array<const char*, 6> kLabels = {
    "PROGETTO:", "COMMITTENTE:", "PROGETTISTA:", "REVISIONE:", "DATA:", "DATA REVISIONE:"};
constexpr std::array<int, 6> kTops = {240, 600, 960, 1320, 1680, 2040};
// The rows are 360 twips apart; boxes of that height keep their borders from overlapping.
constexpr int kRowHeight = 360;

// The project file delimits every text with double quotes and cannot hold one inside a text,
// so the boxes never take one: typed or pasted quotes are dropped.
class NoQuoteValidator final : public QValidator {
public:
    using QValidator::QValidator;

    State validate(QString& input, int& pos) const override {
        for (qsizetype i = input.size() - 1; i >= 0; --i) {
            if (input.at(i) == u'"') {
                input.remove(i, 1);
                if (pos > i) --pos;
            }
        }
        return Acceptable;
    }
};

// A typed quote gets a beep, so that the dropped key does not go unnoticed.
class QuoteKeyFilter final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->text().contains(u'"')) {
            prompter().beep();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }
};

}  // namespace

Form2::Form2(const ProjectTexts& data, Boxes boxes, QWidget* parent) : QDialog(parent), m_data(data) {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("      Dati di Progetto"));
    setFont(dialogFont());
    setFixedSize(twipSize(7455, 2595));

    auto* validator = new NoQuoteValidator(this);
    auto* keyFilter = new QuoteKeyFilter(this);
    for (int i = 0; i < 6; ++i) {
        auto* label = new QLabel(QString::fromLatin1(kLabels[i]), this);
        label->setObjectName(QStringLiteral("lbldati_%1").arg(i));
        // Ends just short of its box, which starts 15 twips before the label's nominal end.
        label->setGeometry(twipRect(240, kTops[i], 1755, kRowHeight));
        label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        m_lbldati[i] = label;

        auto* box = new QLineEdit(this);
        box->setObjectName(QStringLiteral("txtDati_%1").arg(i));
        box->setGeometry(twipRect(2010, kTops[i], i < 4 ? 5205 : 2040, kRowHeight));
        box->setValidator(validator);
        box->installEventFilter(keyFilter);
        box->setToolTip(QStringLiteral("Testo libero; le virgolette (\") non sono ammesse."));
        if (boxes == Boxes::Filled) box->setText(data[i]);
        m_txtDati[i] = box;
    }

    // The two buttons sit on the rows of the two short boxes instead of overlapping each other.
    m_cmdAnnulla = new QPushButton(QStringLiteral("Annulla"), this);
    m_cmdAnnulla->setObjectName(QStringLiteral("cmdAnnulla"));
    m_cmdAnnulla->setGeometry(twipRect(4280, kTops[4], 2940, kRowHeight));
    m_cmdOK = new QPushButton(QStringLiteral("OK"), this);
    m_cmdOK->setObjectName(QStringLiteral("cmdOK"));
    m_cmdOK->setGeometry(twipRect(4280, kTops[5], 2940, kRowHeight));

    for (int i = 0; i < 5; ++i) setTabOrder(m_txtDati[i], m_txtDati[i + 1]);
    setTabOrder(m_txtDati[5], m_cmdOK);
    setTabOrder(m_cmdOK, m_cmdAnnulla);
    m_txtDati[0]->setFocus();

    connect(m_cmdOK, &QPushButton::clicked, this, &Form2::cmdOK_Click);
    connect(m_cmdAnnulla, &QPushButton::clicked, this, &QDialog::reject);
}

void Form2::cmdOK_Click() {
    for (int i = 0; i < 6; ++i) m_data[i] = m_txtDati[i]->text();
    accept();
}

}  // namespace fortema::ui
