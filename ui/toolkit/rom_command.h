// SPDX-License-Identifier: MIT
#pragma once

#include <functional>
#include <string>

namespace vorn {
class RomFile;
}

namespace vorn::toolkit {

class Desktop;

// One command on the ROM file: opens it by path, runs the steps, closes it. A failure to
// open, read or write becomes one message box that names the path and the reason; a file
// that no longer exists is such a failure (it is not created anew). Returns true when the
// steps ran to their end.
bool RunRomCommand(Desktop& desktop, const std::string& path,
                   const std::function<void(RomFile&)>& steps);

}  // namespace vorn::toolkit
