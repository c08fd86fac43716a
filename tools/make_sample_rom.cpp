// SPDX-License-Identifier: MIT
// Writes a synthetic image that the editor accepts, for trying it without the game: the
// title bytes, a room table with plausible values and a few enemy lists. Every byte is made
// up here; nothing comes from any real game.
//
//   make-sample-rom <path>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <vector>

#include "rom/enemy_list.h"
#include "rom/game_title.h"
#include "rom/room_header.h"
#include "tools/sample_image.h"

namespace {

constexpr std::size_t kImageSize = 4 * 1024 * 1024;
using vorn::sample::kEnemyArea;
using vorn::sample::kEnemyListStride;
using vorn::sample::kGraphicsArea;

void Put(std::vector<std::uint8_t>& image, vorn::Offset at, const std::uint8_t* bytes,
         std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        image[static_cast<std::size_t>(at) + i] = bytes[i];
    }
}

vorn::RoomHeader SampleRoom(int room) {
    const auto byte = [](int value) { return static_cast<std::uint8_t>(value & 0xFF); };
    const auto graphics = [room](int slot) {
        return vorn::EncodePtr(kGraphicsArea + (room * 4 + slot) * 0x100);
    };
    vorn::RoomHeader header;
    header.SetTileset(byte(room % 0x4F));
    header.SetBg0Props(byte(room % 3 == 0 ? 0 : 0x10));
    header.SetBg1Props(0x02);
    header.SetBg2Props(byte(room % 5 == 0 ? 0 : 0x12));
    header.SetBg3Props(room % 7 == 0 ? 0 : 0x00000001);
    header.SetForegroundPtr(graphics(0));
    header.SetTileDataPtr(graphics(1));
    header.SetBackgroundPtr(graphics(2));
    header.SetClipdataPtr(graphics(3));
    header.SetTide(byte(room % 4 == 0 ? 0x30 : 0));
    header.SetSwitchId(byte(room % 9));
    const std::uint32_t enemies = vorn::EncodePtr(kEnemyArea + room * kEnemyListStride);
    header.SetEnemyTable1Ptr(enemies);
    header.SetEnemySheet1(byte(room % 0x20));
    header.SetEnemySheet2(byte((room + 7) % 0x20));
    header.SetEnemyTable2Ptr(enemies);
    header.SetEnemyTable3Ptr(0);  // shows as FFFFFFFF: not a pointer into the ROM
    header.SetMapX(byte(2 + room % 24));
    header.SetMapY(byte(1 + room / 24));
    header.SetBehavior(byte(room % 6));
    header.SetMusic(static_cast<std::uint16_t>(room % 0x30));
    return header;
}

// Room r's list holds r % 6 enemies; room 0's list is empty (only its end).
std::vector<std::uint8_t> SampleEnemyList(int room) {
    std::vector<std::uint8_t> bytes;
    for (int i = 0; i < room % 6; ++i) {
        bytes.push_back(static_cast<std::uint8_t>(0x10 + 0x18 * i));
        bytes.push_back(static_cast<std::uint8_t>(0x20 + 0x08 * (room % 4)));
        bytes.push_back(static_cast<std::uint8_t>(1 + (room + i) % 0x12));
    }
    bytes.insert(bytes.end(), {0xFF, 0xFF, 0xFF});
    return bytes;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make-sample-rom <path>\n");
        return 2;
    }
    std::vector<std::uint8_t> image(kImageSize, 0);
    Put(image, vorn::kGameTitleOffset, reinterpret_cast<const std::uint8_t*>(vorn::kGameTitle),
        vorn::kGameTitleLength);
    for (int room = 0; room < vorn::RoomTable::kRoomCount; ++room) {
        const vorn::RoomHeader header = SampleRoom(room);
        Put(image, vorn::RoomTable::RecordOffset(room), header.bytes.data(), header.bytes.size());
    }
    for (int room = 0; room < vorn::RoomTable::kRoomCount; ++room) {
        const std::vector<std::uint8_t> list = SampleEnemyList(room);
        Put(image, kEnemyArea + room * kEnemyListStride, list.data(), list.size());
    }
    std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(image.data()),
              static_cast<std::streamsize>(image.size()));
    out.close();
    if (!out) {
        std::fprintf(stderr, "make-sample-rom: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
