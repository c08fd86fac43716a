// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "rom/platform_file.h"
#include "rom/rom_error.h"

namespace vorn {

// File offsets are 0-based byte positions, held as 32-bit signed integers.
using Offset = std::int32_t;
using Bytes = std::vector<std::uint8_t>;

// GBA cartridge address of file offset 0: pointers stored in the image are file offsets
// plus 0x08000000.
constexpr std::uint32_t RomBase = 0x08000000;

// The first 0xC0 bytes of an image are the cartridge header (entry point, logo, title,
// checksum). No room header or enemy list lives there, and the editor never writes into it.
constexpr Offset kCartridgeHeaderEnd = 0xC0;

// Bytes to write at an offset, and the bytes the caller last read or wrote there (as many).
struct Patch {
    Offset offset = 0;
    Bytes bytes;
    Bytes lastSeen;
};

// The ROM file, opened by path for the length of one command and closed at its end.
//
// Reads never fail for lack of bytes: what lies outside the file reads as zero.
// Writes are the program's one write path: a write is refused whole unless, in this same
// open, the file still holds the game title, the bytes fit inside the file as it is now and
// lie after the cartridge header, and (when the caller says what it last saw there) the bytes
// to be overwritten are still those; then it is written, flushed and synced to disk before
// WriteAt returns. Every failure is a RomError naming the path and the reason.
//
// No open ever blocks: a named pipe, socket or device is refused as not a regular file
// before anything is read from it.
class RomFile {
  public:
    // What Open does when there is no file at the path.
    enum class IfMissing { Create, Fail };

    // Opens for reading and writing; a missing file is created empty, or, with
    // IfMissing::Fail, reported as an error (a ROM that vanished between two commands is not
    // silently replaced by an empty file). A file that may be read but not written is opened
    // for reading only: reads work, writes are refused.
    static RomFile Open(const std::string& path, IfMissing ifMissing = IfMissing::Create);

    RomFile(RomFile&& other) noexcept;
    RomFile& operator=(RomFile&& other) noexcept;
    RomFile(const RomFile&) = delete;
    RomFile& operator=(const RomFile&) = delete;
    ~RomFile();

    // Reads `count` bytes starting at `offset` into `out`; bytes outside the file read as 0.
    void ReadAt(Offset offset, std::uint8_t* out, std::size_t count) const;
    Bytes ReadAt(Offset offset, std::size_t count) const;

    // Overwrites bytes in place; nothing else in the file changes. Throws RomError when the
    // write is refused or fails; then nothing has been written. `lastSeen`, when given, holds
    // the `count` bytes the caller last read or wrote at `offset`: if the file holds others
    // there now, the write is refused with RomChanged.
    void WriteAt(Offset offset, const std::uint8_t* data, std::size_t count,
                 const std::uint8_t* lastSeen = nullptr);
    void WriteAt(Offset offset, const Bytes& data) { WriteAt(offset, data.data(), data.size()); }

    // Several writes that stand or fall together. Every one passes the write path's checks,
    // its last-seen bytes included, before the first byte is written; then they are written
    // in order and synced once. When writing one fails, those already written are put back
    // to their last-seen bytes and synced, and the RomError says whether that worked.
    // Patches must not overlap (std::invalid_argument).
    void WriteAt(const std::vector<Patch>& patches);

    // Releases the file. Safe to call twice; the destructor calls it too.
    void Close();

    bool IsOpen() const { return file_ != platform::kNoFile; }
    bool IsWritable() const { return writeRefusal_.empty(); }
    // Why writes are refused, in the system's words; empty when the file is writable.
    const std::string& WriteRefusal() const { return writeRefusal_; }
    const std::string& Path() const { return path_; }
    std::int64_t Size() const;

  private:
    RomFile(platform::FileHandle file, std::string path, std::string writeRefusal);
    void RequireOpen(const char* action) const;
    void RequireWritable(std::int64_t offset, std::size_t count) const;
    void RequireUnchanged(Offset offset, const std::uint8_t* lastSeen, std::size_t count) const;
    // `written`, when given, counts the bytes written so far, also when a write fails.
    void WriteAll(std::int64_t offset, const std::uint8_t* data, std::size_t count,
                  std::size_t* written = nullptr);
    void PutBack(const std::vector<Patch>& patches, const std::vector<std::size_t>& written,
                 const RomError& failure);

    platform::FileHandle file_ = platform::kNoFile;
    std::string path_;
    // Why writes are refused (the reason the read-write open failed); empty when writable.
    std::string writeRefusal_;
};

}  // namespace vorn
