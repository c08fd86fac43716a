// SPDX-License-Identifier: MIT
#pragma once

#include <string>

#include "ui/toolkit/control.h"

class QGroupBox;

namespace vorn::toolkit {

// A captioned frame that holds controls; their positions are relative to its top left.
class Frame : public Control, public Container {
  public:
    Frame(Container& parent, std::string name, Rect rect, const std::string& caption);

    QWidget* Host() const override;
    Window& OwnerWindow() override { return Parent().OwnerWindow(); }
    std::string Caption() const;
    bool CaptionFits(const QFont& font) const override;

  private:
    QGroupBox* frame_;
};

}  // namespace vorn::toolkit
