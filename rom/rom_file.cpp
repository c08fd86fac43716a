// SPDX-License-Identifier: MIT
#include "rom/rom_file.h"

#include <algorithm>
#include <cerrno>
#include <stdexcept>
#include <utility>

#include "rom/game_title.h"
#include "rom/hex.h"
#include "rom/rom_error.h"

namespace vorn {

namespace {

std::string NotRegularReason(platform::FileKind kind) {
    switch (kind) {
        case platform::FileKind::Folder:
            return SystemReason(EISDIR);
        case platform::FileKind::NamedPipe:
            return "It is a named pipe, not a regular file";
        case platform::FileKind::Socket:
            return "It is a socket, not a regular file";
        case platform::FileKind::Device:
            return "It is a device, not a regular file";
        default:
            return "It is not a regular file";
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
    const platform::OpenResult writable =
        platform::Open(path, true, ifMissing == IfMissing::Create);
    if (writable.kind != platform::FileKind::Regular) {
        throw RomError("open", path, NotRegularReason(writable.kind));
    }
    if (writable.failure.empty()) {
        return RomFile(writable.file, path, std::string());
    }
    // Not writable (read-only file or mount)? It may still be read: the game check and the
    // loads work, and every write is refused with the reason kept here.
    const platform::OpenResult readable = platform::Open(path, false, false);
    if (readable.kind != platform::FileKind::Regular) {
        throw RomError("open", path, NotRegularReason(readable.kind));
    }
    if (!readable.failure.empty()) {
        throw RomError("open", path, writable.failure);
    }
    return RomFile(readable.file, path, writable.failure);
}

RomFile::RomFile(platform::FileHandle file, std::string path, std::string writeRefusal)
    : file_(file), path_(std::move(path)), writeRefusal_(std::move(writeRefusal)) {}

RomFile::RomFile(RomFile&& other) noexcept
    : file_(std::exchange(other.file_, platform::kNoFile)),
      path_(std::move(other.path_)),
      writeRefusal_(std::move(other.writeRefusal_)) {}

RomFile& RomFile::operator=(RomFile&& other) noexcept {
    if (this != &other) {
        Close();
        file_ = std::exchange(other.file_, platform::kNoFile);
        path_ = std::move(other.path_);
        writeRefusal_ = std::move(other.writeRefusal_);
    }
    return *this;
}

RomFile::~RomFile() {
    Close();
}

void RomFile::Close() {
    if (IsOpen()) {
        platform::Close(file_);
        file_ = platform::kNoFile;
    }
}

void RomFile::RequireOpen(const char* action) const {
    if (!IsOpen()) {
        throw RomError(action, path_, "The file is not open");
    }
}

std::int64_t RomFile::Size() const {
    RequireOpen("read");
    const platform::Result size = platform::Size(file_);
    if (!size.Ok()) {
        throw RomError("read", path_, size.failure);
    }
    return size.count;
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
        const platform::Result got = platform::ReadAt(file_, position, out + done, count - done);
        if (!got.Ok()) {
            throw RomError("read", path_, got.failure);
        }
        if (got.count == 0) {
            return;  // end of file: the rest stays zero
        }
        done += static_cast<std::size_t>(got.count);
        position += got.count;
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
    const std::string unsynced = platform::SyncToDisk(file_);
    if (!unsynced.empty()) {
        throw RomError("write to", path_, unsynced);
    }
}

void RomFile::WriteAt(const std::vector<Patch>& patches) {
    std::vector<const Patch*> byOffset;
    for (const Patch& patch : patches) {
        if (patch.lastSeen.size() != patch.bytes.size()) {
            throw std::invalid_argument("a patch's last-seen bytes are as many as its bytes");
        }
        byOffset.push_back(&patch);
    }
    std::sort(byOffset.begin(), byOffset.end(),
              [](const Patch* a, const Patch* b) { return a->offset < b->offset; });
    for (std::size_t i = 1; i < byOffset.size(); ++i) {
        const Patch& before = *byOffset[i - 1];
        if (before.offset + static_cast<std::int64_t>(before.bytes.size()) > byOffset[i]->offset) {
            throw std::invalid_argument("patches written together must not overlap");
        }
    }
    // Check all, then write: a refusal leaves the file as it was.
    for (const Patch& patch : patches) {
        RequireWritable(patch.offset, patch.bytes.size());
        RequireUnchanged(patch.offset, patch.lastSeen.data(), patch.lastSeen.size());
    }
    // How many bytes of each patch are in the file, for putting them back.
    std::vector<std::size_t> written(patches.size(), 0);
    try {
        for (std::size_t i = 0; i < patches.size(); ++i) {
            WriteAll(patches[i].offset, patches[i].bytes.data(), patches[i].bytes.size(),
                     &written[i]);
        }
        const std::string unsynced = platform::SyncToDisk(file_);
        if (!unsynced.empty()) {
            throw RomError("write to", path_, unsynced);
        }
    } catch (const RomError& failure) {
        PutBack(patches, written, failure);
    }
}

// After a failed write of several patches: the bytes written of each go back to what was last
// seen there, and the failure is thrown again, saying what became of them.
void RomFile::PutBack(const std::vector<Patch>& patches, const std::vector<std::size_t>& written,
                      const RomError& failure) {
    std::string outcome;
    try {
        for (std::size_t i = 0; i < patches.size(); ++i) {
            WriteAll(patches[i].offset, patches[i].lastSeen.data(), written[i]);
        }
        const std::string unsynced = platform::SyncToDisk(file_);
        if (!unsynced.empty()) {
            throw RomError("write to", path_, unsynced);
        }
        outcome = "; what had been written was put back as it was, so nothing changed";
    } catch (const RomError& again) {
        outcome = "; putting back what had been written failed too (" + again.Reason() +
                  "), so part of the writes may be in the file";
    }
    throw RomError("write to", path_, failure.Reason() + outcome);
}

// The checks every write passes, made on the file as it is now: it may have been replaced,
// cut short or changed since it was opened or last read.
void RomFile::RequireWritable(std::int64_t offset, std::size_t count) const {
    RequireOpen("write to");
    if (!IsWritable()) {
        throw RomError("write to", path_, writeRefusal_);
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
    if (count > 0 && offset < kCartridgeHeaderEnd) {
        throw RomError("write to", path_,
                       "The bytes " + Range(offset, count) + " touch the cartridge header (0 to " +
                           FormatHex(kCartridgeHeaderEnd - 1) +
                           "), which holds no room or enemy data and is never written");
    }
    if (!HoldsGameTitle(*this)) {
        throw RomError("write to", path_,
                       "It is not an image of the supported game (no title \"" +
                           std::string(kGameTitle) + "\" at A0), so nothing was written");
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

void RomFile::WriteAll(std::int64_t offset, const std::uint8_t* data, std::size_t count,
                       std::size_t* written) {
    std::size_t ignored = 0;
    std::size_t& done = written != nullptr ? *written : ignored;
    done = 0;
    while (done < count) {
        const platform::Result put = platform::WriteAt(
            file_, offset + static_cast<std::int64_t>(done), data + done, count - done);
        if (!put.Ok()) {
            throw RomError("write to", path_, put.failure);
        }
        if (put.count == 0) {
            throw RomError("write to", path_, SystemReason(EIO));
        }
        done += static_cast<std::size_t>(put.count);
    }
}

}  // namespace vorn
