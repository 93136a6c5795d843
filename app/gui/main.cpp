#include <QApplication>

#include "ui/main/form1.h"
#include "ui/main/frm_splash.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("FORTEMA"));

    fortema::ui::frmSplash splash;
    if (splash.exec() != QDialog::Accepted) return 0;

    fortema::ui::Form1 form;
    form.show();
    return app.exec();
}
