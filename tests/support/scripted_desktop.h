// SPDX-License-Identifier: MIT
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "ui/toolkit/desktop.h"

namespace vorn::test {

// The desktop of the window tests: message boxes are recorded and closed at once, and the
// Open dialog answers from a queue (an empty queue answers as a cancel).
class ScriptedDesktop : public toolkit::Desktop {
  public:
    struct OpenRequest {
        std::string title;
        std::string filter;
    };

    using Desktop::ShowMessage;
    void ShowMessage(const std::string& text, const std::string& details) override;
    std::string AskOpenFile(const std::string& title, const std::string& filter,
                            const std::string& start) override;

    // Every message shown, in order, and the longer version each offered ("" when none).
    std::vector<std::string> Messages;
    std::vector<std::string> Details;
    // Answers for the Open dialog, used in order; "" is a cancel.
    std::deque<std::string> OpenAnswers;
    std::vector<OpenRequest> OpenRequests;
    // Runs while a message box is "up", before it is closed.
    std::function<void(const std::string&)> WhileMessageShown;
};

}  // namespace vorn::test
