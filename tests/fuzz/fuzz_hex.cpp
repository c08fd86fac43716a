// SPDX-License-Identifier: MIT
// The hex text helpers, probed without a second copy of their rules:
//
// - any bytes taken as text: the four readers never crash, agree wherever their rules
//   overlap, give the same answer for a text and its upper-case form, for a blank put
//   anywhere (where blanks are skipped) and for spaces put after it (the strict reader);
// - a value written the way a person might type it (printf's "%X" as an independent
//   formatter, leading zeros, either case, blanks between the digits, something after
//   them): each reader takes it as its rules say, and FormatHex writes what printf writes.

#include <fuzzer/FuzzedDataProvider.h>

#include <cctype>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>

#include "rom/hex.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

using vorn::ParseHexIgnoringBlanks;
using vorn::ParseHexLenient;
using vorn::ParseHexStrict;
using vorn::ParseTypedNumber;

constexpr char kBlanks[] = {' ', '\t', '\n'};

std::string PrintfHex(std::uint32_t bits) {
    char text[16];
    std::snprintf(text, sizeof text, "%X", bits);
    return text;
}

std::string UpperCase(std::string text) {
    for (char& c : text) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return text;
}

// What the readers must answer alike, whatever the text.
void CheckAgreement(const std::string& text) {
    const std::int32_t lenient = ParseHexLenient(text);
    const std::optional<std::int32_t> strict = ParseHexStrict(text);
    const std::optional<std::int32_t> ignoring = ParseHexIgnoringBlanks(text);
    // A text the strict reader takes, the others take as the same value.
    if (strict) {
        FUZZ_REQUIRE(ignoring == strict && lenient == *strict);
    }
    if (ignoring) {
        FUZZ_REQUIRE(lenient == *ignoring);
    }
    // A drop-down takes what the strict reader takes, and nothing the blank-ignoring one
    // refuses.
    const std::optional<std::uint32_t> typed = ParseTypedNumber(text, 16);
    FUZZ_REQUIRE(!strict || typed == static_cast<std::uint32_t>(*strict));
    FUZZ_REQUIRE(!typed || ignoring == static_cast<std::int32_t>(*typed));
    // The lenient value, and any value read, writes as printf writes it and reads back.
    for (const std::int32_t value : {lenient, ignoring.value_or(0), strict.value_or(0)}) {
        const std::string written = vorn::FormatHex(value);
        FUZZ_REQUIRE(written == PrintfHex(static_cast<std::uint32_t>(value)));
        FUZZ_REQUIRE(ParseHexStrict(written) == value);
    }
}

// Changes that must not change what the readers answer.
void CheckUnchangedBy(const std::string& text, std::size_t at, char blank) {
    const std::string upper = UpperCase(text);
    FUZZ_REQUIRE(ParseHexLenient(upper) == ParseHexLenient(text));
    FUZZ_REQUIRE(ParseHexStrict(upper) == ParseHexStrict(text));
    FUZZ_REQUIRE(ParseHexIgnoringBlanks(upper) == ParseHexIgnoringBlanks(text));
    FUZZ_REQUIRE(ParseTypedNumber(upper, 16) == ParseTypedNumber(text, 16));
    FUZZ_REQUIRE(ParseTypedNumber(blank + text + blank, 16) == ParseTypedNumber(text, 16));

    const std::string withBlank = text.substr(0, at) + blank + text.substr(at);
    FUZZ_REQUIRE(ParseHexLenient(withBlank) == ParseHexLenient(text));
    FUZZ_REQUIRE(ParseHexIgnoringBlanks(withBlank) == ParseHexIgnoringBlanks(text));
    FUZZ_REQUIRE(ParseHexStrict(text + "   ") == ParseHexStrict(text));
}

// A value's digits as a person might type them: leading zeros, each digit in either case.
std::string Typed(FuzzedDataProvider& input, std::uint32_t value) {
    std::string text(input.ConsumeIntegralInRange<std::size_t>(0, 3), '0');
    for (const char digit : PrintfHex(value)) {
        const bool lower = input.ConsumeBool();
        text += lower ? static_cast<char>(std::tolower(static_cast<unsigned char>(digit))) : digit;
    }
    return text;
}

