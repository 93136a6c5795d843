// The input boxes of the main window: key filters, change checks, the enabling rule, and the
// calculation with its results.

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <cmath>

#include "drawing/picture_box.h"
#include "engine/exact_domain.h"
#include "engine/numtext.h"
#include "ui/aux/number_locale.h"
#include "ui/aux/prompter.h"
#include "ui/main/domain_plot.h"
#include "ui/main/form1.h"
#include "ui/main/key_filters.h"

namespace fortema::ui {

namespace {

namespace numtext = engine::numtext;

std::string utf8(const QString& text) { return text.toStdString(); }
QString qs(const std::string& text) { return QString::fromStdString(text); }

struct BoxRule {
    const char* name;
    KeyFilter filter;
    bool checked;  // the change check and the enabling rule run on every change
};

const BoxRule kBoxRules[] = {
    {"tensione_snervamento_armature", FilterDigitKey, true},
    {"tensione_calcolo_armature", FilterDigitKey, true},
    {"modulo_elastico_armature", FilterDigitKey, true},
    {"tensione_calcolo_materiale", FilterDigitKey, true},
    {"modulo_elastico_materiale", FilterDigitKey, true},
    {"base", FilterDigitKey, true},
    {"altezza", FilterDigitKey, true},
    {"copriferro1", FilterDecimalKey, true},
    {"copriferro2", FilterDigitKey, true},
    {"sezione1", FilterDigitKey, false},
    {"sezione2", FilterDigitKey, true},
    {"diametro", FilterDigitKey, true},
    {"copriferro", FilterDigitKey, true},
    {"sezione", FilterDigitKey, true},
    {"sollecitazioneN", FilterSignedKey, true},
    {"sollecitazioneM", FilterSignedKey, true},
};

const char* const kMaterialBoxes[] = {"tensione_snervamento_armature", "tensione_calcolo_armature",
                                      "modulo_elastico_armature", "tensione_calcolo_materiale",
                                      "modulo_elastico_materiale"};

bool emptyOrZero(const QLineEdit* box) { return box->text().isEmpty() || box->text() == QStringLiteral("0"); }

}  // namespace

void Form1::connectInputs() {
    for (const BoxRule& rule : kBoxRules) {
        QLineEdit* edit = box(QString::fromLatin1(rule.name));
        installKeyFilter(edit, rule.filter);
        if (!rule.checked) continue;
        connect(edit, &QLineEdit::textChanged, this, [this, edit] {
            if (m_emptying) return;
            checkNumericBox(edit);
            if (edit->objectName() == QLatin1String("tensione_snervamento_armature"))
                tensione_snervamento_armature_Change();
            else if (edit->objectName() == QLatin1String("sollecitazioneN"))
                sollecitazioneN_Change();
            UpdateCommandState();
        });
    }
}

void Form1::checkNumericBox(QLineEdit* edit) {
    if (numtext::isLocaleNumber(utf8(edit->text()), numberLocale())) return;
    prompter().beep();
    m_emptying = true;
    edit->setText(QString());
    m_emptying = false;
    edit->setFocus();
}

void Form1::tensione_snervamento_armature_Change() {
    QLineEdit* fyk = box(QStringLiteral("tensione_snervamento_armature"));
    const std::string text = utf8(fyk->text());
    const auto loc = numberLocale();
    if (!numtext::isLocaleNumber(text, loc)) return;
    const double fyd = std::floor(numtext::localeNumberValue(text, loc) / 1.15);
    if (!std::isfinite(fyd)) return;
    box(QStringLiteral("tensione_calcolo_armature"))->setText(QString::number(fyd, 'f', 0));
}

void Form1::sollecitazioneN_Change() {
    QLineEdit* nd = box(QStringLiteral("sollecitazioneN"));
    if (numtext::leadingNumber(utf8(nd->text())) == 0) nd->setText(QStringLiteral("1"));
}

void Form1::UpdateCommandState() {
    QPushButton* calcola = button(QStringLiteral("calcola"));
    QPushButton* stampa = button(QStringLiteral("stampa"));
    const auto refuse = [&] {
        calcola->setEnabled(false);
        stampa->setEnabled(false);
    };
    for (const char* name : kMaterialBoxes) {
        if (box(QString::fromLatin1(name))->text().isEmpty()) return refuse();
    }
    for (const char* name : kMaterialBoxes) {
        if (box(QString::fromLatin1(name))->text() == QStringLiteral("0")) return refuse();
    }
    if (rectangularLayout()) {
        if (emptyOrZero(box(QStringLiteral("altezza"))) || emptyOrZero(box(QStringLiteral("base"))))
            return refuse();
    } else {
        if (emptyOrZero(box(QStringLiteral("diametro"))) || emptyOrZero(box(QStringLiteral("copriferro"))))
            return refuse();
    }
    calcola->setEnabled(true);
}

engine::SectionTexts Form1::sectionTexts() const {
    const auto text = [this](const char* name) { return utf8(box(QString::fromLatin1(name))->text()); };
    engine::SectionTexts t;
    t.fyk = text("tensione_snervamento_armature");
    t.fyd = text("tensione_calcolo_armature");
    t.Ea = text("modulo_elastico_armature");
    t.fmd = text("tensione_calcolo_materiale");
    t.Em = text("modulo_elastico_materiale");
    t.Nd = text("sollecitazioneN");
    t.Md = text("sollecitazioneM");
    t.b = text("base");
    t.h = text("altezza");
    t.c1 = text("copriferro1");
    t.c2 = text("copriferro2");
    t.A1 = text("sezione1");
    t.A2 = text("sezione2");
    t.d = text("diametro");
    t.c = text("copriferro");
    t.Aa = text("sezione");
    return t;
}

void Form1::calcola_Click() {
    const engine::Layout layout =
        rectangularLayout() ? engine::Layout::Rectangular : engine::Layout::Circular;
    const engine::CalcOutcome outcome = m_analysis.calcola(sectionTexts(), layout);
    if (outcome.ndSetToOne) box(QStringLiteral("sollecitazioneN"))->setText(QStringLiteral("1"));
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
    const auto loc = numberLocale();
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
    // The traced Mu belongs to the nearest traced point; beside it, the one solved at Nd itself.
    const engine::CurrentSection& s = m_analysis.section();
    const engine::ExactResult exact = engine::solveExact(s, m_analysis.layout(), s.Nd);
    mu->setToolTip(exact.found ? QStringLiteral("Mu all'equilibrio esatto con Nu = Nd: %1 daN*cm")
                                     .arg(qs(numtext::generalText(std::floor(exact.Mu), loc)))
                               : QString());

    button(QStringLiteral("stampa"))->setEnabled(true);
}

}  // namespace fortema::ui
