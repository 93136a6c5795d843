#include "ui/main/form1.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>

#include "engine/numtext.h"
#include "ui/aux/number_locale.h"
#include "ui/aux/prompter.h"
#include "ui/aux/twips.h"

namespace fortema::ui {

namespace {

enum class Kind { Option, Box, Label, Button, Picture };

struct ControlSpec {
    const char* name;
    Kind kind;
    const char* caption;  // caption, or initial text of a box
    const char* toolTip;
    int left, top, width, height;
};

// clang-format off
const ControlSpec kControls[] = {
    {"Option1", Kind::Option, "SEZIONE RETTANGOLARE O ASSIMILABILE ", "", 317, 480, 5940, 240},
    {"Option2", Kind::Option, "SEZIONE CIRCOLARE", "", 317, 748, 2595, 255},
    {"tensione_snervamento_armature", Kind::Box, "0", "", 4530, 1215, 975, 375},
    {"tensione_calcolo_armature", Kind::Box, "0", "", 4530, 1575, 975, 375},
    {"modulo_elastico_armature", Kind::Box, "0", "", 4530, 1935, 975, 375},
    {"tensione_calcolo_materiale", Kind::Box, "0", "", 4530, 2295, 975, 375},
    {"modulo_elastico_materiale", Kind::Box, "0", "", 4530, 2655, 975, 375},
    {"Label_1", Kind::Label, " Resistenza allo snervamento delle armature, fyk", "", 330, 1215, 3855, 375},
    {"Label_3", Kind::Label, " Resistenza di progetto delle armature, fyd", "", 330, 1575, 3855, 375},
    {"Label_5", Kind::Label, " Modulo elastico delle armature, Ea ( 2100000 )", "", 330, 1935, 3855, 375},
    {"Label_7", Kind::Label, " Resistenza di progetto del materiale, fmd ", "", 330, 2295, 3855, 375},
    {"Label_9", Kind::Label, " Modulo elastico del materiale, Ec ", "", 330, 2655, 3855, 375},
    {"Label_4", Kind::Label, "daN/cm^2", "", 5490, 1215, 900, 375},
    {"Label_2", Kind::Label, "daN/cm^2", "", 5490, 1575, 900, 375},
    {"Label_6", Kind::Label, "daN/cm^2", "", 5490, 1935, 900, 375},
    {"Label_8", Kind::Label, "daN/cm^2", "", 5490, 2295, 900, 375},
    {"Label_10", Kind::Label, "daN/cm^2", "", 5490, 2655, 900, 375},
    {"cmdHelpAcciaio", Kind::Button, "?", "", 4200, 1276, 272, 272},
    {"cmdHelpFM", Kind::Button, "?", "", 4200, 2364, 272, 272},
    {"cmdHelpElas", Kind::Button, "?", "", 4200, 2721, 272, 272},
    {"disegno", Kind::Picture, "", "", 315, 3175, 3270, 2790},
    {"Label_21", Kind::Label, "", "", 330, 6060, 2835, 375},
    {"Label_20", Kind::Label, "", "", 330, 6420, 2835, 375},
    {"Label_19", Kind::Label, "", "", 330, 6780, 2835, 375},
    {"Label_18", Kind::Label, "", "", 330, 7140, 2835, 375},
    {"Label_17", Kind::Label, "", "", 330, 7500, 2835, 375},
    {"Label_25", Kind::Label, "", "", 330, 7860, 2835, 375},
    {"base", Kind::Box, "0", "", 3210, 6060, 1185, 375},
    {"diametro", Kind::Box, "0", "", 3210, 6060, 1185, 375},
    {"altezza", Kind::Box, "0", "", 3210, 6420, 1185, 375},
    {"copriferro", Kind::Box, "0", "", 3210, 6420, 1185, 375},
    {"copriferro1", Kind::Box, "0", "", 3210, 6780, 1185, 375},
    {"sezione", Kind::Box, "0", "", 3210, 6780, 1185, 375},
    {"copriferro2", Kind::Box, "0", "", 3210, 7140, 1185, 375},
    {"sezione1", Kind::Box, "0", "", 3210, 7500, 1185, 375},
    {"sezione2", Kind::Box, "0", "", 3210, 7860, 1185, 375},
    {"Label_24", Kind::Label, "mm", "", 4380, 6060, 825, 375},
    {"Label_23", Kind::Label, "mm", "", 4380, 6420, 825, 375},
    {"txtdimen", Kind::Box, "mm", "", 4380, 6780, 825, 375},
    {"Label_16", Kind::Label, "mm", "", 4380, 7140, 825, 375},
    {"Label_27", Kind::Label, "mm^2", "", 4380, 7500, 825, 375},
    {"Label_26", Kind::Label, "mm^2", "", 4380, 7860, 825, 375},
    {"sollecitazioneN", Kind::Box, "0", "", 9930, 5685, 1305, 375},
    {"sollecitazioneM", Kind::Box, "0", "", 9930, 6045, 1305, 375},
    {"Label_15", Kind::Label, "Nd =", "", 9165, 5685, 735, 375},
    {"Label_14", Kind::Label, "Md =", "", 9165, 6045, 735, 375},
    {"Label_13", Kind::Label, "daN", "", 11235, 5685, 870, 375},
    {"Label_12", Kind::Label, "daNxcm", "", 11235, 6045, 870, 375},
    {"Label_11", Kind::Label, "", "", 6600, 5685, 2580, 735},
    {"grafico", Kind::Picture, "", "", 6570, 645, 5535, 4935},
    {"Label1", Kind::Label, "RISULTATI ", "", 3690, 3330, 2745, 255},
    {"lblCampo", Kind::Label, "", "", 3690, 3630, 2745, 330},
    {"lblNu", Kind::Label, "", "", 3690, 3990, 2745, 330},
    {"lblMu", Kind::Label, "", "", 3690, 4350, 2745, 330},
    {"lblYan", Kind::Label, "", "", 3675, 4725, 2760, 330},
    {"Label_31", Kind::Label, "N.", "", 6600, 6645, 975, 375},
    {"lblNumero", Kind::Label, "", "", 6600, 7005, 975, 375},
    {"Label_28", Kind::Label, "DESCRIZIONE DELLA SEZIONE", "", 7575, 6645, 4530, 375},
    {"descrizione", Kind::Box, "", "Inserisci una descrizione per la sezione corrente", 7575, 7005, 4530, 375},
    {"indietro", Kind::Button, "< Sez.dietro", "", 3675, 5250, 1417, 495},
    {"avanti", Kind::Button, "Sez.avanti >", "", 5040, 5250, 1417, 495},
    {"salva", Kind::Button, "Sa&lva dati", "", 5385, 6195, 1095, 495},
    {"copia", Kind::Button, "C&opia dati", "", 5400, 6905, 1095, 495},
    {"incolla", Kind::Button, "&Incolla dati", "", 5400, 7597, 1095, 495},
    {"calcola", Kind::Button, "&CALCOLA", "Calcola le sollecitazioni limite e disegna il fortema", 6615, 7590, 1710, 495},
    {"cancella", Kind::Button, "C&ANCELLA", "Cancella il fortema", 8610, 7590, 1710, 495},
    {"stampa", Kind::Button, "&STAMPA", "Stampa il fortema. i dati ed i risultati di calcolo", 10605, 7590, 1500, 495},
};
// clang-format on

std::string utf8(const QString& text) { return text.toStdString(); }
QString qs(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

Form1::Form1(const QString& startFile, QWidget* parent) : QMainWindow(parent), m_startFile(startFile) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(programTitle());
    buildMenu();
    buildControls();

    label(QStringLiteral("Label_11"))
        ->setText(QStringLiteral("Sollecitazioni di progetto.\r\n(Nd>0, compressione)"));
    static_cast<QRadioButton*>(m_controls.value(QStringLiteral("Option1")))->setChecked(true);
    Option1_Click();
    m_controls.value(QStringLiteral("calcola"))->setEnabled(false);
    m_controls.value(QStringLiteral("stampa"))->setEnabled(false);
    label(QStringLiteral("lblNumero"))->setText(QStringLiteral("1"));
}

void Form1::buildControls() {
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("client"));
    central->setFixedSize(twipSize(12315, 8790));
    setCentralWidget(central);
    for (const ControlSpec& c : kControls) {
        QWidget* w = nullptr;
        const QString caption = QString::fromUtf8(c.caption);
        switch (c.kind) {
            case Kind::Option: w = new QRadioButton(caption, central); break;
            case Kind::Box: w = new QLineEdit(caption, central); break;
            case Kind::Label: w = new QLabel(caption, central); break;
            case Kind::Button: w = new QPushButton(caption, central); break;
            case Kind::Picture:
                w = new QWidget(central);
                w->setAutoFillBackground(true);
                break;
        }
        w->setObjectName(QString::fromUtf8(c.name));
        w->setFont(dialogFont());
        if (*c.toolTip) w->setToolTip(QString::fromUtf8(c.toolTip));
        w->setGeometry(twipRect(c.left, c.top, c.width, c.height));
        m_controls.insert(w->objectName(), w);
    }
    auto* dimen = box(QStringLiteral("txtdimen"));
    dimen->setReadOnly(true);
    dimen->setStyleSheet(QStringLiteral("background: palette(button);"));

