// SPDX-License-Identifier: MIT
// Reading a level text. The parser hands over one token at a time (its SAX interface); the
// reader gathers the members of one record, a room or an enemy list, and checks it as soon
// as its object closes, so no document tree is built. Every token keeps where it ended in the
// text, from which a message finds the line and the column of whatever is wrong.

#include <nlohmann/json.hpp>

#include <algorithm>
#include <istream>
#include <set>
#include <streambuf>
#include <string>
#include <utility>
#include <vector>

#include "headers/command_error.h"
#include "headers/level_text.h"
#include "headers/text_record.h"

namespace vorn::headers {

namespace {

using Json = nlohmann::json;

// The text as a stream that tells how much of it has been read. The parser reads a token and
// hands it over before reading on, so at each event this is the end of that token (or one
// character past it, for a number, which only ends where something else begins).
class TextBuffer : public std::streambuf {
  public:
    explicit TextBuffer(const std::string& text) {
        // The parser only reads; nothing is ever written into the text.
        char* begin = const_cast<char*>(text.data());
        setg(begin, begin, begin + text.size());
    }
    std::size_t Consumed() const { return static_cast<std::size_t>(gptr() - eback()); }
};

// Line and column from 1; a column counts characters (UTF-8), not bytes.
std::string Where(const std::string& name, const std::string& text, std::size_t at) {
    std::size_t line = 1;
    std::size_t column = 1;
    for (std::size_t i = 0; i < at && i < text.size(); ++i) {
        if (text[i] == '\n') {
            ++line;
            column = 1;
        } else if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
            ++column;
        }
    }
    return name + ":" + std::to_string(line) + ":" + std::to_string(column) + ": ";
}

// --- gathering the records -------------------------------------------------------------

// Follows the parser's events. The event handlers keep the names the parser calls them by.
class Reader : public nlohmann::json_sax<Json> {
  public:
    Reader(const std::string& text, const TextBuffer& buffer) : text_(text), buffer_(buffer) {}

    LevelData Data() && { return std::move(data_); }
    // What the parser found wrong with the text, if anything.
    const std::string& ParseError() const { return parseError_; }
    std::size_t ParseErrorAt() const { return parseErrorAt_; }

    bool null() override { return Scalar(Word(Token::Kind::Other, "null")); }
    bool boolean(bool value) override {
        return Scalar(Word(Token::Kind::Other, value ? "true" : "false"));
    }
    bool number_integer(number_integer_t value) override {
        Token token = Word(Token::Kind::Integer, std::to_string(value));
        token.integer = value;
        return Scalar(std::move(token));
    }
    bool number_unsigned(number_unsigned_t value) override {
        // Too large for a room number either way.
        Token token = Word(Token::Kind::Integer, std::to_string(value));
        token.integer = value > 0x7FFFFFFF ? -1 : static_cast<std::int64_t>(value);
        return Scalar(std::move(token));
    }
    bool number_float(number_float_t /*value*/, const string_t& text) override {
        return Scalar(Word(Token::Kind::Other, text));
    }
    bool string(string_t& value) override {
        Token token = At(Token::Kind::String, Token::Shape::Quoted);
        token.text = std::move(value);
        return Scalar(std::move(token));
    }
    bool binary(binary_t& /*value*/) override { return Scalar(Word(Token::Kind::Other, "?")); }
    bool start_object(std::size_t /*elements*/) override { return Open('{'); }
    bool start_array(std::size_t /*elements*/) override { return Open('['); }
    bool key(string_t& name) override;
    bool end_object() override;
    bool end_array() override {
        stack_.pop_back();
        return true;
    }
    bool parse_error(std::size_t position, const std::string& /*token*/,
                     const nlohmann::detail::exception& error) override {
        parseErrorAt_ = position > 0 ? position - 1 : 0;
        parseError_ = error.what();
        return false;
    }

  private:
    // Where the parser is: what the innermost open object or list is.
    enum class Place { Document, Rooms, Lists, Record, Entries, Entry, Skipped };

    Token At(Token::Kind kind, Token::Shape shape) const {
        Token token;
        token.kind = kind;
        token.shape = shape;
        token.end = buffer_.Consumed();
        return token;
    }
    Token Word(Token::Kind kind, std::string text) const {
        Token token = At(kind, Token::Shape::Word);
        token.text = std::move(text);
        return token;
    }

    bool Scalar(Token token);
    bool Open(char bracket);
    // Outside a record, a value of the wrong kind.
    [[noreturn]] void Misplaced(const Token& token) const;

