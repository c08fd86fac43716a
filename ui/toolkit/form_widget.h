// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>

#include <functional>

namespace vorn::toolkit {

// The top-level widget of a Window. Its close box only asks: the window's owner decides.
class FormWidget : public QWidget {
  public:
    FormWidget() = default;

    std::function<void()> onCloseBox;
    // Raised when the window system destroyed the native window behind the program's back.
    std::function<void()> onDestroyed;
    // Raises onDestroyed; called while the widget handles an event of its native window.
    void WindowSystemDestroyed();
    // True while the widget handles an event of its own, when it must not be deleted.
    bool InOwnEvent() const { return inOwnEvent_; }

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    // Runs a handler that may unload the window: the widget then goes once the event is done.
    void RunInOwnEvent(std::function<void()> handler);

    bool inOwnEvent_ = false;
};

}  // namespace vorn::toolkit
