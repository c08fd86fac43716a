// SPDX-License-Identifier: MIT
#pragma once

#include <QLabel>

#include "ui/toolkit/control.h"

namespace vorn::toolkit {

// A caption. A wrapping label breaks its caption over several lines within its width; a
// one-line label may take the free room to its right when its caption needs it (see
// Window::Load). An "&" is shown as it is: labels have no access keys.
class Label : public Control<QLabel> {
  public:
    enum class Wrap { None, Words };
    template <class Parent>
    Label(Parent& parent, const std::string& name, QRect rect, const std::string& caption,
          Wrap wrap = Wrap::None)
        : Control(parent, name, rect) {
        setTextFormat(Qt::PlainText);
        setAlignment(Qt::AlignLeft | Qt::AlignTop);
        setWordWrap(wrap == Wrap::Words);
        setText(ToQt(caption));
    }

    std::string Caption() const { return FromQt(text()); }
    // Makes the label the caption of `control`: its buddy for the keyboard, and its name for
    // screen readers.
    void SetBuddy(QWidget& control) {
        setBuddy(&control);
        control.setAccessibleName(text());
    }
};

}  // namespace vorn::toolkit
