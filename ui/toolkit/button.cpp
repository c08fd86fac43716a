// SPDX-License-Identifier: MIT
#include "ui/toolkit/button.h"

#include <QKeyEvent>
#include <QPushButton>

#include "ui/toolkit/caption_room.h"

namespace vorn::toolkit {

namespace {

// The button's bevel and the space the style keeps around its caption.
constexpr int kBevel = 6;

// A button that Return and Enter press, as Space does, while it has the keyboard focus, as
// on every desktop. Holding the key down presses it once.
class KeyboardButton : public QPushButton {
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

}  // namespace

Button::Button(Container& parent, std::string name, Rect rect, const std::string& caption)
    : Control(parent, std::move(name), rect, new KeyboardButton),
      button_(static_cast<QPushButton*>(Widget())) {
    button_->setText(QString::fromStdString(caption));
    // Return in a text box must not press a button behind the user's back; on the button
    // itself it does.
    button_->setAutoDefault(false);
    button_->setDefault(false);
    Keep(QObject::connect(button_, &QPushButton::clicked, [this] { Raise(Click); }));
}

std::string Button::Caption() const {
    return button_->text().toStdString();
}

bool Button::CaptionFits(const QFont& font) const {
    return CaptionWidth(font, button_->text()) + kBevel <= Layout().width;
}

void Button::Press() {
    button_->click();
}

}  // namespace vorn::toolkit
