// SPDX-License-Identifier: MIT
#include "rom/hex.h"

#include <cctype>
#include <charconv>

namespace vorn {

namespace {

std::int32_t FromBits(std::uint32_t bits) {
    return static_cast<std::int32_t>(bits);  // two's complement: FFFFFFFF is -1
}

// Value of a run of hex digits that has at most eight significant ones.
std::optional<std::int32_t> ParseDigits(std::string_view digits) {
    if (digits.empty()) {
        return std::nullopt;
    }
    std::size_t first = 0;
    while (first + 1 < digits.size() && digits[first] == '0') {
        ++first;
    }
    if (digits.size() - first > 8) {
        return std::nullopt;
    }
    std::uint32_t bits = 0;
    for (std::size_t i = first; i < digits.size(); ++i) {
        const int digit = HexDigitValue(digits[i]);
        if (digit < 0) {
            return std::nullopt;
        }
        bits = (bits << 4) | static_cast<std::uint32_t>(digit);
    }
    return FromBits(bits);
}

}  // namespace

int HexDigitValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n';
}

std::string FormatHex(std::int32_t value) {
    char buffer[8];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, static_cast<std::uint32_t>(value), 16);
    std::string text(buffer, result.ptr);
    for (char& c : text) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return text;
}

std::int32_t ParseHexLenient(std::string_view text) {
    std::uint32_t bits = 0;
    for (const char c : text) {
        if (IsBlank(c)) {
            continue;
        }
        const int digit = HexDigitValue(c);
        if (digit < 0) {
            break;
        }
        bits = (bits << 4) | static_cast<std::uint32_t>(digit);  // keeps the low 32 bits
    }
    return FromBits(bits);
}

std::optional<std::int32_t> ParseHexStrict(std::string_view text) {
    const std::size_t end = text.find_last_not_of(' ');
    if (end == std::string_view::npos) {
        return std::nullopt;
    }
    return ParseDigits(text.substr(0, end + 1));
}

std::optional<std::int32_t> ParseHexIgnoringBlanks(std::string_view text) {
    std::string digits;
    digits.reserve(text.size());
    for (const char c : text) {
        if (!IsBlank(c)) {
            digits.push_back(c);
        }
    }
    return ParseDigits(digits);
}

std::optional<std::uint32_t> ParseTypedNumber(std::string_view text, int base) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    std::uint32_t value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value, base);
    if (text.empty() || error != std::errc() || stop != end) {
        return std::nullopt;
    }
    return value;
}

}  // namespace vorn
