// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cstdint>

#include "rom/rom_file.h"

namespace vorn {

// Where a field lies in the 60-byte room header: its offset and its width in bytes.
struct RecordField {
    std::size_t at;
    std::size_t width;  // 1, 2 or 4; multi-byte fields are little-endian
};

// One room's 60-byte header, kept as the bytes read from the ROM so that every byte the
// window does not show (0x18-0x1B, 0x1E-0x1F, 0x26-0x27, 0x30-0x34, 0x37-0x38) is carried
// through a save unchanged.
class RoomHeader {
  public:
    static constexpr std::size_t Size = 60;

    // The record's fields. The layer fields pair with the data pointers in this order.
    static constexpr RecordField Tileset{0x00, 1};
    static constexpr RecordField Bg0Props{0x01, 1};
    static constexpr RecordField Bg1Props{0x02, 1};
    static constexpr RecordField Bg2Props{0x03, 1};
    static constexpr RecordField Bg3Props{0x04, 4};  // one 32-bit field, unlike the three before
    static constexpr RecordField ForegroundPtr{0x08, 4};
    static constexpr RecordField TileDataPtr{0x0C, 4};
    static constexpr RecordField BackgroundPtr{0x10, 4};
    static constexpr RecordField ClipdataPtr{0x14, 4};
    static constexpr RecordField Tide{0x1C, 1};
    static constexpr RecordField SwitchId{0x1D, 1};
    static constexpr RecordField EnemyTable1Ptr{0x20, 4};
    static constexpr RecordField EnemySheet1{0x24, 1};
    static constexpr RecordField EnemySheet2{0x25, 1};
    static constexpr RecordField EnemyTable2Ptr{0x28, 4};
    static constexpr RecordField EnemyTable3Ptr{0x2C, 4};
    static constexpr RecordField MapX{0x35, 1};
    static constexpr RecordField MapY{0x36, 1};
    static constexpr RecordField Behavior{0x39, 1};
    // 16 bits wide although its list has 256 entries; 0xFFFF means no music entry.
    static constexpr RecordField Music{0x3A, 2};

    std::array<std::uint8_t, Size> bytes{};

    std::uint32_t Get(RecordField field) const;
    // Stores the low `field.width` bytes of the value.
    void Set(RecordField field, std::uint32_t value);

    std::uint8_t tileset() const { return static_cast<std::uint8_t>(Get(Tileset)); }
    std::uint8_t bg0Props() const { return static_cast<std::uint8_t>(Get(Bg0Props)); }
    std::uint8_t bg1Props() const { return static_cast<std::uint8_t>(Get(Bg1Props)); }
    std::uint8_t bg2Props() const { return static_cast<std::uint8_t>(Get(Bg2Props)); }
    std::uint32_t bg3Props() const { return Get(Bg3Props); }
    std::uint32_t foregroundPtr() const { return Get(ForegroundPtr); }
    std::uint32_t tileDataPtr() const { return Get(TileDataPtr); }
    std::uint32_t backgroundPtr() const { return Get(BackgroundPtr); }
    std::uint32_t clipdataPtr() const { return Get(ClipdataPtr); }
    std::uint8_t tide() const { return static_cast<std::uint8_t>(Get(Tide)); }
    std::uint8_t switchId() const { return static_cast<std::uint8_t>(Get(SwitchId)); }
    std::uint32_t enemyTable1Ptr() const { return Get(EnemyTable1Ptr); }
    std::uint8_t enemySheet1() const { return static_cast<std::uint8_t>(Get(EnemySheet1)); }
    std::uint8_t enemySheet2() const { return static_cast<std::uint8_t>(Get(EnemySheet2)); }
    std::uint32_t enemyTable2Ptr() const { return Get(EnemyTable2Ptr); }
    std::uint32_t enemyTable3Ptr() const { return Get(EnemyTable3Ptr); }
    std::uint8_t mapX() const { return static_cast<std::uint8_t>(Get(MapX)); }
    std::uint8_t mapY() const { return static_cast<std::uint8_t>(Get(MapY)); }
    std::uint8_t behavior() const { return static_cast<std::uint8_t>(Get(Behavior)); }
    std::uint16_t music() const { return static_cast<std::uint16_t>(Get(Music)); }

