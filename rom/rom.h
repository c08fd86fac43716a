// SPDX-License-Identifier: MIT
#pragma once

// Everything a window needs of the ROM image.
#include "rom/enemy_list.h"
#include "rom/game_title.h"
#include "rom/hex.h"
#include "rom/rom_error.h"
#include "rom/rom_file.h"
#include "rom/room_header.h"
