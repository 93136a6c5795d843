#include <QApplication>
#include <QIcon>
#include <QPixmap>

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
    return app.exec();
}
