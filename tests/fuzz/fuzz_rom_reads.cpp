// SPDX-License-Identifier: MIT
// Reading an image of any content and any length: the game check, the 330 room records, enemy
// lists and raw reads give exactly the bytes of the file, and zeros wherever the file has none
// (before offset 0 and past its end). The sanitizers catch any access outside a buffer.
//
// Each input is read twice: as a whole file by itself (most are far shorter than the room
// table at 340AD4, so every record lies past the end), and placed inside a sparse file of
// about the size of a real image, at an offset that the input's first two bytes choose
// around the room table, so that records hold real data, some cut off by the end of the file.

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <stdexcept>
#include <vector>

#include "rom/enemy_list.h"
#include "rom/game_title.h"
#include "rom/rom_error.h"
#include "rom/rom_file.h"
#include "rom/room_header.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

using vorn::Offset;

// A file size a little past the end of the room table, like an image that holds it.
constexpr std::int64_t kLargeImageSize = 0x346000;

// The input lies from 256 bytes before the room table to 256 bytes past its end.
constexpr std::int64_t kPlacementLow = vorn::RoomTable::kStart - 256;
constexpr std::int64_t kPlacementSpan = vorn::RoomTable::kEnd - vorn::RoomTable::kStart + 512;

std::uint32_t Le(const vorn::RoomHeader& header, std::size_t at, std::size_t width) {
    return fuzz::InputWord(header.bytes.data(), header.bytes.size(), at, width);
}

void CheckRoomFields(const vorn::RoomHeader& header) {
    FUZZ_REQUIRE(header.tileset() == header.bytes[0x00]);
    FUZZ_REQUIRE(header.bg0Props() == header.bytes[0x01]);
    FUZZ_REQUIRE(header.bg3Props() == Le(header, 0x04, 4));
    FUZZ_REQUIRE(header.foregroundPtr() == Le(header, 0x08, 4));
    FUZZ_REQUIRE(header.clipdataPtr() == Le(header, 0x14, 4));
    FUZZ_REQUIRE(header.enemyTable1Ptr() == Le(header, 0x20, 4));
    FUZZ_REQUIRE(header.enemyTable3Ptr() == Le(header, 0x2C, 4));
    FUZZ_REQUIRE(header.behavior() == header.bytes[0x39]);
    FUZZ_REQUIRE(header.music() == Le(header, 0x3A, 2));
}

void CheckRooms(const vorn::RomFile& file, const fuzz::Image& image) {
    for (int room = 0; room < vorn::RoomTable::kRoomCount; ++room) {
        const vorn::RoomHeader header = vorn::ReadRoomHeader(file, room);
        const std::int64_t record = vorn::RoomTable::RecordOffset(room);
        for (std::size_t i = 0; i < vorn::RoomHeader::kSize; ++i) {
            FUZZ_REQUIRE(header.bytes[i] == image.At(record + static_cast<std::int64_t>(i)));
        }
        CheckRoomFields(header);
    }
    for (const int outside : {-1, vorn::RoomTable::kRoomCount, std::numeric_limits<int>::min()}) {
        bool refused = false;
        try {
            vorn::ReadRoomHeader(file, outside);
        } catch (const std::out_of_range&) {
            refused = true;
        }
        FUZZ_REQUIRE(refused);
    }
}

void CheckEnemyList(const vorn::RomFile& file, const fuzz::Image& image, std::int64_t offset) {
    if (offset < 0 || offset > std::numeric_limits<Offset>::max()) {
        return;
    }
    vorn::EnemyList list;
    list.EnemyCount = 7;  // whatever was there before is replaced
    list.entries.fill(vorn::EnemyEntry{1, 2, 3});
    vorn::ReadEnemyList(file, static_cast<Offset>(offset), list);

    int terminator = -1;
    for (std::size_t i = 0; i < list.entries.size(); ++i) {
        const std::int64_t at = offset + static_cast<std::int64_t>(3 * i);
        const vorn::EnemyEntry expected{image.At(at), image.At(at + 1), image.At(at + 2)};
        FUZZ_REQUIRE(list.entries[i] == expected);
        if (terminator < 0 && expected.x == 0xFF && expected.y == 0xFF && expected.enemy == 0xFF) {
            terminator = static_cast<int>(i);
        }
    }
    FUZZ_REQUIRE(list.EnemyCount == (terminator < 0 ? 255 : terminator));
    FUZZ_REQUIRE(list.ListImageSize() == 3u * (list.EnemyCount + 1u));
}

void CheckReadAt(const vorn::RomFile& file, const fuzz::Image& image, std::int64_t offset,
                 std::size_t count) {
    if (offset < std::numeric_limits<Offset>::min() ||
        offset > std::numeric_limits<Offset>::max()) {
        return;
    }
    const vorn::Bytes bytes = file.ReadAt(static_cast<Offset>(offset), count);
    FUZZ_REQUIRE(bytes.size() == count);
    // The pointer form must overwrite every byte, zeros included.
    std::vector<std::uint8_t> filled(count, 0xA5);
    file.ReadAt(static_cast<Offset>(offset), filled.data(), count);
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t expected = image.At(offset + static_cast<std::int64_t>(i));
        FUZZ_REQUIRE(bytes[i] == expected);
        FUZZ_REQUIRE(filled[i] == expected);
    }
}

