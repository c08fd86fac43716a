// SPDX-License-Identifier: MIT
#pragma once

// How the level text writes numbers and bytes. Numbers are hexadecimal with a 0x prefix and
// as many digits as their field is wide ("0x05" for a byte, "0x0012" for the 16-bit music,
// "0x08123456" for a pointer), so that a column of them lines up and a change is one value.
// Runs of bytes (the carried bytes of a room header, the bytes a record was exported from)
// are two digits a byte in file order, without a prefix: they are not numbers.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "rom/rom_file.h"
#include "rom/room_header.h"

namespace vorn::headers {

// "0x" and 2 * width upper-case digits: FormatNumber(0x12, 2) is "0x0012".
std::string FormatNumber(std::uint32_t value, std::size_t width);
// An enemy list's file offset, as an enemy table pointer designates it: "0x3B0000".
std::string FormatOffset(Offset offset);
// Two upper-case digits a byte: "0A1BFF".
std::string FormatBytes(const std::uint8_t* bytes, std::size_t count);

// A field of a room header as the text shows it: a number, or a run of carried bytes.
std::string FieldText(const RoomHeader& header, const NamedField& field);

// Why a text names no value, or the value.
struct NumberReading {
    std::optional<std::uint32_t> value;
    std::string refusal;
};

// "0x" (or "0X") and hexadecimal digits of either case; the value must fit in `width` bytes.
NumberReading ParseNumber(std::string_view text, std::size_t width);
// Exactly two digits of either case for each byte; empty when the text is anything else.
std::optional<Bytes> ParseBytes(std::string_view text);

}  // namespace vorn::headers
