// SPDX-License-Identifier: MIT
#include "headers/level_data.h"

#include <algorithm>
#include <set>
#include <stdexcept>

#include "headers/hex_text.h"

namespace vorn::headers {

LevelData ReadLevelData(const RomFile& file) {
    const std::int64_t size = file.Size();
    LevelData data;
    std::set<Offset> listOffsets;
    for (int room = 0; room < RoomTable::kRoomCount; ++room) {
        if (RoomTable::RecordOffset(room) + static_cast<std::int64_t>(RoomHeader::kSize) > size) {
            break;
        }
        const RoomHeader header = ReadRoomHeader(file, room);
        data.rooms.push_back({room, header, header});
        for (const std::uint32_t pointer : {header.enemyTable1Ptr(), header.enemyTable2Ptr()}) {
            // -1, a pointer outside the cartridge, is below the header's end too.
            const Offset offset = DecodeEnemyPtr(pointer);
            if (offset >= kCartridgeHeaderEnd) {
                listOffsets.insert(offset);
            }
        }
    }
    for (const Offset offset : listOffsets) {
        EnemyList list;
        ReadEnemyList(file, offset, list);
        // A list whose end lies past the end of the file was read partly from zeros.
        if (offset + static_cast<std::int64_t>(list.ListImageSize()) > size) {
            continue;
        }
        const Bytes image = ListImage(list);
        data.lists.push_back({offset, EntriesOf(image), image});
    }
    return data;
}

std::string RoomName(int room) {
    return "room " + std::to_string(room);
}

std::string ListName(Offset offset) {
    return "enemy list " + FormatOffset(offset);
}

std::vector<EnemyEntry> EntriesOf(const Bytes& listImage) {
    std::vector<EnemyEntry> entries;
    for (std::size_t at = 0; at + 2 * EnemyList::kEntrySize <= listImage.size();
         at += EnemyList::kEntrySize) {
        entries.push_back({listImage[at], listImage[at + 1], listImage[at + 2]});
    }
    return entries;
}

Bytes ListImageWith(const std::vector<EnemyEntry>& entries, const Bytes& was) {
    if (was.size() != EnemyList::kEntrySize * (entries.size() + 1) ||
        entries.size() >= EnemyList::kSlotCount) {
        throw std::invalid_argument("a list keeps the length it was read with");
    }
    EnemyList list;
    std::copy(entries.begin(), entries.end(), list.entries.begin());
    const std::uint8_t* end = &was[was.size() - EnemyList::kEntrySize];
    list.entries[entries.size()] = EnemyEntry{end[0], end[1], end[2]};
    list.EnemyCount = static_cast<std::uint8_t>(entries.size());
    return ListImage(list);
}

}  // namespace vorn::headers
