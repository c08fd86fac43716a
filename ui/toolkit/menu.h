// SPDX-License-Identifier: MIT
#pragma once

#include <QAction>
#include <QMenu>

#include <functional>
#include <string>

#include "ui/toolkit/control.h"

namespace vorn::toolkit {

// A menu of the window's menu bar. In a caption, "&" marks the access key of the next letter.
// A menu whose caption shows no access key can still be opened with Alt and `accessKey`.
class Menu : public QMenu {
  public:
    Menu(Window& window, const std::string& name, const std::string& caption, char accessKey = 0);
    std::string Name() const { return FromQt(objectName()); }
    QMenu* Widget() { return this; }
};

class MenuItem : public QAction {
  public:
    MenuItem(Menu& menu, const std::string& name, const std::string& caption)
        : QAction(ToQt(caption), &menu) {
        setObjectName(ToQt(name));
        menu.addAction(this);
        connect(this, &QAction::triggered, this, [this] { Raise(Click); });
    }
    std::string Name() const { return FromQt(objectName()); }
    // Chooses the entry as the user would.
    void Choose() { trigger(); }

    std::function<void()> Click;
};

}  // namespace vorn::toolkit
