// SPDX-License-Identifier: MIT
#pragma once

#include <QLineEdit>

#include <functional>
#include <limits>

#include "ui/toolkit/control.h"
#include "ui/toolkit/text_field_guard.h"

namespace vorn::toolkit {

// A one-line text box. With a maximum length the user cannot type beyond it, and a longer
// text set from code is cut to that length.
class TextBox : public Control<QLineEdit> {
  public:
    static constexpr int kNoLimit = 0;
    template <class Parent>
    TextBox(Parent& parent, const std::string& name, QRect rect, const std::string& text,
            int maxLength = kNoLimit)
        : Control(parent, name, rect), maxLength_(maxLength) {
        // Without a limit of its own the widget would cut at 32767 characters.
        setMaxLength(maxLength != kNoLimit ? maxLength : std::numeric_limits<int>::max());
        SetText(text);
        connect(this, &QLineEdit::textEdited, this, [this] { Raise(Change); });
        GuardTextField(this, [this](const QString& pasted) {
            if (const auto handler = PasteRefused) {
                handler(FromQt(pasted));
            }
        });
    }

    std::string Text() const { return FromQt(text()); }
    // Shows the start of a text longer than the box, as a person reads it.
    void SetText(const std::string& text) {
        setText(ToQt(text));
        setCursorPosition(0);
    }
    int MaxLength() const { return maxLength_; }

    // Raised when the user changes the text (typing, pasting, deleting); never for SetText.
    std::function<void()> Change;
    // Raised, with what was pasted, when a paste did not fit the maximum length and was
    // refused whole; the box keeps its text.
    std::function<void(const std::string& pasted)> PasteRefused;

  private:
    int maxLength_;
};

}  // namespace vorn::toolkit
