// SPDX-License-Identifier: MIT
#pragma once

// What differs between two versions of the level data, one line for each field:
//   room 12 music 0x0010 -> 0x0012
//   enemy list 0x3B0000 entry 1 x 0x31 -> 0x32
// Entries are numbered from 0, as the enemy editor lists them.

#include <string>
#include <vector>

#include "headers/level_data.h"

namespace vorn::headers {

std::vector<std::string> RoomChanges(int room, const RoomHeader& before, const RoomHeader& after);
std::vector<std::string> ListChanges(Offset offset, const std::vector<EnemyEntry>& before,
                                     const std::vector<EnemyEntry>& after);

// Every difference between the values of two versions, rooms first, then lists; a record that
// only one side holds is one line naming the side (`nameA` or `nameB`).
std::vector<std::string> Differences(const LevelData& a, const std::string& nameA,
                                     const LevelData& b, const std::string& nameB);

}  // namespace vorn::headers
