#include "ui/main/archive_commands.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "archive/archive_text.h"
#include "archive/number_locale.h"
#include "archive/project_file.h"
#include "drawing/surface.h"
#include "engine/numtext.h"
#include "ui/aux/form2.h"
#include "ui/aux/prompter.h"
#include "ui/main/examples.h"
#include "ui/main/form1.h"

namespace fortema::ui {

namespace {

using engine::Layout;

const char* const kArchiveButtons[] = {"avanti", "indietro", "salva", "copia", "incolla"};

// The buttons whose tool tip names the shown position.
struct PositionTip {
    const char* button;
    const char* text;
};
const PositionTip kPositionTips[] = {
    {"salva", "Salva i dati nella posizione N°"},
    {"copia", "Copia i dati dalla posizione N°"},
    {"incolla", "Incolla i dati nella posizione N°"},
};

QString numberText(float value) {
    return QString::fromStdString(engine::numtext::singleText(value, archive::numberLocale()));
}

}  // namespace

ArchiveCommands::ArchiveCommands(Form1& window) : QObject(&window), m_window(window) {
    setObjectName(QStringLiteral("archiveCommands"));

    connectButton("avanti", &ArchiveCommands::avanti_Click);
    connectButton("indietro", &ArchiveCommands::indietro_Click);
    connectButton("salva", &ArchiveCommands::salva_Click);
    connectButton("copia", &ArchiveCommands::copia_Click);
    connectButton("incolla", &ArchiveCommands::incolla_Click);
    if (QPushButton* b = button("avanti"))
        b->setToolTip(QStringLiteral("Visualizza i dati memorizzati nella posizione seguente"));
    if (QPushButton* b = button("indietro"))
        b->setToolTip(QStringLiteral("Visualizza i dati memorizzati nella posizione precedente"));
    // The numbered tool tips are renewed on every mouse move over their button.
    for (const char* name : kArchiveButtons) {
        if (QPushButton* b = button(name)) {
            b->setMouseTracking(true);
            b->installEventFilter(this);
            updateToolTip(b);
        }
    }

    connectAction("mnuNuovo", &ArchiveCommands::mnuNuovo_Click);
    connectAction("mnuApri", &ArchiveCommands::mnuApri_Click);
    connectAction("mnuChiudi", &ArchiveCommands::mnuChiudi_Click);
    connectAction("mnuSalva", &ArchiveCommands::mnuSalva_Click);
    connectAction("mnuSalvaconnome", &ArchiveCommands::mnuSalvaconnome_Click);
    connectAction("mnuEsci", &ArchiveCommands::mnuEsci_Click);
    connectAction("mnuDatiprogetto", &ArchiveCommands::mnuDatiprogetto_Click);
    connectAction("mnuCancellarecord", &ArchiveCommands::mnuCancellarecord_Click);
    for (const WorkedExample& example : workedExamples()) {
        if (auto* action = m_window.findChild<QAction*>(QString::fromLatin1(example.action))) {
            connect(action, &QAction::triggered, this, [this, &example] { loadExample(m_window, example); });
        }
    }

    // The close box asks to save first, as "&Esci" does.
    m_window.installEventFilter(this);
}

void ArchiveCommands::connectButton(const char* name, void (ArchiveCommands::*handler)()) {
    if (QPushButton* b = button(name)) connect(b, &QPushButton::clicked, this, handler);
}

template <typename R>
void ArchiveCommands::connectAction(const char* name, R (ArchiveCommands::*handler)()) {
    if (auto* action = m_window.findChild<QAction*>(QString::fromLatin1(name)))
        connect(action, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
}

bool ArchiveCommands::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &m_window && event->type() == QEvent::Close) {
        if (m_closingWithoutQuestion || AskToSaveIfData()) return false;
        event->ignore();
        return true;
    }
    if (event->type() == QEvent::MouseMove || event->type() == QEvent::Enter ||
        event->type() == QEvent::ToolTip) {
        if (auto* b = qobject_cast<QPushButton*>(watched)) updateToolTip(b);
    }
    return QObject::eventFilter(watched, event);
}

void ArchiveCommands::updateToolTip(QPushButton* b) {
    for (const PositionTip& tip : kPositionTips) {
        if (b->objectName() == QLatin1String(tip.button)) {
            b->setToolTip(QString::fromUtf8(tip.text) + QString::number(m_currentPosition + 1));
        }
    }
}

Layout ArchiveCommands::selectedLayout() const {
    return m_window.rectangularLayout() ? Layout::Rectangular : Layout::Circular;
}

