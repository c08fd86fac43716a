// SPDX-License-Identifier: MIT
#pragma once

#include <functional>
#include <string>

class QAction;
class QMenu;

namespace vorn::toolkit {

class Window;

// A menu of the window's menu bar. In a caption, "&" marks the access key of the next letter.
// A menu whose caption shows no access key can still be opened with Alt and `accessKey`.
class Menu {
  public:
    Menu(Window& window, std::string name, const std::string& caption, char accessKey = 0);
    const std::string& Name() const { return name_; }
    QMenu* Widget() const { return menu_; }

  private:
    std::string name_;
    QMenu* menu_;
};

class MenuItem {
  public:
    MenuItem(Menu& menu, std::string name, const std::string& caption);
    ~MenuItem();
    MenuItem(const MenuItem&) = delete;
    MenuItem& operator=(const MenuItem&) = delete;

    const std::string& Name() const { return name_; }
    // Chooses the entry as the user would.
    void Choose();

    std::function<void()> Click;

  private:
    std::string name_;
    QAction* action_;
};

}  // namespace vorn::toolkit
