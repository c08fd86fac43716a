// SPDX-License-Identifier: MIT
#pragma once

// The operating system's file calls that RomFile is built on: one small file per platform
// (platform_file_posix.cpp for Linux and macOS, platform_file_windows.cpp for Windows) with
// the same behaviour on each. Everything above them, the read-only fallback and the checks of
// the one write path included, is shared code in rom_file.cpp.

#include <cstddef>
#include <cstdint>
#include <string>

namespace vorn::platform {

// An open file: a descriptor on POSIX, a HANDLE on Windows.
using FileHandle = std::intptr_t;
constexpr FileHandle kNoFile = -1;

// What a path is. Only a plain file can be a ROM image.
enum class FileKind { Regular, Folder, NamedPipe, Socket, Device, Other };

struct OpenResult {
    // The open file; kNoFile when the open failed or the path is not a plain file.
    FileHandle file = kNoFile;
    // Not Regular: the path was refused for what it is, before anything was read from it.
    FileKind kind = FileKind::Regular;
    // Why the system refused the open, in its own words; empty when it did not.
    std::string failure;
};

// Opens `path` (UTF-8) for reading, and for writing too when `writable`; a missing file is
// created empty when `create`. Never blocks, whatever the path names: anything but a plain
// file is refused by kind and closed again before any read.
OpenResult Open(const std::string& path, bool writable, bool create);
void Close(FileHandle file);

// A byte count (moved, or the file's size), or why the system refused.
struct Result {
    std::int64_t count = 0;
    std::string failure;
    bool Ok() const { return failure.empty(); }
};

// One read of at most `count` bytes at `offset` (0 or more). A count of 0 means the offset is
// at or past the end of the file. May move fewer bytes than asked: the caller loops.
Result ReadAt(FileHandle file, std::int64_t offset, std::uint8_t* out, std::size_t count);
// One write of at most `count` bytes at `offset`; may move fewer: the caller loops.
Result WriteAt(FileHandle file, std::int64_t offset, const std::uint8_t* data, std::size_t count);
Result Size(FileHandle file);
// Returns once the written bytes are on the disk itself, not in a cache; empty, or the reason.
std::string SyncToDisk(FileHandle file);

}  // namespace vorn::platform
