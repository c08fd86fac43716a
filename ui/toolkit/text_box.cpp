#include "ui/toolkit/text_box.h"

#include <QLineEdit>

namespace vorn::toolkit {

TextBox::TextBox(Container& parent, std::string name, Rect rect, const std::string& text,
                 int maxLength)
    : Control(parent, std::move(name), rect, new QLineEdit),
      edit_(static_cast<QLineEdit*>(Widget())),
      maxLength_(maxLength) {
    if (maxLength != NoLimit) {
        edit_->setMaxLength(maxLength);  // also cuts what setText is given
    }
    SetText(text);
}

std::string TextBox::Text() const {
    return edit_->text().toStdString();
}

void TextBox::SetText(const std::string& text) {
    edit_->setText(QString::fromStdString(text));
    // Show the start of a text longer than the box, as a person reads it.
    edit_->setCursorPosition(0);
}

}  // namespace vorn::toolkit
