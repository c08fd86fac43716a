// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vorn {

// Hexadecimal text as the user sees it: upper-case digits, no prefix, no leading zeros.
// A negative value shows the eight digits of its 32-bit two's complement (-1 is FFFFFFFF).
std::string FormatHex(std::int32_t value);

// 0-15 for a hexadecimal digit of either case, -1 for anything else.
int HexDigitValue(char c);

// Blanks, as every reader below that skips any skips them: spaces, tabs and line feeds.
bool IsBlank(char c);

// Reads leading hex digits (either case) and ignores the rest; blanks are skipped wherever
// they stand. No digits reads as 0; more than eight significant digits
// keep the low 32 bits. Never fails.
std::int32_t ParseHexLenient(std::string_view text);

// The whole text must be hex digits (at least one, at most eight once leading zeros are set
// aside), optionally followed by blanks. Anything else gives no value.
std::optional<std::int32_t> ParseHexStrict(std::string_view text);

// Like ParseHexStrict, but blanks are ignored wherever they stand: "34 0AD4" reads as
// 340AD4. This is how the main window checks a pointer the user typed.
std::optional<std::int32_t> ParseHexIgnoringBlanks(std::string_view text);

// A number typed into a drop-down: digits of `base` (16, in either case, or 10), at least
// one, with blanks around them and leading zeros ignored (" a " and "00a" are A), at most 32
// bits. Anything else, a blank between the digits included, gives no value.
std::optional<std::uint32_t> ParseTypedNumber(std::string_view text, int base);

}  // namespace vorn
