// SPDX-License-Identifier: MIT
#pragma once

#include <QCheckBox>

#include "ui/toolkit/control.h"

namespace vorn::toolkit {

// A check box without text of its own; a label beside it names it.
class CheckBox : public Control<QCheckBox> {
  public:
    using Control::Control;
    bool Ticked() const { return isChecked(); }
    void SetTicked(bool ticked) { setChecked(ticked); }
};

}  // namespace vorn::toolkit
