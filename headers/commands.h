// SPDX-License-Identifier: MIT
#pragma once

// The companion's commands. Each writes its report to `out` and returns its exit status; one
// that cannot go on throws CommandError with one line for the user and the status.

#include <ostream>
#include <string>

#include "headers/command_error.h"

namespace vorn::headers {

// The level data of the image at `romPath` as text, into `outputPath` ("-": into `out`).
ExitStatus Export(const std::string& romPath, const std::string& outputPath, std::ostream& out);

// One line for each field that differs between `a` and `b`, each an image or a text:
// ExitStatus::Differ when there is one, Ok when not.
ExitStatus Diff(const std::string& a, const std::string& b, std::ostream& out);

// Writes into the image the rooms and lists whose values in the text at `textPath` ("-": the
// standard input) differ from their "was", all of them or none; `dryRun` only says what would
// be written.
ExitStatus Import(const std::string& romPath, const std::string& textPath, bool dryRun,
                  std::ostream& out);

}  // namespace vorn::headers
