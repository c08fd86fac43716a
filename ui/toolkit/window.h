// SPDX-License-Identifier: MIT
#pragma once

#include <QMainWindow>

#include <functional>
#include <string>
#include <vector>

namespace vorn::toolkit {

// A top-level window with a client area of fixed size (below its menu bar, if it has one).
//
// A window is loaded when it is constructed and Load() has run its Form_Load; it stays
// loaded, visible or hidden, until it is destroyed. Its close box raises CloseBox, whose
// owner unloads the window (see FormSlot) or ends the program; without a handler it hides.
class Window : public QMainWindow {
  public:
    Window(const std::string& caption, int clientWidth, int clientHeight);

    // Lays the captions out and runs Form_Load, once, before the window is first shown.
    void Load();
    // Shows the window beside the others (not modal) and brings it to the front; loads it
    // first if needed. Returns at once.
    void Show();
    // Takes the window off the screen; it stays loaded with everything in it.
    void Hide() { hide(); }
    bool IsVisible() const { return isVisible(); }
    // Puts the window beside another one, tops level, before it is first shown: on its
    // right, or on its left where only that fits, and wholly inside the free area of the
    // screen that holds the other window.
    void PlaceBeside(const Window& other);
    // Whether the window system destroyed the window behind the program's back, also while
    // it was hidden (see Destroyed).
    bool WindowSystemDestroyed() const;
    // Closes the window as its close box does.
    void Close() { close(); }
    std::string Caption() const;

    QWidget* Host() const { return centralWidget(); }
    QWidget* TopWidget() { return this; }
    // The menu bar, made on first use.
    QMenuBar* MenuBar();

    // Keyboard focus order for the Tab key; controls left out of it take no focus. The first
    // enabled control in it gets the focus when the window is first shown.
    void SetTabOrder(const std::vector<QWidget*>& order);
    const std::vector<QWidget*>& TabOrder() const { return tabOrder_; }
    // Every control of the window, frames before what they hold.
    std::vector<QWidget*> Controls() const;

    // Raised when the user presses the window's close box.
    std::function<void()> CloseBox;
    // Raised when the window system destroyed the shown window behind the program's back (on
    // X11 another client can); it will not come back. The handler may unload the window.
    std::function<void()> Destroyed;

  protected:
    virtual void Form_Load() {}
    void closeEvent(QCloseEvent* event) override;

  private:
    void FitCaptions();

    bool loaded_ = false;
    bool everShown_ = false;
    std::vector<QWidget*> tabOrder_;
};

}  // namespace vorn::toolkit
