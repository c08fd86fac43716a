// SPDX-License-Identifier: MIT
#include "ui/toolkit/frame.h"

#include <QPainter>
#include <QWidget>

#include "ui/toolkit/caption_room.h"

namespace vorn::toolkit {

namespace {
// Where the caption starts on the line, and the gap around it.
constexpr int kCaptionIndent = 6;
constexpr int kCaptionPadding = 2;
}  // namespace

class FrameWidget : public QWidget {
  public:
    explicit FrameWidget(QString caption) : caption_(std::move(caption)) {}
    const QString& Caption() const { return caption_; }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        const QFontMetrics metrics(font());
        const int line = metrics.height() / 2;
        const QRect box(0, line, width() - 2, height() - line - 2);
        painter.setPen(palette().color(QPalette::Mid));
        painter.drawRect(box);
        painter.setPen(palette().color(QPalette::Light));
        painter.drawRect(box.translated(1, 1));
        const QRect caption(kCaptionIndent, 0,
                            metrics.horizontalAdvance(caption_) + 2 * kCaptionPadding,
                            metrics.height());
        painter.fillRect(caption, palette().window());
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(caption, Qt::AlignCenter, caption_);
    }

  private:
    QString caption_;
};

Frame::Frame(Container& parent, std::string name, Rect rect, const std::string& caption)
    : Control(parent, std::move(name), rect, new FrameWidget(QString::fromStdString(caption))),
      frame_(static_cast<FrameWidget*>(Widget())) {}

QWidget* Frame::Host() const {
    return frame_;
}

std::string Frame::Caption() const {
    return frame_->Caption().toStdString();
}

bool Frame::CaptionFits(const QFont& font) const {
    return kCaptionIndent + CaptionWidth(font, frame_->Caption()) + 2 * kCaptionPadding <
           Layout().width;
}

}  // namespace vorn::toolkit
