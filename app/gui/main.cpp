#include <QApplication>
#include <QIcon>
#include <QPixmap>
#include <QStringList>

#include "ui/main/archive_commands.h"
#include "ui/main/form1.h"
#include "ui/main/frm_splash.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("FORTEMA"));
    QApplication::setWindowIcon(QIcon(QPixmap::fromImage(fortema::ui::frmSplash::logo(QSize(64, 64)))));

    fortema::ui::frmSplash splash;
    if (splash.exec() != QDialog::Accepted) return 0;

    fortema::ui::Form1 form;
    form.show();
    // A project file given on the command line (a double click on a .ftm file) opens at once.
    const QStringList args = QApplication::arguments();
    if (args.size() > 1) form.archiveCommands().openFile(args.at(1));
    return app.exec();
}
