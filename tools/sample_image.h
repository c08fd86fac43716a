// SPDX-License-Identifier: MIT
#pragma once

#include "rom/rom_file.h"

// Where make-sample-rom puts the data it makes up, after the room table; write-layout tells
// the desktop tests, which check the sample's bytes by it.
namespace vorn::sample {

constexpr Offset kGraphicsArea = 0x360000;
constexpr Offset kEnemyArea = 0x3A0000;
// Room r's enemy list lies at kEnemyArea + r * kEnemyListStride.
constexpr Offset kEnemyListStride = 0x40;

}  // namespace vorn::sample
