// SPDX-License-Identifier: MIT
#include "headers/level_text.h"

#include <string_view>

#include "headers/hex_text.h"

namespace vorn::headers {

namespace {

void AppendMember(std::string& out, const char* indent, std::string_view name,
                  std::string_view text, bool last) {
    out += indent;
    out += '"';
    out += name;
    out += "\": \"";
    out += text;
    out += last ? "\"\n" : "\",\n";
}

void AppendRoom(std::string& out, const RoomRecord& record) {
    out += "    {\n      \"room\": ";
    out += std::to_string(record.room);
    out += ",\n";
    for (const NamedField& field : kRoomHeaderFields) {
        AppendMember(out, "      ", field.name, FieldText(record.values, field), false);
    }
    AppendMember(out, "      ", "was", FormatBytes(record.was.bytes.data(), RoomHeader::kSize),
                 true);
    out += "    }";
}

void AppendList(std::string& out, const ListRecord& record) {
    out += "    {\n";
    AppendMember(out, "      ", "offset", FormatOffset(record.offset), false);
    out += "      \"entries\": [";
    for (std::size_t i = 0; i < record.entries.size(); ++i) {
        const EnemyEntry& entry = record.entries[i];
        out += i == 0 ? "\n" : ",\n";
        out += "        {\"x\": \"" + FormatNumber(entry.x, 1) + "\", \"y\": \"" +
               FormatNumber(entry.y, 1) + "\", \"enemy\": \"" + FormatNumber(entry.enemy, 1) +
               "\"}";
    }
    out += record.entries.empty() ? "],\n" : "\n      ],\n";
    AppendMember(out, "      ", "was", FormatBytes(record.was.data(), record.was.size()), true);
    out += "    }";
}

template <typename Record>
void AppendArray(std::string& out, const char* name, const std::vector<Record>& records,
                 void (*append)(std::string&, const Record&), bool last) {
    out += "  \"";
    out += name;
    out += "\": [";
    for (std::size_t i = 0; i < records.size(); ++i) {
        out += i == 0 ? "\n" : ",\n";
        append(out, records[i]);
    }
    out += records.empty() ? "]" : "\n  ]";
    out += last ? "\n" : ",\n";
}

}  // namespace

std::string WriteLevelText(const LevelData& data) {
    std::string out;
    // About 1,200 bytes a room; lists are short.
    out.reserve(1300 * data.rooms.size() + 200 * data.lists.size() + 64);
    out += "{\n";
    AppendArray(out, "rooms", data.rooms, AppendRoom, false);
    AppendArray(out, "enemyLists", data.lists, AppendList, true);
    out += "}\n";
    return out;
}

}  // namespace vorn::headers
