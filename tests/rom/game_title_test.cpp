// SPDX-License-Identifier: MIT
// The game check: the cartridge header holds the game's title as 12 ASCII bytes at 0xA0,
// and only a file with exactly those bytes is taken for an image of the game.

#include <gtest/gtest.h>

#include <string>

#include "rom/game_title.h"
#include "tests/rom/rom_image_test.h"

using vorn::CheckGameTitle;
using namespace vorn::test;

namespace {

struct TitleRow : Row {
    std::string title;
    std::size_t titleAt;
    std::size_t size;
    bool holds;
};

constexpr std::size_t kSize = 0x1000;

const TitleRow kTitles[] = {
    {"the title", "ZEROMISSIONE", 0xA0, kSize, true},
    {"file ends with the title", "ZEROMISSIONE", 0xA0, 0xAC, true},
    {"file ends one byte into the title", "ZEROMISSIONE", 0xA0, 0xAB, false},
    {"file ends before the title", "", 0xA0, 0x40, false},
    {"empty file", "", 0xA0, 0, false},
    {"no title", "", 0xA0, kSize, false},
    {"lower-case title", "zeromissione", 0xA0, kSize, false},
    {"one lower-case letter", "ZEROMISSIONe", 0xA0, kSize, false},
    {"first letter changed", "XEROMISSIONE", 0xA0, kSize, false},
    {"last letter changed", "ZEROMISSIONF", 0xA0, kSize, false},
    {"title one byte late", "ZEROMISSIONE", 0xA1, kSize, false},
    {"title one byte early", "ZEROMISSIONE", 0x9F, kSize, false},
    {"blank instead of the last letter", "ZEROMISSION ", 0xA0, kSize, false},
    {"NUL instead of the last letter", std::string("ZEROMISSION\0", 12), 0xA0, kSize, false},
};

using CheckGameTitleTest = RomImageTableTest<TitleRow>;

TEST_P(CheckGameTitleTest, Holds) {
    const TitleRow& row = GetParam();
    // Noise around the title: the check must not depend on what lies next to it.
    ImageBuilder image(kSize);
    image.Noise(113);
    image.Put(row.titleAt, ByteVector(row.title.begin(), row.title.end()));
    image.Resize(row.size);
    EXPECT_EQ(CheckGameTitle(WriteImage(image)), row.holds);
    EXPECT_TRUE(FileBytes() == image.Bytes());
}

VORN_TABLE(CheckGameTitleTest, kTitles);

}  // namespace
