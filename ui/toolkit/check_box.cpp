// SPDX-License-Identifier: MIT
#include "ui/toolkit/check_box.h"

#include <QCheckBox>

namespace vorn::toolkit {

CheckBox::CheckBox(Container& parent, std::string name, Rect rect)
    : Control(parent, std::move(name), rect, new QCheckBox),
      box_(static_cast<QCheckBox*>(Widget())) {}

bool CheckBox::Ticked() const {
    return box_->isChecked();
}

void CheckBox::SetTicked(bool ticked) {
    box_->setChecked(ticked);
}

}  // namespace vorn::toolkit
