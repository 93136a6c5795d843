#pragma once

#include "ui/aux/reference_card.h"

namespace fortema::ui {

// Reference card of reinforcing steel: characteristic yield strengths.
class frmHelpAcciaio : public ReferenceCard {
    Q_OBJECT
public:
    explicit frmHelpAcciaio(QWidget* parent = nullptr);
};

}  // namespace fortema::ui
