// SPDX-License-Identifier: MIT
#pragma once

#include <string>

#include "ui/toolkit/message_text.h"

namespace vorn::toolkit {

// What the windows need of the desktop beyond their own controls: a modal message box and
// the common Open dialog. The application installs the real one; tests install a scripted
// one, so that no test ever waits for a person.
class Desktop {
  public:
    virtual ~Desktop() = default;

    // A modal message box with the text, one OK button, no icon and the application's title
    // as caption. Returns when the user has closed it. `details`, when not empty, is a longer
    // version of the text that the box offers to read and copy.
    virtual void ShowMessage(const std::string& text, const std::string& details) = 0;
    void ShowMessage(const std::string& text) { ShowMessage(text, std::string()); }
    // A message whose quotes and paths may be shortened on the screen.
    void Tell(const MessageText& message) {
        ShowMessage(message.Shown(), message.IsShortened() ? message.Full() : std::string());
    }

    // The modal Open dialog. `filter` is in Qt's form, as in "GBA roms (*.GBA *.gba)"; `start` is
    // the file name of the previous use (may be empty). Returns the chosen full path, or an empty
    // text when the user cancels.
    virtual std::string AskOpenFile(const std::string& title, const std::string& filter,
                                    const std::string& start) = 0;
};

}  // namespace vorn::toolkit
