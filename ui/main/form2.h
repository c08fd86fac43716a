// SPDX-License-Identifier: MIT
#pragma once

#include "ui/toolkit/controls.h"
#include "ui/toolkit/window.h"

namespace vorn::ui {

// The about window: a credits text and a button that closes it.
class Form2 : public toolkit::Window {
  public:
    Form2();

    toolkit::Label Label1;
    toolkit::Button Command1;

    void Command1_Click();
};

}  // namespace vorn::ui
