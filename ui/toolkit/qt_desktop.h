// SPDX-License-Identifier: MIT
#pragma once

#include <memory>
#include <string>

#include "ui/toolkit/desktop.h"

class QMessageBox;
class QWidget;

namespace vorn::toolkit {

// The real desktop: Qt's message box and Open dialog.
class QtDesktop : public Desktop {
  public:
    // `applicationTitle` is the caption of every message box.
    explicit QtDesktop(std::string applicationTitle);

    using Desktop::ShowMessage;
    void ShowMessage(const std::string& text, const std::string& details) override;
    std::string AskOpenFile(const std::string& title, const std::string& filter,
                            const std::string& start) override;

  private:
    std::string applicationTitle_;
};

// The message box QtDesktop shows, made but not shown: one OK button, no icon, the title as
// caption; its text can be selected and copied, a longer version (`details`) waits behind
// "Show Details...", and it never grows beyond the screen.
std::unique_ptr<QMessageBox> MakeMessageBox(const std::string& title, const std::string& text,
                                            const std::string& details, QWidget* parent);

}  // namespace vorn::toolkit
