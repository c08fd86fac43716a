// SPDX-License-Identifier: MIT
#pragma once

#include <string>

#include "rom/rom_file.h"

namespace vorn {

// The supported game's title in the cartridge header: 12 ASCII bytes at 0xA0, no terminator.
constexpr Offset kGameTitleOffset = 0xA0;
constexpr char kGameTitle[] = "ZEROMISSIONE";
constexpr std::size_t kGameTitleLength = sizeof kGameTitle - 1;

// True when bytes 0xA0 to 0xAB of the open file are exactly the title: case-sensitive, all
// twelve compared, nothing trimmed. A file that ends before 0xAC does not hold it.
bool HoldsGameTitle(const RomFile& file);

// The game check: opens the file (a missing one is created empty), looks at the title,
// closes it. Throws RomError when the file cannot be opened at all.
bool CheckGameTitle(const std::string& path);

}  // namespace vorn
