// SPDX-License-Identifier: MIT
#include "ui/toolkit/frame.h"

#include <QGroupBox>

#include "ui/toolkit/caption_room.h"

namespace vorn::toolkit {

namespace {
// Where the style starts the title on the frame's line, and the gap it keeps around it.
constexpr int kCaptionIndent = 6;
constexpr int kCaptionPadding = 2;
}  // namespace

Frame::Frame(Container& parent, std::string name, Rect rect, const std::string& caption)
    : Control(parent, std::move(name), rect, new QGroupBox(QString::fromStdString(caption))),
      frame_(static_cast<QGroupBox*>(Widget())) {
    // Without a name of its own the frame would be heard by the title of the frame around it.
    frame_->setAccessibleName(frame_->title());
}

QWidget* Frame::Host() const {
    return frame_;
}

std::string Frame::Caption() const {
    return frame_->title().toStdString();
}

bool Frame::CaptionFits(const QFont& font) const {
    return kCaptionIndent + CaptionWidth(font, frame_->title()) + 2 * kCaptionPadding <
           Layout().width;
}

}  // namespace vorn::toolkit
