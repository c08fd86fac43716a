// SPDX-License-Identifier: MIT
#include "ui/toolkit/message_text.h"

#include <cstddef>

namespace vorn::toolkit {

namespace {

constexpr std::size_t kLongestQuote = 60;
constexpr std::size_t kPathHead = 24;
constexpr std::size_t kPathTail = 36;
constexpr char kEllipsis[] = "\u2026";

bool IsContinuationByte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// Characters, not bytes: the text is UTF-8.
std::size_t CharacterCount(const std::string& text) {
    std::size_t count = 0;
    for (const char c : text) {
        if (!IsContinuationByte(c)) {
            ++count;
        }
    }
    return count;
}

// Byte position after the first `characters` characters.
std::size_t AfterCharacters(const std::string& text, std::size_t characters) {
    std::size_t at = 0;
    for (std::size_t seen = 0; at < text.size(); ++at) {
        if (!IsContinuationByte(text[at]) && seen++ == characters) {
            break;
        }
    }
    return at;
}

}  // namespace

MessageText& MessageText::Plain(const std::string& text) {
    shown_ += text;
    full_ += text;
    return *this;
}

MessageText& MessageText::Typed(const std::string& text) {
    full_ += "\"" + text + "\"";
    const std::size_t characters = CharacterCount(text);
    if (characters <= kLongestQuote) {
        shown_ += "\"" + text + "\"";
    } else {
        shown_ += "\"" + text.substr(0, AfterCharacters(text, kLongestQuote)) + kEllipsis + "\" (" +
                  std::to_string(characters) + " characters)";
    }
    return *this;
}

MessageText& MessageText::Path(const std::string& path) {
    full_ += "\"" + path + "\"";
    const std::size_t characters = CharacterCount(path);
    if (characters <= kPathHead + kPathTail + 1) {
        shown_ += "\"" + path + "\"";
    } else {
        // The start says where, the end names the file: the middle is what can go.
        shown_ += "\"" + path.substr(0, AfterCharacters(path, kPathHead)) + kEllipsis +
                  path.substr(AfterCharacters(path, characters - kPathTail)) + "\"";
    }
    return *this;
}

}  // namespace vorn::toolkit
