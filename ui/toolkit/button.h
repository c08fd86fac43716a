// SPDX-License-Identifier: MIT
#pragma once

#include <QKeyEvent>
#include <QPushButton>

#include <functional>

#include "ui/toolkit/control.h"

namespace vorn::toolkit {

// A push button that Return and Enter press, as Space does, while it has the keyboard focus,
// as on every desktop; holding the key down presses it once. Return in a text box never
// presses a button behind the user's back.
class Button : public Control<QPushButton> {
  public:
    template <class Parent>
    Button(Parent& parent, const std::string& name, QRect rect, const std::string& caption)
        : Control(parent, name, rect) {
        setText(ToQt(caption));
        setAutoDefault(false);
        connect(this, &QPushButton::clicked, this, [this] { Raise(Click); });
    }

    std::string Caption() const { return FromQt(text()); }
    // Presses the button as the user would (nothing happens while it is disabled).
    void Press() { click(); }

    // Raised when the user presses the button.
    std::function<void()> Click;

  protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter) {
            QPushButton::keyPressEvent(event);
            return;
        }
        event->accept();
        if (!event->isAutoRepeat()) {
            click();
        }
    }
};

}  // namespace vorn::toolkit
