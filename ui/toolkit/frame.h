// SPDX-License-Identifier: MIT
#pragma once

#include <string>

#include "ui/toolkit/control.h"

namespace vorn::toolkit {

class FrameWidget;

// A captioned frame that holds controls; their positions are relative to its top left.
// Drawn as a classic etched line with the caption standing on it.
class Frame : public Control, public Container {
  public:
    Frame(Container& parent, std::string name, Rect rect, const std::string& caption);

    QWidget* Host() const override;
    Window& OwnerWindow() override { return Parent().OwnerWindow(); }
    std::string Caption() const;
    bool CaptionFits(const QFont& font) const override;

  private:
    FrameWidget* frame_;
};

}  // namespace vorn::toolkit
