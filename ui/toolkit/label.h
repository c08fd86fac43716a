// SPDX-License-Identifier: MIT
#pragma once

#include <string>

#include "ui/toolkit/control.h"

class QLabel;

namespace vorn::toolkit {

// A caption. A wrapping label breaks its caption over several lines within its width;
// a one-line label may take the free room to its right when its caption needs it.
class Label : public Control {
  public:
    enum class Wrap { None, Words };
    Label(Container& parent, std::string name, Rect rect, const std::string& caption,
          Wrap wrap = Wrap::None);

    std::string Caption() const;
    // Makes the label the caption of `control`: its buddy for the keyboard, and its name for
    // screen readers.
    void SetBuddy(Control& control);

    bool CaptionFits(const QFont& font) const override;
    void ArrangeCaption(const QFont& font) override;
    bool IsOpaque() const override { return false; }

  private:
    int WidthFor(const QFont& font) const;
    int TextWidth(const QFont& font) const;
    QLabel* label_;
    Wrap wrap_;
};

}  // namespace vorn::toolkit
