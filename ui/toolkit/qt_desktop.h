// SPDX-License-Identifier: MIT
#pragma once

#include <string>

#include "ui/toolkit/desktop.h"

namespace vorn::toolkit {

// The real desktop: Qt's message box and Open dialog.
class QtDesktop : public Desktop {
  public:
    // `applicationTitle` is the caption of every message box.
    explicit QtDesktop(std::string applicationTitle);

    void ShowMessage(const std::string& text) override;
    std::string AskOpenFile(const std::string& title, const std::string& filter,
                            const std::string& start) override;

  private:
    std::string applicationTitle_;
};

}  // namespace vorn::toolkit
