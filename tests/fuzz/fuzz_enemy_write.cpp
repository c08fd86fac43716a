// SPDX-License-Identifier: MIT
// Saving an enemy list: read a list from a file built from the input, write it back, and the
// file must hold exactly what a save is meant to leave. When the list is written as read, the
// file is unchanged. When its entries were edited, only the bytes of entries 0 to EnemyCount
// change. A save is refused with RomError, leaving the file untouched, exactly when the file
// does not hold the game title, the list would not fit inside it or would touch the cartridge
// header, or another program changed a byte of the list since it was read (when the save says
// what it read).
//
// Input layout: byte 0 holds flags (1: put the game title at A0, 2: edit the entries before
// saving, 4: take the list offset back from the end of the file, 8: put a full-length list
// right at the end of the file, 16: the save compares with the list as read, 32: another
// program changes one byte between the read and the save), bytes 1-2 choose the list offset,
// bytes 3-4 the byte another program changes. The file is the input itself, grown to hold the
// title when flag 1 is set.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "rom/enemy_list.h"
#include "rom/game_title.h"
#include "rom/rom_error.h"
#include "rom/rom_file.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

constexpr std::size_t kTitleEnd = vorn::kGameTitleOffset + vorn::kGameTitleLength;

bool HasTitle(const std::vector<std::uint8_t>& content) {
    return content.size() >= kTitleEnd &&
           std::equal(vorn::kGameTitle, vorn::kGameTitle + vorn::kGameTitleLength,
                      content.begin() + vorn::kGameTitleOffset, [](char c, std::uint8_t byte) {
                          return static_cast<std::uint8_t>(c) == byte;
                      });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::uint32_t flags = fuzz::InputWord(data, size, 0, 1);
    const std::uint32_t pick = fuzz::InputWord(data, size, 1, 2);

    std::vector<std::uint8_t> content(data, data + size);
    if ((flags & 1) != 0) {
        content.resize(std::max(content.size(), kTitleEnd));
        std::copy(vorn::kGameTitle, vorn::kGameTitle + vorn::kGameTitleLength,
                  content.begin() + vorn::kGameTitleOffset);
    }
    const auto fileSize = static_cast<std::int64_t>(content.size());
    std::int64_t offset = pick % (fileSize + 4);
    if ((flags & 4) != 0) {
        offset = fileSize - pick % 800;
    } else if ((flags & 8) != 0) {
        // A list without a terminator is 256 entries, 768 bytes: it ends two bytes before the
        // end of the file up to two bytes after it.
        offset = fileSize - static_cast<std::int64_t>(vorn::EnemyList::kBlockSize) - 2 + pick % 5;
    }
    offset = std::max<std::int64_t>(offset, 0);

    const std::string path = fuzz::ScratchFile("enemies.gba");
    fuzz::Image image;
    image.size = fileSize;
    image.pieces.push_back({0, content.data(), content.size()});
    image.Write(path);

    vorn::RomFile file = vorn::RomFile::Open(path);
    vorn::EnemyList list;
    vorn::ReadEnemyList(file, static_cast<vorn::Offset>(offset), list);
    const vorn::EnemyList asRead = list;

    // Another program changes one byte of the file after the read.
    const auto otherAt = static_cast<std::int64_t>(fuzz::InputWord(data, size, 3, 2));
    const bool otherChanges = (flags & 32) != 0 && otherAt < fileSize;
    if (otherChanges) {
        const auto at = static_cast<std::size_t>(otherAt);
        content[at] = static_cast<std::uint8_t>(~content[at]);
        fuzz::WriteInPlace(path, otherAt, content[at]);
    }

    // What the save must leave in the file if it is not refused.
    if ((flags & 2) != 0 && size > 0) {
        for (std::size_t i = 0; i < list.entries.size(); ++i) {
            list.entries[i].x = static_cast<std::uint8_t>(list.entries[i].x ^ data[(3 * i) % size]);
            list.entries[i].y = static_cast<std::uint8_t>(list.entries[i].y + 1);
            list.entries[i].enemy = static_cast<std::uint8_t>(~list.entries[i].enemy);
        }
    }
    std::vector<std::uint8_t> saved = content;
    const std::size_t imageSize = list.ListImageSize();
    const bool fits = offset + static_cast<std::int64_t>(imageSize) <= fileSize;
    if (fits) {
        for (std::size_t i = 0; i <= list.EnemyCount; ++i) {
            const auto at = static_cast<std::size_t>(offset) + 3 * i;
            saved[at] = list.entries[i].x;
            saved[at + 1] = list.entries[i].y;
            saved[at + 2] = list.entries[i].enemy;
        }
    }
    const bool compares = (flags & 16) != 0;
    const bool changedUnderIt = otherChanges && otherAt >= offset &&
                                otherAt < offset + static_cast<std::int64_t>(imageSize);
    const bool allowed = fits && HasTitle(content) && offset >= vorn::kCartridgeHeaderEnd &&
                         !(compares && changedUnderIt);

    bool refused = false;
    try {
        vorn::WriteEnemyList(file, static_cast<vorn::Offset>(offset), list,
                             compares ? &asRead : nullptr);
    } catch (const vorn::RomError& error) {
        refused = true;
        FUZZ_REQUIRE(error.Path() == path);
    }
    file.Close();

    FUZZ_REQUIRE(refused == !allowed);
    const std::vector<std::uint8_t> after = fuzz::ReadWholeFile(path);
    FUZZ_REQUIRE(after == (refused ? content : saved));

    // A list written as read leaves the file as it was.
    if ((flags & 2) == 0 && !otherChanges) {
        FUZZ_REQUIRE(after == content);
    }
    return 0;
}
