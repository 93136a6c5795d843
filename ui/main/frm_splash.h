#pragma once

#include <QDialog>

namespace fortema::ui {

// The start window: "ENTRA" accepts (the main window follows), "ESCI" rejects (the program ends).
class frmSplash : public QDialog {
    Q_OBJECT
public:
    explicit frmSplash(QWidget* parent = nullptr);
};

}  // namespace fortema::ui
