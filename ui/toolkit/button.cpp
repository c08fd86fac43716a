// SPDX-License-Identifier: MIT
#include "ui/toolkit/button.h"

#include <QPushButton>

#include "ui/toolkit/caption_room.h"

namespace vorn::toolkit {

namespace {
// The button's bevel and the space the style keeps around its caption.
constexpr int kBevel = 6;
}  // namespace

Button::Button(Container& parent, std::string name, Rect rect, const std::string& caption)
    : Control(parent, std::move(name), rect, new QPushButton),
      button_(static_cast<QPushButton*>(Widget())) {
    button_->setText(QString::fromStdString(caption));
    // Return in a text box must not press a button behind the user's back.
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
