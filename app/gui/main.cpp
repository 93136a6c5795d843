#include <QApplication>
#include <QStringList>

#include "ui/main/form1.h"
#include "ui/main/frm_splash.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    const QString startFile = args.size() > 1 ? args.at(1) : QString();

    fortema::ui::frmSplash splash;
    if (splash.exec() != QDialog::Accepted) return 0;

    fortema::ui::Form1 form(startFile);
    form.show();
    return app.exec();
}
