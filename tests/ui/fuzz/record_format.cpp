// SPDX-License-Identifier: MIT
#include "tests/ui/fuzz/record_format.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

namespace vorn::fuzz {

bool IsUnshownByte(std::size_t i) {
    return std::none_of(std::begin(kFields), std::end(kFields), [i](const FieldSpec& field) {
        return i >= field.at && i < field.at + field.width;
    });
}

namespace {

std::string Trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos) {
        return std::string();
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

}  // namespace

std::string Canonical(const std::string& text, FieldKind kind) {
    std::string result;
    const bool pointer = kind == FieldKind::DataPointer || kind == FieldKind::EnemyPointer;
    for (const char c : pointer ? text : Trimmed(text)) {
        if (!(pointer && (c == ' ' || c == '\t'))) {
            result += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        }
    }
    const auto digits = result.find_first_not_of('0');
    if (!result.empty()) {
        result = digits == std::string::npos ? "0" : result.substr(digits);
    }
    if (kind == FieldKind::Music && result == "FFFF") {
        return std::string();
    }
    return result;
}

bool ShowsFaithfully(const std::string& canonical, FieldKind kind) {
    switch (kind) {
        case FieldKind::DataPointer:
            return canonical.size() <= 6;
        case FieldKind::EnemyPointer:
            return canonical.size() <= 6 || canonical == "FFFFFFFF";
        default:
            return true;
    }
}

bool ReadsAs(const std::string& text, bool decimal, unsigned long& value) {
    std::string digits = Trimmed(text);
    const auto significant = digits.find_first_not_of('0');
    if (!digits.empty()) {
        digits = significant == std::string::npos ? "0" : digits.substr(significant);
    }
    const auto isDigit = [decimal](char c) {
        return decimal ? std::isdigit(static_cast<unsigned char>(c)) != 0
                       : std::isxdigit(static_cast<unsigned char>(c)) != 0;
    };
    if (digits.empty() || digits.size() > 16 ||
        !std::all_of(digits.begin(), digits.end(), isDigit)) {
        return false;
    }
    value = std::strtoul(digits.c_str(), nullptr, decimal ? 10 : 16);
    return true;
}

}  // namespace vorn::fuzz
