// SPDX-License-Identifier: MIT
#include "headers/text_record.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string_view>
#include <utility>

#include "headers/hex_text.h"

namespace vorn::headers {

namespace {

// A token as the text has it, near enough for a message: a string in quotes, an object or a
// list as its opening bracket.
std::string Shown(const Token& token) {
    return token.kind == Token::Kind::String ? "\"" + token.text + "\"" : token.text;
}

bool IsNumberOrWord(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '+' ||
           c == '-' || c == '.';
}

// The first byte of a token, found back from its end.
std::size_t StartOf(const std::string& text, const Token& token) {
    std::size_t at = std::min(token.end, text.size());
    switch (token.shape) {
        case Token::Shape::Bracket:
            return at > 0 ? at - 1 : 0;
        case Token::Shape::Quoted:
            // Back past the closing quote to the first quote that no backslash escapes.
            for (at = at > 0 ? at - 1 : 0; at-- > 0;) {
                std::size_t backslashes = 0;
                while (at > backslashes && text[at - 1 - backslashes] == '\\') {
                    ++backslashes;
                }
                if (text[at] == '"' && backslashes % 2 == 0) {
                    return at;
                }
            }
            return 0;
        case Token::Shape::Word:
            if (at > 0 && !IsNumberOrWord(text[at - 1])) {
                --at;
            }
            while (at > 0 && IsNumberOrWord(text[at - 1])) {
                --at;
            }
            return at;
    }
    return at;
}

// The index of the record field called `name`, looked for first at `*index` (a text keeps
// the fields in record order, unless someone moved them); false when there is none.
bool FieldNamed(std::string_view name, std::size_t* index) {
    const std::size_t count = kRoomHeaderFields.size();
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t at = (*index + i) % count;
        if (name == kRoomHeaderFields[at].name) {
            *index = at;
            return true;
        }
    }
    return false;
}

class Checks {
  public:
    explicit Checks(const std::string& text) : text_(text) {}

    [[noreturn]] void Fail(const Token& token, std::string message) const {
        headers::Fail(text_, token, std::move(message));
    }

    // The members named in `names`, each at most once; any other is refused.
    template <std::size_t N>
    std::array<const Member*, N> Sort(const Members& members, const std::string& owner,
                                      const std::array<const char*, N>& names) const {
        std::array<const Member*, N> found{};
        for (const Member& member : members) {
            const auto named = std::find_if(names.begin(), names.end(), [&](const char* name) {
                return member.key.text == name;
            });
            if (named == names.end()) {
                Fail(member.key, owner + ": unknown field \"" + member.key.text + "\"");
            }
            Take(found[static_cast<std::size_t>(named - names.begin())], member, owner);
        }
        return found;
    }

    void Take(const Member*& slot, const Member& member, const std::string& owner) const {
        if (slot != nullptr) {
            Fail(member.key, owner + ": field \"" + member.key.text + "\" appears twice");
        }
        slot = &member;
    }

    const Token& Required(const Member* member, const Token& object, const std::string& owner,
                          const char* name) const {
        if (member == nullptr) {
            Fail(object, owner + " has no field \"" + name + "\"");
        }
        return member->value;
    }

    std::uint32_t Number(const Token& value, std::size_t width, const std::string& owner,
                         const char* name) const {
        if (value.kind != Token::Kind::String) {
            Fail(value, owner + " " + name + " must be hexadecimal text like \"" +
                            FormatNumber(0x12, width) + "\", not " + Shown(value));
        }
        const NumberReading reading = ParseNumber(value.text, width);
        if (!reading.value) {
            Fail(value, owner + " " + name + ": \"" + value.text + "\" " + reading.refusal);
        }
        return *reading.value;
    }

    // Two hexadecimal digits a byte, as many bytes as `fits` takes; else the message says
    // what was `expected`.
    template <typename Fits>
    Bytes ByteRun(const Token& value, const std::string& owner, const char* name, Fits fits,
                  const char* expected) const {
        std::optional<Bytes> bytes;
        if (value.kind == Token::Kind::String) {
            bytes = ParseBytes(value.text);
        }
        if (!bytes || !fits(bytes->size())) {
            Fail(value, owner + " " + name + " must be " + expected);
        }
        return std::move(*bytes);
    }

  private:
    const std::string& text_;
};

}  // namespace

void Fail(const std::string& text, const Token& token, std::string message) {
    throw TextError{StartOf(text, token), std::move(message)};
}

