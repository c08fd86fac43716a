// SPDX-License-Identifier: MIT
#pragma once

// One record of a level text, a room or an enemy list, as the parser handed over its tokens,
// and the checks that turn it into level data or refuse it, saying what is wrong and where.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "headers/level_data.h"

namespace vorn::headers {

// A token of the document: a string, a whole number, or anything else (another number, true,
// false, null, or an object or a list, which a record never holds where a value goes).
struct Token {
    enum class Kind { None, String, Integer, Other };
    enum class Shape { Quoted, Word, Bracket };
    Kind kind = Kind::None;
    Shape shape = Shape::Word;
    std::string text;  // a string's value; the JSON of anything else ("[" for a list)
    std::int64_t integer = 0;
    std::size_t end = 0;
};

// Something that cannot be used, and the byte at which it begins.
struct TextError {
    std::size_t at;
    std::string message;
};

struct Member {
    Token key;
    Token value;
};
using Members = std::vector<Member>;

struct Entry {
    Token object;
    Members members;
};

// Throws TextError at the first byte of `token` in `text`.
[[noreturn]] void Fail(const std::string& text, const Token& token, std::string message);

// A room from the members of its object (`object`, the token of its opening brace).
RoomRecord CheckRoom(const std::string& text, const Token& object, const Members& members);
// An enemy list from its members and the entries of its "entries" (`entriesToken`).
ListRecord CheckList(const std::string& text, const Token& object, const Members& members,
                     const Token& entriesToken, const std::vector<Entry>& entries);

}  // namespace vorn::headers
