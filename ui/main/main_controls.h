#pragma once

// Every control of the main window that code reads or changes, as a typed member: a misspelt
// control does not compile. The window builds them once; the captions that nobody changes after
// the start are made without a member.

#include <array>

#include "engine/input_fields.h"

class QAction;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace fortema::drawing {
class PictureBox;
}

namespace fortema::ui {

struct MainControls {
    // The section type: "SEZIONE RETTANGOLARE O ASSIMILABILE ", "SEZIONE CIRCOLARE".
    QRadioButton* Option1 = nullptr;
    QRadioButton* Option2 = nullptr;

    // The sixteen numeric boxes, indexed by engine::Field, and the description.
    std::array<QLineEdit*, engine::kFieldCount> fields{};
    QLineEdit* field(engine::Field f) const { return fields[static_cast<std::size_t>(f)]; }
    QLineEdit* descrizione = nullptr;
    // The unit of the third geometry row: a box no one types into ("mm" or "mm^2").
    QLineEdit* txtdimen = nullptr;

    // The geometry rows of the input panel (row label, and the unit of the rows the circle does
    // not use), from the first row to the sixth.
    std::array<QLabel*, 6> rowLabels{};  // Label(21), (20), (19), (18), (17), (25)
    std::array<QLabel*, 6> rowUnits{};   // Label(24), (23), none, (16), (27), (26)
    QLabel* lblCampo = nullptr;
    QLabel* lblNu = nullptr;
    QLabel* lblMu = nullptr;
    QLabel* lblYan = nullptr;
    QLabel* lblNumero = nullptr;
    QLabel* designActionsCaption = nullptr;  // Label(11)

    QPushButton* calcola = nullptr;
    QPushButton* cancella = nullptr;
    QPushButton* stampa = nullptr;
    QPushButton* avanti = nullptr;
    QPushButton* indietro = nullptr;
    QPushButton* salva = nullptr;
    QPushButton* copia = nullptr;
    QPushButton* incolla = nullptr;
    QPushButton* cmdHelpAcciaio = nullptr;
    QPushButton* cmdHelpFM = nullptr;
    QPushButton* cmdHelpElas = nullptr;

    drawing::PictureBox* grafico = nullptr;  // the M-N domain
    drawing::PictureBox* disegno = nullptr;  // the sketch of the section type

    // "&File"
    QAction* mnuNuovo = nullptr;
    QAction* mnuApri = nullptr;
    QAction* mnuChiudi = nullptr;
    QAction* mnuSalva = nullptr;
    QAction* mnuSalvaconnome = nullptr;
    QAction* mnuAnteprimadistampa = nullptr;
    QAction* mnuImpostastampante = nullptr;  // "Imposta stampa&nte...": the printer setup
    QAction* mnuEsci = nullptr;
    // "&Progetto"
    QAction* mnuDatiprogetto = nullptr;
    QAction* mnuCancellarecord = nullptr;
    QAction* mnuCalcolasezionearmatura = nullptr;
    QAction* mnuCombinazioni = nullptr;
    // "&Esempi", in the order of the worked examples
    std::array<QAction*, 4> mnuEsempi{};
    // "&Help"
    QAction* mnuSommario = nullptr;
    QAction* mnuCercaargomento = nullptr;
    QAction* mnuInformazioni = nullptr;
};

}  // namespace fortema::ui
