#include "ui/main/form1.h"

#include <QAction>
#include <QCloseEvent>
#include <QFileInfo>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>

#include "archive/number_locale.h"
#include "drawing/current_printer.h"
#include "drawing/picture_box.h"
#include "drawing/tee_surface.h"
#include "report/pdf_file.h"
#include "ui/aux/form3.h"
#include "ui/aux/frm_about.h"
#include "ui/aux/frm_help_acciaio.h"
#include "ui/aux/frm_help_elas.h"
#include "ui/aux/prompter.h"
#include "ui/aux/twips.h"
#include "ui/main/domain_plot.h"
#include "ui/main/examples.h"
#include "ui/main/key_filters.h"
#include "ui/main/section_sketch.h"
#include "ui/print/cls_print_dialog.h"

namespace fortema::ui {

namespace {

using engine::Field;

// A control's place in twips: left, top, width, height.
struct Place {
    int left, top, width, height;
};

template <typename W>
W* place(W* w, const char* name, Place p, const char* toolTip = "") {
    w->setObjectName(QString::fromUtf8(name));
    if (*toolTip) w->setToolTip(QString::fromUtf8(toolTip));
    w->setGeometry(twipRect(p.left, p.top, p.width, p.height));
    return w;
}

QLabel* makeLabel(QWidget* parent, const char* name, const char* caption, Place p) {
    return place(new QLabel(QString::fromUtf8(caption), parent), name, p);
}

QPushButton* makeButton(QWidget* parent, const char* name, const char* caption, Place p,
                        const char* toolTip = "") {
    return place(new QPushButton(QString::fromUtf8(caption), parent), name, p, toolTip);
}

QLineEdit* makeBox(QWidget* parent, const char* name, Place p, const char* toolTip = "",
                   const char* text = "0") {
    return place(new QLineEdit(QString::fromUtf8(text), parent), name, p, toolTip);
}

drawing::PictureBox* makePicture(QWidget* parent, const char* name, Place p) {
    auto* picture = place(new drawing::PictureBox(parent), name, p);
    picture->setDesignSize(p.width, p.height);
    return picture;
}

void frame(QLabel* label) {
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Sunken);
}

}  // namespace

Form1::Form1(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("Form1"));
    showProjectFile(QString());
    buildMenu();
    buildControls();

    // Load: the design actions' caption, the rectangular type (which runs its click, since at
    // design neither type is selected), both commands off, position 1, then the two boxes'
    // coordinate systems and their first drawings.
    m_ui.designActionsCaption->setText(QStringLiteral("Sollecitazioni di progetto.\r\n(Nd>0, compressione)"));
    setUpSketchSurface(m_ui.disegno->surface());
    setUpPlotSurface(m_ui.grafico->surface());
    connectInputs();
    connectCommands();
    m_ui.Option1->setChecked(true);
    m_ui.calcola->setEnabled(false);
    m_ui.stampa->setEnabled(false);
    m_ui.lblNumero->setText(QStringLiteral("1"));
    setPositionToolTips(0);
    DrawDomainFrame();
    DrawRectangularSketch();

    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

Form1::~Form1() = default;

