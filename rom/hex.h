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

// Reads leading hex digits (either case) and ignores the rest; blanks, tabs and line feeds
// are skipped wherever they stand. No digits reads as 0; more than eight significant digits
// keep the low 32 bits. Never fails.
std::int32_t ParseHexLenient(std::string_view text);

// The whole text must be hex digits (at least one, at most eight once leading zeros are set
// aside), optionally followed by blanks. Anything else gives no value.
std::optional<std::int32_t> ParseHexStrict(std::string_view text);

// Like ParseHexStrict, but blanks, tabs and line feeds are ignored wherever they stand:
// "34 0AD4" reads as 340AD4. This is how the main window checks a pointer the user typed.
std::optional<std::int32_t> ParseHexIgnoringBlanks(std::string_view text);

}  // namespace vorn
