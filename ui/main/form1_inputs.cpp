// The input boxes of the main window: key filters, change checks, the enabling rule, and the
// calculation with its results.

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <cmath>

#include "archive/number_locale.h"
#include "drawing/picture_box.h"
#include "engine/exact_domain.h"
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
        QLineEdit* edit = m_ui.field(rule.field);
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
    QLineEdit* fyk = m_ui.field(engine::Field::fyk);
    const std::string text = utf8(fyk->text());
    // Only a text the check kept, read as the calculation reads it (which, for such a text, is
    // also the locale's reading).
    if (engine::checkFieldText(engine::Field::fyk, text, archive::numberLocale()) !=
        engine::TextCheck::Accepted)
        return;
    const double fyd = std::floor(engine::fieldValue(engine::Field::fyk, text) / 1.15);
    if (!std::isfinite(fyd)) return;
    m_ui.field(engine::Field::fyd)->setText(QString::number(fyd, 'f', 0));
}

void Form1::sollecitazioneN_Change() {
    QLineEdit* nd = m_ui.field(engine::Field::Nd);
    const std::string text = utf8(nd->text());
    // A minus sign on its own is a negative force being typed, not a zero.
    if (text == "-" || engine::fieldValue(engine::Field::Nd, text) != 0) return;
    nd->setText(QStringLiteral("1"));
    // Selected, so that the force typed next replaces the 1 instead of following it.
    nd->selectAll();
}

void Form1::UpdateCommandState() {
    if (engine::calculationEnabled(sectionTexts(), selectedLayout())) {
        m_ui.calcola->setEnabled(true);
        return;
    }
    m_ui.calcola->setEnabled(false);
    m_ui.stampa->setEnabled(false);
}

engine::SectionTexts Form1::sectionTexts() const {
    engine::SectionTexts t;
    for (const engine::FieldRule& rule : engine::fieldRules())
        t.*rule.text = utf8(m_ui.field(rule.field)->text());
    return t;
}

void Form1::calcola_Click() {
    const engine::CalcOutcome outcome = m_analysis.calcola(sectionTexts(), selectedLayout());
    if (outcome.ndSetToOne) m_ui.field(engine::Field::Nd)->setText(QStringLiteral("1"));
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

    // The colour of the field's curve, with a text that reads on it: black on the light green and
    // cyan, white on the others.
    QLabel* campo = m_ui.lblCampo;
    if (r.campo >= 1 && r.campo <= 5) {
        const bool light = r.campo == 2 || r.campo == 5;
        setLabelColors(campo, qbColor(light ? 0 : 15), drawing::fieldColor(r.campo));
    }
    campo->setText(QStringLiteral(" Campo = %1").arg(r.campo));

    QLabel* yan = m_ui.lblYan;
    if (m_analysis.layout() == engine::Layout::Rectangular)
        yan->setText(QStringLiteral(" yan = %1 mm").arg(qs(numtext::singleText(r.yan * 10.0f, loc))));
    else
        yan->setText(QString());

    m_ui.lblNu->setText(QStringLiteral(" Nu = %1 daN").arg(qs(numtext::generalText(r.Nu, loc))));

    // The engine's verdict also fails a design force beyond the axial capacity, whatever Mu says.
    QLabel* mu = m_ui.lblMu;
    if (!m_analysis.passes())
        setLabelColors(mu, qbColor(15), qbColor(12));
    else if (m_analysis.unreinforced())
        setLabelColors(mu, qbColor(0), qbColor(10));
    else
        setLabelColors(mu, qbColor(0), qbColor(15));
    mu->setText(QStringLiteral(" Mu = %1 daN*cm").arg(qs(numtext::generalText(r.Mu, loc))));
    // The traced Mu belongs to the nearest traced point; beside it, the one solved at Nd itself.
    const engine::CurrentSection& s = m_analysis.section();
    const engine::ExactResult exact = engine::solveExact(s, m_analysis.layout(), s.Nd);
    mu->setToolTip(exact.found ? QStringLiteral("Mu all'equilibrio esatto con Nu = Nd: %1 daN*cm")
                                     .arg(qs(numtext::generalText(std::floor(exact.Mu), loc)))
                               : QString());

    m_ui.stampa->setEnabled(true);
}

}  // namespace fortema::ui
