#include "ui/aux/scripted_prompter.h"

#include <QDialog>

namespace fortema::ui {

ScriptedPrompter::ScriptedPrompter() : m_previous(&prompter()) { setPrompter(this); }

ScriptedPrompter::~ScriptedPrompter() { setPrompter(m_previous); }

void ScriptedPrompter::queueAnswer(Answer answer) { m_answers.enqueue(answer); }

void ScriptedPrompter::queueFileName(const QString& path) { m_fileNames.enqueue(path); }

void ScriptedPrompter::setDialogHandler(std::function<int(QDialog&)> handler) {
    m_dialogHandler = std::move(handler);
}

void ScriptedPrompter::clearRecords() {
    m_messages.clear();
    m_fileDialogs.clear();
    m_dialogs.clear();
    m_unexpected.clear();
    m_beeps = 0;
}

Answer ScriptedPrompter::message(QWidget*, const QString& title, const QString& text, Icon icon,
                                 Buttons buttons, Answer defaultAnswer) {
    const Answer fallback = buttons == Buttons::Ok ? Answer::Ok : Answer::No;
    Answer answer = fallback;
    if (m_answers.isEmpty()) {
        m_unexpected << QStringLiteral("message without a queued answer: %1").arg(text);
    } else {
        const Answer queued = m_answers.dequeue();
        const bool fits = buttons == Buttons::Ok ? queued == Answer::Ok : queued != Answer::Ok;
        if (fits) {
            answer = queued;
        } else {
            m_unexpected << QStringLiteral("queued answer does not fit the buttons of: %1").arg(text);
        }
    }
    m_messages.append({title, text, icon, buttons, defaultAnswer, answer});
    return answer;
}

QString ScriptedPrompter::fileName(FileKind kind, const FileDialogRequest& request) {
    QString answer;
    if (m_fileNames.isEmpty()) {
        m_unexpected << QStringLiteral("file dialog without a queued path: %1").arg(request.title);
    } else {
        answer = m_fileNames.dequeue();
    }
    m_fileDialogs.append({kind, request, answer});
    return answer;
}

QString ScriptedPrompter::openFileName(QWidget*, const FileDialogRequest& request) {
    return fileName(FileKind::Open, request);
}

QString ScriptedPrompter::saveFileName(QWidget*, const FileDialogRequest& request) {
    return fileName(FileKind::Save, request);
}

int ScriptedPrompter::exec(QDialog& dialog) {
    int result = QDialog::Rejected;
    if (m_dialogHandler) {
        dialog.show();
        result = m_dialogHandler(dialog);
        // exec() never returns while its dialog is still up.
        if (dialog.isVisible()) dialog.hide();
    } else {
        m_unexpected << QStringLiteral("modal dialog without a handler: %1")
                            .arg(QString::fromLatin1(dialog.metaObject()->className()));
        dialog.reject();
        result = dialog.result();
    }
    m_dialogs.append({QString::fromLatin1(dialog.metaObject()->className()), dialog.objectName(), result});
    return result;
}

void ScriptedPrompter::beep() { ++m_beeps; }

}  // namespace fortema::ui
