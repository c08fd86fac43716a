// SPDX-License-Identifier: MIT
#include "ui/toolkit/menu.h"

#include <QMenuBar>
#include <QShortcut>

#include "ui/toolkit/window.h"

namespace vorn::toolkit {

Menu::Menu(Window& window, const std::string& name, const std::string& caption, char accessKey)
    : QMenu(ToQt(caption), window.MenuBar()) {
    setObjectName(ToQt(name));
    QMenuBar* bar = window.MenuBar();
    bar->addMenu(this);
    if (accessKey != 0) {
        auto* shortcut =
            new QShortcut(QKeySequence(QString("Alt+") + QChar::fromLatin1(accessKey)), &window);
        connect(shortcut, &QShortcut::activated, bar,
                [bar, opens = menuAction()] { bar->setActiveAction(opens); });
    }
}

}  // namespace vorn::toolkit
