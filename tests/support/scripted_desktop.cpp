// SPDX-License-Identifier: MIT
#include "tests/support/scripted_desktop.h"

namespace vorn::test {

void ScriptedDesktop::ShowMessage(const std::string& text, const std::string& details) {
    Messages.push_back(text);
    Details.push_back(details);
    if (WhileMessageShown) {
        WhileMessageShown(text);
    }
}

std::string ScriptedDesktop::AskOpenFile(const std::string& title, const std::string& filter,
                                         const std::string&) {
    OpenRequests.push_back({title, filter});
    if (OpenAnswers.empty()) {
        return std::string();
    }
    std::string answer = OpenAnswers.front();
    OpenAnswers.pop_front();
    return answer;
}

}  // namespace vorn::test
