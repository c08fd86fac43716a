// SPDX-License-Identifier: MIT
#include "rom/game_title.h"

#include <algorithm>
#include <array>

namespace vorn {

bool HoldsGameTitle(const RomFile& file) {
    // A file that ends before 0xAC reads zeros for the missing bytes, and the title holds
    // no zero byte: a title cut off by the end of the file never passes.
    std::array<std::uint8_t, kGameTitleLength> bytes{};
    file.ReadAt(kGameTitleOffset, bytes.data(), bytes.size());
    return std::equal(bytes.begin(), bytes.end(), kGameTitle, [](std::uint8_t byte, char c) {
        return byte == static_cast<std::uint8_t>(c);
    });
}

bool CheckGameTitle(const std::string& path) {
    RomFile file = RomFile::Open(path);
    const bool holds = HoldsGameTitle(file);
    file.Close();
    return holds;
}

}  // namespace vorn
