#include <QApplication>
#include <QIcon>
#include <QPixmap>
#include <QStringList>
#include <iostream>
#include <string_view>

#include "ui/aux/prompter.h"
#include "ui/main/archive_commands.h"
#include "ui/main/form1.h"
#include "ui/main/frm_splash.h"
#include "ui/main/main_window.h"

int main(int argc, char* argv[]) {
    // Answered before the application object exists, so that they work where no display is.
    const std::string_view option = argc > 1 ? argv[1] : "";
    if (option == "--version") {
        std::cout << "fortema " FORTEMA_VERSION "\n";
        return 0;
    }
    if (option == "--help" || option == "-h") {
        std::cout << "uso: fortema [FILE.ftm]\n"
                     "  apre la finestra di avvio; dopo \"ENTRA\" la finestra principale, con il progetto\n"
                     "  FILE.ftm se dato\n"
                     "     fortema --help | --version\n"
                     "  per la riga di comando: fortema-cli --help\n";
        return 0;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("FORTEMA"));
    // The buttons of message boxes and the file and printer dialogs speak Italian too.
    if (!fortema::ui::installItalianTranslation()) {
        std::cerr << "fortema: traduzione italiana di Qt non trovata (pacchetto qt6-translations-l10n)\n";
    }
    QApplication::setWindowIcon(QIcon(QPixmap::fromImage(fortema::ui::frmSplash::logo(QSize(64, 64)))));

    fortema::ui::frmSplash splash;
    if (splash.exec() != QDialog::Accepted) return 0;

    fortema::ui::MainWindow window;
    window.form().show();
    // A project file given on the command line (a double click on a .ftm file) opens at once.
    const QStringList args = QApplication::arguments();
    if (args.size() > 1) window.archive().openFile(args.at(1));
    return app.exec();
}
