#include "ui/main/form1.h"

#include "ui/main/archive_commands.h"

#include <QAction>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>

#include "archive/number_locale.h"
#include "drawing/picture_box.h"
#include "drawing/tee_surface.h"
#include "report/full_report.h"
#include "ui/aux/form3.h"
#include "ui/aux/frm_about.h"
#include "ui/aux/frm_help_acciaio.h"
#include "ui/aux/frm_help_elas.h"
#include "ui/aux/prompter.h"
#include "ui/aux/twips.h"
#include "ui/main/domain_plot.h"
#include "ui/main/key_filters.h"
#include "ui/main/section_sketch.h"
#include "ui/print/preview_host.h"

namespace fortema::ui {

namespace {

enum class Kind { Option, Box, Label, Button, Picture };

struct ControlPlace {
    const char* name;
    Kind kind;
    const char* caption;  // caption, or initial text of a box
    const char* toolTip;
    int left, top, width, height;  // twips
};

// Where the layout gives no width or height, the control fills the room up to its neighbour. Rows
// 360 twips apart are 360 high (not 375), so that neighbouring boxes do not overlap by a pixel.
// clang-format off
const ControlPlace kControls[] = {
    {"Option1", Kind::Option, "SEZIONE RETTANGOLARE O ASSIMILABILE ", "", 317, 480, 5940, 240},
    {"Option2", Kind::Option, "SEZIONE CIRCOLARE", "", 317, 748, 2595, 255},

    {"Label_1", Kind::Label, " Resistenza allo snervamento delle armature, fyk", "", 330, 1215, 3855, 360},
    {"Label_3", Kind::Label, " Resistenza di progetto delle armature, fyd", "", 330, 1575, 3855, 360},
    {"Label_5", Kind::Label, " Modulo elastico delle armature, Ea ( 2100000 )", "", 330, 1935, 3855, 360},
    {"Label_7", Kind::Label, " Resistenza di progetto del materiale, fmd ", "", 330, 2295, 3855, 360},
    {"Label_9", Kind::Label, " Modulo elastico del materiale, Ec ", "", 330, 2655, 3855, 360},
    {"cmdHelpAcciaio", Kind::Button, "?", "", 4200, 1276, 272, 272},
    {"cmdHelpFM", Kind::Button, "?", "", 4200, 2364, 272, 272},
    {"cmdHelpElas", Kind::Button, "?", "", 4200, 2721, 272, 272},
    {"tensione_snervamento_armature", Kind::Box, "0", "", 4530, 1215, 975, 360},
    {"tensione_calcolo_armature", Kind::Box, "0", "fd = fyk / 1,15", 4530, 1575, 975, 360},
    {"modulo_elastico_armature", Kind::Box, "0", "", 4530, 1935, 975, 360},
    {"tensione_calcolo_materiale", Kind::Box, "0", "per cls: fmd = fck * 0,83*0,85/ 1,5", 4530, 2295, 975, 360},
    {"modulo_elastico_materiale", Kind::Box, "0", "", 4530, 2655, 975, 360},
    {"Label_4", Kind::Label, "daN/cm^2", "", 5520, 1215, 960, 360},
    {"Label_2", Kind::Label, "daN/cm^2", "", 5520, 1575, 960, 360},
    {"Label_6", Kind::Label, "daN/cm^2", "", 5520, 1935, 960, 360},
    {"Label_8", Kind::Label, "daN/cm^2", "", 5520, 2295, 960, 360},
    {"Label_10", Kind::Label, "daN/cm^2", "", 5520, 2655, 960, 360},

    {"disegno", Kind::Picture, "", "", 315, 3175, 3270, 2790},
    {"Label1", Kind::Label, "RISULTATI ", "", 3690, 3330, 2745, 255},
    {"lblCampo", Kind::Label, "", "", 3690, 3630, 2745, 330},
    {"lblNu", Kind::Label, "", "", 3690, 3990, 2745, 330},
    {"lblMu", Kind::Label, "", "", 3690, 4350, 2745, 330},
    {"lblYan", Kind::Label, "", "", 3675, 4725, 2760, 330},
    {"indietro", Kind::Button, "< Sez.dietro", "", 3675, 5250, 1350, 495},
    {"avanti", Kind::Button, "Sez.avanti >", "", 5040, 5250, 1417, 495},

    {"Label_21", Kind::Label, "", "", 330, 6060, 2865, 360},
    {"Label_20", Kind::Label, "", "", 330, 6420, 2865, 360},
    {"Label_19", Kind::Label, "", "", 330, 6780, 2865, 360},
    {"Label_18", Kind::Label, "", "", 330, 7140, 2865, 360},
    {"Label_17", Kind::Label, "", "", 330, 7500, 2865, 360},
    {"Label_25", Kind::Label, "", "", 330, 7860, 2865, 360},
    {"base", Kind::Box, "0", "", 3210, 6060, 1185, 360},
    {"diametro", Kind::Box, "0", "", 3210, 6060, 1185, 360},
    {"altezza", Kind::Box, "0", "", 3210, 6420, 1185, 360},
    {"copriferro", Kind::Box, "0", "", 3210, 6420, 1185, 360},
    {"copriferro1", Kind::Box, "0", "", 3210, 6780, 1185, 360},
    {"sezione", Kind::Box, "0", "", 3210, 6780, 1185, 360},
    {"copriferro2", Kind::Box, "0", "", 3210, 7140, 1185, 360},
    {"sezione1", Kind::Box, "0", "Per sezione non reagente a trazione-non armata poni A2=A1=0", 3210, 7500, 1185, 360},
    {"sezione2", Kind::Box, "0", "Per sezione non reagente a trazione-non armata poni A2=A1=0", 3210, 7860, 1185, 360},
    {"Label_24", Kind::Label, "mm", "", 4410, 6060, 825, 360},
    {"Label_23", Kind::Label, "mm", "", 4410, 6420, 825, 360},
    {"txtdimen", Kind::Box, "mm", "", 4410, 6780, 825, 360},
    {"Label_16", Kind::Label, "mm", "", 4410, 7140, 825, 360},
    {"Label_27", Kind::Label, "mm^2", "", 4410, 7500, 825, 360},
    {"Label_26", Kind::Label, "mm^2", "", 4410, 7860, 825, 360},
    {"salva", Kind::Button, "Sa&lva dati", "", 5385, 6195, 1095, 495},
    {"copia", Kind::Button, "C&opia dati", "", 5400, 6905, 1095, 495},
    {"incolla", Kind::Button, "&Incolla dati", "", 5400, 7597, 1095, 495},

    {"grafico", Kind::Picture, "", "", 6570, 645, 5535, 4935},
    {"Label_11", Kind::Label, "", "", 6600, 5685, 2550, 735},
    {"Label_15", Kind::Label, "Nd =", "", 9165, 5685, 750, 360},
    {"Label_14", Kind::Label, "Md =", "", 9165, 6045, 750, 360},
    {"sollecitazioneN", Kind::Box, "0", "", 9930, 5685, 1305, 360},
    {"sollecitazioneM", Kind::Box, "0", "", 9930, 6045, 1305, 360},
    {"Label_13", Kind::Label, "daN", "", 11235, 5685, 870, 360},
    {"Label_12", Kind::Label, "daNxcm", "", 11235, 6045, 870, 360},
    {"Label_31", Kind::Label, "N.", "", 6600, 6645, 975, 360},
    {"lblNumero", Kind::Label, "", "", 6600, 7005, 975, 375},
    {"Label_28", Kind::Label, "DESCRIZIONE DELLA SEZIONE", "", 7575, 6645, 4530, 360},
    {"descrizione", Kind::Box, "", "Inserisci una descrizione per la sezione corrente", 7575, 7005, 4530, 375},
    {"calcola", Kind::Button, "&CALCOLA", "Calcola le sollecitazioni limite e disegna il fortema", 6615, 7590, 1710, 495},
    {"cancella", Kind::Button, "C&ANCELLA", "Cancella il fortema", 8610, 7590, 1710, 495},
    {"stampa", Kind::Button, "&STAMPA", "Stampa il fortema. i dati ed i risultati di calcolo", 10605, 7590, 1500, 495},
};
// clang-format on

const char* const kResultLabels[] = {"lblCampo", "lblNu", "lblMu", "lblYan"};

}  // namespace

Form1::Form1(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(programTitle());
    buildMenu();
    buildControls();

    // Load: the design actions' caption, the rectangular type (which runs its click, since at
    // design neither type is selected), both commands off, position 1, then the two boxes'
    // coordinate systems and their first drawings.
    label(QStringLiteral("Label_11"))
        ->setText(QStringLiteral("Sollecitazioni di progetto.\r\n(Nd>0, compressione)"));
    setUpSketchSurface(disegno()->surface());
    setUpPlotSurface(grafico()->surface());
    connectInputs();
    connectCommands();
    option(QStringLiteral("Option1"))->setChecked(true);
    button(QStringLiteral("calcola"))->setEnabled(false);
    button(QStringLiteral("stampa"))->setEnabled(false);
    label(QStringLiteral("lblNumero"))->setText(QStringLiteral("1"));
    DrawDomainFrame();
    DrawRectangularSketch();
    m_archiveCommands = new ArchiveCommands(*this);
    m_preview = new PreviewHost(this);

    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

Form1::~Form1() = default;

void Form1::buildControls() {
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(twipSize(12315, 8790));
    client->setFont(dialogFont());
    setCentralWidget(client);
    for (const ControlPlace& c : kControls) {
        QWidget* w = nullptr;
        const QString caption = QString::fromUtf8(c.caption);
        switch (c.kind) {
            case Kind::Option:
                w = new QRadioButton(caption, client);
                break;
            case Kind::Box:
                w = new QLineEdit(caption, client);
                break;
            case Kind::Label:
                w = new QLabel(caption, client);
                break;
            case Kind::Button:
                w = new QPushButton(caption, client);
                break;
            case Kind::Picture: {
                auto* picture = new drawing::PictureBox(client);
                picture->setDesignSize(c.width, c.height);
                w = picture;
                break;
            }
        }
        w->setObjectName(QString::fromUtf8(c.name));
        if (*c.toolTip) w->setToolTip(QString::fromUtf8(c.toolTip));
        w->setGeometry(twipRect(c.left, c.top, c.width, c.height));
        m_controls.insert(w->objectName(), w);
    }

    // The unit of the third geometry row looks like a box but is not typed into.
    QLineEdit* dimen = box(QStringLiteral("txtdimen"));
    dimen->setReadOnly(true);
    dimen->setFocusPolicy(Qt::NoFocus);
    QPalette scrollBarColour = dimen->palette();
    scrollBarColour.setColor(QPalette::Base, scrollBarColour.color(QPalette::Button));
    dimen->setPalette(scrollBarColour);

    label(QStringLiteral("Label1"))->setFont(dialogFont(8.25, true));
    for (const char* name : kResultLabels) {
        QLabel* result = label(QString::fromLatin1(name));
        result->setFrameShape(QFrame::Panel);
        result->setFrameShadow(QFrame::Sunken);
        setLabelColors(result, drawing::qbColor(0), drawing::qbColor(15));
    }
    for (const char* name : {"lblNumero", "Label_31"}) {
        label(QString::fromLatin1(name))->setAlignment(Qt::AlignCenter);
    }
    label(QStringLiteral("lblNumero"))->setFrameShape(QFrame::Panel);
    label(QStringLiteral("lblNumero"))->setFrameShadow(QFrame::Sunken);
    label(QStringLiteral("lblNumero"))->setFont(dialogFont(9.75, true));
    label(QStringLiteral("Label_28"))->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    label(QStringLiteral("Label_11"))->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label(QStringLiteral("Label_11"))->setWordWrap(true);
    for (const char* name : {"Label_15", "Label_14"}) {
        label(QString::fromLatin1(name))->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }

    // Tab order follows the inputs as a user fills them in.
    const char* const tabOrder[] = {"Option1",
                                    "Option2",
                                    "tensione_snervamento_armature",
                                    "tensione_calcolo_armature",
                                    "modulo_elastico_armature",
                                    "tensione_calcolo_materiale",
                                    "modulo_elastico_materiale",
                                    "base",
                                    "diametro",
                                    "altezza",
                                    "copriferro",
                                    "copriferro1",
                                    "sezione",
                                    "copriferro2",
                                    "sezione1",
                                    "sezione2",
                                    "sollecitazioneN",
                                    "sollecitazioneM",
                                    "descrizione",
                                    "calcola",
                                    "cancella",
                                    "stampa"};
    for (std::size_t i = 1; i < std::size(tabOrder); ++i)
        setTabOrder(control(QString::fromLatin1(tabOrder[i - 1])), control(QString::fromLatin1(tabOrder[i])));
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
    menuBar()->setFont(dialogFont());
    for (const Menu& m : menus) {
        QMenu* menu = menuBar()->addMenu(QString::fromUtf8(m.caption));
        menu->setObjectName(QString::fromUtf8(m.name));
        menu->menuAction()->setObjectName(QString::fromUtf8(m.name));
        for (const Item& item : m.items) {
            QAction* action =
                item.caption ? menu->addAction(QString::fromUtf8(item.caption)) : menu->addSeparator();
            action->setObjectName(QString::fromUtf8(item.name));
        }
    }
}

void Form1::connectCommands() {
    connect(button(QStringLiteral("calcola")), &QPushButton::clicked, this, &Form1::calcola_Click);
    connect(button(QStringLiteral("cancella")), &QPushButton::clicked, this, &Form1::cancella_Click);
    connect(button(QStringLiteral("stampa")), &QPushButton::clicked, this, &Form1::stampa_Click);

    // A programmatic setChecked runs the switch only when the selection changes, like a click.
    connect(option(QStringLiteral("Option1")), &QRadioButton::toggled, this, [this](bool on) {
        if (on) Option1_Click();
    });
    connect(option(QStringLiteral("Option2")), &QRadioButton::toggled, this, [this](bool on) {
        if (on) Option2_Click();
    });

    const auto runModal = [this](auto makeDialog) {
        auto dialog = makeDialog(this);
        prompter().exec(*dialog);
    };
    connect(button(QStringLiteral("cmdHelpAcciaio")), &QPushButton::clicked, this,
            [runModal] { runModal([](QWidget* p) { return std::make_unique<frmHelpAcciaio>(p); }); });
    for (const char* name : {"cmdHelpFM", "cmdHelpElas"}) {
        connect(button(QString::fromLatin1(name)), &QPushButton::clicked, this,
                [runModal] { runModal([](QWidget* p) { return std::make_unique<frmHelpElas>(p); }); });
    }
    const auto action = [this](const char* name) { return findChild<QAction*>(QString::fromLatin1(name)); };
    connect(action("mnuInformazioni"), &QAction::triggered, this,
            [runModal] { runModal([](QWidget* p) { return std::make_unique<frmAbout>(p); }); });
    connect(action("mnuCalcolasezionearmatura"), &QAction::triggered, this, &Form1::openBarAreaCalculator);
    connect(action("mnuAnteprimadistampa"), &QAction::triggered, this, &Form1::mnuAnteprimadistampa_Click);
    // "&Sommario" and "&Cerca argomento" stand in the menu and do nothing.

    connect(grafico(), &drawing::PictureBox::mouseMovedUser, this, &Form1::grafico_MouseMove);
}

void Form1::openBarAreaCalculator() {
    // Parented, so that it goes with the main window; one window, brought forward when open.
    if (!m_form3) m_form3 = new Form3(this);
    m_form3->showOrRaise();
}

Form3* Form1::barAreaCalculator() const { return m_form3.data(); }

void Form1::closeBarAreaCalculator() {
    if (m_form3) m_form3->close();
}

void Form1::stampa_Click() {
    const report::PrintChoice choice{option(QStringLiteral("Option1"))->isChecked(),
                                     option(QStringLiteral("Option2"))->isChecked(),
                                     box(QStringLiteral("descrizione"))->text()};
    const report::PrintOutcome outcome =
        m_printer ? m_printer(m_analysis, choice)
                  : report::printSectionOnCurrentPrinter(m_analysis, choice, archive::numberLocale());
    if (!outcome.printed) {
        const QString text =
            outcome.message.isEmpty() ? QString::fromUtf8(report::kPrintProblem) : outcome.message;
        prompter().message(this, QString(), text, Icon::None);
    }
}

void Form1::mnuAnteprimadistampa_Click() {
    report::FullReport(m_preview->writer(), m_archiveCommands->archive(), m_archiveCommands->projectData(),
                       archive::numberLocale(), [this](const QString& title, const QString& text) {
                           prompter().message(this, title, text, Icon::Critical);
                       });
}

bool Form1::rectangularLayout() const { return option(QStringLiteral("Option1"))->isChecked(); }

QLineEdit* Form1::box(const QString& name) const { return qobject_cast<QLineEdit*>(control(name)); }
QLineEdit* Form1::fieldBox(engine::Field field) const {
    return box(QString::fromLatin1(engine::fieldRule(field).box));
}
QLabel* Form1::label(const QString& name) const { return qobject_cast<QLabel*>(control(name)); }
QPushButton* Form1::button(const QString& name) const { return qobject_cast<QPushButton*>(control(name)); }
QRadioButton* Form1::option(const QString& name) const { return qobject_cast<QRadioButton*>(control(name)); }
drawing::PictureBox* Form1::grafico() const {
    return qobject_cast<drawing::PictureBox*>(control(QStringLiteral("grafico")));
}
drawing::PictureBox* Form1::disegno() const {
    return qobject_cast<drawing::PictureBox*>(control(QStringLiteral("disegno")));
}

void Form1::setLabelColors(QLabel* label, const QColor& text, const QColor& background) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, text);
    palette.setColor(QPalette::Window, background);
    label->setPalette(palette);
    label->setAutoFillBackground(true);
}

}  // namespace fortema::ui
