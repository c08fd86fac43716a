// SPDX-License-Identifier: MIT
#pragma once

#include <functional>
#include <string>

#include "ui/toolkit/desktop.h"

namespace vorn {
class RomError;
class RomFile;
}  // namespace vorn

namespace vorn::toolkit {
class Desktop;
}  // namespace vorn::toolkit

namespace vorn::ui {

// One command of a window on the ROM file: opens it by path, runs the steps, closes it. A
// failure to open, read or write becomes one message box that names the path and the reason;
// a file that no longer exists is such a failure (it is not created anew). A write refused because
// another program changed the bytes since the window read them shows `ifChangedOnDisk`
// instead, when given: the window knows what it was writing and how to read it again.
// Returns true when the steps ran to their end.
bool RunRomCommand(toolkit::Desktop& desktop, const std::string& path,
                   const std::function<void(RomFile&)>& steps,
                   const toolkit::MessageText& ifChangedOnDisk = toolkit::MessageText());

// A failure of the ROM file as the user reads it: what could not be done, the path (shortened
// on the screen when long) and the reason.
toolkit::MessageText FailureMessage(const RomError& error);

}  // namespace vorn::ui
