#pragma once

#include <QDialog>

namespace fortema::ui {

// The start window: "ENTRA" accepts, "ESCI" rejects.
class frmSplash : public QDialog {
    Q_OBJECT
public:
    explicit frmSplash(QWidget* parent = nullptr);
};

}  // namespace fortema::ui