// The typed digits with a blank between two of them: only the reader that ignores blanks
// (and the lenient one) still takes the value.
void CheckBlankInside(const std::string& digits, std::uint32_t value, std::size_t at, char blank) {
    const auto expected = static_cast<std::int32_t>(value);
    const std::string text = digits.substr(0, at) + blank + digits.substr(at);
    FUZZ_REQUIRE(ParseHexIgnoringBlanks(text) == expected);
    FUZZ_REQUIRE(ParseHexLenient(text) == expected);
    FUZZ_REQUIRE(!ParseHexStrict(text));
    FUZZ_REQUIRE(!ParseTypedNumber(text, 16));
}

// The typed digits followed by a character that is no digit: the lenient reader stops
// there (a blank it skips); the strict one allows only spaces after the digits, the one
// ignoring blanks only blanks.
void CheckEndedBy(const std::string& digits, std::uint32_t value, char after) {
    if (std::isxdigit(static_cast<unsigned char>(after)) != 0) {
        return;
    }
    const auto expected = static_cast<std::int32_t>(value);
    const bool space = after == ' ';
    const bool blank = space || after == '\t' || after == '\n';
    const std::string ended = digits + after;
    FUZZ_REQUIRE(ParseHexLenient(ended) == expected);
    FUZZ_REQUIRE(ParseHexStrict(ended).has_value() == space);
    FUZZ_REQUIRE(ParseHexIgnoringBlanks(ended).has_value() == blank);
    // More digits after it: the lenient reader goes on only across a blank.
    FUZZ_REQUIRE(blank || ParseHexLenient(ended + digits) == expected);
    FUZZ_REQUIRE(!ParseHexStrict(ended + digits));
}

// Nine significant digits are too many for the strict readers; the lenient one keeps the
// low 32 bits, which are the last eight digits.
void CheckNineDigits(std::uint32_t value, char first) {
    char eight[16];
    std::snprintf(eight, sizeof eight, "%08X", value);
    const std::string text = std::string(1, first) + eight;
    FUZZ_REQUIRE(ParseHexLenient(text) == static_cast<std::int32_t>(value));
    FUZZ_REQUIRE(!ParseHexStrict(text));
    FUZZ_REQUIRE(!ParseHexIgnoringBlanks(text));
}

void CheckTypedValue(FuzzedDataProvider& input) {
    const auto value = input.ConsumeIntegral<std::uint32_t>();
    const auto expected = static_cast<std::int32_t>(value);
    FUZZ_REQUIRE(vorn::FormatHex(expected) == PrintfHex(value));

    const std::string digits = Typed(input, value);
    FUZZ_REQUIRE(ParseHexStrict(digits) == expected);
    FUZZ_REQUIRE(ParseHexIgnoringBlanks(digits) == expected);
    FUZZ_REQUIRE(ParseHexLenient(digits) == expected);
    FUZZ_REQUIRE(ParseTypedNumber(digits, 16) == value);
    FUZZ_REQUIRE(ParseTypedNumber(std::to_string(value), 10) == value);

    const char blank = input.PickValueInArray(kBlanks);
    if (digits.size() >= 2) {
        CheckBlankInside(digits, value,
                         input.ConsumeIntegralInRange<std::size_t>(1, digits.size() - 1), blank);
    }
    CheckEndedBy(digits, value, input.ConsumeIntegral<char>());
    CheckNineDigits(value, static_cast<char>(input.ConsumeIntegralInRange('1', '9')));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    FuzzedDataProvider input(data, size);
    CheckAgreement(text);
    CheckUnchangedBy(text, input.ConsumeIntegralInRange<std::size_t>(0, size),
                     input.PickValueInArray(kBlanks));
    CheckTypedValue(input);
    return 0;
}