void CheckImage(const fuzz::Image& image, const std::uint8_t* data, std::size_t size) {
    const std::string path = fuzz::ScratchFile("image.gba");
    image.Write(path);

    bool title = image.size >= vorn::kGameTitleOffset + 12;
    for (std::size_t i = 0; i < vorn::kGameTitleLength; ++i) {
        const std::int64_t at = vorn::kGameTitleOffset + static_cast<std::int64_t>(i);
        title = title && image.At(at) == static_cast<std::uint8_t>(vorn::kGameTitle[i]);
    }
    FUZZ_REQUIRE(vorn::CheckGameTitle(path) == title);

    vorn::RomFile file = vorn::RomFile::Open(path, vorn::RomFile::IfMissing::Fail);
    FUZZ_REQUIRE(file.IsOpen() && file.IsWritable());
    FUZZ_REQUIRE(file.Size() == image.size);
    FUZZ_REQUIRE(vorn::HoldsGameTitle(file) == title);

    CheckRooms(file, image);

    // Enemy lists: at the start, at offsets the input picks, across the end of the file, and
    // where the input lies in it.
    const std::uint32_t word = fuzz::InputWord(data, size, 0);
    std::vector<std::int64_t> lists = {
        0, word & 0x01FFFFFF, word % (image.size + 1), image.size - 1, image.size, image.size + 5};
    for (const fuzz::Piece& piece : image.pieces) {
        const auto count = static_cast<std::int64_t>(piece.count);
        lists.insert(lists.end(),
                     {piece.at - 3, piece.at, piece.at + count - 1, piece.at + word % (count + 1)});
    }
    for (const std::int64_t offset : lists) {
        CheckEnemyList(file, image, offset);
    }

    // Raw reads: before the start (all zeros, or running into the file), around the input,
    // across the end, and at the extremes of an offset.
    const std::uint32_t negative = fuzz::InputWord(data, size, 4, 2) % 1024;
    const std::size_t count = fuzz::InputWord(data, size, 6, 2) % 2048;
    CheckReadAt(file, image, -1 - static_cast<std::int64_t>(negative), count);
    CheckReadAt(file, image, -static_cast<std::int64_t>(count), count);
    CheckReadAt(file, image, -1, 1);
    CheckReadAt(file, image, std::numeric_limits<Offset>::min(), 64);
    CheckReadAt(file, image, std::numeric_limits<Offset>::max() - 7, 32);
    CheckReadAt(file, image, image.size - 8, 16);
    CheckReadAt(file, image, 0, 0);
    for (const fuzz::Piece& piece : image.pieces) {
        CheckReadAt(file, image, piece.at - 5, piece.count + 10);
    }

    file.Close();
    FUZZ_REQUIRE(!file.IsOpen());
    file.Close();
}

// No file at the path: the game check creates an empty one, which does not hold the title;
// an open that must not create one fails and leaves no file behind. The same for every input,
// so it runs once.
void CheckMissingFile() {
    const std::string path = fuzz::ScratchFile("missing.gba");
    bool refused = false;
    try {
        vorn::RomFile::Open(path, vorn::RomFile::IfMissing::Fail);
    } catch (const vorn::RomError& error) {
        refused = error.Path() == path;
    }
    FUZZ_REQUIRE(refused);
    struct stat info {};
    FUZZ_REQUIRE(::stat(path.c_str(), &info) != 0 && errno == ENOENT);

    FUZZ_REQUIRE(!vorn::CheckGameTitle(path));
    FUZZ_REQUIRE(::stat(path.c_str(), &info) == 0 && info.st_size == 0);
    ::unlink(path.c_str());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool kMissingChecked = (CheckMissingFile(), true);
    (void)kMissingChecked;

    // The input is the whole file.
    fuzz::Image whole;
    whole.size = static_cast<std::int64_t>(size);
    whole.pieces.push_back({0, data, size});
    CheckImage(whole, data, size);

    // The input inside a large sparse file. The third byte says whether the file ends right
    // after the input (cutting the table short) and whether it carries the game title.
    const std::uint32_t where = fuzz::InputWord(data, size, 0, 2);
    const std::uint32_t flags = fuzz::InputWord(data, size, 2, 1);
    fuzz::Image placed;
    const std::int64_t at = kPlacementLow + where % kPlacementSpan;
    const std::int64_t end = at + static_cast<std::int64_t>(size);
    placed.size = (flags & 1) != 0 ? end : std::max(end, kLargeImageSize);
    if ((flags & 2) != 0) {
        placed.pieces.push_back({vorn::kGameTitleOffset,
                                 reinterpret_cast<const std::uint8_t*>(vorn::kGameTitle),
                                 vorn::kGameTitleLength});
    }
    placed.pieces.push_back({at, data, size});
    CheckImage(placed, data, size);
    return 0;
}
