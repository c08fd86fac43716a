// SPDX-License-Identifier: MIT
// Hexadecimal text as the windows show it and read it back.

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <optional>
#include <string>

#include "rom/hex.h"
#include "tests/rom/table_test.h"

using vorn::FormatHex;
using vorn::ParseHexIgnoringBlanks;
using vorn::ParseHexLenient;
using vorn::ParseHexStrict;
using vorn::ParseTypedNumber;
using vorn::test::Row;
using vorn::test::TableTest;

namespace {

constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();

struct ValueText : Row {
    std::int32_t value;
    std::string text;
};

// A row of the strict and the blank-ignoring reader: no value when the text is refused.
struct Parsed : Row {
    std::string text;
    std::optional<std::int32_t> value;
};

const ValueText kFormatted[] = {
    {"zero is one digit", 0, "0"},
    {"ten is a letter", 10, "A"},
    {"255", 255, "FF"},
    {"inner zeros stay", 0x100, "100"},
    {"upper-case letters", 0xABCDEF, "ABCDEF"},
    {"room table start", 0x340AD4, "340AD4"},
    {"eight digits", 0x10000000, "10000000"},
    {"largest positive", kMax, "7FFFFFFF"},
    {"minus one is two's complement", -1, "FFFFFFFF"},
    {"minus the ROM base", -0x08000000, "F8000000"},
    {"most negative", kMin, "80000000"},
};

using FormatHexTest = TableTest<ValueText>;

TEST_P(FormatHexTest, Text) {
    EXPECT_EQ(FormatHex(GetParam().value), GetParam().text);
}

VORN_TABLE(FormatHexTest, kFormatted);

const ValueText kLenient[] = {
    {"mixed case", 0x1A2B, "1a2B"},
    {"stops at first non-hex", 0x12, "12G4"},
    {"empty reads zero", 0, ""},
    {"no leading digit reads zero", 0, "G1"},
    {"decimal-looking text is hex", 32768, "8000"},
    {"blanks anywhere are skipped", 0x340AD4, " 34 0AD4"},
    {"tabs and line feeds are skipped", 0x340AD4, "3\t40\nAD4\n"},
    {"only blanks", 0, " \t\n "},
    {"eight F is minus one", -1, "FFFFFFFF"},
    {"leading zeros beyond eight digits", 0xFF, "00000000FF"},
    {"nine digits keep the low 32 bits", 0x23456789, "123456789"},
    {"sixteen digits keep the low 32 bits", kMin, "FFFFFFFF80000000"},
    {"0x prefix reads the zero only", 0, "0x1A"},
    {"minus sign reads zero", 0, "-1"},
    {"carriage return is not a blank", 1, "1\r2"},
};

using ParseHexLenientTest = TableTest<ValueText>;

TEST_P(ParseHexLenientTest, Value) {
    EXPECT_EQ(ParseHexLenient(GetParam().text), GetParam().value);
}

VORN_TABLE(ParseHexLenientTest, kLenient);

const Parsed kStrict[] = {
    {"two digits", "1A", 26},
    {"lower case", "ff", 255},
    {"trailing blank", "1A ", 26},
    {"several trailing blanks", "1A   ", 26},
    {"zero", "0", 0},
    {"leading zeros do not count", "00000000FF", 255},
    {"many zeros", "000000000000", 0},
    {"eight digits", "FFFFFFFF", -1},
    {"empty", "", std::nullopt},
    {"only blanks", "   ", std::nullopt},
    {"non-hex letter", "12G", std::nullopt},
    {"minus sign", "-1", std::nullopt},
    {"leading blank", " 1A", std::nullopt},
    {"inner blank", "1 A", std::nullopt},
    {"trailing tab", "1A\t", std::nullopt},
    {"nine significant digits", "123456789", std::nullopt},
    {"nine digits after zeros", "00123456789", std::nullopt},
    {"0x prefix", "0x1A", std::nullopt},
};

using ParseHexStrictTest = TableTest<Parsed>;

TEST_P(ParseHexStrictTest, Value) {
    EXPECT_EQ(ParseHexStrict(GetParam().text), GetParam().value);
}

VORN_TABLE(ParseHexStrictTest, kStrict);

const Parsed kIgnoringBlanks[] = {
    {"inner blank", "34 0AD4", 0x340AD4},
    {"leading blank", " 1A", 26},
    {"tab and line feed", "\t1\nA\n", 26},
    {"blanks between zeros", "0000 0000 FF", 255},
    {"eight digits with blanks", "FFFF FFFF", -1},
    {"empty", "", std::nullopt},
    {"only blanks", " \t\n", std::nullopt},
    {"nine significant digits", "1234 5678 9", std::nullopt},
    {"non-hex letter", "12 G", std::nullopt},
    {"minus sign", "-1", std::nullopt},
    {"0x prefix", "0x1A", std::nullopt},
};

using ParseHexIgnoringBlanksTest = TableTest<Parsed>;

TEST_P(ParseHexIgnoringBlanksTest, Value) {
    EXPECT_EQ(ParseHexIgnoringBlanks(GetParam().text), GetParam().value);
}

VORN_TABLE(ParseHexIgnoringBlanksTest, kIgnoringBlanks);

// What a drop-down reads from the text typed into it, in its numbering.
struct Typed : Row {
    std::string text;
    int base;
    std::optional<std::uint32_t> value;
};

const Typed kTyped[] = {
    {"blanks around", " a ", 16, 0xA},
    {"leading zeros", "00a", 16, 0xA},
    {"tab and line feed around", "\t1F\n", 16, 0x1F},
    {"eight digits", "FFFFFFFF", 16, 0xFFFFFFFF},
    {"decimal room", " 329 ", 10, 329},
    {"blank between the digits", "1 A", 16, std::nullopt},
    {"carriage return is not a blank", "1A\r", 16, std::nullopt},
    {"hex digit in a decimal list", "1A", 10, std::nullopt},
    {"sign", "+1", 16, std::nullopt},
    {"0x prefix", "0x1A", 16, std::nullopt},
    {"more than 32 bits", "100000000", 16, std::nullopt},
    {"only blanks", " \t\n", 16, std::nullopt},
};

using ParseTypedNumberTest = TableTest<Typed>;

TEST_P(ParseTypedNumberTest, Value) {
    EXPECT_EQ(ParseTypedNumber(GetParam().text, GetParam().base), GetParam().value);
}

VORN_TABLE(ParseTypedNumberTest, kTyped);

}  // namespace
