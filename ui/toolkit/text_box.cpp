// SPDX-License-Identifier: MIT
#include "ui/toolkit/text_box.h"

#include <QLineEdit>

#include <limits>

#include "ui/toolkit/text_field_guard.h"

namespace vorn::toolkit {

TextBox::TextBox(Container& parent, std::string name, Rect rect, const std::string& text,
                 int maxLength)
    : Control(parent, std::move(name), rect, new QLineEdit),
      edit_(static_cast<QLineEdit*>(Widget())),
      maxLength_(maxLength) {
    // Also cuts what setText is given. Without a limit of its own the widget would still cut
    // at 32767 characters.
    edit_->setMaxLength(maxLength != kNoLimit ? maxLength : std::numeric_limits<int>::max());
    SetText(text);
    Keep(QObject::connect(edit_, &QLineEdit::textEdited, [this] { Raise(Change); }));
    GuardTextField(edit_, [this](const QString& pasted) {
        if (PasteRefused) {
            const auto handler = PasteRefused;
            handler(pasted.toStdString());
        }
    });
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
