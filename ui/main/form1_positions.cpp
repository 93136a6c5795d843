// The main window's side of the archive: a stored position shown again, the window after the
// archive is emptied, and the tool tips that name the shown position.

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "archive/number_locale.h"
#include "engine/numtext.h"
#include "ui/main/form1.h"

namespace fortema::ui {

namespace {

QString numberText(float value) {
    return QString::fromStdString(engine::numtext::singleText(value, archive::numberLocale()));
}

}  // namespace

// The colours of a stored position's field; campo 1 reads black here, unlike after a calculation.
void Form1::showCampo(std::int16_t campo) {
    if (campo < 0 || campo > 5) return;
    // White only on the two dark fields; no field yet is black on white.
    const bool white = campo == 3 || campo == 4;
    setLabelColors(m_ui.lblCampo, drawing::qbColor(white ? 15 : 0),
                   campo == 0 ? drawing::qbColor(15) : drawing::fieldColor(campo));
    m_ui.lblCampo->setText(campo == 0 ? QStringLiteral(" Campo = ?")
                                      : QStringLiteral(" Campo = %1").arg(campo));
}

// Only the background follows the verdict; the text keeps its colour unless that would make
// it vanish (white on white after a failed calculation).
void Form1::setMuBackground(bool belowMd) {
    const QColor background = drawing::qbColor(belowMd ? 12 : 15);
    QColor text = m_ui.lblMu->palette().color(QPalette::WindowText);
    if (text == background) text = drawing::qbColor(0);
    setLabelColors(m_ui.lblMu, text, background);
}

void Form1::setPositionToolTips(int position) {
    const QString number = QString::number(position + 1);
    m_ui.salva->setToolTip(QStringLiteral("Salva i dati nella posizione N°") + number);
    m_ui.copia->setToolTip(QStringLiteral("Copia i dati dalla posizione N°") + number);
    m_ui.incolla->setToolTip(QStringLiteral("Incolla i dati nella posizione N°") + number);
    m_ui.avanti->setToolTip(QStringLiteral("Visualizza i dati memorizzati nella posizione seguente"));
    m_ui.indietro->setToolTip(QStringLiteral("Visualizza i dati memorizzati nella posizione precedente"));
}

void Form1::LoadPositionIntoForm(int position, const archive::SectionRecord& r) {
    m_ui.lblNumero->setText(QString::number(position + 1));
    setPositionToolTips(position);
    showCampo(r.campo);
    m_ui.descrizione->setText(r.description);
    const std::vector<archive::BoxText> texts = archive::positionBoxTexts(r, archive::numberLocale());
    const auto write = [this](const archive::BoxText& b) {
        setFieldText(b.field, QString::fromStdString(b.text));
    };
    // The materials and the actions, then the type with its sketch, then its geometry.
    const std::size_t commonBoxes = engine::kMaterialFields.size() + 2;
    for (std::size_t i = 0; i < commonBoxes; ++i) write(texts[i]);
    // The exact Mu of the last calculation would describe another section.
    m_ui.lblMu->setToolTip(QString());
    if (r.sectionType != QLatin1String("R") && r.sectionType != QLatin1String("C")) {
        showUnknownType();
        return;
    }
    setMuBackground(r.Mu < r.Md);
    m_ui.lblNu->setText(QStringLiteral(" Nu = ") + numberText(r.Nu) + QStringLiteral(" daN"));
    m_ui.lblMu->setText(QStringLiteral(" Mu = ") + numberText(r.Mu) + QStringLiteral(" daN*cm"));
    if (r.sectionType == QLatin1String("R")) {
        selectLayout(engine::Layout::Rectangular);
        m_ui.lblYan->setText(QStringLiteral(" yan = ") + numberText(r.yan) + QStringLiteral(" cm"));
    } else {
        selectLayout(engine::Layout::Circular);
        m_ui.lblYan->setText(QString());
    }
    for (std::size_t i = commonBoxes; i < texts.size(); ++i) write(texts[i]);
}

// A type this program does not know (a foreign file, a paste from the empty buffer) has no
// geometry it can show: the boxes of both layouts and the results are emptied rather than left
// showing the previous position's beside this one's materials. The type selection stays.
void Form1::showUnknownType() {
    m_emptying = true;
    for (engine::Field f : engine::kRectangularFields) setFieldText(f, QString());
    for (engine::Field f : engine::kCircularFields) setFieldText(f, QString());
    m_emptying = false;
    showCampo(0);
    setMuBackground(false);
    m_ui.lblNu->setText(QStringLiteral(" Nu = ? daN"));
    m_ui.lblMu->setText(QStringLiteral(" Mu = ? daN*cm"));
    m_ui.lblYan->setText(QStringLiteral(" yan = ? cm"));
    UpdateCommandState();
}

void Form1::showEmptyArchive() {
    selectLayout(engine::Layout::Rectangular);
    m_ui.lblNumero->setText(QStringLiteral("1"));
    setPositionToolTips(0);
    showCampo(0);
    setMuBackground(false);
    m_ui.descrizione->clear();
    for (engine::Field f : engine::kMaterialFields) setFieldText(f, QStringLiteral("0"));
    setFieldText(engine::Field::Nd, QStringLiteral("1"));
    setFieldText(engine::Field::Md, QStringLiteral("0"));
    m_ui.lblNu->setText(QStringLiteral(" Nu = ? daN"));
    m_ui.lblMu->setText(QStringLiteral(" Mu = ? daN*cm"));
    m_ui.lblMu->setToolTip(QString());
    m_ui.lblYan->setText(QStringLiteral(" yan = ? cm"));
    for (engine::Field f : engine::kRectangularFields) setFieldText(f, QStringLiteral("0"));
    for (engine::Field f : engine::kCircularFields) setFieldText(f, QStringLiteral("0"));
    m_ui.calcola->setEnabled(false);
    m_ui.stampa->setEnabled(false);
}

}  // namespace fortema::ui
