#pragma once

// A Prompter for tests: it records every prompt, answers from queues the test fills, and
// never shows a message box or file dialog or waits for a person.
//
//   ScriptedPrompter p;                       // installed until it goes out of scope
//   p.queueAnswer(Answer::Yes);
//   p.setDialogHandler([](QDialog& d) { ...; return int(QDialog::Accepted); });
//   ... drive the window ...
//   QCOMPARE(p.messages().size(), 1);
//   QVERIFY(p.unexpected().isEmpty());
//
// A prompt with nothing queued for it still gets an answer (Ok for an OK box, No for a
// Yes/No question, an empty path - the cancel of a file dialog) but is also listed in
// unexpected(), so that a test can assert that no prompt came that it did not script.

#include <QList>
#include <QQueue>
#include <QString>
#include <functional>

#include "ui/aux/prompter.h"

namespace fortema::ui {

class ScriptedPrompter final : public Prompter {
public:
    struct Message {
        QString title;  // as passed: empty means messageTitle()
        QString text;
        Icon icon = Icon::None;
        Buttons buttons = Buttons::Ok;
        Answer defaultAnswer = Answer::Ok;
        Answer answer = Answer::Ok;  // what the prompter returned
    };
    enum class FileKind { Open, Save };
    struct FileDialog {
        FileKind kind = FileKind::Open;
        FileDialogRequest request;
        QString answer;
    };
    struct DialogRun {
        QString className;  // e.g. "fortema::ui::Form2"
        QString objectName;
        int result = 0;
    };

    // Installs itself as the current prompter; the destructor puts the previous one back.
    ScriptedPrompter();
    ~ScriptedPrompter() override;
    ScriptedPrompter(const ScriptedPrompter&) = delete;
    ScriptedPrompter& operator=(const ScriptedPrompter&) = delete;

    // Answers for the next message boxes, in order. An answer that the box cannot give
    // (Yes for an OK box, Ok for a Yes/No question) is consumed and reported as unexpected.
    void queueAnswer(Answer answer);
    // Paths for the next open or save dialogs, in order; an empty path cancels.
    void queueFileName(const QString& path);
    // Runs every modal dialog handed to exec(): the dialog is shown (not modally), the
    // handler drives it and returns what exec() returns. Without a handler the dialog is
    // rejected without being shown.
    void setDialogHandler(std::function<int(QDialog&)> handler);

    const QList<Message>& messages() const { return m_messages; }
    const QList<FileDialog>& fileDialogs() const { return m_fileDialogs; }
    const QList<DialogRun>& dialogs() const { return m_dialogs; }
    int beeps() const { return m_beeps; }
    // Descriptions of the prompts that found nothing suitable queued.
    const QStringList& unexpected() const { return m_unexpected; }
    int pendingAnswers() const { return int(m_answers.size()); }
    int pendingFileNames() const { return int(m_fileNames.size()); }

    // Forgets what was recorded (the queues and the handler stay).
    void clearRecords();

    Answer message(QWidget* parent, const QString& title, const QString& text, Icon icon,
                   Buttons buttons = Buttons::Ok, Answer defaultAnswer = Answer::Ok) override;
    QString openFileName(QWidget* parent, const FileDialogRequest& request) override;
    QString saveFileName(QWidget* parent, const FileDialogRequest& request) override;
    int exec(QDialog& dialog) override;
    void beep() override;

private:
    QString fileName(FileKind kind, const FileDialogRequest& request);

    Prompter* m_previous = nullptr;
    QQueue<Answer> m_answers;
    QQueue<QString> m_fileNames;
    std::function<int(QDialog&)> m_dialogHandler;
    QList<Message> m_messages;
    QList<FileDialog> m_fileDialogs;
    QList<DialogRun> m_dialogs;
    QStringList m_unexpected;
    int m_beeps = 0;
};

}  // namespace fortema::ui
