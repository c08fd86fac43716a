// SPDX-License-Identifier: MIT
#pragma once

// What the ROM tests do to files, done the way each operating system does it
// (os_files_posix.cpp, os_files_windows.cpp).

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "tests/support/temp_dir.h"

namespace vorn::test {

// A file its user may read but not write: mode 0444 on POSIX, the read-only attribute on
// Windows.
void MakeReadOnly(const std::string& path);
// A file its user may not even read: mode 0000 on POSIX, on Windows an access list that
// denies everyone everything.
void MakeUnreadable(const std::string& path);
// Gives reading and writing back; false where the system does not let the owner do so (Wine
// cannot undo an access list that denies everyone).
bool MakeReadWrite(const std::string& path);

enum class Access { Read, ReadWrite };
// Whether this user may open the file so, asked through the standard library.
inline bool CanOpen(const std::string& path, Access access) {
    const auto mode = access == Access::Read ? std::ios::in : std::ios::in | std::ios::out;
    return std::fstream(path, mode | std::ios::binary).is_open();
}

// Why an open failed, in the system's own words, as RomError gives them.
enum class Failure { NoSuchFile, NoSuchFolder, NotAFolder, IsAFolder, AccessDenied };
std::string OsReason(Failure failure);

// A named pipe that nobody writes to: a FIFO in `dir` on POSIX; on Windows a pipe of the
// pipe file system whose server end this object holds, with room for a few clients.
class UnwrittenPipe {
  public:
    explicit UnwrittenPipe(const TempDir& dir);
    ~UnwrittenPipe();
    UnwrittenPipe(const UnwrittenPipe&) = delete;
    UnwrittenPipe& operator=(const UnwrittenPipe&) = delete;

    const std::string& Path() const { return path_; }

  private:
    std::string path_;
    std::vector<std::intptr_t> serverEnds_;
};

// The system's null device, a path that opens but is no file: /dev/null, NUL.
std::string NullDevice();

// A Unix socket bound in `dir` that nobody listens on, which no open can open (POSIX only).
std::string BoundSocket(const TempDir& dir);

// What the process holds open, to compare before and after a stretch of work: on POSIX the
// number of open descriptors; on Windows, which of `files` a handle still holds (Wine counts
// no handles, so each file is opened without sharing, which fails while another handle to it
// is open).
std::string OpenHandles(const std::vector<std::string>& files);

}  // namespace vorn::test
