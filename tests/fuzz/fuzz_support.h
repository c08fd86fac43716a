// SPDX-License-Identifier: MIT
#pragma once

// What the harnesses share: stopping on a broken property, and image files on disk in a
// scratch folder of their own.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

// A broken property stops the fuzzer at once: libFuzzer keeps the input that broke it.
#define FUZZ_REQUIRE(condition)                                                                   \
    do {                                                                                          \
        if (!(condition)) {                                                                       \
            std::fprintf(stderr, "%s:%d: broken property: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                         \
        }                                                                                         \
    } while (false)

namespace fuzz {

// The harness itself could not do its work (no temp folder, disk full): not a finding.
[[noreturn]] inline void SetupFailed(const char* what, const std::string& path) {
    std::fprintf(stderr, "fuzz harness: cannot %s %s: %s\n", what, path.c_str(),
                 std::strerror(errno));
    std::abort();
}

inline std::string& ScratchFolderName() {
    static std::string name;
    return name;
}

inline void RemoveScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(ScratchFolderName(), ignored);
}

// A folder under the system's temp folder (TMPDIR), made on first use and removed when the
// process exits normally; every process has its own, so parallel jobs never share a file.
inline const std::string& ScratchFolder() {
    std::string& name = ScratchFolderName();
    if (name.empty()) {
        std::error_code error;
        std::filesystem::path base = std::filesystem::temp_directory_path(error);
        if (error) {
            base = ".";
        }
        std::string pattern = (base / "vorn-fuzz-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) {
            SetupFailed("make a folder like", pattern);
        }
        name = pattern;
        std::atexit(RemoveScratchFolder);
    }
    return name;
}

inline std::string ScratchFile(const char* name) {
    return ScratchFolder() + "/" + name;
}

// A stretch of bytes at a file offset.
struct Piece {
    std::int64_t at = 0;
    const std::uint8_t* bytes = nullptr;
    std::size_t count = 0;
};

// An image file as the harness lays it out: `size` bytes, zero except for the pieces, a later
// piece written over an earlier one. The file is sparse where no piece lies.
// Changes one byte of an existing file in place, as another program would while the file is
// open elsewhere.
inline void WriteInPlace(const std::string& path, std::int64_t at, std::uint8_t byte) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0 || ::pwrite(fd, &byte, 1, static_cast<off_t>(at)) != 1) {
        SetupFailed("change", path);
    }
    ::close(fd);
}

struct Image {
    std::int64_t size = 0;
    std::vector<Piece> pieces;

    // The byte at `offset` of the file; 0 outside it.
    std::uint8_t At(std::int64_t offset) const {
        if (offset < 0 || offset >= size) {
            return 0;
        }
        for (auto piece = pieces.rbegin(); piece != pieces.rend(); ++piece) {
            if (offset >= piece->at &&
                offset - piece->at < static_cast<std::int64_t>(piece->count)) {
                return piece->bytes[offset - piece->at];
            }
        }
        return 0;
    }

    // Writes a new file at `path`. The old one is removed first rather than truncated: on
    // ext4 a truncated and rewritten file is flushed to disk when closed, which is slow.
    void Write(const std::string& path) const {
        if (::unlink(path.c_str()) != 0 && errno != ENOENT) {
            SetupFailed("remove", path);
        }
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (fd < 0) {
            SetupFailed("create", path);
        }
        if (::ftruncate(fd, static_cast<off_t>(size)) != 0) {
            SetupFailed("size", path);
        }
        for (const Piece& piece : pieces) {
            std::size_t done = 0;
            while (done < piece.count) {
                const std::int64_t at = piece.at + static_cast<std::int64_t>(done);
                const ssize_t put =
                    ::pwrite(fd, piece.bytes + done, piece.count - done, static_cast<off_t>(at));
                if (put <= 0) {
                    SetupFailed("write", path);
                }
                done += static_cast<std::size_t>(put);
            }
        }
        ::close(fd);
    }
};

// The whole file as it is on disk, read without the library.
inline std::vector<std::uint8_t> ReadWholeFile(const std::string& path) {
    std::vector<std::uint8_t> bytes;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        SetupFailed("open", path);
    }
    std::uint8_t buffer[4096];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0) {
            SetupFailed("read", path);
        }
        if (got == 0) {
            break;
        }
        bytes.insert(bytes.end(), buffer, buffer + got);
    }
    ::close(fd);
    return bytes;
}

// Little-endian number from up to four input bytes, 0 for those the input lacks.
inline std::uint32_t InputWord(const std::uint8_t* data, std::size_t size, std::size_t at,
                               std::size_t width = 4) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < width; ++i) {
        const std::uint32_t byte = at + i < size ? data[at + i] : 0u;
        value |= byte << (8 * i);
    }
    return value;
}

}  // namespace fuzz