    auto* option1 = static_cast<QRadioButton*>(m_controls.value(QStringLiteral("Option1")));
    auto* option2 = static_cast<QRadioButton*>(m_controls.value(QStringLiteral("Option2")));
    connect(option1, &QRadioButton::toggled, this, [this](bool on) {
        if (on) Option1_Click();
    });
    connect(option2, &QRadioButton::toggled, this, [this](bool on) {
        if (on) Option2_Click();
    });
    connect(static_cast<QPushButton*>(m_controls.value(QStringLiteral("calcola"))), &QPushButton::clicked,
            this, &Form1::calcola_Click);
    connect(static_cast<QPushButton*>(m_controls.value(QStringLiteral("cancella"))), &QPushButton::clicked,
            this, &Form1::cancella_Click);
    for (const ControlSpec& c : kControls) {
        if (c.kind != Kind::Box) continue;
        auto* edit = box(QString::fromUtf8(c.name));
        connect(edit, &QLineEdit::textChanged, this, &Form1::UpdateCommandState);
    }
}

void Form1::buildMenu() {
    struct Item {
        const char* name;
        const char* caption;  // nullptr: separator
    };
    struct Menu {
        const char* name;
        const char* caption;
        std::initializer_list<Item> items;
    };
    const Menu menus[] = {
        {"mnuFile",
         "&File",
         {{"mnuNuovo", "Nu&ovo"},
          {"mnuApri", "&Apri"},
          {"mnuChiudi", "&Chiudi"},
          {"mnuBarra0", nullptr},
          {"mnuSalva", "&Salva"},
          {"mnuSalvaconnome", "Sal&va con nome"},
          {"mnuBarra1", nullptr},
          {"mnuAnteprimadistampa", "Anteprii&ma e Stampa completa"},
          {"mnuBarra2", nullptr},
          {"mnuEsci", "&Esci"}}},
        {"mnuProgetto",
         "&Progetto",
         {{"mnuDatiprogetto", "&Dati generali del progetto"},
          {"mnuCancellarecord", "&Cancella tutti i record"},
          {"mnuCalcolasezionearmatura", "C&alcola ferri tondi armatura"}}},
        {"mnuEsempi",
         "&Esempi",
         {{"mnuRettangolare", "Sezione &rettangolare o assimilabile, (muratura non armata)"},
          {"mnuRettangolare2", "Sezione &rettangolare armata (muratura armata)"},
          {"mnuRettangolare3", "Sezione &rettangolare equivalente di T in c.a. "},
          {"mnuCircolare", "Sezione &circolare in c.a."}}},
        {"mnuHelp",
         "&Help",
         {{"mnuSommario", "&Sommario"},
          {"mnuCercaargomento", "&Cerca argomento"},
          {"mnuInformazioni", "&Informazioni"}}},
    };
    for (const Menu& m : menus) {
        QMenu* menu = menuBar()->addMenu(QString::fromUtf8(m.caption));
        menu->setObjectName(QString::fromUtf8(m.name));
        for (const Item& item : m.items) {
            QAction* action = item.caption ? menu->addAction(QString::fromUtf8(item.caption)) : menu->addSeparator();
            action->setObjectName(QString::fromUtf8(item.name));
        }
    }
    if (auto* esci = findChild<QAction*>(QStringLiteral("mnuEsci"))) connect(esci, &QAction::triggered, this, &QWidget::close);
}

QLineEdit* Form1::box(const QString& name) const { return qobject_cast<QLineEdit*>(m_controls.value(name)); }

QLabel* Form1::label(const QString& name) const { return qobject_cast<QLabel*>(m_controls.value(name)); }

void Form1::Option1_Click() {
    box(QStringLiteral("txtdimen"))->setText(QStringLiteral("mm"));
    const bool rect = true;
    for (const char* n : {"base", "altezza", "copriferro1", "copriferro2", "sezione1", "sezione2", "Label_16",
                          "Label_27", "Label_26", "Label_17", "Label_25", "Label_18"})
        m_controls.value(QString::fromUtf8(n))->setVisible(rect);
    for (const char* n : {"diametro", "copriferro", "sezione"}) m_controls.value(QString::fromUtf8(n))->setVisible(!rect);
    label(QStringLiteral("Label_21"))->setText(QStringLiteral("Base, b"));
    label(QStringLiteral("Label_20"))->setText(QStringLiteral("Altezza, h"));
    label(QStringLiteral("Label_19"))->setText(QStringLiteral("Copriferro, c1"));
    label(QStringLiteral("Label_18"))->setText(QStringLiteral("Copriferro, c2"));
    label(QStringLiteral("Label_17"))->setText(QStringLiteral("Armatura, A1"));
    label(QStringLiteral("Label_25"))->setText(QStringLiteral("Armatura, A2"));
    UpdateCommandState();
}

void Form1::Option2_Click() {
    box(QStringLiteral("txtdimen"))->setText(QStringLiteral("mm^2"));
    const bool rect = false;
    for (const char* n : {"base", "altezza", "copriferro1", "copriferro2", "sezione1", "sezione2", "Label_16",
                          "Label_27", "Label_26", "Label_17", "Label_25", "Label_18"})
        m_controls.value(QString::fromUtf8(n))->setVisible(rect);
    for (const char* n : {"diametro", "copriferro", "sezione"}) m_controls.value(QString::fromUtf8(n))->setVisible(!rect);
    label(QStringLiteral("Label_21"))->setText(QStringLiteral("Diametro, d"));
    label(QStringLiteral("Label_20"))->setText(QStringLiteral("Copriferro, c"));
    label(QStringLiteral("Label_19"))->setText(QStringLiteral("Armatura, Aa"));
    UpdateCommandState();
}

void Form1::cancella_Click() {}

void Form1::UpdateCommandState() {
    if (!m_controls.contains(QStringLiteral("calcola"))) return;
    const bool rect = static_cast<QRadioButton*>(m_controls.value(QStringLiteral("Option1")))->isChecked();
    QStringList needed = {QStringLiteral("tensione_calcolo_materiale"), QStringLiteral("modulo_elastico_materiale"),
                          QStringLiteral("sollecitazioneN"), QStringLiteral("sollecitazioneM")};
    if (rect)
        needed << QStringLiteral("base") << QStringLiteral("altezza");
    else
        needed << QStringLiteral("diametro");
    bool ready = true;
    for (const QString& n : needed)
        if (box(n)->text().isEmpty()) ready = false;
    m_controls.value(QStringLiteral("calcola"))->setEnabled(ready);
    if (!ready) m_controls.value(QStringLiteral("stampa"))->setEnabled(false);
}

engine::SectionTexts Form1::sectionTexts() const {
    engine::SectionTexts t;
    t.fyk = utf8(box(QStringLiteral("tensione_snervamento_armature"))->text());
    t.fyd = utf8(box(QStringLiteral("tensione_calcolo_armature"))->text());
    t.Ea = utf8(box(QStringLiteral("modulo_elastico_armature"))->text());
    t.fmd = utf8(box(QStringLiteral("tensione_calcolo_materiale"))->text());
    t.Em = utf8(box(QStringLiteral("modulo_elastico_materiale"))->text());
    t.Nd = utf8(box(QStringLiteral("sollecitazioneN"))->text());
    t.Md = utf8(box(QStringLiteral("sollecitazioneM"))->text());
    t.b = utf8(box(QStringLiteral("base"))->text());
    t.h = utf8(box(QStringLiteral("altezza"))->text());
    t.c1 = utf8(box(QStringLiteral("copriferro1"))->text());
    t.c2 = utf8(box(QStringLiteral("copriferro2"))->text());
    t.A1 = utf8(box(QStringLiteral("sezione1"))->text());
    t.A2 = utf8(box(QStringLiteral("sezione2"))->text());
    t.d = utf8(box(QStringLiteral("diametro"))->text());
    t.c = utf8(box(QStringLiteral("copriferro"))->text());
    t.Aa = utf8(box(QStringLiteral("sezione"))->text());
    return t;
}

void Form1::calcola_Click() {
    const bool rect = static_cast<QRadioButton*>(m_controls.value(QStringLiteral("Option1")))->isChecked();
    const engine::CalcOutcome outcome =
        m_analysis.calcola(sectionTexts(), rect ? engine::Layout::Rectangular : engine::Layout::Circular);
    if (outcome.ndSetToOne) box(QStringLiteral("sollecitazioneN"))->setText(QStringLiteral("1"));
    if (!outcome.traced) {
        prompter().message(this, QString(), qs(outcome.refusal), Icon::Exclamation);
        return;
    }
    showResults();
    m_controls.value(QStringLiteral("stampa"))->setEnabled(true);
    if (!outcome.finalWarning.empty()) prompter().message(this, QString(), qs(outcome.finalWarning), Icon::Exclamation);
}

void Form1::showResults() {
    const auto loc = numberLocale();
    const engine::SectionResult& r = m_analysis.result();
    const bool rect = m_analysis.layout() == engine::Layout::Rectangular;
    label(QStringLiteral("lblCampo"))->setText(QStringLiteral(" Campo = %1").arg(r.campo));
    label(QStringLiteral("lblNu"))->setText(QStringLiteral(" Nu = %1 daN").arg(qs(engine::numtext::generalText(r.Nu, loc))));
    label(QStringLiteral("lblMu"))
        ->setText(QStringLiteral(" Mu = %1 daN*cm").arg(qs(engine::numtext::generalText(r.Mu, loc))));
    label(QStringLiteral("lblYan"))
        ->setText(rect ? QStringLiteral(" yan = %1 mm").arg(qs(engine::numtext::singleText(r.yan * 10.0f, loc)))
                       : QString());
    QString style = QStringLiteral("color: black; background: white;");
    if (!m_analysis.passes())
        style = QStringLiteral("color: white; background: #FF5555;");
    else if (m_analysis.unreinforced())
        style = QStringLiteral("color: black; background: #55FF55;");
    label(QStringLiteral("lblMu"))->setStyleSheet(style);
    label(QStringLiteral("lblMu"))->setAutoFillBackground(true);
}

}  // namespace fortema::ui
