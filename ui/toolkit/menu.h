// SPDX-License-Identifier: MIT
#pragma once

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>

#include <functional>
#include <string>

#include "ui/toolkit/controls.h"
#include "ui/toolkit/window.h"

namespace vorn::toolkit {

// A menu of the window's menu bar; "&" in a caption marks the access key of the next letter.
// A menu whose caption shows no access key still opens with Alt and `accessKey`.
class Menu : public QMenu {
  public:
    Menu(Window& window, const std::string& name, const std::string& caption, char accessKey = 0)
        : QMenu(ToQt(caption), window.MenuBar()) {
        setObjectName(ToQt(name));
        QMenuBar* bar = window.MenuBar();
        bar->addMenu(this);
        if (accessKey != 0) {
            auto* shortcut = new QShortcut(
                QKeySequence(QString("Alt+") + QChar::fromLatin1(accessKey)), &window);
            connect(shortcut, &QShortcut::activated, bar,
                    [bar, opens = menuAction()] { bar->setActiveAction(opens); });
        }
    }
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
