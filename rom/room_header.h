// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cstdint>

#include "rom/rom_file.h"

namespace vorn {

// Where a field lies in the 60-byte room header: its offset and its width in bytes.
struct RecordField {
    std::size_t at;
    // 1, 2 or 4 for a number (multi-byte numbers are little-endian); a run of carried bytes
    // may be wider (extra30 is 5) and is never read as a number.
    std::size_t width;
};

// One room's 60-byte header, kept as the bytes read from the ROM so that every byte the
// window does not show (0x18-0x1B, 0x1E-0x1F, 0x26-0x27, 0x30-0x34, 0x37-0x38) is carried
// through a save unchanged.
class RoomHeader {
  public:
    static constexpr std::size_t kSize = 60;

    // The record's fields. The layer fields pair with the data pointers in this order.
    static constexpr RecordField kTileset{0x00, 1};
    static constexpr RecordField kBg0Props{0x01, 1};
    static constexpr RecordField kBg1Props{0x02, 1};
    static constexpr RecordField kBg2Props{0x03, 1};
    static constexpr RecordField kBg3Props{0x04, 4};  // one 32-bit field, unlike the three before
    static constexpr RecordField kForegroundPtr{0x08, 4};
    static constexpr RecordField kTileDataPtr{0x0C, 4};
    static constexpr RecordField kBackgroundPtr{0x10, 4};
    static constexpr RecordField kClipdataPtr{0x14, 4};
    static constexpr RecordField kTide{0x1C, 1};
    static constexpr RecordField kSwitchId{0x1D, 1};
    static constexpr RecordField kEnemyTable1Ptr{0x20, 4};
    static constexpr RecordField kEnemySheet1{0x24, 1};
    static constexpr RecordField kEnemySheet2{0x25, 1};
    static constexpr RecordField kEnemyTable2Ptr{0x28, 4};
    static constexpr RecordField kEnemyTable3Ptr{0x2C, 4};
    static constexpr RecordField kMapX{0x35, 1};
    static constexpr RecordField kMapY{0x36, 1};
    static constexpr RecordField kBehavior{0x39, 1};
    // 16 bits wide although its list has 256 entries; 0xFFFF means no music entry.
    static constexpr RecordField kMusic{0x3A, 2};
    // The bytes the window never shows, carried through every save unchanged.
    static constexpr RecordField kExtra18{0x18, 4};
    static constexpr RecordField kExtra1E{0x1E, 2};
    static constexpr RecordField kExtra26{0x26, 2};
    static constexpr RecordField kExtra30{0x30, 5};
    static constexpr RecordField kExtra37{0x37, 2};

    std::array<std::uint8_t, kSize> bytes{};

    std::uint32_t Get(RecordField field) const;
    // Stores the low `field.width` bytes of the value.
    void Set(RecordField field, std::uint32_t value);

    std::uint8_t tileset() const { return static_cast<std::uint8_t>(Get(kTileset)); }
    std::uint8_t bg0Props() const { return static_cast<std::uint8_t>(Get(kBg0Props)); }
    std::uint8_t bg1Props() const { return static_cast<std::uint8_t>(Get(kBg1Props)); }
    std::uint8_t bg2Props() const { return static_cast<std::uint8_t>(Get(kBg2Props)); }
    std::uint32_t bg3Props() const { return Get(kBg3Props); }
    std::uint32_t foregroundPtr() const { return Get(kForegroundPtr); }
    std::uint32_t tileDataPtr() const { return Get(kTileDataPtr); }
    std::uint32_t backgroundPtr() const { return Get(kBackgroundPtr); }
    std::uint32_t clipdataPtr() const { return Get(kClipdataPtr); }
    std::uint8_t tide() const { return static_cast<std::uint8_t>(Get(kTide)); }
    std::uint8_t switchId() const { return static_cast<std::uint8_t>(Get(kSwitchId)); }
    std::uint32_t enemyTable1Ptr() const { return Get(kEnemyTable1Ptr); }
    std::uint8_t enemySheet1() const { return static_cast<std::uint8_t>(Get(kEnemySheet1)); }
    std::uint8_t enemySheet2() const { return static_cast<std::uint8_t>(Get(kEnemySheet2)); }
    std::uint32_t enemyTable2Ptr() const { return Get(kEnemyTable2Ptr); }
    std::uint32_t enemyTable3Ptr() const { return Get(kEnemyTable3Ptr); }
    std::uint8_t mapX() const { return static_cast<std::uint8_t>(Get(kMapX)); }
    std::uint8_t mapY() const { return static_cast<std::uint8_t>(Get(kMapY)); }
    std::uint8_t behavior() const { return static_cast<std::uint8_t>(Get(kBehavior)); }
    std::uint16_t music() const { return static_cast<std::uint16_t>(Get(kMusic)); }

