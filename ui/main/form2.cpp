// SPDX-License-Identifier: MIT
#include "ui/main/form2.h"

namespace vorn::ui {

namespace {
constexpr char kCredits[] =
    "Vorn Header Editor, by the Vorn Header Editor authors. Thanks to everyone who "
    "documented the game's data formats.";
}  // namespace

Form2::Form2()
    : Window("Form2", 226, 117),
      Label1(*this, "Label1", {0, 8, 225, 57}, kCredits, toolkit::Label::Wrap::Words),
      Command1(*this, "Command1", {64, 80, 89, 33}, "Kill me") {
    Command1.Click = [this] { Command1_Click(); };
    SetTabOrder({&Command1});
}

// "Kill me" does what the close box does: the window goes, and the next About makes it anew.
void Form2::Command1_Click() {
    Close();
}

}  // namespace vorn::ui
