// SPDX-License-Identifier: MIT
#pragma once

#include <stdexcept>
#include <string>

namespace vorn::headers {

// What the command's exit status says.
enum class ExitStatus {
    Ok = 0,
    Differ = 1,    // diff: the two sides differ
    BadInput = 2,  // an argument, a text or an image that cannot be used; nothing written
    Refused = 3,   // a write refused or failed; nothing written
};

// A command that ends early: one line for the user, and the exit status that says why.
class CommandError : public std::runtime_error {
  public:
    CommandError(ExitStatus status, const std::string& message)
        : std::runtime_error(message), status_(status) {}
    ExitStatus Status() const { return status_; }

  private:
    ExitStatus status_;
};

}  // namespace vorn::headers