    void SetTileset(std::uint8_t v) { Set(kTileset, v); }
    void SetBg0Props(std::uint8_t v) { Set(kBg0Props, v); }
    void SetBg1Props(std::uint8_t v) { Set(kBg1Props, v); }
    void SetBg2Props(std::uint8_t v) { Set(kBg2Props, v); }
    void SetBg3Props(std::uint32_t v) { Set(kBg3Props, v); }
    void SetForegroundPtr(std::uint32_t v) { Set(kForegroundPtr, v); }
    void SetTileDataPtr(std::uint32_t v) { Set(kTileDataPtr, v); }
    void SetBackgroundPtr(std::uint32_t v) { Set(kBackgroundPtr, v); }
    void SetClipdataPtr(std::uint32_t v) { Set(kClipdataPtr, v); }
    void SetTide(std::uint8_t v) { Set(kTide, v); }
    void SetSwitchId(std::uint8_t v) { Set(kSwitchId, v); }
    void SetEnemyTable1Ptr(std::uint32_t v) { Set(kEnemyTable1Ptr, v); }
    void SetEnemySheet1(std::uint8_t v) { Set(kEnemySheet1, v); }
    void SetEnemySheet2(std::uint8_t v) { Set(kEnemySheet2, v); }
    void SetEnemyTable2Ptr(std::uint32_t v) { Set(kEnemyTable2Ptr, v); }
    void SetEnemyTable3Ptr(std::uint32_t v) { Set(kEnemyTable3Ptr, v); }
    void SetMapX(std::uint8_t v) { Set(kMapX, v); }
    void SetMapY(std::uint8_t v) { Set(kMapY, v); }
    void SetBehavior(std::uint8_t v) { Set(kBehavior, v); }
    void SetMusic(std::uint16_t v) { Set(kMusic, v); }

    friend bool operator==(const RoomHeader& a, const RoomHeader& b) { return a.bytes == b.bytes; }
    friend bool operator!=(const RoomHeader& a, const RoomHeader& b) { return !(a == b); }
};

// A field of the record under the name the record's layout gives it.
struct NamedField {
    const char* name;
    RecordField field;
    // A run of carried bytes (extra18 ...), which nothing interprets, rather than a number.
    bool carried;
};

// Every field of the record in record order; together they cover each of the 60 bytes once.
inline constexpr std::array<NamedField, 25> kRoomHeaderFields{{
    {"tileset", RoomHeader::kTileset, false},
    {"bg0Props", RoomHeader::kBg0Props, false},
    {"bg1Props", RoomHeader::kBg1Props, false},
    {"bg2Props", RoomHeader::kBg2Props, false},
    {"bg3Props", RoomHeader::kBg3Props, false},
    {"foregroundPtr", RoomHeader::kForegroundPtr, false},
    {"tileDataPtr", RoomHeader::kTileDataPtr, false},
    {"backgroundPtr", RoomHeader::kBackgroundPtr, false},
    {"clipdataPtr", RoomHeader::kClipdataPtr, false},
    {"extra18", RoomHeader::kExtra18, true},
    {"tide", RoomHeader::kTide, false},
    {"switchId", RoomHeader::kSwitchId, false},
    {"extra1E", RoomHeader::kExtra1E, true},
    {"enemyTable1Ptr", RoomHeader::kEnemyTable1Ptr, false},
    {"enemySheet1", RoomHeader::kEnemySheet1, false},
    {"enemySheet2", RoomHeader::kEnemySheet2, false},
    {"extra26", RoomHeader::kExtra26, true},
    {"enemyTable2Ptr", RoomHeader::kEnemyTable2Ptr, false},
    {"enemyTable3Ptr", RoomHeader::kEnemyTable3Ptr, false},
    {"extra30", RoomHeader::kExtra30, true},
    {"mapX", RoomHeader::kMapX, false},
    {"mapY", RoomHeader::kMapY, false},
    {"extra37", RoomHeader::kExtra37, true},
    {"behavior", RoomHeader::kBehavior, false},
    {"music", RoomHeader::kMusic, false},
}};

// The table of room headers: 330 records of 60 bytes from 0x340AD4, no count, no gap.
struct RoomTable {
    static constexpr Offset kStart = 0x340AD4;
    static constexpr int kRoomCount = 330;
    static constexpr Offset kEnd = kStart + kRoomCount * static_cast<Offset>(RoomHeader::kSize);

    static constexpr bool IsRoom(int room) { return room >= 0 && room < kRoomCount; }
    // File offset of a room's record; room must be 0 to 329.
    static constexpr Offset RecordOffset(int room) {
        return kStart + room * static_cast<Offset>(RoomHeader::kSize);
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