QLineEdit* ArchiveCommands::box(const char* name) const {
    return m_window.findChild<QLineEdit*>(QString::fromLatin1(name));
}
QLabel* ArchiveCommands::label(const char* name) const {
    return m_window.findChild<QLabel*>(QString::fromLatin1(name));
}
QPushButton* ArchiveCommands::button(const char* name) const {
    return m_window.findChild<QPushButton*>(QString::fromLatin1(name));
}

void ArchiveCommands::setLabelText(const char* name, const QString& text) {
    if (QLabel* l = label(name)) l->setText(text);
}

// The colours of a stored position's field; campo 1 reads black here, unlike after a calculation.
void ArchiveCommands::showCampo(std::int16_t campo) {
    struct Colours {
        int text, background;
    };
    static const Colours kColours[] = {{0, 15}, {0, 12}, {0, 10}, {15, 13}, {15, 9}, {0, 11}};
    QLabel* l = label("lblCampo");
    if (!l || campo < 0 || campo > 5) return;
    const Colours& c = kColours[campo];
    Form1::setLabelColors(l, drawing::qbColor(c.text), drawing::qbColor(c.background));
    l->setText(campo == 0 ? QStringLiteral(" Campo = ?") : QStringLiteral(" Campo = %1").arg(campo));
}

// Only the background follows the verdict; the text keeps its colour unless that would make
// it vanish (white on white after a failed calculation).
void ArchiveCommands::setMuBackground(bool belowMd) {
    QLabel* l = label("lblMu");
    if (!l) return;
    const QColor background = drawing::qbColor(belowMd ? 12 : 15);
    QColor text = l->palette().color(QPalette::WindowText);
    if (text == background) text = drawing::qbColor(0);
    Form1::setLabelColors(l, text, background);
}

void ArchiveCommands::LoadPositionIntoForm() {
    const archive::SectionRecord& r = m_archive.at(m_currentPosition);
    setLabelText("lblNumero", QString::number(m_currentPosition + 1));
    showCampo(r.campo);
    if (QLineEdit* d = box("descrizione")) d->setText(r.description);
    const std::vector<archive::BoxText> texts = archive::positionBoxTexts(r, archive::numberLocale());
    const auto write = [this](const archive::BoxText& b) {
        m_window.fieldBox(b.field)->setText(QString::fromStdString(b.text));
    };
    // The materials and the actions, then the type with its sketch, then its geometry.
    const std::size_t commonBoxes = engine::kMaterialFields.size() + 2;
    for (std::size_t i = 0; i < commonBoxes; ++i) write(texts[i]);
    setMuBackground(r.Mu < r.Md);
    setLabelText("lblNu", QStringLiteral(" Nu = ") + numberText(r.Nu) + QStringLiteral(" daN"));
    setLabelText("lblMu", QStringLiteral(" Mu = ") + numberText(r.Mu) + QStringLiteral(" daN*cm"));
    if (r.sectionType == QLatin1String("R")) {
        selectLayout(m_window, Layout::Rectangular);
        setLabelText("lblYan", QStringLiteral(" yan = ") + numberText(r.yan) + QStringLiteral(" cm"));
    } else if (r.sectionType == QLatin1String("C")) {
        selectLayout(m_window, Layout::Circular);
        setLabelText("lblYan", QString());
    }
    for (std::size_t i = commonBoxes; i < texts.size(); ++i) write(texts[i]);
}

void ArchiveCommands::avanti_Click() {
    m_currentPosition = archive::nextPosition(m_currentPosition);
    LoadPositionIntoForm();
    m_window.UpdateCommandState();
}

void ArchiveCommands::indietro_Click() {
    m_currentPosition = archive::previousPosition(m_currentPosition);
    LoadPositionIntoForm();
    m_window.UpdateCommandState();
}

void ArchiveCommands::salva_Click() {
    const engine::Analysis& analysis = m_window.analysis();
    const QLineEdit* d = box("descrizione");
    archive::storeCalculation(m_archive, m_currentPosition, analysis.section(), analysis.result(),
                              d ? d->text() : QString(), selectedLayout());
}

void ArchiveCommands::copia_Click() {
    archive::copyToClipboard(m_archive, m_currentPosition, selectedLayout(), m_clipboard);
}

void ArchiveCommands::incolla_Click() {
    archive::pasteFromClipboard(m_archive, m_currentPosition, selectedLayout(), m_clipboard);
    LoadPositionIntoForm();
    m_window.UpdateCommandState();
}

