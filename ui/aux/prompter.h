#pragma once

// Every modal question, message, file dialog and beep of the program goes through the
// current Prompter, so that tests can answer them and no test waits for a person.

#include <QString>

class QDialog;
class QWidget;

namespace fortema::ui {

enum class Icon { None, Information, Exclamation, Question, Critical };
enum class Buttons { Ok, YesNo };
enum class Answer { Ok, Yes, No };

struct FileDialogRequest {
    QString title;          // "Fortemi"
    QString filter;         // "file (*.ftm)"
    QString defaultSuffix;  // "ftm"
    QString folder;         // starting folder
    QString fileName{};     // the name proposed in that folder; empty for none
};

class Prompter {
public:
    virtual ~Prompter() = default;

    // A message box; `title` empty means messageTitle().
    virtual Answer message(QWidget* parent, const QString& title, const QString& text, Icon icon,
                           Buttons buttons = Buttons::Ok, Answer defaultAnswer = Answer::Ok) = 0;
    // The chosen path, or an empty string when the user cancels.
    virtual QString openFileName(QWidget* parent, const FileDialogRequest& request) = 0;
    // Saving asks before replacing an existing file and refuses a folder that does not exist.
    virtual QString saveFileName(QWidget* parent, const FileDialogRequest& request) = 0;
    // Runs a modal dialog; returns QDialog::Accepted or QDialog::Rejected.
    virtual int exec(QDialog& dialog) = 0;
    virtual void beep() = 0;
};

// The prompter in use; the Qt one unless a test installed another.
Prompter& prompter();
// Installs `p` (not owned); nullptr restores the Qt prompter.
void setPrompter(Prompter* p);

// The program's title line, the main window's caption after the file name.
QString programTitle();
// The short title of the message boxes, "Fortema": the whole title line would crowd the box.
QString messageTitle();

// The folder a file dialog starts in: that of `currentFile` when there is one, else the user's
// documents folder (the home folder where there is none).
QString dialogFolder(const QString& currentFile);

// Loads Qt's own Italian texts (the buttons of message boxes, the file and printer dialogs)
// into the application; false when the translation is not installed.
bool installItalianTranslation();

}  // namespace fortema::ui
