// SPDX-License-Identifier: MIT
#include "bench/bench_image.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace vorn::bench {

namespace {

void Put32(std::vector<char>& image, std::size_t at, std::uint32_t value) {
    for (std::size_t i = 0; i < 4; ++i) {
        image[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
    }
}

// Title, a room table whose records point at made-up data inside the image, and one list.
std::vector<char> MakeImage(std::size_t size) {
    std::vector<char> image(size, 0);
    const std::string title = "ZEROMISSIONE";
    std::copy(title.begin(), title.end(), image.begin() + 0xA0);
    for (int room = 0; room < 330; ++room) {
        const std::size_t record = 0x340AD4 + 60 * static_cast<std::size_t>(room);
        for (std::size_t pointer = 0x08; pointer <= 0x14; pointer += 4) {
            Put32(image, record + pointer, 0x08360000u + static_cast<std::uint32_t>(pointer));
        }
        Put32(image, record + 0x20, 0x08000000u + static_cast<std::uint32_t>(kEnemyListOffset));
        image[record + 0x01] = 0x10;  // layer 0 in use
        image[record + 0x3A] = 0x05;  // music 5
    }
    const unsigned char list[] = {0x10, 0x20, 0x05, 0x30, 0x40, 0x06,
                                  0x50, 0x60, 0x07, 0xFF, 0xFF, 0xFF};
    std::copy(std::begin(list), std::end(list),
              image.begin() + static_cast<std::ptrdiff_t>(kEnemyListOffset));
    return image;
}

int OpenOrThrow(const std::string& path, int flags) {
    const int fd = ::open(path.c_str(), flags | O_CLOEXEC);
    if (fd < 0) {
        throw std::runtime_error("cannot open " + path);
    }
    return fd;
}

}  // namespace

BenchImages& BenchImages::Get() {
    static BenchImages images;
    return images;
}

BenchImages::BenchImages() {
    std::string pattern = (std::filesystem::temp_directory_path() / "vorn-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot make a temporary folder");
    }
    folder_ = pattern;
}

BenchImages::~BenchImages() {
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
}

const std::string& BenchImages::Path(std::int64_t mebibytes) {
    auto found = paths_.find(mebibytes);
    if (found != paths_.end()) {
        return found->second;
    }
    const std::string path = folder_ + "/image-" + std::to_string(mebibytes) + "MiB.gba";
    const std::vector<char> image = MakeImage(static_cast<std::size_t>(mebibytes) << 20);
    std::ofstream(path, std::ios::binary)
        .write(image.data(), static_cast<std::streamsize>(image.size()));
    // On disk before the first benchmark, so that no writeback of the setup competes with
    // the timed syncs.
    const int fd = OpenOrThrow(path, O_RDWR);
    const bool synced = ::fsync(fd) == 0;
    ::close(fd);
    if (!synced) {
        throw std::runtime_error("cannot write " + path);
    }
    return paths_.emplace(mebibytes, path).first->second;
}

std::vector<std::uint8_t> RawRead(const std::string& path, Offset offset, std::size_t count) {
    std::vector<std::uint8_t> bytes(count);
    const int fd = OpenOrThrow(path, O_RDWR);
    if (::pread(fd, bytes.data(), count, offset) != static_cast<ssize_t>(count)) {
        ::close(fd);
        throw std::runtime_error("short read in " + path);
    }
    ::close(fd);
    return bytes;
}

void RawWriteSynced(const std::string& path, Offset offset,
                    const std::vector<std::uint8_t>& bytes) {
    const int fd = OpenOrThrow(path, O_RDWR);
    const bool written =
        ::pwrite(fd, bytes.data(), bytes.size(), offset) == static_cast<ssize_t>(bytes.size());
    const bool synced = ::fsync(fd) == 0;
    ::close(fd);
    if (!written || !synced) {
        throw std::runtime_error("cannot write " + path);
    }
}

}  // namespace vorn::bench
