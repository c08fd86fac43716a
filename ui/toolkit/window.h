// SPDX-License-Identifier: MIT
#pragma once

#include <QMainWindow>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace vorn::toolkit {

// A top-level window with a client area of fixed size below its menu bar. It is loaded once
// Load() has run its Form_Load, and stays loaded, shown or hidden, until it is destroyed.
class Window : public QMainWindow {
  public:
    Window(const std::string& caption, int clientWidth, int clientHeight);

    // Fits the captions and runs Form_Load, once, before the window is first shown.
    void Load();
    // Loads if needed, shows the window (not modal) and brings it to the front.
    void Show();
    void Hide() { hide(); }
    // Closes the window as its close box does.
    void Close() { close(); }
    // Puts the window, before it is first shown, level with `other` on its right, or on its
    // left where only that fits, wholly inside the free area of the screen that holds `other`.
    void PlaceBeside(const Window& other);
    // Whether the window system destroyed the window behind the program's back.
    bool WindowSystemDestroyed() const;
    QMenuBar* MenuBar();

    // The Tab key's order; controls left out of it take no focus. The first enabled one gets
    // the focus when the window is first shown.
    void SetTabOrder(const std::vector<QWidget*>& order);
    // Every control of the window, frames before what they hold.
    std::vector<QWidget*> Controls() const;

    // Raised by the close box; without a handler the window hides.
    std::function<void()> CloseBox;
    // Raised when the window system destroyed the shown window (on X11 another client can).
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

// Whether the window system destroyed the window behind the program's back (on X11 any
// client may); false for a hidden or minimised window, and where that cannot happen.
bool NativeWindowDestroyed(const QWindow& window);

// The bits of QKeyEvent::nativeModifiers that make a key a command: on X11 every modifier but
// Shift, Lock and those whose keys lock or choose a level or group (Num Lock, AltGr), so that
// Hyper counts wherever the keyboard map puts it, also where Qt sees no modifier; 0 elsewhere.
std::uint32_t CommandModifierBits();

}  // namespace vorn::toolkit
