// SPDX-License-Identifier: MIT
// Enemy lists: entries of three bytes (x, y, enemy) ended by FF FF FF. The editor reads a
// block of 256 slots and writes back the entries up to and including the one that ends it.

#include <gtest/gtest.h>

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "rom/enemy_list.h"
#include "rom/rom_error.h"
#include "rom/rom_file.h"
#include "tests/rom/rom_image_test.h"

using vorn::EnemyList;
using vorn::ReadEnemyList;
using vorn::RomFile;
using vorn::WriteEnemyList;
using namespace vorn::test;

namespace {

constexpr std::size_t kListAt = 0x360000;
constexpr std::size_t kBlock = 768;

ByteVector Bytes(const std::string& bytes) {
    return ByteVector(bytes.begin(), bytes.end());
}

std::string Repeat(const std::string& entry, int times) {
    std::string bytes;
    for (int i = 0; i < times; ++i) {
        bytes += entry;
    }
    return bytes;
}

const std::string kTerminator("\xFF\xFF\xFF", 3);
const std::string kTwoEnemies = std::string("\x10\x20\x05\x30\x40\x06", 6) + kTerminator;

ByteVector SlotBytes(const EnemyList& list) {
    ByteVector bytes;
    for (const vorn::EnemyEntry& entry : list.entries) {
        bytes.insert(bytes.end(), {entry.x, entry.y, entry.enemy});
    }
    return bytes;
}

// Rows shared by the read and write tables: the list's bytes and the index of its end.
struct ListRow : Row {
    std::string list;
    int count;
};

const ListRow kLists[] = {
    {"two enemies", kTwoEnemies, 2},
    {"terminator first", kTerminator, 0},
    {"FF FF 00 is an enemy", std::string("\xFF\xFF\x00", 3) + kTerminator, 1},
    {"FF 00 FF is an enemy", std::string("\xFF\x00\xFF", 3) + kTerminator, 1},
    {"00 FF FF is an enemy", std::string("\x00\xFF\xFF", 3) + kTerminator, 1},
    {"FF FF FF off the slot grid is no end",
     std::string("\x01\xFF\xFF\xFF\x02\x03", 6) + kTerminator, 2},
    {"only the first terminator counts",
     std::string("\x10\x20\x05", 3) + kTerminator + std::string("\x30\x40\x06", 3) + kTerminator,
     1},
    {"terminator in the last slot", Repeat(std::string("\x01\x02\x03", 3), 255) + kTerminator, 255},
    {"no terminator", Repeat(std::string("\x01\x02\x03", 3), 256), 255},
};

// Every slot holds the bytes of the ROM at its place, those after the end included.
using ReadListTest = RomImageTableTest<ListRow>;

TEST_P(ReadListTest, Slots) {
    ImageBuilder image(4 * kMiB);
    image.Noise(31).Title().Put(kListAt, Bytes(GetParam().list));
    const RomFile file = OpenImage(image);
    EnemyList read;
    ReadEnemyList(file, static_cast<vorn::Offset>(kListAt), read);
    EXPECT_EQ(int{read.EnemyCount}, GetParam().count);
    EXPECT_EQ(SlotBytes(read), BytesAt(image.Bytes(), kListAt, kBlock));
}

VORN_TABLE(ReadListTest, kLists);

struct TailRow : Row {
    std::string tail;  // the file's last bytes; the list starts at the first, `gap` bytes on
    int gap;
    int count;
    bool written;
};

const TailRow kTails[] = {
    {"terminator ends the file", kTwoEnemies, 0, 2, true},
    {"terminator cut by the end", kTwoEnemies.substr(0, kTwoEnemies.size() - 1), 0, 255, false},
    {"one entry, then the end", std::string("\x10\x20\x05", 3), 0, 255, false},
    {"two entries, then the end", kTwoEnemies.substr(0, 6), 0, 255, false},
    {"offset at the end", std::string(), 0, 255, false},
    {"offset past the end", std::string(), 100, 255, false},
};

// Bytes past the end of the file read as zero, so a list cut by the end has no terminator.
// Saved, a list must not reach past the end: the save is refused whole, and the file keeps
// its bytes and its size.
using NearTheEndOfTheFileTest = RomImageTableTest<TailRow>;

TEST_P(NearTheEndOfTheFileTest, ReadThenWritten) {
    const TailRow& row = GetParam();
    const std::size_t end = 0x1000;
    const std::size_t at = end + static_cast<std::size_t>(row.gap);
    ImageBuilder image(end);
    image.Noise(41).Title().Resize(end + row.tail.size());
    image.Put(end, Bytes(row.tail));
    bool refused = false;
    {
        RomFile file = OpenImage(image);
        EnemyList list;
        list.entries.fill({0x11, 0x22, 0x33});  // stale content must not survive the read
        ReadEnemyList(file, static_cast<vorn::Offset>(at), list);
        EXPECT_EQ(int{list.EnemyCount}, row.count);
        EXPECT_EQ(SlotBytes(list), BytesAt(image.Bytes(), at, kBlock));
        list.entries[0].x = 0x77;
        try {
            WriteEnemyList(file, static_cast<vorn::Offset>(at), list);
        } catch (const vorn::RomError&) {
            refused = true;
        }
    }
    const ByteVector after = FileBytes();
    EXPECT_EQ(refused, !row.written);
    EXPECT_EQ(after.size(), image.Bytes().size());
    if (row.written) {
        EXPECT_EQ(ChangedOffsets(image.Bytes(), after), std::vector<std::size_t>{at});
    } else {
        EXPECT_TRUE(after == image.Bytes());
    }
}

VORN_TABLE(NearTheEndOfTheFileTest, kTails);

// A list read in one place and saved in another writes slot i at the offset + 3i, slots 0 to
// EnemyCount, and not a byte more, whatever the list in memory holds after its end; the place
// holds the complement of the list, so every written byte shows.
using WriteListTest = RomImageTableTest<ListRow>;

TEST_P(WriteListTest, Slots) {
    const std::size_t target = 0x370000;
    const auto written = 3 * static_cast<std::size_t>(GetParam().count + 1);
    ImageBuilder image(4 * kMiB);
    image.Noise(47).Title().Put(kListAt, Bytes(GetParam().list));
    for (std::size_t i = 0; i < kBlock; ++i) {
        image.Put8(target + i, static_cast<std::uint8_t>(~image.Bytes()[kListAt + i]));
    }
    {
        RomFile file = OpenImage(image);
        EnemyList read;
        ReadEnemyList(file, static_cast<vorn::Offset>(kListAt), read);
        WriteEnemyList(file, static_cast<vorn::Offset>(target), read);
    }
    const ByteVector after = FileBytes();
    EXPECT_EQ(ChangedOffsets(image.Bytes(), after), OffsetRange(target, written));
    for (std::size_t i = 0; i < written; ++i) {
        EXPECT_EQ(after[target + i], image.Bytes()[kListAt + i]);
    }
}

VORN_TABLE(WriteListTest, kLists);

using EnemyListTest = RomImageTest;

// No list lies before the start of the file: neither read nor written there.
TEST_F(EnemyListTest, NegativeOffset) {
    ImageBuilder image(4 * kMiB);
    image.Noise(61).Title();
    {
        RomFile file = OpenImage(image);
        EnemyList list;
        EXPECT_THROW(ReadEnemyList(file, -3, list), std::invalid_argument);
        ReadEnemyList(file, 0, list);
        EXPECT_THROW(WriteEnemyList(file, -3, list), std::exception);
    }
    EXPECT_TRUE(FileBytes() == image.Bytes());
}

}  // namespace
