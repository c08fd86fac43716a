// SPDX-License-Identifier: MIT
// Room headers: 330 records of 60 bytes from 0x340AD4, fields little-endian. A save must
// change the bytes of the fields that changed and nothing else, whatever the record holds
// in the bytes the window does not show.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <limits>
#include <stdexcept>
#include <string>
#include <vector>

#include "rom/rom_error.h"
#include "rom/rom_file.h"
#include "rom/room_header.h"
#include "tests/rom/rom_image_test.h"

using vorn::ReadRoomHeader;
using vorn::RomFile;
using vorn::RoomHeader;
using vorn::WriteRoomHeader;
using namespace vorn::test;

namespace {

// One field of the record as the window sees it: where it lies, how wide it is, and the
// header's accessors for it.
struct Field {
    const char* name;
    std::size_t at;
    std::size_t width;
    std::uint32_t (*get)(const RoomHeader&);
    void (*set)(RoomHeader&, std::uint32_t);
};

#define VORN_FIELD(name, at, width, type, getter, setter)                                 \
    Field {                                                                               \
        name, at, width, [](const RoomHeader& h) -> std::uint32_t { return h.getter(); }, \
            [](RoomHeader& h, std::uint32_t v) { h.setter(static_cast<type>(v)); }        \
    }

const std::vector<Field>& Fields() {
    static const std::vector<Field> kFields = {
        VORN_FIELD("tileset", 0x00, 1, std::uint8_t, tileset, SetTileset),
        VORN_FIELD("bg0Props", 0x01, 1, std::uint8_t, bg0Props, SetBg0Props),
        VORN_FIELD("bg1Props", 0x02, 1, std::uint8_t, bg1Props, SetBg1Props),
        VORN_FIELD("bg2Props", 0x03, 1, std::uint8_t, bg2Props, SetBg2Props),
        VORN_FIELD("bg3Props", 0x04, 4, std::uint32_t, bg3Props, SetBg3Props),
        VORN_FIELD("foregroundPtr", 0x08, 4, std::uint32_t, foregroundPtr, SetForegroundPtr),
        VORN_FIELD("tileDataPtr", 0x0C, 4, std::uint32_t, tileDataPtr, SetTileDataPtr),
        VORN_FIELD("backgroundPtr", 0x10, 4, std::uint32_t, backgroundPtr, SetBackgroundPtr),
        VORN_FIELD("clipdataPtr", 0x14, 4, std::uint32_t, clipdataPtr, SetClipdataPtr),
        VORN_FIELD("tide", 0x1C, 1, std::uint8_t, tide, SetTide),
        VORN_FIELD("switchId", 0x1D, 1, std::uint8_t, switchId, SetSwitchId),
        VORN_FIELD("enemyTable1Ptr", 0x20, 4, std::uint32_t, enemyTable1Ptr, SetEnemyTable1Ptr),
        VORN_FIELD("enemySheet1", 0x24, 1, std::uint8_t, enemySheet1, SetEnemySheet1),
        VORN_FIELD("enemySheet2", 0x25, 1, std::uint8_t, enemySheet2, SetEnemySheet2),
        VORN_FIELD("enemyTable2Ptr", 0x28, 4, std::uint32_t, enemyTable2Ptr, SetEnemyTable2Ptr),
        VORN_FIELD("enemyTable3Ptr", 0x2C, 4, std::uint32_t, enemyTable3Ptr, SetEnemyTable3Ptr),
        VORN_FIELD("mapX", 0x35, 1, std::uint8_t, mapX, SetMapX),
        VORN_FIELD("mapY", 0x36, 1, std::uint8_t, mapY, SetMapY),
        VORN_FIELD("behavior", 0x39, 1, std::uint8_t, behavior, SetBehavior),
        VORN_FIELD("music", 0x3A, 2, std::uint16_t, music, SetMusic),
    };
    return kFields;
}

#undef VORN_FIELD

const Field& FieldNamed(const std::string& name) {
    for (const Field& field : Fields()) {
        if (name == field.name) {
            return field;
        }
    }
    throw std::logic_error("no field " + name);
}

// Bytes of the record that no window shows; a save must carry them through.
const std::vector<std::size_t>& UnshownBytes() {
    static const std::vector<std::size_t> kBytes = {0x18, 0x19, 0x1A, 0x1B, 0x1E, 0x1F, 0x26, 0x27,
                                                    0x30, 0x31, 0x32, 0x33, 0x34, 0x37, 0x38};
    return kBytes;
}

std::uint32_t Mask(std::size_t width) {
    return width == 4 ? 0xFFFFFFFFu : (1u << (8 * width)) - 1u;
}

ImageBuilder& PutField(ImageBuilder& image, std::size_t at, std::size_t width,
                       std::uint32_t value) {
    switch (width) {
        case 1:
            return image.Put8(at, static_cast<std::uint8_t>(value));
        case 2:
            return image.Put16(at, static_cast<std::uint16_t>(value));
        default:
            return image.Put32(at, value);
    }
}

ByteVector HeaderBytes(const RoomHeader& header) {
    return ByteVector(header.bytes.begin(), header.bytes.end());
}

struct FieldRow : Row {
    std::string field;
    int room;
    std::uint32_t value;
};

std::vector<FieldRow> FieldRows() {
    std::vector<FieldRow> rows;
    int room = 0;
    for (const Field& field : Fields()) {
        // Values with a distinct byte in every position, so a byte-order or offset mistake
        // cannot go unseen.
        rows.push_back({field.name, field.name, room, 0x9A7C5E31u & Mask(field.width)});
        room = (room + 97) % kRooms;
    }
    rows.push_back({"music 0102 in the last room", "music", 329, 0x0102u});
    rows.push_back({"bg3Props in the first room", "bg3Props", 0, 0x01020304u});
    return rows;
}

using ReadsEveryFieldTest = RomImageTableTest<FieldRow>;

TEST_P(ReadsEveryFieldTest, Value) {
    const FieldRow& row = GetParam();
    const Field& f = FieldNamed(row.field);
    ImageBuilder image(4 * kMiB);
    image.Noise(static_cast<std::uint32_t>(row.room) + 1).Title();
    PutField(image, RoomAt(row.room) + f.at, f.width, row.value);
    const RomFile file = OpenImage(image);
    const RoomHeader header = ReadRoomHeader(file, row.room);
    EXPECT_EQ(f.get(header), row.value);
    EXPECT_EQ(HeaderBytes(header), BytesAt(image.Bytes(), RoomAt(row.room), kRoomSize));
}

VORN_TABLE(ReadsEveryFieldTest, FieldRows());

// Changing one field and saving changes that field's bytes, low byte first, and no other
// byte of the file.
using WriteChangesOnlyTheFieldTest = RomImageTableTest<FieldRow>;

TEST_P(WriteChangesOnlyTheFieldTest, Written) {
    const FieldRow& row = GetParam();
    const Field& f = FieldNamed(row.field);
    const std::size_t at = RoomAt(row.room) + f.at;
    ImageBuilder image(4 * kMiB);
    image.Noise(static_cast<std::uint32_t>(row.room) + 7).Title();
    // The old value differs from the new one in every byte.
    PutField(image, at, f.width, ~row.value & Mask(f.width));
    {
        RomFile file = OpenImage(image);
        RoomHeader header = ReadRoomHeader(file, row.room);
        f.set(header, row.value);
        WriteRoomHeader(file, row.room, header);
    }
    const ByteVector after = FileBytes();
    EXPECT_EQ(ChangedOffsets(image.Bytes(), after), OffsetRange(at, f.width));
    for (std::size_t i = 0; i < f.width; ++i) {
        EXPECT_EQ(after[at + i], static_cast<std::uint8_t>(row.value >> (8 * i)));
    }
}

VORN_TABLE(WriteChangesOnlyTheFieldTest, FieldRows());

struct SeededRoom : Row {
    int room;
    std::uint32_t seed;
};

const SeededRoom kSeededRooms[] = {
    {"first room", 0, 11u},
    {"middle room", 165, 12u},
    {"last room", 329, 13u},
};

// A save of every field at once leaves the unshown bytes as they were.
using WriteCarriesTheUnshownBytesTest = RomImageTableTest<SeededRoom>;

TEST_P(WriteCarriesTheUnshownBytesTest, Kept) {
    const int room = GetParam().room;
    ImageBuilder image(4 * kMiB);
    image.Noise(GetParam().seed).Title();
    ImageBuilder expected = image;
    {
        RomFile file = OpenImage(image);
        RoomHeader header = ReadRoomHeader(file, room);
        for (const Field& f : Fields()) {
            const std::uint32_t changed = ~f.get(header) & Mask(f.width);
            f.set(header, changed);
            PutField(expected, RoomAt(room) + f.at, f.width, changed);
        }
        WriteRoomHeader(file, room, header);
    }
    const ByteVector after = FileBytes();
    for (const std::size_t unshown : UnshownBytes()) {
        EXPECT_EQ(after[RoomAt(room) + unshown], image.Bytes()[RoomAt(room) + unshown]);
    }
    EXPECT_EQ(after.size(), image.Bytes().size());
    EXPECT_TRUE(after == expected.Bytes());
}

VORN_TABLE(WriteCarriesTheUnshownBytesTest, kSeededRooms);

struct Room : Row {
    int room;
};

const Room kRoomsOutside[] = {
    {"minus one", -1},
    {"one past the last room", 330},
    {"most negative", std::numeric_limits<int>::min()},
    {"largest int", std::numeric_limits<int>::max()},
};

using RoomOutsideTheTableTest = RomImageTableTest<Room>;

TEST_P(RoomOutsideTheTableTest, Refused) {
    const int room = GetParam().room;
    ImageBuilder image(4 * kMiB);
    image.Noise(5).Title();
    {
        RomFile file = OpenImage(image);
        EXPECT_THROW(ReadRoomHeader(file, room), std::out_of_range);
        EXPECT_THROW(WriteRoomHeader(file, room, RoomHeader{}), std::out_of_range);
    }
    EXPECT_TRUE(FileBytes() == image.Bytes());
}

VORN_TABLE(RoomOutsideTheTableTest, kRoomsOutside);

struct ShortFile : Row {
    int room;
    std::size_t size;
};

const ShortFile kShortFiles[] = {
    {"empty file", 0, 0},
    {"ends where the table starts", 0, 0x340AD4},
    {"ends inside the record", 5, RoomAt(5) + 0x21},
    {"ends one byte short of the last room", 329, 0x34582B},
    {"ends with the last room", 329, 0x34582C},
};

// A file that ends inside the table reads zeros for the bytes it lacks.
using ShortFileReadsZerosTest = RomImageTableTest<ShortFile>;

TEST_P(ShortFileReadsZerosTest, Read) {
    const int room = GetParam().room;
    ImageBuilder image(4 * kMiB);
    image.Noise(9).Title().Resize(GetParam().size);
    const RomFile file = OpenImage(image);
    EXPECT_EQ(HeaderBytes(ReadRoomHeader(file, room)),
              BytesAt(image.Bytes(), RoomAt(room), kRoomSize));
}

VORN_TABLE(ShortFileReadsZerosTest, kShortFiles);

struct ShortWrite : Row {
    int room;
    std::size_t size;
    bool written;
};

const ShortWrite kShortWrites[] = {
    {"ends where the record starts", 7, RoomAt(7), false},
    {"ends inside the record", 7, RoomAt(7) + 30, false},
    {"ends one byte short", 329, 0x34582B, false},
    {"ends with the last room", 329, 0x34582C, true},
};

// A record that does not fit in the file is not written at all: the editor never makes a ROM
// longer.
using WriteIntoShortFileTest = RomImageTableTest<ShortWrite>;

TEST_P(WriteIntoShortFileTest, WrittenWholeOrNotAtAll) {
    const ShortWrite& row = GetParam();
    ImageBuilder image(4 * kMiB);
    image.Noise(21).Title().Resize(row.size);
    RoomHeader header;
    header.bytes.fill(0x5A);
    bool refused = false;
    {
        RomFile file = OpenImage(image);
        try {
            WriteRoomHeader(file, row.room, header);
        } catch (const vorn::RomError&) {
            refused = true;
        }
    }
    const ByteVector after = FileBytes();
    EXPECT_EQ(refused, !row.written);
    EXPECT_EQ(after.size(), image.Bytes().size());
    if (row.written) {
        EXPECT_EQ(BytesAt(after, RoomAt(row.room), kRoomSize), HeaderBytes(header));
    } else {
        EXPECT_TRUE(after == image.Bytes());
    }
}

VORN_TABLE(WriteIntoShortFileTest, kShortWrites);

// The record's named fields, in record order, cover each of its 60 bytes once: each shown one
// where the layout above puts it, and the unshown bytes in the carried runs, each named after
// the offset it starts at.
TEST(RoomHeaderFieldsTest, CoverTheRecordOnce) {
    std::size_t next = 0;
    std::vector<std::size_t> carried;
    for (const vorn::NamedField& named : vorn::kRoomHeaderFields) {
        EXPECT_EQ(named.field.at, next) << named.name;
        next = named.field.at + named.field.width;
        if (named.carried) {
            char name[16];
            std::snprintf(name, sizeof name, "extra%02zX", named.field.at);
            EXPECT_STREQ(named.name, name);
            for (std::size_t i = 0; i < named.field.width; ++i) {
                carried.push_back(named.field.at + i);
            }
        } else {
            const Field& field = FieldNamed(named.name);
            EXPECT_EQ(named.field.at, field.at) << named.name;
            EXPECT_EQ(named.field.width, field.width) << named.name;
        }
    }
    EXPECT_EQ(next, kRoomSize);
    EXPECT_EQ(carried, UnshownBytes());
}

}  // namespace