RoomRecord CheckRoom(const std::string& text, const Token& object, const Members& members) {
    const Checks checks(text);
    const Member* room = nullptr;
    for (const Member& member : members) {
        if (member.key.text == "room") {
            checks.Take(room, member, "a room");
        }
    }
    const Token& number = checks.Required(room, object, "a room", "room");
    if (number.kind != Token::Kind::Integer || number.integer < 0 ||
        number.integer >= RoomTable::kRoomCount) {
        checks.Fail(number, "\"room\" must be a room number from 0 to " +
                                std::to_string(RoomTable::kRoomCount - 1) + ", not " +
                                Shown(number));
    }
    RoomRecord record;
    record.room = static_cast<int>(number.integer);
    const std::string name = RoomName(record.room);
    const Member* was = nullptr;
    std::array<const Member*, kRoomHeaderFields.size()> fields{};
    std::size_t index = 0;
    for (const Member& member : members) {
        if (member.key.text == "was") {
            checks.Take(was, member, name);
        } else if (FieldNamed(member.key.text, &index)) {
            checks.Take(fields[index], member, name);
            index = (index + 1) % fields.size();
        } else if (&member != room) {
            checks.Fail(member.key, name + ": unknown field \"" + member.key.text + "\"");
        }
    }
    const Bytes bytes = checks.ByteRun(
        checks.Required(was, object, name, "was"), name, "was",
        [](std::size_t size) { return size == RoomHeader::kSize; },
        "the record's 60 bytes as 120 hexadecimal digits");
    std::copy(bytes.begin(), bytes.end(), record.was.bytes.begin());
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const NamedField& field = kRoomHeaderFields[i];
        const Token& value = checks.Required(fields[i], object, name, field.name);
        const std::size_t width = field.field.width;
        if (!field.carried) {
            record.values.Set(field.field, checks.Number(value, width, name, field.name));
            continue;
        }
        const Bytes carried = checks.ByteRun(
            value, name, field.name, [width](std::size_t size) { return size == width; },
            "two hexadecimal digits for each of its bytes, in file order");
        std::copy(carried.begin(), carried.end(),
                  record.values.bytes.begin() + static_cast<std::ptrdiff_t>(field.field.at));
    }
    return record;
}

namespace {

EnemyEntry CheckEntry(const Checks& checks, const Entry& entry, const std::string& name) {
    const auto members = checks.Sort(entry.members, name, std::array{"x", "y", "enemy"});
    const auto byte = [&](std::size_t i, const char* member) {
        return static_cast<std::uint8_t>(checks.Number(
            checks.Required(members[i], entry.object, name, member), 1, name, member));
    };
    const EnemyEntry read{byte(0, "x"), byte(1, "y"), byte(2, "enemy")};
    if (read.IsTerminator()) {
        checks.Fail(entry.object, name +
                                      " is the end marker (x, y and enemy all 0xFF), which only "
                                      "the end of a list holds; a list keeps its length");
    }
    return read;
}

}  // namespace

ListRecord CheckList(const std::string& text, const Token& object, const Members& members,
                     const Token& entriesToken, const std::vector<Entry>& entries) {
    const Checks checks(text);
    // The offset first, to name the list in every other message.
    const std::string owner = "an enemy list";
    const auto offset = std::find_if(members.begin(), members.end(), [](const Member& member) {
        return member.key.text == "offset";
    });
    ListRecord record;
    record.offset = static_cast<Offset>(checks.Number(
        checks.Required(offset == members.end() ? nullptr : &*offset, object, owner, "offset"), 3,
        owner, "offset"));
    const std::string name = ListName(record.offset);
    const auto found = checks.Sort(members, name, std::array{"offset", "entries", "was"});
    record.was = checks.ByteRun(
        checks.Required(found[2], object, name, "was"), name, "was",
        [](std::size_t size) {
            return size > 0 && size % EnemyList::kEntrySize == 0 && size <= EnemyList::kBlockSize;
        },
        "the list's bytes, 3 for each enemy and 3 for its end, as hexadecimal digits");
    const Token& list = checks.Required(found[1], object, name, "entries");
    if (list.kind != Token::Kind::Other || list.text != "[") {
        checks.Fail(list, name + " entries must be a list ([...])");
    }
    if (entries.size() >= EnemyList::kSlotCount) {
        checks.Fail(entriesToken, name + " holds " + std::to_string(entries.size()) +
                                      " entries; a list holds at most " +
                                      std::to_string(EnemyList::kSlotCount - 1));
    }
    for (std::size_t i = 0; i < entries.size(); ++i) {
        record.entries.push_back(
            CheckEntry(checks, entries[i], name + " entry " + std::to_string(i)));
    }
    return record;
}

}  // namespace vorn::headers
