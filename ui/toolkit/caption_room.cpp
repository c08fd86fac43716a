// SPDX-License-Identifier: MIT
#include "ui/toolkit/caption_room.h"

#include <QFontMetrics>
#include <QRect>
#include <QString>
#include <QWidget>

#include <algorithm>
#include <cmath>

#include "ui/toolkit/control.h"

namespace vorn::toolkit {

namespace {

// A frame's border; the client area of a window has none.
constexpr int kContainerInset = 2;

bool RowsOverlap(const Rect& a, const Rect& b) {
    return a.y < b.y + b.height && b.y < a.y + a.height;
}

}  // namespace

int FreeRoomToTheRight(const Control& control) {
    const Rect self = control.Layout();
    int right = control.Parent().Host()->width() - kContainerInset;
    for (const Control* other : control.Parent().Children()) {
        const Rect rect = other->Layout();
        if (other != &control && other->IsOpaque() && rect.x > self.x && RowsOverlap(self, rect)) {
            right = std::min(right, rect.x);
        }
    }
    return std::max(0, right - self.x);
}

int TextWidth(const QFont& font, const QString& text) {
    return static_cast<int>(std::ceil(QFontMetricsF(font).horizontalAdvance(text)));
}

int CaptionWidth(const QFont& font, const QString& caption) {
    return TextWidth(font, QString(caption).remove(QLatin1Char('&')));
}

int WrappedCaptionHeight(const QFont& font, const QString& caption, int wrapWidth,
                         int* widestLine) {
    // The same word wrap that a label uses to draw its caption.
    const QRect bounds = QFontMetrics(font).boundingRect(
        QRect(0, 0, wrapWidth, 1 << 16), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, caption);
    if (widestLine != nullptr) {
        *widestLine = bounds.width();
    }
    return bounds.height();
}

}  // namespace vorn::toolkit
