// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cstdint>

#include "rom/rom_file.h"

namespace vorn {

// One room's 60-byte header, kept as the bytes read from the ROM so that every byte the
// window does not show (0x18-0x1B, 0x1E-0x1F, 0x26-0x27, 0x30-0x34, 0x37-0x38) is carried
// through a save unchanged. Multi-byte fields are little-endian.
class RoomHeader {
  public:
    static constexpr std::size_t Size = 60;
    std::array<std::uint8_t, Size> bytes{};

    std::uint8_t tileset() const { return U8(0x00); }
    std::uint8_t bg0Props() const { return U8(0x01); }
    std::uint8_t bg1Props() const { return U8(0x02); }
    std::uint8_t bg2Props() const { return U8(0x03); }
    // A whole 32-bit field, unlike the three layer bytes before it.
    std::uint32_t bg3Props() const { return U32(0x04); }
    std::uint32_t foregroundPtr() const { return U32(0x08); }
    std::uint32_t tileDataPtr() const { return U32(0x0C); }
    std::uint32_t backgroundPtr() const { return U32(0x10); }
    std::uint32_t clipdataPtr() const { return U32(0x14); }
    std::uint8_t tide() const { return U8(0x1C); }
    std::uint8_t switchId() const { return U8(0x1D); }
    std::uint32_t enemyTable1Ptr() const { return U32(0x20); }
    std::uint8_t enemySheet1() const { return U8(0x24); }
    std::uint8_t enemySheet2() const { return U8(0x25); }
    std::uint32_t enemyTable2Ptr() const { return U32(0x28); }
    std::uint32_t enemyTable3Ptr() const { return U32(0x2C); }
    std::uint8_t mapX() const { return U8(0x35); }
    std::uint8_t mapY() const { return U8(0x36); }
    std::uint8_t behavior() const { return U8(0x39); }
    // 16 bits wide although its list has 256 entries; 0xFFFF means no music entry.
    std::uint16_t music() const { return U16(0x3A); }

    void setTileset(std::uint8_t v) { SetU8(0x00, v); }
    void setBg0Props(std::uint8_t v) { SetU8(0x01, v); }
    void setBg1Props(std::uint8_t v) { SetU8(0x02, v); }
    void setBg2Props(std::uint8_t v) { SetU8(0x03, v); }
    void setBg3Props(std::uint32_t v) { SetU32(0x04, v); }
    void setForegroundPtr(std::uint32_t v) { SetU32(0x08, v); }
    void setTileDataPtr(std::uint32_t v) { SetU32(0x0C, v); }
    void setBackgroundPtr(std::uint32_t v) { SetU32(0x10, v); }
    void setClipdataPtr(std::uint32_t v) { SetU32(0x14, v); }
    void setTide(std::uint8_t v) { SetU8(0x1C, v); }
    void setSwitchId(std::uint8_t v) { SetU8(0x1D, v); }
    void setEnemyTable1Ptr(std::uint32_t v) { SetU32(0x20, v); }
    void setEnemySheet1(std::uint8_t v) { SetU8(0x24, v); }
    void setEnemySheet2(std::uint8_t v) { SetU8(0x25, v); }
    void setEnemyTable2Ptr(std::uint32_t v) { SetU32(0x28, v); }
    void setEnemyTable3Ptr(std::uint32_t v) { SetU32(0x2C, v); }
    void setMapX(std::uint8_t v) { SetU8(0x35, v); }
    void setMapY(std::uint8_t v) { SetU8(0x36, v); }
    void setBehavior(std::uint8_t v) { SetU8(0x39, v); }
    void setMusic(std::uint16_t v) { SetU16(0x3A, v); }

    friend bool operator==(const RoomHeader& a, const RoomHeader& b) { return a.bytes == b.bytes; }
    friend bool operator!=(const RoomHeader& a, const RoomHeader& b) { return !(a == b); }

  private:
    std::uint8_t U8(std::size_t at) const { return bytes[at]; }
    std::uint16_t U16(std::size_t at) const;
    std::uint32_t U32(std::size_t at) const;
    void SetU8(std::size_t at, std::uint8_t v) { bytes[at] = v; }
    void SetU16(std::size_t at, std::uint16_t v);
    void SetU32(std::size_t at, std::uint32_t v);
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
RoomHeader ReadRoomHeader(const RomFile& file, int room);
void WriteRoomHeader(RomFile& file, int room, const RoomHeader& header);

// Data pointers (graphics, clipdata): the file offset is the value minus 0x08000000, as a
// 32-bit signed number; no value is rejected (0 reads as F8000000).
std::int32_t DecodeDataPtr(std::uint32_t value);

// Enemy-table pointers: only a value whose top byte is 0x08 points into the ROM; its low
// 24 bits are the offset. Any other value gives -1.
std::int32_t DecodeEnemyPtr(std::uint32_t value);

// Every pointer is written back as its offset plus 0x08000000, modulo 2^32.
std::uint32_t EncodePtr(std::int32_t offset);

}  // namespace vorn
