// SPDX-License-Identifier: MIT
#include "rom/rom_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>

#include "rom/game_title.h"
#include "rom/hex.h"
#include "rom/rom_error.h"

namespace vorn {

namespace {

// Never blocks: without O_NONBLOCK, opening a named pipe for reading waits for a writer.
// O_NOCTTY keeps a terminal from becoming the program's controlling terminal.
int OpenFile(const std::string& path, int flags) {
    int fd;
    do {
        fd = ::open(path.c_str(), flags | O_CLOEXEC | O_NONBLOCK | O_NOCTTY, 0666);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

std::string NotRegularReason(mode_t mode) {
    if (S_ISDIR(mode)) {
        return SystemReason(EISDIR);
    }
    if (S_ISFIFO(mode)) {
        return "It is a named pipe, not a regular file";
    }
    if (S_ISSOCK(mode)) {
        return "It is a socket, not a regular file";
    }
    if (S_ISCHR(mode) || S_ISBLK(mode)) {
        return "It is a device, not a regular file";
    }
    return "It is not a regular file";
}

// Only a plain file can be a ROM image; a folder, pipe, socket or device is refused before
// any read. A plain file then goes back to ordinary, blocking reads and writes.
void RequireRegularFile(int fd, const std::string& path) {
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        const int error = errno;
        ::close(fd);
        throw RomError("open", path, SystemReason(error));
    }
    if (!S_ISREG(info.st_mode)) {
        ::close(fd);
        throw RomError("open", path, NotRegularReason(info.st_mode));
    }
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) {
        const int error = errno;
        ::close(fd);
        throw RomError("open", path, SystemReason(error));
    }
}

std::string Range(std::int64_t offset, std::size_t count) {
    return FormatHex(static_cast<std::int32_t>(offset)) + " to " +
           FormatHex(static_cast<std::int32_t>(offset + static_cast<std::int64_t>(count) - 1));
}

}  // namespace

RomFile RomFile::Open(const std::string& path, IfMissing ifMissing) {
    if (path.empty()) {
        throw RomError("open", path, "No file name was given");
    }
    const int fd = OpenFile(path, ifMissing == IfMissing::Create ? O_RDWR | O_CREAT : O_RDWR);
    if (fd >= 0) {
        RequireRegularFile(fd, path);
        return RomFile(fd, path, std::string());
    }
    // Not writable (read-only file or mount)? It may still be read: the game check and the
    // loads work, and every write is refused with the reason kept here.
    const int write_error = errno;
    const int read_fd = OpenFile(path, O_RDONLY);
    if (read_fd < 0) {
        throw RomError("open", path, SystemReason(write_error));
    }
    RequireRegularFile(read_fd, path);
    return RomFile(read_fd, path, SystemReason(write_error));
}

RomFile::RomFile(int fd, std::string path, std::string write_refusal)
    : fd_(fd), path_(std::move(path)), write_refusal_(std::move(write_refusal)) {}

RomFile::RomFile(RomFile&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)),
      path_(std::move(other.path_)),
      write_refusal_(std::move(other.write_refusal_)) {}

RomFile& RomFile::operator=(RomFile&& other) noexcept {
    if (this != &other) {
        Close();
        fd_ = std::exchange(other.fd_, -1);
        path_ = std::move(other.path_);
        write_refusal_ = std::move(other.write_refusal_);
    }
    return *this;
}

RomFile::~RomFile() {
    Close();
}

void RomFile::Close() {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
}

void RomFile::RequireOpen(const char* action) const {
    if (fd_ < 0) {
        throw RomError(action, path_, "The file is not open");
    }
}

std::int64_t RomFile::Size() const {
    RequireOpen("read");
    struct stat info {};
    if (::fstat(fd_, &info) != 0) {
        throw RomError("read", path_, SystemReason(errno));
    }
    return static_cast<std::int64_t>(info.st_size);
}

void RomFile::ReadAt(Offset offset, std::uint8_t* out, std::size_t count) const {
    RequireOpen("read");
    std::fill(out, out + count, std::uint8_t{0});
    // Positions before the start of the file read as zero, like those after its end.
    std::int64_t position = offset;
    std::size_t done = 0;
    if (position < 0) {
        const auto skipped = static_cast<std::uint64_t>(-position);
        if (skipped >= count) {
            return;
        }
        done = static_cast<std::size_t>(skipped);
        position = 0;
    }
    while (done < count) {
        const ssize_t got = ::pread(fd_, out + done, count - done, static_cast<off_t>(position));
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            throw RomError("read", path_, SystemReason(errno));
        }
        if (got == 0) {
            return;  // end of file: the rest stays zero
        }
        done += static_cast<std::size_t>(got);
        position += got;
    }
}

Bytes RomFile::ReadAt(Offset offset, std::size_t count) const {
    Bytes bytes(count);
    ReadAt(offset, bytes.data(), count);
    return bytes;
}

void RomFile::WriteAt(Offset offset, const std::uint8_t* data, std::size_t count,
                      const std::uint8_t* lastSeen) {
    RequireWritable(offset, count);
    if (lastSeen != nullptr) {
        RequireUnchanged(offset, lastSeen, count);
    }
    WriteAll(offset, data, count);
    if (::fsync(fd_) != 0) {
        throw RomError("write to", path_, SystemReason(errno));
    }
}

// The checks every write passes, made on the file as it is now: it may have been replaced,
// cut short or changed since it was opened or last read.
void RomFile::RequireWritable(std::int64_t offset, std::size_t count) const {
    RequireOpen("write to");
    if (!IsWritable()) {
        throw RomError("write to", path_, write_refusal_);
    }
    const std::int64_t end = offset + static_cast<std::int64_t>(count);
    const std::int64_t size = Size();
    if (offset < 0 || end > size) {
        throw RomError("write to", path_,
                       "The bytes " + Range(offset, count) +
                           " do not lie inside the file, which ends before " +
                           FormatHex(static_cast<std::int32_t>(size)) +
                           "; the editor never changes the size of a ROM");
    }
    if (count > 0 && offset < CartridgeHeaderEnd) {
        throw RomError("write to", path_,
                       "The bytes " + Range(offset, count) + " touch the cartridge header (0 to " +
                           FormatHex(CartridgeHeaderEnd - 1) +
                           "), which holds no room or enemy data and is never written");
    }
    if (!HoldsGameTitle(*this)) {
        throw RomError("write to", path_,
                       "It is not an image of the supported game (no title \"" +
                           std::string(GameTitle) + "\" at A0), so nothing was written");
    }
}

void RomFile::RequireUnchanged(Offset offset, const std::uint8_t* lastSeen,
                               std::size_t count) const {
    const Bytes now = ReadAt(offset, count);
    if (!std::equal(now.begin(), now.end(), lastSeen)) {
        throw RomChanged("write to", path_,
                         "The bytes " + Range(offset, count) +
                             " changed on disk since they were read, so nothing was written");
    }
}

void RomFile::WriteAll(std::int64_t offset, const std::uint8_t* data, std::size_t count) {
    std::size_t done = 0;
    while (done < count) {
        const ssize_t put = ::pwrite(fd_, data + done, count - done,
                                     static_cast<off_t>(offset + static_cast<std::int64_t>(done)));
        if (put < 0) {
            if (errno == EINTR) {
                continue;
            }
            throw RomError("write to", path_, SystemReason(errno));
        }
        if (put == 0) {
            throw RomError("write to", path_, SystemReason(EIO));
        }
        done += static_cast<std::size_t>(put);
    }
}

}  // namespace vorn