    void setTileset(std::uint8_t v) { Set(Tileset, v); }
    void setBg0Props(std::uint8_t v) { Set(Bg0Props, v); }
    void setBg1Props(std::uint8_t v) { Set(Bg1Props, v); }
    void setBg2Props(std::uint8_t v) { Set(Bg2Props, v); }
    void setBg3Props(std::uint32_t v) { Set(Bg3Props, v); }
    void setForegroundPtr(std::uint32_t v) { Set(ForegroundPtr, v); }
    void setTileDataPtr(std::uint32_t v) { Set(TileDataPtr, v); }
    void setBackgroundPtr(std::uint32_t v) { Set(BackgroundPtr, v); }
    void setClipdataPtr(std::uint32_t v) { Set(ClipdataPtr, v); }
    void setTide(std::uint8_t v) { Set(Tide, v); }
    void setSwitchId(std::uint8_t v) { Set(SwitchId, v); }
    void setEnemyTable1Ptr(std::uint32_t v) { Set(EnemyTable1Ptr, v); }
    void setEnemySheet1(std::uint8_t v) { Set(EnemySheet1, v); }
    void setEnemySheet2(std::uint8_t v) { Set(EnemySheet2, v); }
    void setEnemyTable2Ptr(std::uint32_t v) { Set(EnemyTable2Ptr, v); }
    void setEnemyTable3Ptr(std::uint32_t v) { Set(EnemyTable3Ptr, v); }
    void setMapX(std::uint8_t v) { Set(MapX, v); }
    void setMapY(std::uint8_t v) { Set(MapY, v); }
    void setBehavior(std::uint8_t v) { Set(Behavior, v); }
    void setMusic(std::uint16_t v) { Set(Music, v); }

    friend bool operator==(const RoomHeader& a, const RoomHeader& b) { return a.bytes == b.bytes; }
    friend bool operator!=(const RoomHeader& a, const RoomHeader& b) { return !(a == b); }
};

// The table of room headers: 330 records of 60 bytes from 0x340AD4, no count, no gap.
struct RoomTable {
    static constexpr Offset Start = 0x340AD4;
    static constexpr int RoomCount = 330;
    static constexpr Offset End = Start + RoomCount * static_cast<Offset>(RoomHeader::Size);

    static constexpr bool IsRoom(int room) { return room >= 0 && room < RoomCount; }
    // File offset of a room's record; room must be 0 to 329.
    static constexpr Offset RecordOffset(int room) {
        return Start + room * static_cast<Offset>(RoomHeader::Size);
    }
};

// Reads and writes one room's record; room must be 0 to 329 (std::out_of_range otherwise).
// `lastSeen`, when given, is the record as the caller last read or wrote it in that room: the
// write is refused (RomChanged) if the file holds other bytes there now.
RoomHeader ReadRoomHeader(const RomFile& file, int room);
void WriteRoomHeader(RomFile& file, int room, const RoomHeader& header,
                     const RoomHeader* lastSeen = nullptr);

// Data pointers (graphics, clipdata): the file offset is the value minus 0x08000000, as a
// 32-bit signed number; no value is rejected (0 reads as F8000000).
std::int32_t DecodeDataPtr(std::uint32_t value);

// Enemy-table pointers: only a value whose top byte is 0x08 points into the ROM; its low
// 24 bits are the offset. Any other value gives -1.
std::int32_t DecodeEnemyPtr(std::uint32_t value);

// Every pointer is written back as its offset plus 0x08000000, modulo 2^32.
std::uint32_t EncodePtr(std::int32_t offset);

}  // namespace vorn
