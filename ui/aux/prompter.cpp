#include "ui/aux/prompter.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardPaths>
#include <QTranslator>

namespace fortema::ui {

namespace {

QMessageBox::Icon boxIcon(Icon icon) {
    switch (icon) {
        case Icon::Information:
            return QMessageBox::Information;
        case Icon::Exclamation:
            return QMessageBox::Warning;
        case Icon::Question:
            return QMessageBox::Question;
        case Icon::Critical:
            return QMessageBox::Critical;
        case Icon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

class QtPrompter final : public Prompter {
public:
    Answer message(QWidget* parent, const QString& title, const QString& text, Icon icon, Buttons buttons,
                   Answer defaultAnswer) override {
        QMessageBox box(boxIcon(icon), title.isEmpty() ? messageTitle() : title, text, QMessageBox::NoButton,
                        parent);
        if (buttons == Buttons::Ok) {
            box.setDefaultButton(box.addButton(QMessageBox::Ok));
            box.exec();
            return Answer::Ok;
        }
        QPushButton* yes = box.addButton(QMessageBox::Yes);
        QPushButton* no = box.addButton(QMessageBox::No);
        box.setDefaultButton(defaultAnswer == Answer::Yes ? yes : no);
        // Escape and the close box mean "No", never a silent "Yes".
        box.setEscapeButton(no);
        box.exec();
        return box.clickedButton() == yes ? Answer::Yes : Answer::No;
    }

    QString openFileName(QWidget* parent, const FileDialogRequest& request) override {
        QFileDialog dialog(parent, request.title, request.folder, request.filter);
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
        dialog.setDefaultSuffix(request.defaultSuffix);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
        return dialog.selectedFiles().constFirst();
    }

    QString saveFileName(QWidget* parent, const FileDialogRequest& request) override {
        QFileDialog dialog(parent, request.title, request.folder, request.filter);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setDefaultSuffix(request.defaultSuffix);
        if (!request.fileName.isEmpty()) dialog.selectFile(request.fileName);
        // The dialog itself asks before replacing a file; a typed path into a folder that
        // does not exist would otherwise be accepted and fail only when writing.
        for (;;) {
            if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
            const QString path = dialog.selectedFiles().constFirst();
            const QFileInfo info(path);
            if (info.absoluteDir().exists()) return path;
            message(&dialog, request.title,
                    QStringLiteral("La cartella \"%1\" non esiste.\nScegliere una cartella esistente.")
                        .arg(QDir::toNativeSeparators(info.absolutePath())),
                    Icon::Exclamation, Buttons::Ok, Answer::Ok);
        }
    }

    int exec(QDialog& dialog) override { return dialog.exec(); }

    void beep() override { QApplication::beep(); }
};

QtPrompter& qtPrompter() {
    static QtPrompter instance;
    return instance;
}

Prompter* current = nullptr;

}  // namespace

Prompter& prompter() { return current ? *current : qtPrompter(); }

void setPrompter(Prompter* p) { current = p; }

QString programTitle() {
    return QStringLiteral(
        "Fortemi di resistenza allo SL sezioni semplici o armate (c.a., murature, ecc.) Ver.2.4/2018 - "
        "FORTEMA");
}

QString messageTitle() { return QStringLiteral("Fortema"); }

QString dialogFolder(const QString& currentFile) {
    if (!currentFile.isEmpty()) {
        const QFileInfo file(currentFile);
        if (file.absoluteDir().exists()) return file.absolutePath();
    }
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documents.isEmpty() && QDir(documents).exists()) return documents;
    return QDir::homePath();
}

bool installItalianTranslation() {
    // One translator for the whole run, owned by the application so it goes with it.
    auto* translator = new QTranslator(qApp);
    if (!translator->load(QLocale(QLocale::Italian, QLocale::Italy), QStringLiteral("qtbase"),
                          QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

}  // namespace fortema::ui
