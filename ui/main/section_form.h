#pragma once

// What the archive and file commands need of the window that shows the current section. The
// commands know only this; the main window implements it. So the commands can be read, and
// tested, without the window's controls, and the window knows nothing of the archive.

#include <QString>

#include "archive/section_archive.h"
#include "engine/section.h"

class QWidget;

namespace fortema::ui {

class SectionForm {
public:
    virtual ~SectionForm() = default;

    // The parent of the commands' message boxes and dialogs.
    virtual QWidget* dialogParent() = 0;

    // The last calculation, which "Sa&lva dati" stores.
    virtual const engine::Analysis& analysis() const = 0;
    // The type selected in the window and the description typed into it.
    virtual engine::Layout selectedLayout() const = 0;
    virtual QString description() const = 0;

    // Shows a stored position: its number, campo, description, the boxes as written by
    // archive::positionBoxTexts (each running its change behaviour), the stored results and,
    // for a type "R" or "C", that type with its sketch. The other type's boxes stay as they are.
    virtual void LoadPositionIntoForm(int position, const archive::SectionRecord& record) = 0;
    // The window after "&Cancella tutti i record": position 1, every box back to its start
    // text ("1" in Nd), the empty result captions, the rectangular type, both commands off.
    virtual void showEmptyArchive() = 0;
    // The enabling rule of "&CALCOLA" and "&STAMPA".
    virtual void UpdateCommandState() = 0;
    // Ends the program: the side windows close and the window closes; `askToSave` false skips
    // the save question the close would otherwise ask.
    virtual void closeProgram(bool askToSave) = 0;
    // The project file the commands now read from and write to (empty: none): the window names it
    // in its caption and proposes its folder for what it writes.
    virtual void showProjectFile(const QString& path) = 0;
};

}  // namespace fortema::ui