    const std::string& text_;
    const TextBuffer& buffer_;
    std::vector<Place> stack_;
    std::string documentKey_;
    // The record being gathered.
    Token record_;
    Members members_;
    Token entriesToken_;
    std::vector<Entry> entries_;
    LevelData data_;
    std::set<int> rooms_;
    std::set<Offset> offsets_;
    std::string parseError_;
    std::size_t parseErrorAt_ = 0;
};

void Reader::Misplaced(const Token& token) const {
    if (stack_.empty()) {
        Fail(text_, token, "a level text must be an object ({...})");
    }
    switch (stack_.back()) {
        case Place::Document:
            Fail(text_, token, "\"" + documentKey_ + "\" must be a list ([...])");
        case Place::Rooms:
            Fail(text_, token, "a room must be an object ({...})");
        case Place::Lists:
            Fail(text_, token, "an enemy list must be an object ({...})");
        default:
            Fail(text_, token, "an entry of an enemy list must be an object ({...})");
    }
}

// A value in a record or an entry; anywhere else only an object or a list may stand.
bool Reader::Scalar(Token token) {
    if (!stack_.empty() && stack_.back() == Place::Skipped) {
        return true;
    }
    if (!stack_.empty() && stack_.back() == Place::Record) {
        members_.back().value = std::move(token);
    } else if (!stack_.empty() && stack_.back() == Place::Entry) {
        entries_.back().members.back().value = std::move(token);
    } else {
        Misplaced(token);
    }
    return true;
}

bool Reader::Open(char bracket) {
    Token token = At(Token::Kind::Other, Token::Shape::Bracket);
    token.text = std::string(1, bracket);
    const bool object = bracket == '{';
    const Place where = stack_.empty() ? Place::Document : stack_.back();
    if (stack_.empty() && object) {
        stack_.push_back(Place::Document);
    } else if (where == Place::Document && !stack_.empty() && !object) {
        stack_.push_back(documentKey_ == "rooms" ? Place::Rooms : Place::Lists);
    } else if ((where == Place::Rooms || where == Place::Lists) && object) {
        record_ = std::move(token);
        members_.clear();
        entries_.clear();
        entriesToken_ = Token();
        stack_.push_back(Place::Record);
    } else if (where == Place::Entries && object) {
        entries_.push_back({std::move(token), {}});
        stack_.push_back(Place::Entry);
    } else if (where == Place::Record || where == Place::Entry || where == Place::Skipped) {
        // An object or a list as a value: kept as such for the record's check to refuse,
        // except for the entries of an enemy list.
        const bool entries = where == Place::Record && stack_[stack_.size() - 2] == Place::Lists &&
                             !object && members_.back().key.text == "entries";
        if (entries) {
            entriesToken_ = token;
        }
        if (where != Place::Skipped) {
            Scalar(std::move(token));
        }
        stack_.push_back(entries ? Place::Entries : Place::Skipped);
    } else {
        Misplaced(token);
    }
    return true;
}

bool Reader::key(string_t& name) {
    Token token = At(Token::Kind::String, Token::Shape::Quoted);
    token.text = std::move(name);
    switch (stack_.back()) {
        case Place::Document:
            if (token.text != "rooms" && token.text != "enemyLists") {
                Fail(text_, token,
                     "the level text: unknown field \"" + token.text +
                         "\" (it holds \"rooms\" and \"enemyLists\")");
            }
            documentKey_ = token.text;
            break;
        case Place::Record:
            members_.push_back({std::move(token), Token()});
            break;
        case Place::Entry:
            entries_.back().members.push_back({std::move(token), Token()});
            break;
        default:
            break;
    }
    return true;
}

bool Reader::end_object() {
    const Place closed = stack_.back();
    stack_.pop_back();
    if (closed != Place::Record) {
        return true;
    }
    // A record named a second time is refused where its name (number, offset) stands.
    const auto named = [this](const char* key) -> const Token& {
        return std::find_if(members_.begin(), members_.end(),
                            [key](const Member& member) { return member.key.text == key; })
            ->value;
    };
    if (stack_.back() == Place::Rooms) {
        RoomRecord room = CheckRoom(text_, record_, members_);
        if (!rooms_.insert(room.room).second) {
            Fail(text_, named("room"), RoomName(room.room) + " appears twice");
        }
        data_.rooms.push_back(std::move(room));
    } else {
        ListRecord list = CheckList(text_, record_, members_, entriesToken_, entries_);
        if (!offsets_.insert(list.offset).second) {
            Fail(text_, named("offset"), ListName(list.offset) + " appears twice");
        }
        data_.lists.push_back(std::move(list));
    }
    return true;
}

// The parser's own words after its "parse error at line L, column C: " prefix, which the
// message gives in the form of every other.
std::string ParserReason(const std::string& what) {
    const std::size_t column = what.find("column ");
    const std::size_t colon = what.find(": ", column == std::string::npos ? 0 : column);
    return colon == std::string::npos ? what : what.substr(colon + 2);
}

}  // namespace

LevelData ReadLevelText(const std::string& text, const std::string& name) {
    TextBuffer buffer(text);
    std::istream in(&buffer);
    Reader reader(text, buffer);
    try {
        if (!Json::sax_parse(in, &reader)) {
            throw CommandError(ExitStatus::BadInput,
                               Where(name, text, reader.ParseErrorAt()) +
                                   "not JSON: " + ParserReason(reader.ParseError()));
        }
    } catch (const TextError& error) {
        throw CommandError(ExitStatus::BadInput, Where(name, text, error.at) + error.message);
    }
    LevelData data = std::move(reader).Data();
    std::sort(data.rooms.begin(), data.rooms.end(),
              [](const RoomRecord& a, const RoomRecord& b) { return a.room < b.room; });
    std::sort(data.lists.begin(), data.lists.end(),
              [](const ListRecord& a, const ListRecord& b) { return a.offset < b.offset; });
    return data;
}

}  // namespace vorn::headers
