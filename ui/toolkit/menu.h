// SPDX-License-Identifier: MIT
#pragma once

#include <QAction>
#include <QMenu>

#include <functional>
#include <string>

#include "ui/toolkit/controls.h"

namespace vorn::toolkit {

// A menu of the window's menu bar; "&" in a caption marks the access key of the next letter.
// A menu whose caption shows no access key still opens with Alt and `accessKey`.
class Menu : public QMenu {
  public:
    Menu(Window& window, const std::string& name, const std::string& caption, char accessKey = 0);
};

class MenuItem : public QAction {
  public:
    MenuItem(Menu& menu, const std::string& name, const std::string& caption)
        : QAction(ToQt(caption), &menu) {
        setObjectName(ToQt(name));
        menu.addAction(this);
        connect(this, &QAction::triggered, this, [this] { Raise(Click); });
    }
    std::function<void()> Click;
};

}  // namespace vorn::toolkit
