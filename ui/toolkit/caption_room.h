// SPDX-License-Identifier: MIT
#pragma once

class QFont;
class QString;

namespace vorn::toolkit {

class Control;

// Width from a control's left edge to the nearest opaque control beside it on its right (one
// whose rows overlap it), or to the inner edge of its container. Labels do not count: a
// caption shows through another label's empty part.
int FreeRoomToTheRight(const Control& control);

// Width that a text takes on one line in a font, up to the next whole pixel: the rounded
// advance can fall short of the text's width by a fraction of a pixel, which a widget of
// that width would cut off.
int TextWidth(const QFont& font, const QString& text);

// Width and height that a caption takes in a font, on one line (an "&" marks an access key
// and takes no room) or wrapped at `wrapWidth` (word wrap; a word longer than the width
// counts at its full width).
int CaptionWidth(const QFont& font, const QString& caption);
int WrappedCaptionHeight(const QFont& font, const QString& caption, int wrapWidth, int* widestLine);

}  // namespace vorn::toolkit
