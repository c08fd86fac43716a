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
    // True while the close event is being handled, when the widget must not be deleted.
    bool InCloseEvent() const { return inCloseEvent_; }

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    bool inCloseEvent_ = false;
};

}  // namespace vorn::toolkit
