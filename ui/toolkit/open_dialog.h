// SPDX-License-Identifier: MIT
#pragma once

#include <string>

namespace vorn::toolkit {

class Desktop;

// The common Open dialog as an object a window owns for its whole life: a title, a filter
// in Qt's form ("GBA roms (*.GBA *.gba)"), and the file name of its last use.
class OpenDialog {
  public:
    explicit OpenDialog(Desktop& desktop) : desktop_(desktop) {}

    std::string DialogTitle;
    std::string Filter;
    // The chosen full path after ShowOpen, or empty when the user cancelled.
    std::string FileName;

    // Shows the dialog modally and waits for the user.
    void ShowOpen();

  private:
    Desktop& desktop_;
    std::string lastChoice_;
};

}  // namespace vorn::toolkit
