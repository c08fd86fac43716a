// SPDX-License-Identifier: MIT
#include "rom/enemy_list.h"

#include <stdexcept>

namespace vorn {

void ReadEnemyList(const RomFile& file, Offset tableOffset, EnemyList& list) {
    if (tableOffset < 0) {
        throw std::invalid_argument("an enemy list offset must not be negative");
    }
    std::array<std::uint8_t, EnemyList::kBlockSize> block{};
    file.ReadAt(tableOffset, block.data(), block.size());
    for (std::size_t i = 0; i < list.entries.size(); ++i) {
        const std::uint8_t* entry = &block[EnemyList::kEntrySize * i];
        list.entries[i] = EnemyEntry{entry[0], entry[1], entry[2]};
    }
    list.EnemyCount = EnemyList::kSlotCount - 1;
    for (std::size_t i = 0; i < list.entries.size(); ++i) {
        if (list.entries[i].IsTerminator()) {
            list.EnemyCount = static_cast<std::uint8_t>(i);
            break;
        }
    }
}

Bytes ListImage(const EnemyList& list) {
    Bytes image;
    image.reserve(list.ListImageSize());
    for (int i = 0; i <= list.EnemyCount; ++i) {
        const EnemyEntry& entry = list.entries[static_cast<std::size_t>(i)];
        image.insert(image.end(), {entry.x, entry.y, entry.enemy});
    }
    return image;
}

void WriteEnemyList(RomFile& file, Offset tableOffset, const EnemyList& list,
                    const EnemyList* lastSeen) {
    if (tableOffset < 0) {
        throw std::invalid_argument("an enemy list offset must not be negative");
    }
    if (lastSeen != nullptr && lastSeen->EnemyCount != list.EnemyCount) {
        throw std::invalid_argument("a list is compared with another of its own length");
    }
    const Bytes image = ListImage(list);
    const Bytes seen = lastSeen != nullptr ? ListImage(*lastSeen) : Bytes();
    file.WriteAt(tableOffset, image.data(), image.size(),
                 lastSeen != nullptr ? seen.data() : nullptr);
}

}  // namespace vorn
