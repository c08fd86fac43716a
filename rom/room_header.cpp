// SPDX-License-Identifier: MIT
#include "rom/room_header.h"

#include <stdexcept>
#include <string>

namespace vorn {

std::uint16_t RoomHeader::U16(std::size_t at) const {
    return static_cast<std::uint16_t>(bytes[at] | bytes[at + 1] << 8);
}

std::uint32_t RoomHeader::U32(std::size_t at) const {
    return static_cast<std::uint32_t>(bytes[at]) | static_cast<std::uint32_t>(bytes[at + 1]) << 8 |
           static_cast<std::uint32_t>(bytes[at + 2]) << 16 |
           static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

void RoomHeader::SetU16(std::size_t at, std::uint16_t v) {
    bytes[at] = static_cast<std::uint8_t>(v);
    bytes[at + 1] = static_cast<std::uint8_t>(v >> 8);
}

void RoomHeader::SetU32(std::size_t at, std::uint32_t v) {
    for (std::size_t i = 0; i < 4; ++i) {
        bytes[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
    }
}

namespace {

void RequireRoom(int room) {
    if (!RoomTable::IsRoom(room)) {
        throw std::out_of_range("room " + std::to_string(room) + " is not 0 to 329");
    }
}

}  // namespace

RoomHeader ReadRoomHeader(const RomFile& file, int room) {
    RequireRoom(room);
    RoomHeader header;
    file.ReadAt(RoomTable::RecordOffset(room), header.bytes.data(), header.bytes.size());
    return header;
}

void WriteRoomHeader(RomFile& file, int room, const RoomHeader& header) {
    RequireRoom(room);
    file.WriteAt(RoomTable::RecordOffset(room), header.bytes.data(), header.bytes.size());
}

std::int32_t DecodeDataPtr(std::uint32_t value) {
    return static_cast<std::int32_t>(value - RomBase);
}

std::int32_t DecodeEnemyPtr(std::uint32_t value) {
    if ((value >> 24) != 0x08) {
        return -1;
    }
    return static_cast<std::int32_t>(value & 0x00FFFFFF);
}

std::uint32_t EncodePtr(std::int32_t offset) {
    return static_cast<std::uint32_t>(offset) + RomBase;
}

}  // namespace vorn
