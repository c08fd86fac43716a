// SPDX-License-Identifier: MIT
#pragma once

#include <memory>
#include <string>

#include "ui/toolkit/desktop.h"

class QMessageBox;
class QWidget;

namespace vorn::toolkit {

// The real desktop: Qt's message box and Open dialog, `title` the caption of every box.
class QtDesktop : public Desktop {
  public:
    explicit QtDesktop(std::string title) : title_(std::move(title)) {}
    using Desktop::ShowMessage;
    void ShowMessage(const std::string& text, const std::string& details) override;
    std::string AskOpenFile(const std::string& title, const std::string& filter,
                            const std::string& start) override;

  private:
    std::string title_;
};

// The message box QtDesktop shows, not shown yet; its text can be selected and copied.
std::unique_ptr<QMessageBox> MakeMessageBox(const std::string& title, const std::string& text,
                                            const std::string& details, QWidget* parent);

}  // namespace vorn::toolkit
