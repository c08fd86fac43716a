// SPDX-License-Identifier: MIT
#pragma once

#include <functional>
#include <string>

#include "ui/toolkit/control.h"

class QLineEdit;

namespace vorn::toolkit {

// A one-line text box. With a maximum length the user cannot type beyond it, and a longer
// text set from code is cut to that length.
class TextBox : public Control {
  public:
    static constexpr int kNoLimit = 0;
    TextBox(Container& parent, std::string name, Rect rect, const std::string& text,
            int maxLength = kNoLimit);

    std::string Text() const;
    void SetText(const std::string& text);
    int MaxLength() const { return maxLength_; }

    // Raised when the user changes the text (typing, pasting, deleting); never for SetText.
    std::function<void()> Change;
    // Raised, with what was pasted, when a paste did not fit the maximum length and was
    // refused whole; the box keeps its text.
    std::function<void(const std::string& pasted)> PasteRefused;

  private:
    QLineEdit* edit_;
    int maxLength_;
};

}  // namespace vorn::toolkit
