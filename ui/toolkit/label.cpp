// SPDX-License-Identifier: MIT
#include "ui/toolkit/label.h"

#include <QFontMetrics>
#include <QLabel>

#include <algorithm>

#include "ui/toolkit/caption_room.h"

namespace vorn::toolkit {

Label::Label(Container& parent, std::string name, Rect rect, const std::string& caption, Wrap wrap)
    : Control(parent, std::move(name), rect, new QLabel),
      label_(static_cast<QLabel*>(Widget())),
      wrap_(wrap) {
    label_->setTextFormat(Qt::PlainText);
    label_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label_->setWordWrap(wrap == Wrap::Words);
    label_->setText(QString::fromStdString(caption));
}

std::string Label::Caption() const {
    return label_->text().toStdString();
}

void Label::SetBuddy(Control& control) {
    label_->setBuddy(control.Widget());
    control.Widget()->setAccessibleName(label_->text());
}

// A label's own width, cut back where a control beside it covers part of it, or, for a
// one-line caption that is longer, widened into the free room to its right.
int Label::WidthFor(const QFont& font) const {
    const int room = FreeRoomToTheRight(*this);
    const int own = std::min(Layout().width, room);
    if (wrap_ == Wrap::Words) {
        return own;
    }
    return std::min(room, std::max(own, TextWidth(font)));
}

// A label has no access key: an "&" in its caption is shown, so it takes room like any letter.
int Label::TextWidth(const QFont& font) const {
    return toolkit::TextWidth(font, label_->text());
}

bool Label::CaptionFits(const QFont& font) const {
    const int width = WidthFor(font);
    if (wrap_ == Wrap::Words) {
        int widest = 0;
        const int height = WrappedCaptionHeight(font, label_->text(), width, &widest);
        return widest <= width && height <= Layout().height;
    }
    return TextWidth(font) <= width && QFontMetrics(font).height() <= Layout().height;
}

void Label::ArrangeCaption(const QFont& font) {
    const Rect rect = Layout();
    label_->setGeometry(rect.x, rect.y, WidthFor(font), rect.height);
}

}  // namespace vorn::toolkit
