// SPDX-License-Identifier: MIT
#include "rom/room_header.h"

#include <stdexcept>
#include <string>

namespace vorn {

std::uint32_t RoomHeader::Get(RecordField field) const {
    std::uint32_t value = 0;
    for (std::size_t i = field.width; i-- > 0;) {
        value = value << 8 | bytes.at(field.at + i);
    }
    return value;
}

void RoomHeader::Set(RecordField field, std::uint32_t value) {
    for (std::size_t i = 0; i < field.width; ++i) {
        bytes.at(field.at + i) = static_cast<std::uint8_t>(value >> (8 * i));
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

void WriteRoomHeader(RomFile& file, int room, const RoomHeader& header,
                     const RoomHeader* lastSeen) {
    RequireRoom(room);
    file.WriteAt(RoomTable::RecordOffset(room), header.bytes.data(), header.bytes.size(),
                 lastSeen != nullptr ? lastSeen->bytes.data() : nullptr);
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