// Where the layout gives no width or height, the control fills the room up to its neighbour. Rows
// 360 twips apart are 360 high (not 375), so that neighbouring boxes do not overlap by a pixel.
// The controls are made in the order they stack, the later on top.
void Form1::buildControls() {
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(twipSize(12315, 8790));
    client->setFont(dialogFont());
    setCentralWidget(client);
    MainControls& c = m_ui;
    const auto field = [&c](Field f) -> QLineEdit*& { return c.fields[static_cast<std::size_t>(f)]; };
    const auto box = [client](Field f, Place p, const char* toolTip = "") {
        return makeBox(client, engine::fieldRule(f).box, p, toolTip);
    };

    c.Option1 = place(new QRadioButton(QStringLiteral("SEZIONE RETTANGOLARE O ASSIMILABILE "), client),
                      "Option1", {317, 480, 5940, 240});
    c.Option2 = place(new QRadioButton(QStringLiteral("SEZIONE CIRCOLARE"), client), "Option2",
                      {317, 748, 2595, 255});

    makeLabel(client, "Label_1", " Resistenza allo snervamento delle armature, fyk", {330, 1215, 3855, 360});
    makeLabel(client, "Label_3", " Resistenza di progetto delle armature, fyd", {330, 1575, 3855, 360});
    makeLabel(client, "Label_5", " Modulo elastico delle armature, Ea ( 2100000 )", {330, 1935, 3855, 360});
    makeLabel(client, "Label_7", " Resistenza di progetto del materiale, fmd ", {330, 2295, 3855, 360});
    makeLabel(client, "Label_9", " Modulo elastico del materiale, Ec ", {330, 2655, 3855, 360});
    c.cmdHelpAcciaio = makeButton(client, "cmdHelpAcciaio", "?", {4200, 1276, 272, 272});
    c.cmdHelpFM = makeButton(client, "cmdHelpFM", "?", {4200, 2364, 272, 272});
    c.cmdHelpElas = makeButton(client, "cmdHelpElas", "?", {4200, 2721, 272, 272});
    field(Field::fyk) = box(Field::fyk, {4530, 1215, 975, 360});
    field(Field::fyd) = box(Field::fyd, {4530, 1575, 975, 360}, "fd = fyk / 1,15");
    field(Field::Ea) = box(Field::Ea, {4530, 1935, 975, 360});
    field(Field::fmd) = box(Field::fmd, {4530, 2295, 975, 360}, "per cls: fmd = fck * 0,83*0,85/ 1,5");
    field(Field::Em) = box(Field::Em, {4530, 2655, 975, 360});
    int unitTop = 1215;
    for (const char* name : {"Label_4", "Label_2", "Label_6", "Label_8", "Label_10"}) {
        makeLabel(client, name, "daN/cm^2", {5520, unitTop, 960, 360});
        unitTop += 360;
    }

    c.disegno = makePicture(client, "disegno", {315, 3175, 3270, 2790});
    QLabel* risultati = makeLabel(client, "Label1", "RISULTATI ", {3690, 3330, 2745, 255});
    risultati->setFont(dialogFont(8.25, true));
    c.lblCampo = makeLabel(client, "lblCampo", "", {3690, 3630, 2745, 330});
    c.lblNu = makeLabel(client, "lblNu", "", {3690, 3990, 2745, 330});
    c.lblMu = makeLabel(client, "lblMu", "", {3690, 4350, 2745, 330});
    c.lblYan = makeLabel(client, "lblYan", "", {3675, 4725, 2760, 330});
    for (QLabel* result : {c.lblCampo, c.lblNu, c.lblMu, c.lblYan}) {
        frame(result);
        setLabelColors(result, drawing::qbColor(0), drawing::qbColor(15));
    }
    c.indietro = makeButton(client, "indietro", "< Sez.dietro", {3675, 5250, 1350, 495});
    c.avanti = makeButton(client, "avanti", "Sez.avanti >", {5040, 5250, 1417, 495});

    const char* const rowLabelNames[] = {"Label_21", "Label_20", "Label_19",
                                         "Label_18", "Label_17", "Label_25"};
    for (std::size_t row = 0; row < c.rowLabels.size(); ++row) {
        c.rowLabels[row] = makeLabel(client, rowLabelNames[row], "", {330, 6060 + 360 * int(row), 2865, 360});
    }
    const auto geometryBox = [&](Field f, int row, const char* toolTip = "") {
        field(f) = box(f, {3210, 6060 + 360 * row, 1185, 360}, toolTip);
    };
    const char* const steelTip = "Per sezione non reagente a trazione-non armata poni A2=A1=0";
    geometryBox(Field::b, 0);
    geometryBox(Field::d, 0);
    geometryBox(Field::h, 1);
    geometryBox(Field::c, 1);
    geometryBox(Field::c1, 2);
    geometryBox(Field::Aa, 2);
    geometryBox(Field::c2, 3);
    geometryBox(Field::A1, 4, steelTip);
    geometryBox(Field::A2, 5, steelTip);
    c.rowUnits[0] = makeLabel(client, "Label_24", "mm", {4410, 6060, 825, 360});
    c.rowUnits[1] = makeLabel(client, "Label_23", "mm", {4410, 6420, 825, 360});
    // The unit of the third geometry row looks like a box but is not typed into.
    c.txtdimen = makeBox(client, "txtdimen", {4410, 6780, 825, 360}, "", "mm");
    c.txtdimen->setReadOnly(true);
    c.txtdimen->setFocusPolicy(Qt::NoFocus);
    QPalette scrollBarColour = c.txtdimen->palette();
    scrollBarColour.setColor(QPalette::Base, scrollBarColour.color(QPalette::Button));
    c.txtdimen->setPalette(scrollBarColour);
    c.rowUnits[3] = makeLabel(client, "Label_16", "mm", {4410, 7140, 825, 360});
    c.rowUnits[4] = makeLabel(client, "Label_27", "mm^2", {4410, 7500, 825, 360});
    c.rowUnits[5] = makeLabel(client, "Label_26", "mm^2", {4410, 7860, 825, 360});
    c.salva = makeButton(client, "salva", "Sa&lva dati", {5385, 6195, 1095, 495});
    c.copia = makeButton(client, "copia", "C&opia dati", {5400, 6905, 1095, 495});
    c.incolla = makeButton(client, "incolla", "&Incolla dati", {5400, 7597, 1095, 495});

    c.grafico = makePicture(client, "grafico", {6570, 645, 5535, 4935});
    c.designActionsCaption = makeLabel(client, "Label_11", "", {6600, 5685, 2550, 735});
    c.designActionsCaption->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    c.designActionsCaption->setWordWrap(true);
    for (QLabel* l : {makeLabel(client, "Label_15", "Nd =", {9165, 5685, 750, 360}),
                      makeLabel(client, "Label_14", "Md =", {9165, 6045, 750, 360})}) {
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    field(Field::Nd) = box(Field::Nd, {9930, 5685, 1305, 360});
    field(Field::Md) = box(Field::Md, {9930, 6045, 1305, 360});
    makeLabel(client, "Label_13", "daN", {11235, 5685, 870, 360});
    makeLabel(client, "Label_12", "daNxcm", {11235, 6045, 870, 360});
    makeLabel(client, "Label_31", "N.", {6600, 6645, 975, 360})->setAlignment(Qt::AlignCenter);
    c.lblNumero = makeLabel(client, "lblNumero", "", {6600, 7005, 975, 375});
    c.lblNumero->setAlignment(Qt::AlignCenter);
    frame(c.lblNumero);
    c.lblNumero->setFont(dialogFont(9.75, true));
    makeLabel(client, "Label_28", "DESCRIZIONE DELLA SEZIONE", {7575, 6645, 4530, 360})
        ->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    c.descrizione = makeBox(client, "descrizione", {7575, 7005, 4530, 375},
                            "Inserisci una descrizione per la sezione corrente", "");
    c.calcola = makeButton(client, "calcola", "&CALCOLA", {6615, 7590, 1710, 495},
                           "Calcola le sollecitazioni limite e disegna il fortema");
    c.cancella = makeButton(client, "cancella", "C&ANCELLA", {8610, 7590, 1710, 495}, "Cancella il fortema");
    c.stampa = makeButton(client, "stampa", "&STAMPA", {10605, 7590, 1500, 495},
                          "Stampa il fortema. i dati ed i risultati di calcolo");

    // Tab order follows the inputs as a user fills them in.
    QWidget* const tabOrder[] = {c.Option1,           c.Option2,
                                 c.field(Field::fyk), c.field(Field::fyd),
                                 c.field(Field::Ea),  c.field(Field::fmd),
                                 c.field(Field::Em),  c.field(Field::b),
                                 c.field(Field::d),   c.field(Field::h),
                                 c.field(Field::c),   c.field(Field::c1),
                                 c.field(Field::Aa),  c.field(Field::c2),
                                 c.field(Field::A1),  c.field(Field::A2),
                                 c.field(Field::Nd),  c.field(Field::Md),
                                 c.descrizione,       c.calcola,
                                 c.cancella,          c.stampa};
    for (std::size_t i = 1; i < std::size(tabOrder); ++i) setTabOrder(tabOrder[i - 1], tabOrder[i]);
}

void Form1::buildMenu() {
    menuBar()->setFont(dialogFont());
    QMenu* menu = nullptr;
    const auto addMenu = [&](const char* name, const char* caption) {
        menu = menuBar()->addMenu(QString::fromUtf8(caption));
        menu->setObjectName(QString::fromUtf8(name));
        menu->menuAction()->setObjectName(QString::fromUtf8(name));
    };
    const auto item = [&](const char* name, const char* caption) {
        QAction* action = menu->addAction(QString::fromUtf8(caption));
        action->setObjectName(QString::fromUtf8(name));
        return action;
    };
    const auto separator = [&](const char* name) {
        menu->addSeparator()->setObjectName(QString::fromUtf8(name));
    };
    MainControls& c = m_ui;

    addMenu("mnuFile", "&File");
    c.mnuNuovo = item("mnuNuovo", "Nu&ovo");
    c.mnuApri = item("mnuApri", "&Apri");
    c.mnuChiudi = item("mnuChiudi", "&Chiudi");
    separator("mnuBarra0");
    c.mnuSalva = item("mnuSalva", "&Salva");
    c.mnuSalvaconnome = item("mnuSalvaconnome", "Sal&va con nome");
    separator("mnuBarra1");
    c.mnuAnteprimadistampa = item("mnuAnteprimadistampa", "Anteprii&ma e Stampa completa");
    c.mnuImpostastampante = item("mnuImpostastampante", "Imposta stampa&nte...");
    separator("mnuBarra2");
    c.mnuEsci = item("mnuEsci", "&Esci");

    addMenu("mnuProgetto", "&Progetto");
    c.mnuDatiprogetto = item("mnuDatiprogetto", "&Dati generali del progetto");
    c.mnuCancellarecord = item("mnuCancellarecord", "&Cancella tutti i record");
    c.mnuCalcolasezionearmatura = item("mnuCalcolasezionearmatura", "C&alcola ferri tondi armatura");
    c.mnuCombinazioni = item("mnuCombinazioni", "Com&binazioni di carico...");

    addMenu("mnuEsempi", "&Esempi");
    for (std::size_t i = 0; i < workedExamples().size(); ++i) {
        const WorkedExample& example = workedExamples()[i];
        c.mnuEsempi[i] = item(example.action, example.caption);
    }

    addMenu("mnuHelp", "&Help");
    c.mnuSommario = item("mnuSommario", "&Sommario");
    c.mnuCercaargomento = item("mnuCercaargomento", "&Cerca argomento");
    c.mnuInformazioni = item("mnuInformazioni", "&Informazioni");
}

void Form1::connectCommands() {
    const MainControls& c = m_ui;
    connect(c.calcola, &QPushButton::clicked, this, &Form1::calcola_Click);
    connect(c.cancella, &QPushButton::clicked, this, &Form1::cancella_Click);
    connect(c.stampa, &QPushButton::clicked, this, &Form1::stampa_Click);

    // A programmatic setChecked runs the switch only when the selection changes, like a click.
    connect(c.Option1, &QRadioButton::toggled, this, [this](bool on) {
        if (on) Option1_Click();
    });
    connect(c.Option2, &QRadioButton::toggled, this, [this](bool on) {
        if (on) Option2_Click();
    });

    const auto runModal = [this](auto makeDialog) {
        auto dialog = makeDialog(this);
        prompter().exec(*dialog);
    };
    connect(c.cmdHelpAcciaio, &QPushButton::clicked, this,
            [runModal] { runModal([](QWidget* p) { return std::make_unique<frmHelpAcciaio>(p); }); });
    for (QPushButton* help : {c.cmdHelpFM, c.cmdHelpElas}) {
        connect(help, &QPushButton::clicked, this,
                [runModal] { runModal([](QWidget* p) { return std::make_unique<frmHelpElas>(p); }); });
    }
    connect(c.mnuInformazioni, &QAction::triggered, this,
            [runModal] { runModal([](QWidget* p) { return std::make_unique<frmAbout>(p); }); });
    connect(c.mnuCalcolasezionearmatura, &QAction::triggered, this, &Form1::openBarAreaCalculator);
    connect(c.mnuImpostastampante, &QAction::triggered, this, &Form1::mnuImpostastampante_Click);
    for (std::size_t i = 0; i < workedExamples().size(); ++i) {
        connect(c.mnuEsempi[i], &QAction::triggered, this, [this, i] { loadExample(workedExamples()[i]); });
    }
    // "&Sommario" and "&Cerca argomento" stand in the menu and do nothing.

    connect(c.grafico, &drawing::PictureBox::mouseMovedUser, this, &Form1::grafico_MouseMove);
}

void Form1::openBarAreaCalculator() {
    // Parented, so that it goes with the main window; one window, brought forward when open.
    if (!m_form3) m_form3 = new Form3(this);
    m_form3->showOrRaise();
}

Form3* Form1::barAreaCalculator() const { return m_form3.data(); }

void Form1::closeProgram(bool askToSave) {
    // No side window stays behind the main window.
    if (m_form3) m_form3->close();
    m_closingWithoutQuestion = !askToSave;
    close();
    m_closingWithoutQuestion = false;
}

void Form1::closeEvent(QCloseEvent* event) {
    if (!m_closingWithoutQuestion && m_closeGuard && !m_closeGuard()) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}

void Form1::stampa_Click() {
    const report::PrintChoice choice{m_ui.Option1->isChecked(), m_ui.Option2->isChecked(),
                                     m_ui.descrizione->text()};
    const report::PrintOutcome outcome =
        m_printer ? m_printer(m_analysis, choice) : printOnCurrentPrinter(choice);
    // Nothing to say when the user cancelled the file dialog.
    if (!outcome.printed && !outcome.message.isEmpty())
        prompter().message(this, QString(), outcome.message, Icon::None);
}

namespace {

// The description as a file name: the characters file systems refuse become "_".
QString pdfNameFor(const QString& description) {
    QString name = description.simplified();
    for (QChar& ch : name) {
        if (ch.unicode() < 32 || QStringLiteral("/\\:*?\"<>|").contains(ch)) ch = QLatin1Char('_');
    }
    name = name.left(100).trimmed();
    while (name.startsWith(QLatin1Char('.'))) name.remove(0, 1);
    return (name.isEmpty() ? QStringLiteral("sezione") : name) + QStringLiteral(".pdf");
}

// A printer that did not take the page is named with what to do about it; a page whose values
// cannot be printed keeps the reason the printout gave.
report::PrintOutcome explained(report::PrintOutcome outcome, const QString& printerProblem) {
    if (outcome.printerFailed)
        outcome.message = QString::fromUtf8(report::kPrintProblem) + '\n' + printerProblem;
    return outcome;
}

}  // namespace

report::PrintOutcome Form1::printOnCurrentPrinter(const report::PrintChoice& choice) {
    QPrinter& printer = drawing::currentPrinter();
    const auto loc = archive::numberLocale();
    if (!report::printsToPdf(printer)) {
        return explained(report::printSectionOn(printer, m_analysis, choice, loc),
                         report::printerProblem(printer));
    }
    // The file is asked every time: a print never goes silently into the last file written.
    const FileDialogRequest request{QStringLiteral("Stampa su file PDF"), QStringLiteral("PDF (*.pdf)"),
                                    QStringLiteral("pdf"), dialogFolder(m_projectFile),
                                    pdfNameFor(choice.descrizione)};
    const QString path = prompter().saveFileName(this, request);
    if (path.isEmpty()) return {};
    report::PrintOutcome outcome;
    const report::PdfFile file = report::writePdfFile(
        printer, path,
        [&](QPrinter& pdf) {
            outcome =
                explained(report::printSectionOn(pdf, m_analysis, choice, loc), report::printerProblem(pdf));
            return outcome.printed;
        },
        m_projectFile);
    if (!file.written && !file.message.isEmpty()) return {false, file.message};
    return outcome;
}

void Form1::mnuImpostastampante_Click() {
    clsPrintDialog setup;
    setup.setFlags(clsPrintDialog::PD_PRINTSETUP);
    setup.ShowPrinter(this);
}

void Form1::showProjectFile(const QString& path) {
    m_projectFile = path;
    const QString name = path.isEmpty() ? QStringLiteral("Senza nome") : QFileInfo(path).fileName();
    setWindowTitle(name + QStringLiteral(" - ") + programTitle());
}

engine::Layout Form1::selectedLayout() const {
    return m_ui.Option1->isChecked() ? engine::Layout::Rectangular : engine::Layout::Circular;
}

QString Form1::description() const { return m_ui.descrizione->text(); }

void Form1::setFieldText(engine::Field field, const QString& text) { m_ui.field(field)->setText(text); }

void Form1::setLabelColors(QLabel* label, const QColor& text, const QColor& background) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, text);
    palette.setColor(QPalette::Window, background);
    label->setPalette(palette);
    label->setAutoFillBackground(true);
}

}  // namespace fortema::ui
