// SPDX-License-Identifier: MIT
#pragma once

#include <QPointer>

#include <functional>
#include <string>
#include <vector>

#include "ui/toolkit/control.h"
#include "ui/toolkit/form_widget.h"

class QMenuBar;
class QWidget;

namespace vorn::toolkit {

// A top-level window with a client area of fixed size (below its menu bar, if it has one).
//
// A window is loaded when it is constructed and Load() has run its Form_Load; it stays
// loaded, visible or hidden, until it is destroyed. The close box does not close it by
// itself: it raises CloseBox, whose owner unloads the window (see FormSlot) or ends the
// program.
class Window : public Container {
  public:
    Window(std::string caption, int clientWidth, int clientHeight);
    ~Window() override;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    // Lays the captions out and runs Form_Load, once, before the window is first shown.
    void Load();
    // Shows the window beside the others (not modal) and brings it to the front; loads it
    // first if needed. Returns at once.
    void Show();
    // Takes the window off the screen; it stays loaded with everything in it.
    void Hide();
    bool IsVisible() const;
    // Puts the window beside another one, tops level, before it is first shown: on its
    // right, or on its left where only that fits, and wholly inside the free area of the
    // screen that holds the other window.
    void PlaceBeside(const Window& other);
    // Whether the window system destroyed the window behind the program's back, also while
    // it was hidden (see Destroyed).
    bool WindowSystemDestroyed() const;
    // Closes the window as its close box does.
    void Close();

    std::string Caption() const;
    QWidget* Host() const override { return client_; }
    Window& OwnerWindow() override { return *this; }
    // The top-level widget, for the desktop and for tests.
    QWidget* TopWidget() const { return top_; }
    // The menu bar, made on first use.
    QMenuBar* MenuBar();

    // Keyboard focus order for the Tab key; the first enabled control in it gets the focus
    // when the window is shown.
    void SetTabOrder(const std::vector<Control*>& order);
    const std::vector<Control*>& TabOrder() const { return tabOrder_; }
    // Every control of the window, in the order they were made.
    const std::vector<Control*>& Controls() const { return controls_; }

    // Raised when the user presses the window's close box.
    std::function<void()> CloseBox;
    // Raised when the window system destroyed the shown window behind the program's back (on
    // X11 another client can); it will not come back. The handler may unload the window.
    std::function<void()> Destroyed;

    void Register(Control* control);
    void Unregister(Control* control);

  protected:
    virtual void Form_Load() {}

  private:
    void FitCaptions();
    void WatchForDestruction();
    void PlaceClientArea();

    QPointer<FormWidget> top_;
    QWidget* client_;
    QMenuBar* menuBar_ = nullptr;
    int clientWidth_;
    int clientHeight_;
    bool loaded_ = false;
    bool everShown_ = false;
    std::vector<Control*> controls_;
    std::vector<Control*> tabOrder_;
};

}  // namespace vorn::toolkit
