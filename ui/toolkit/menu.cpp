// SPDX-License-Identifier: MIT
#include "ui/toolkit/menu.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>

#include "ui/toolkit/control.h"
#include "ui/toolkit/window.h"

namespace vorn::toolkit {

Menu::Menu(Window& window, std::string name, const std::string& caption, char accessKey)
    : name_(std::move(name)), menu_(window.MenuBar()->addMenu(QString::fromStdString(caption))) {
    menu_->setObjectName(QString::fromStdString(name_));
    if (accessKey != 0) {
        auto* shortcut = new QShortcut(
            QKeySequence(QString("Alt+%1").arg(QChar::fromLatin1(accessKey))), window.TopWidget());
        QMenuBar* bar = window.MenuBar();
        QAction* opens = menu_->menuAction();
        QObject::connect(shortcut, &QShortcut::activated, bar,
                         [bar, opens] { bar->setActiveAction(opens); });
    }
}

MenuItem::MenuItem(Menu& menu, std::string name, const std::string& caption)
    : name_(std::move(name)), action_(menu.Widget()->addAction(QString::fromStdString(caption))) {
    action_->setObjectName(QString::fromStdString(name_));
    QObject::connect(action_, &QAction::triggered, action_, [this] { Raise(Click); });
}

MenuItem::~MenuItem() {
    QObject::disconnect(action_, &QAction::triggered, nullptr, nullptr);
}

void MenuItem::Choose() {
    action_->trigger();
}

}  // namespace vorn::toolkit
