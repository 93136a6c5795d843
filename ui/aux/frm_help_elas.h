#pragma once

#include "ui/aux/reference_card.h"

namespace fortema::ui {

// Reference card of concrete and masonry: elastic moduli and design strengths.
class frmHelpElas : public ReferenceCard {
    Q_OBJECT
public:
    explicit frmHelpElas(QWidget* parent = nullptr);
};

}  // namespace fortema::ui
