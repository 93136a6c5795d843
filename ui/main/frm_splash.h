#pragma once

#include <QDialog>
#include <QImage>

namespace fortema::ui {

// The start window: "ENTRA" accepts (the main window follows), "ESCI" rejects (the program ends).
class frmSplash : public QDialog {
    Q_OBJECT
public:
    explicit frmSplash(QWidget* parent = nullptr);

    // The program's logo, also its window icon.
    static QImage logo(const QSize& size);
    // The system the program runs on, as lblPlatform names it ("Debian GNU/Linux 12 (bookworm)").
    static QString platformName();
};

}  // namespace fortema::ui
