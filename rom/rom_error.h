// SPDX-License-Identifier: MIT
#pragma once

#include <stdexcept>
#include <string>

namespace vorn {

// A failure of a command on the ROM file: what was attempted, on which path, and why.
// The windows show what() to the user as it stands, so it is written in plain words.
class RomError : public std::runtime_error {
  public:
    RomError(std::string action, std::string path, std::string reason);

    const std::string& Action() const { return action_; }
    const std::string& Path() const { return path_; }
    const std::string& Reason() const { return reason_; }

  private:
    std::string action_;
    std::string path_;
    std::string reason_;
};

// A write refused because the bytes it would overwrite are no longer the ones the caller last
// read or wrote there: another program changed the file in between.
class RomChanged : public RomError {
  public:
    using RomError::RomError;
};

// The operating system's text for an errno value, e.g. "Permission denied".
std::string SystemReason(int errorNumber);

}  // namespace vorn
