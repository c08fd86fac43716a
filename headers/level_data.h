// SPDX-License-Identifier: MIT
#pragma once

// The level data that the text form holds: room headers and the enemy lists their first two
// enemy tables point at, each with the bytes it was read from ("was"). Read from an image,
// a record's values are its was; read from a text, the values may have been edited since.

#include <string>
#include <vector>

#include "rom/enemy_list.h"
#include "rom/rom_file.h"
#include "rom/room_header.h"

namespace vorn::headers {

struct RoomRecord {
    int room = 0;
    RoomHeader values;
    RoomHeader was;
};

struct ListRecord {
    Offset offset = 0;
    // The enemies, without the slot that ends the list.
    std::vector<EnemyEntry> entries;
    // The list image as read: the enemies and the slot that ends the list, 3 bytes each.
    Bytes was;
};

struct LevelData {
    std::vector<RoomRecord> rooms;  // ascending room numbers
    std::vector<ListRecord> lists;  // ascending offsets
};

// Every room whose record lies inside the file, and every list that the enemy tables 1 and 2
// of those rooms point at, once each. A list is taken only where it could be written back:
// after the cartridge header, with its end slot inside the file.
LevelData ReadLevelData(const RomFile& file);

// What a record of the text is called in messages: "room 12", "enemy list 0x3B0000".
std::string RoomName(int room);
std::string ListName(Offset offset);

// The enemies of a list image (all but its last slot).
std::vector<EnemyEntry> EntriesOf(const Bytes& listImage);
// A list's image with the given enemies, ended by the last slot of `was`: what a save of the
// list writes. `entries` must number one less than the slots of `was`.
Bytes ListImageWith(const std::vector<EnemyEntry>& entries, const Bytes& was);

}  // namespace vorn::headers
