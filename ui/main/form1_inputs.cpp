// The input boxes of the main window: key filters, change checks, the enabling rule, and the
// calculation with its results.

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <cmath>

#include "archive/number_locale.h"
#include "drawing/picture_box.h"
#include "engine/input_fields.h"
#include "engine/numtext.h"
#include "ui/aux/prompter.h"
#include "ui/main/domain_plot.h"
#include "ui/main/form1.h"
#include "ui/main/key_filters.h"

namespace fortema::ui {

namespace {

namespace numtext = engine::numtext;

std::string utf8(const QString& text) { return text.toStdString(); }
QString qs(const std::string& text) { return QString::fromStdString(text); }

KeyFilter keyFilter(engine::KeyRule keys) {
    switch (keys) {
        case engine::KeyRule::Digits:
            return FilterDigitKey;
        case engine::KeyRule::DecimalComma:
            return FilterDecimalKey;
        case engine::KeyRule::Signed:
            return FilterSignedKey;
    }
    return FilterDigitKey;
}

}  // namespace

void Form1::connectInputs() {
    for (const engine::FieldRule& rule : engine::fieldRules()) {
        QLineEdit* edit = fieldBox(rule.field);
        installKeyFilter(edit, keyFilter(rule.keys));
        connect(edit, &QLineEdit::textChanged, this, [this, edit, field = rule.field] {
            if (m_emptying) return;
            checkNumericBox(field, edit);
            if (field == engine::Field::fyk) tensione_snervamento_armature_Change();
            if (field == engine::Field::Nd) sollecitazioneN_Change();
            UpdateCommandState();
        });
    }
}

void Form1::checkNumericBox(engine::Field field, QLineEdit* edit) {
    if (engine::checkFieldText(field, utf8(edit->text()), archive::numberLocale()) !=
        engine::TextCheck::Refused)
        return;
    prompter().beep();
    m_emptying = true;
    edit->setText(QString());
    m_emptying = false;
    edit->setFocus();
}

void Form1::tensione_snervamento_armature_Change() {
    QLineEdit* fyk = fieldBox(engine::Field::fyk);
    const std::string text = utf8(fyk->text());
    // Only a text the check kept, read as the calculation reads it (which, for such a text, is
    // also the locale's reading).
    if (engine::checkFieldText(engine::Field::fyk, text, archive::numberLocale()) !=
        engine::TextCheck::Accepted)
        return;
    const double fyd = std::floor(engine::fieldValue(engine::Field::fyk, text) / 1.15);
    if (!std::isfinite(fyd)) return;
    fieldBox(engine::Field::fyd)->setText(QString::number(fyd, 'f', 0));
}

void Form1::sollecitazioneN_Change() {
    QLineEdit* nd = fieldBox(engine::Field::Nd);
    const std::string text = utf8(nd->text());
    // A minus sign on its own is a negative force being typed, not a zero.
    if (text == "-" || engine::fieldValue(engine::Field::Nd, text) != 0) return;
    nd->setText(QStringLiteral("1"));
    // Selected, so that the force typed next replaces the 1 instead of following it.
    nd->selectAll();
}

void Form1::UpdateCommandState() {
    if (engine::calculationEnabled(
            sectionTexts(), rectangularLayout() ? engine::Layout::Rectangular : engine::Layout::Circular)) {
        button(QStringLiteral("calcola"))->setEnabled(true);
        return;
    }
    button(QStringLiteral("calcola"))->setEnabled(false);
    button(QStringLiteral("stampa"))->setEnabled(false);
}

engine::SectionTexts Form1::sectionTexts() const {
    engine::SectionTexts t;
    for (const engine::FieldRule& rule : engine::fieldRules())
        t.*rule.text = utf8(fieldBox(rule.field)->text());
    return t;
}

void Form1::calcola_Click() {
    const engine::Layout layout =
        rectangularLayout() ? engine::Layout::Rectangular : engine::Layout::Circular;
    const engine::CalcOutcome outcome = m_analysis.calcola(sectionTexts(), layout);
    if (outcome.ndSetToOne) fieldBox(engine::Field::Nd)->setText(QStringLiteral("1"));
    if (!outcome.traced) {
        prompter().message(this, QString(), qs(outcome.refusal), Icon::Exclamation);
        return;
    }
    // Curves over m labels of the other rectangular scale would read off by a factor of two, so
    // the frame follows this calculation's scale first; curves of the same scale still pile up.
    if (curvePlotScale(m_analysis) != m_frameScale) DrawDomainFrame();
    drawDomainCurves(plotSurface(), m_analysis);
    ShowResults();
    if (!outcome.finalWarning.empty())
        prompter().message(this, QString(), qs(outcome.finalWarning), Icon::Exclamation);
}

void Form1::ShowResults() {
    using drawing::qbColor;
    const auto loc = archive::numberLocale();
    const engine::SectionResult& r = m_analysis.result();

    struct FieldColours {
        int text, background;
    };
    // The colours of the five curves, each with a text colour that reads on it.
    static const FieldColours kFieldColours[] = {{15, 12}, {0, 10}, {15, 13}, {15, 9}, {0, 11}};
    QLabel* campo = label(QStringLiteral("lblCampo"));
    if (r.campo >= 1 && r.campo <= 5) {
        const FieldColours& c = kFieldColours[r.campo - 1];
        setLabelColors(campo, qbColor(c.text), qbColor(c.background));
    }
    campo->setText(QStringLiteral(" Campo = %1").arg(r.campo));

    QLabel* yan = label(QStringLiteral("lblYan"));
    if (m_analysis.layout() == engine::Layout::Rectangular)
        yan->setText(QStringLiteral(" yan = %1 mm").arg(qs(numtext::singleText(r.yan * 10.0f, loc))));
    else
        yan->setText(QString());

    label(QStringLiteral("lblNu"))
        ->setText(QStringLiteral(" Nu = %1 daN").arg(qs(numtext::generalText(r.Nu, loc))));

    // The engine's verdict also fails a design force beyond the axial capacity, whatever Mu says.
    QLabel* mu = label(QStringLiteral("lblMu"));
    if (!m_analysis.passes())
        setLabelColors(mu, qbColor(15), qbColor(12));
    else if (m_analysis.unreinforced())
        setLabelColors(mu, qbColor(0), qbColor(10));
    else
        setLabelColors(mu, qbColor(0), qbColor(15));
    mu->setText(QStringLiteral(" Mu = %1 daN*cm").arg(qs(numtext::generalText(r.Mu, loc))));

    button(QStringLiteral("stampa"))->setEnabled(true);
}

}  // namespace fortema::ui