bool ArchiveCommands::mnuCancellarecord_Click() {
    if (!AskToSaveIfData()) return false;
    archive::clearAllRecords(m_archive, m_currentPosition);
    selectLayout(m_window, Layout::Rectangular);
    setLabelText("lblNumero", QStringLiteral("1"));
    showCampo(0);
    setMuBackground(false);
    if (QLineEdit* d = box("descrizione")) d->clear();
    for (std::size_t i = 0; i < kMaterialAndActionBoxes.size(); ++i) {
        const char* name = kMaterialAndActionBoxes[i];
        writeBox(m_window, name,
                 QLatin1String(name) == QLatin1String("sollecitazioneN") ? QStringLiteral("1")
                                                                         : QStringLiteral("0"));
    }
    setLabelText("lblNu", QStringLiteral(" Nu = ? daN"));
    setLabelText("lblMu", QStringLiteral(" Mu = ? daN*cm"));
    setLabelText("lblYan", QStringLiteral(" yan = ? cm"));
    for (const char* name : kRectangularBoxes) writeBox(m_window, name, QStringLiteral("0"));
    for (const char* name : kCircularBoxes) writeBox(m_window, name, QStringLiteral("0"));
    for (const char* name : {"calcola", "stampa"}) {
        if (QPushButton* b = button(name)) b->setEnabled(false);
    }
    return true;
}

bool ArchiveCommands::AskToSaveIfData() {
    if (!archive::holdsData(m_archive, m_projectData)) return true;
    const Answer answer =
        prompter().message(&m_window, QStringLiteral("Fortema"), QStringLiteral("Vuoi salvare il file?"),
                           Icon::Question, Buttons::YesNo, Answer::Yes);
    if (answer != Answer::Yes) return true;
    return mnuSalvaconnome_Click();
}

FileDialogRequest ArchiveCommands::fileDialogRequest() const {
    return {QStringLiteral("Fortemi"), QStringLiteral("file (*.ftm)"), QStringLiteral("ftm"),
            QDir::homePath()};
}

bool ArchiveCommands::writeTo(const QString& path) {
    const archive::FileResult result = archive::writeProjectFile(path, m_archive, m_projectData);
    if (!result.ok) prompter().message(&m_window, QString(), result.message, Icon::Exclamation);
    return result.ok;
}

bool ArchiveCommands::mnuSalva_Click() {
    if (m_currentFileName.isEmpty()) return mnuSalvaconnome_Click();
    return writeTo(m_currentFileName);
}

bool ArchiveCommands::mnuSalvaconnome_Click() {
    m_currentFileName = prompter().saveFileName(&m_window, fileDialogRequest());
    if (m_currentFileName.isEmpty()) return false;
    return writeTo(m_currentFileName);
}

bool ArchiveCommands::openFile(const QString& path) {
    const archive::FileResult result = archive::readProjectFile(path, m_archive, m_projectData);
    if (!result.ok) {
        prompter().message(&m_window, QString(), result.message, Icon::Exclamation);
        return false;
    }
    // "&Salva" then writes back to the file just opened.
    m_currentFileName = path;
    m_currentPosition = 0;
    LoadPositionIntoForm();
    return true;
}

bool ArchiveCommands::mnuApri_Click() {
    if (!AskToSaveIfData()) return false;
    const QString path = prompter().openFileName(&m_window, fileDialogRequest());
    if (path.isEmpty()) return false;
    return openFile(path);
}

bool ArchiveCommands::mnuNuovo_Click() {
    if (!mnuCancellarecord_Click()) return false;
    for (QString& line : m_projectData) line.clear();
    Form2 dialog(m_projectData, Form2::Boxes::Empty, &m_window);
    if (prompter().exec(dialog) == QDialog::Accepted) {
        for (std::size_t i = 0; i < m_projectData.size(); ++i) {
            m_projectData[i] = archive::sanitizeArchiveText(dialog.data()[i]);
        }
    }
    m_currentFileName.clear();
    return true;
}

bool ArchiveCommands::mnuChiudi_Click() {
    if (!mnuCancellarecord_Click()) return false;
    m_currentFileName.clear();
    // The program ends at once, with the main window as the last one: no second question, and
    // no side window stays behind.
    m_window.closeBarAreaCalculator();
    m_closingWithoutQuestion = true;
    m_window.close();
    m_closingWithoutQuestion = false;
    return true;
}

void ArchiveCommands::mnuEsci_Click() {
    m_window.closeBarAreaCalculator();
    m_window.close();
}

void ArchiveCommands::mnuDatiprogetto_Click() {
    Form2 dialog(m_projectData, Form2::Boxes::Filled, &m_window);
    if (prompter().exec(dialog) != QDialog::Accepted) return;
    for (std::size_t i = 0; i < m_projectData.size(); ++i) {
        m_projectData[i] = archive::sanitizeArchiveText(dialog.data()[i]);
    }
}

}  // namespace fortema::ui
