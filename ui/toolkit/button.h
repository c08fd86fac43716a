// SPDX-License-Identifier: MIT
#pragma once

#include <functional>
#include <string>

#include "ui/toolkit/control.h"

class QPushButton;

namespace vorn::toolkit {

class Button : public Control {
  public:
    Button(Container& parent, std::string name, Rect rect, const std::string& caption);

    std::string Caption() const;
    bool CaptionFits(const QFont& font) const override;
    // Presses the button as the user would (nothing happens while it is disabled).
    void Press();

    // Raised when the user presses the button.
    std::function<void()> Click;

  private:
    QPushButton* button_;
};

}  // namespace vorn::toolkit
