// SPDX-License-Identifier: MIT
// Pointers stored in room headers. A GBA cartridge is mapped at 0x08000000, so a pointer
// into the ROM is the file offset plus 0x08000000.

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>

#include "rom/hex.h"
#include "rom/room_header.h"
#include "tests/rom/table_test.h"

using vorn::DecodeDataPtr;
using vorn::DecodeEnemyPtr;
using vorn::EncodePtr;
using vorn::test::Row;
using vorn::test::TableTest;

namespace {

struct Shown : Row {
    std::uint32_t value;
    std::string shown;
};

struct Decoded : Row {
    std::uint32_t value;
    std::int32_t offset;
};

struct Typed : Row {
    std::string typed;
    std::uint32_t stored;
};

struct Stored : Row {
    std::uint32_t value;
};

// A data pointer decodes to any 32-bit offset, even a nonsensical one, so that the window can
// show what is stored.
const Shown kDataPointers[] = {
    {"typical pointer", 0x08123456u, "123456"},
    {"start of the ROM", 0x08000000u, "0"},
    {"room table", 0x08340AD4u, "340AD4"},
    {"last byte of a 32 MiB ROM", 0x09FFFFFFu, "1FFFFFF"},
    {"null pointer", 0x00000000u, "F8000000"},
    {"all bits set", 0xFFFFFFFFu, "F7FFFFFF"},
    {"top bit only", 0x80000000u, "78000000"},
    {"just below the ROM", 0x07FFFFFFu, "FFFFFFFF"},
};

using DecodeDataPtrTest = TableTest<Shown>;

TEST_P(DecodeDataPtrTest, Shown) {
    EXPECT_EQ(vorn::FormatHex(DecodeDataPtr(GetParam().value)), GetParam().shown);
}

VORN_TABLE(DecodeDataPtrTest, kDataPointers);

// Enemy-table pointers are only accepted when they point into the ROM's 16 MiB window.
const Decoded kEnemyPointers[] = {
    {"start of the ROM", 0x08000000u, 0},
    {"typical pointer", 0x0812ABCDu, 0x12ABCD},
    {"last byte of the window", 0x08FFFFFFu, 0xFFFFFF},
    {"second 16 MiB", 0x09000000u, -1},
    {"just below the ROM", 0x07FFFFFFu, -1},
    {"null pointer", 0x00000000u, -1},
    {"top bit set", 0x88000000u, -1},
    {"all bits set", 0xFFFFFFFFu, -1},
    {"work RAM", 0x02000000u, -1},
};

using DecodeEnemyPtrTest = TableTest<Decoded>;

TEST_P(DecodeEnemyPtrTest, Offset) {
    EXPECT_EQ(DecodeEnemyPtr(GetParam().value), GetParam().offset);
}

VORN_TABLE(DecodeEnemyPtrTest, kEnemyPointers);

// The user types an offset in hex; it is stored as offset + 0x08000000, wrapping.
const Typed kTypedOffsets[] = {
    {"typical offset", "123456", 0x08123456u},
    {"short offset", "ABCD", 0x0800ABCDu},
    {"zero", "0", 0x08000000u},
    {"wraps to zero", "F8000000", 0x00000000u},
    {"minus one wraps below the ROM", "FFFFFFFF", 0x07FFFFFFu},
    {"largest positive", "7FFFFFFF", 0x87FFFFFFu},
    {"most negative", "80000000", 0x88000000u},
};

using EncodePtrTest = TableTest<Typed>;

// Read as the main window reads a pointer box.
TEST_P(EncodePtrTest, Stored) {
    const std::optional<std::int32_t> offset = vorn::ParseHexIgnoringBlanks(GetParam().typed);
    ASSERT_TRUE(offset.has_value());
    EXPECT_EQ(EncodePtr(*offset), GetParam().stored);
}

VORN_TABLE(EncodePtrTest, kTypedOffsets);

// Saving what was loaded must store the same pointer again.
const Stored kStoredPointers[] = {
    {"null pointer", 0x00000000u},
    {"just below the ROM", 0x07FFFFFFu},
    {"start of the ROM", 0x08000000u},
    {"typical pointer", 0x0812ABCDu},
    {"last byte of the window", 0x08FFFFFFu},
    {"top bit only", 0x80000000u},
    {"all bits set", 0xFFFFFFFFu},
};

using StoredPointerSurvivesDecodeAndEncodeTest = TableTest<Stored>;

TEST_P(StoredPointerSurvivesDecodeAndEncodeTest, Unchanged) {
    const std::uint32_t value = GetParam().value;
    EXPECT_EQ(EncodePtr(DecodeDataPtr(value)), value);
    const std::int32_t enemyOffset = DecodeEnemyPtr(value);
    if (enemyOffset >= 0) {
        EXPECT_EQ(EncodePtr(enemyOffset), value);
    }
}

VORN_TABLE(StoredPointerSurvivesDecodeAndEncodeTest, kStoredPointers);

}  // namespace
