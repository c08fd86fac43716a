// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cstdint>

#include "rom/rom_file.h"

namespace vorn {

// One enemy placement: three bytes, x then y then enemy.
struct EnemyEntry {
    std::uint8_t x = 0;
    std::uint8_t y = 0;
    std::uint8_t enemy = 0;

    // The list ends with an entry whose three bytes are all FF; FF FF 00 is an enemy.
    bool IsTerminator() const { return x == 0xFF && y == 0xFF && enemy == 0xFF; }

    friend bool operator==(const EnemyEntry& a, const EnemyEntry& b) {
        return a.x == b.x && a.y == b.y && a.enemy == b.enemy;
    }
};

// The enemy editor's copy of a list: 256 entries read as one 768-byte block, and the index of
// the slot that ends the list (the first terminator, or 255 when there is none).
struct EnemyList {
    static constexpr int kSlotCount = 256;
    static constexpr std::size_t kEntrySize = 3;
    static constexpr std::size_t kBlockSize = kSlotCount * kEntrySize;

    std::array<EnemyEntry, kSlotCount> entries{};
    std::uint8_t EnemyCount = 0;

    // Bytes of entries 0 to EnemyCount inclusive: what a save writes back.
    std::size_t ListImageSize() const { return kEntrySize * (EnemyCount + 1u); }
};

// Fills the list from the 768 bytes at tableOffset. Bytes beyond the end of the file read
// as 0, so a terminator that would lie there is not found; this never fails for a short file.
// tableOffset must not be negative: callers refuse such an offset before reading.
void ReadEnemyList(const RomFile& file, Offset tableOffset, EnemyList& list);

// The list image: entries 0 to EnemyCount, 3 bytes each, back to back.
Bytes ListImage(const EnemyList& list);

// Writes the list image at tableOffset, slot i at tableOffset + 3i, through the file's one
// write path (which refuses to write past the end of the file). Like the read, it takes no
// negative tableOffset (std::invalid_argument). `lastSeen`, when given, is the list as the
// caller last read or wrote it there (with the same EnemyCount): the write is refused
// (RomChanged) if the file holds another list image there now.
void WriteEnemyList(RomFile& file, Offset tableOffset, const EnemyList& list,
                    const EnemyList* lastSeen = nullptr);

}  // namespace vorn
