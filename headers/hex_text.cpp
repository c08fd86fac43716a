// SPDX-License-Identifier: MIT
#include "headers/hex_text.h"

#include <charconv>

#include "rom/hex.h"

namespace vorn::headers {

namespace {

constexpr char kDigits[] = "0123456789ABCDEF";

std::string Padded(std::uint32_t value, std::size_t digits) {
    // FormatHex shows a value at or above 0x80000000 as its 32-bit two's complement, which
    // is the same eight digits.
    const std::string text = FormatHex(static_cast<std::int32_t>(value));
    return "0x" + std::string(text.size() < digits ? digits - text.size() : 0, '0') + text;
}

}  // namespace

std::string FormatNumber(std::uint32_t value, std::size_t width) {
    return Padded(value, 2 * width);
}

std::string FormatOffset(Offset offset) {
    return Padded(static_cast<std::uint32_t>(offset), 6);
}

std::string FormatBytes(const std::uint8_t* bytes, std::size_t count) {
    std::string text(2 * count, '0');
    for (std::size_t i = 0; i < count; ++i) {
        text[2 * i] = kDigits[bytes[i] >> 4];
        text[2 * i + 1] = kDigits[bytes[i] & 0x0F];
    }
    return text;
}

std::string FieldText(const RoomHeader& header, const NamedField& field) {
    if (field.carried) {
        return FormatBytes(&header.bytes[field.field.at], field.field.width);
    }
    return FormatNumber(header.Get(field.field), field.field.width);
}

NumberReading ParseNumber(std::string_view text, std::size_t width) {
    if (text.size() < 3 || text[0] != '0' || (text[1] != 'x' && text[1] != 'X')) {
        return {std::nullopt, "is not a hexadecimal number like " + FormatNumber(0x12, width)};
    }
    const std::string_view digits = text.substr(2);
    for (const char c : digits) {
        if (HexDigitValue(c) < 0) {
            return {std::nullopt, "is not a hexadecimal number like " + FormatNumber(0x12, width)};
        }
    }
    std::uint64_t value = 0;
    const auto [end, error] =
        std::from_chars(digits.data(), digits.data() + digits.size(), value, 16);
    if (error != std::errc() || end != digits.data() + digits.size() || value >> (8 * width) != 0) {
        const std::uint32_t largest = width >= 4 ? 0xFFFFFFFFu : (1u << (8 * width)) - 1u;
        return {std::nullopt, "is out of range (from " + FormatNumber(0, width) + " to " +
                                  FormatNumber(largest, width) + ")"};
    }
    return {static_cast<std::uint32_t>(value), std::string()};
}

std::optional<Bytes> ParseBytes(std::string_view text) {
    if (text.size() % 2 != 0) {
        return std::nullopt;
    }
    Bytes bytes(text.size() / 2);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const int high = HexDigitValue(text[2 * i]);
        const int low = HexDigitValue(text[2 * i + 1]);
        if (high < 0 || low < 0) {
            return std::nullopt;
        }
        bytes[i] = static_cast<std::uint8_t>(high << 4 | low);
    }
    return bytes;
}

}  // namespace vorn::headers
