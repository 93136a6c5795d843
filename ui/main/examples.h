#pragma once

// The four ready-made sections of the menu "&Esempi", and the few writes into the main window
// that they share with the archive commands.

#include <QString>
#include <array>

#include "engine/section.h"

namespace fortema::ui {

class Form1;

// The boxes a position or an example fills, in the order they are written.
inline constexpr std::array<const char*, 7> kMaterialAndActionBoxes = {"tensione_snervamento_armature",
                                                                       "tensione_calcolo_armature",
                                                                       "modulo_elastico_armature",
                                                                       "tensione_calcolo_materiale",
                                                                       "modulo_elastico_materiale",
                                                                       "sollecitazioneN",
                                                                       "sollecitazioneM"};
// b, h, c1, c2, A1, A2: geometry slots 1 to 6 of a rectangular record.
inline constexpr std::array<const char*, 6> kRectangularBoxes = {"base",        "altezza",  "copriferro1",
                                                                 "copriferro2", "sezione1", "sezione2"};
// d, c, Aa: geometry slots 1, 3 and 5 of a circular record.
inline constexpr std::array<const char*, 3> kCircularBoxes = {"diametro", "copriferro", "sezione"};

struct WorkedExample {
    const char* action;  // objectName of its menu item
    const char* description;
    engine::Layout layout;
    // fyk, fyd, Ea, fmd, Em, Nd, Md
    std::array<const char*, 7> materialAndActions;
    // rectangular: b, h, c1, c2, A1, A2; circular: d, c, Aa and three unused
    std::array<const char*, 6> geometry;
};

// Unreinforced masonry, reinforced masonry, the rectangle of a reinforced-concrete T, the
// circular reinforced-concrete section (mnuRettangolare, mnuRettangolare2, mnuRettangolare3,
// mnuCircolare).
const std::array<WorkedExample, 4>& workedExamples();

// Fills the fields of the current section with `example` and enables "&CALCOLA". Nothing is
// calculated or stored, and the result labels and the other layout's fields keep what they show.
void loadExample(Form1& window, const WorkedExample& example);

// Writes `text` into the input box `name` as typing would, so its change behaviour runs.
void writeBox(Form1& window, const char* name, const QString& text);

// Selects the layout (its click behaviour runs only when it was not selected) and draws its
// sketch, which also shows its geometry rows.
void selectLayout(Form1& window, engine::Layout layout);

}  // namespace fortema::ui
