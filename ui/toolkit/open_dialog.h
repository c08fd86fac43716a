// SPDX-License-Identifier: MIT
#pragma once

#include <string>

#include "ui/toolkit/desktop.h"

namespace vorn::toolkit {

// The common Open dialog as an object a window owns for its whole life: a title, a filter
// in Qt's form ("GBA roms (*.GBA *.gba)"), and the file name of its last use.
class OpenDialog {
  public:
    explicit OpenDialog(Desktop& desktop) : desktop_(desktop) {}

    std::string DialogTitle;
    std::string Filter;
    // The chosen full path after ShowOpen, or empty when the user cancelled.
    std::string FileName;

    // Shows the dialog modally and waits for the user; it opens where the last choice was.
    void ShowOpen() {
        FileName = desktop_.AskOpenFile(DialogTitle, Filter, lastChoice_);
        if (!FileName.empty()) {
            lastChoice_ = FileName;
        }
    }

  private:
    Desktop& desktop_;
    std::string lastChoice_;
};

}  // namespace vorn::toolkit
