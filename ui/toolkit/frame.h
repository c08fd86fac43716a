// SPDX-License-Identifier: MIT
#pragma once

#include <QGroupBox>

#include "ui/toolkit/control.h"

namespace vorn::toolkit {

// A captioned frame that holds controls; their positions are relative to its top left.
class Frame : public Control<QGroupBox> {
  public:
    // `parent` is the window or the frame that holds it.
    template <class Parent>
    Frame(Parent& parent, const std::string& name, QRect rect, const std::string& caption)
        : Control(parent, name, rect) {
        setTitle(ToQt(caption));
        // Without a name of its own a frame would be heard by the title of the frame around it.
        setAccessibleName(title());
    }
    std::string Caption() const { return FromQt(title()); }
};

}  // namespace vorn::toolkit
