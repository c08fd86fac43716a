// SPDX-License-Identifier: MIT
// The hex text helpers, for any bytes taken as text: the three readers never crash, agree
// with each other where their rules overlap, and every 32-bit value survives FormatHex and
// reading it back.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include "rom/hex.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n';
}

bool IsHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

// A run of digits that a strict reader takes: at least one digit, nothing but digits, and at
// most eight of them once the leading zeros are set aside.
bool IsDigitRun(std::string_view text) {
    if (text.empty()) {
        return false;
    }
    std::size_t significant = 0;
    for (const char c : text) {
        if (!IsHexDigit(c)) {
            return false;
        }
        if (significant > 0 || c != '0') {
            ++significant;
        }
    }
    return significant <= 8;
}

// The text up to the first character that is neither a digit nor a blank, blanks left out,
// keeping the last eight digits: what the lenient reader takes its value from.
std::uint32_t LenientBits(std::string_view text) {
    std::string kept;
    for (const char c : text) {
        if (IsBlank(c)) {
            continue;
        }
        if (!IsHexDigit(c)) {
            break;
        }
        kept.push_back(c);
    }
    if (kept.size() > 8) {
        kept.erase(0, kept.size() - 8);
    }
    std::uint32_t bits = 0;
    for (const char c : kept) {
        const char* const digits = "0123456789abcdef";
        const char lower = (c >= 'A' && c <= 'F') ? static_cast<char>(c - 'A' + 'a') : c;
        bits = bits * 16 + static_cast<std::uint32_t>(std::strchr(digits, lower) - digits);
    }
    return bits;
}

void CheckFormat(std::int32_t value) {
    const std::string text = vorn::FormatHex(value);
    FUZZ_REQUIRE(!text.empty() && text.size() <= 8);
    for (const char c : text) {
        FUZZ_REQUIRE((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'));
    }
    FUZZ_REQUIRE(text[0] != '0' || text == "0");

    char expected[16];
    std::snprintf(expected, sizeof expected, "%X", static_cast<unsigned>(value));
    FUZZ_REQUIRE(text == expected);

    FUZZ_REQUIRE(vorn::ParseHexLenient(text) == value);
    FUZZ_REQUIRE(vorn::ParseHexStrict(text) == value);
    FUZZ_REQUIRE(vorn::ParseHexIgnoringBlanks(text) == value);
    FUZZ_REQUIRE(vorn::ParseHexStrict("000" + text + "  ") == value);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    const std::int32_t lenient = vorn::ParseHexLenient(text);
    const std::optional<std::int32_t> strict = vorn::ParseHexStrict(text);
    const std::optional<std::int32_t> ignoring = vorn::ParseHexIgnoringBlanks(text);

    // Lenient: leading digits with blanks skipped, low 32 bits; no digits reads as 0.
    FUZZ_REQUIRE(static_cast<std::uint32_t>(lenient) == LenientBits(text));

    // Strict: digits, then spaces only.
    const std::size_t end = text.find_last_not_of(' ');
    const bool strictForm = end != std::string_view::npos && IsDigitRun(text.substr(0, end + 1));
    FUZZ_REQUIRE(strict.has_value() == strictForm);
    if (strict) {
        FUZZ_REQUIRE(*strict == lenient);
    }

    // Ignoring blanks: what is left once blanks, tabs and line feeds are taken out is a run
    // of digits; then it reads as the lenient reader does, and as strict on the bare digits.
    std::string bare;
    for (const char c : text) {
        if (!IsBlank(c)) {
            bare.push_back(c);
        }
    }
    FUZZ_REQUIRE(ignoring.has_value() == IsDigitRun(bare));
    if (ignoring) {
        FUZZ_REQUIRE(*ignoring == lenient);
        FUZZ_REQUIRE(vorn::ParseHexStrict(bare) == ignoring);
    }
    if (strict) {
        FUZZ_REQUIRE(ignoring == strict);
    }

    // Every value formats as its digits and reads back: the first four bytes as a value, and
    // whatever the text read as.
    std::uint32_t bits = 0;
    if (size > 0) {
        std::memcpy(&bits, data, size < sizeof bits ? size : sizeof bits);
    }
    CheckFormat(static_cast<std::int32_t>(bits));
    CheckFormat(lenient);
    return 0;
}
