// SPDX-License-Identifier: MIT
#pragma once

#include <string>

#include "ui/toolkit/control.h"

class QCheckBox;

namespace vorn::toolkit {

// A check box without text of its own; a label beside it names it.
class CheckBox : public Control {
  public:
    CheckBox(Container& parent, std::string name, Rect rect);

    bool Ticked() const;
    void SetTicked(bool ticked);

  private:
    QCheckBox* box_;
};

}  // namespace vorn::toolkit
