// SPDX-License-Identifier: MIT
#pragma once

// The level data as JSON text, for version control and for scripts:
//
//   {"rooms": [{"room": 12, "tileset": "0x05", ... "music": "0x0012", "was": "05..."}, ...],
//    "enemyLists": [{"offset": "0x3B0000", "entries": [{"x": "0x10", "y": "0x20",
//                    "enemy": "0x05"}, ...], "was": "102005FFFFFF"}, ...]}
//
// Written one field (one enemy) per line in a fixed order, so that changing a value changes
// one line. A room holds every field of its record under the record's own names.

#include <string>

#include "headers/level_data.h"

namespace vorn::headers {

std::string WriteLevelText(const LevelData& data);

// Reads a text written by WriteLevelText, perhaps edited since, in any layout JSON allows.
// Anything it cannot use throws CommandError (BadInput) naming `name`, the line and the
// column, and what is wrong there.
LevelData ReadLevelText(const std::string& text, const std::string& name);

}  // namespace vorn::headers
