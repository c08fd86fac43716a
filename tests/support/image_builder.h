// SPDX-License-Identifier: MIT
#pragma once

// Synthetic ROM images for tests, written byte by byte. This deliberately does not use the
// encoders of rom/, so that a test never restates the code it checks.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vorn::test {

using ByteVector = std::vector<std::uint8_t>;

constexpr std::size_t kMiB = 1024 * 1024;
constexpr std::size_t kTitleAt = 0xA0;
constexpr std::size_t kRoomTableAt = 0x340AD4;
constexpr std::size_t kRoomSize = 60;
constexpr int kRooms = 330;

// File offset of a room's record, computed independently of rom/.
constexpr std::size_t RoomAt(int room) {
    return kRoomTableAt + kRoomSize * static_cast<std::size_t>(room);
}

class ImageBuilder {
  public:
    // An image of `size` bytes, every byte `fill`, without the game title.
    explicit ImageBuilder(std::size_t size = 4 * kMiB, std::uint8_t fill = 0);

    // Writes the 12 title bytes at 0xA0 (the game's title unless told otherwise).
    ImageBuilder& Title(std::string_view title = "ZEROMISSIONE");
    // Fills the whole image with bytes from a fixed pseudo-random sequence.
    ImageBuilder& Noise(std::uint32_t seed);

    ImageBuilder& Put8(std::size_t at, std::uint8_t value);
    ImageBuilder& Put16(std::size_t at, std::uint16_t value);  // little-endian
    ImageBuilder& Put32(std::size_t at, std::uint32_t value);  // little-endian
    ImageBuilder& Put(std::size_t at, const ByteVector& bytes);

    // A field of a room's record: `field` is the offset inside the 60 bytes.
    ImageBuilder& Room8(int room, std::size_t field, std::uint8_t value);
    ImageBuilder& Room16(int room, std::size_t field, std::uint16_t value);
    ImageBuilder& Room32(int room, std::size_t field, std::uint32_t value);

    // Enemy entries (x, y, enemy) at `at`, followed by FF FF FF when `terminate` is set.
    ImageBuilder& Enemies(std::size_t at, const std::vector<std::array<std::uint8_t, 3>>& entries,
                          bool terminate = true);

    // Cuts or grows (with zeros) the image to `size` bytes.
    ImageBuilder& Resize(std::size_t size);

    const ByteVector& Bytes() const { return bytes_; }
    // Writes the image to `path` (replacing any file there) and returns the path.
    std::string WriteTo(const std::string& path) const;

  private:
    ByteVector bytes_;
};

// Writes `bytes` to `path` (replacing any file there) and returns the path.
std::string WriteFileBytes(const std::string& path, const ByteVector& bytes);
// Writes `bytes` over the file's own from `at` on, in place, as another program would.
void OverwriteFileBytes(const std::string& path, std::size_t at, const ByteVector& bytes);
// The whole content of a file (empty when it does not exist).
ByteVector ReadFileBytes(const std::string& path);
bool FileExists(const std::string& path);

// `count` bytes of `bytes` from `at` on, zeros where `bytes` has none (before its start or past
// its end), as the ROM reads them.
ByteVector BytesAt(const ByteVector& bytes, std::int64_t at, std::size_t count);
inline ByteVector BytesAt(const ByteVector& bytes, std::size_t at, std::size_t count) {
    return BytesAt(bytes, static_cast<std::int64_t>(at), count);
}

// The offsets at which two images differ; a difference in length counts every offset past
// the shorter one.
std::vector<std::size_t> ChangedOffsets(const ByteVector& before, const ByteVector& after);
// A contiguous range [first, first + count) as a list of offsets, for comparing with the above.
std::vector<std::size_t> OffsetRange(std::size_t first, std::size_t count);

}  // namespace vorn::test
