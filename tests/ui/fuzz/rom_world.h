// SPDX-License-Identifier: MIT
#pragma once

// The files the fuzzed windows work on: synthetic images of the game made from a seed, and
// "another program" that changes, cuts short or replaces the file between the user's actions.

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "tests/support/image_builder.h"

namespace vorn::fuzz {

using test::ByteVector;

// The rooms the images fill and the actions pick most of the time; the others hold zeros.
inline constexpr int kBusyRooms[] = {0, 1, 2, 3, 329};
// Where the images keep the enemy lists of the busy rooms, 0x100 bytes apart.
constexpr std::size_t kListsAt = 0x350000;
constexpr std::size_t kImageSize = 0x360000;

// A synthetic game image: random records for the busy rooms, with pointers the window shows
// faithfully and others it cannot (cut to six characters, not into the ROM), music with and
// without an item of its own, enemy lists of a few entries (some into the cartridge header).
ByteVector MakeGameImage(std::mt19937& random);

// What the file at a path is now.
struct FileState {
    bool regular = false;  // false: missing, a folder, a named pipe...
    ByteVector bytes;      // the content of a regular file
};
// Reads into `state`, keeping its buffer: a fresh one for every read costs page faults.
void ReadState(const std::string& path, FileState& state);

// One change by another program, described for the action log. Changes the file at `path`.
std::string ChangeFileAsAnotherProgram(const std::string& path, std::mt19937& random);

}  // namespace vorn::fuzz
