// SPDX-License-Identifier: MIT
#include "headers/changes.h"

#include <algorithm>

#include "headers/hex_text.h"

namespace vorn::headers {

namespace {

std::string EntryText(const EnemyEntry& entry) {
    return "x " + FormatNumber(entry.x, 1) + " y " + FormatNumber(entry.y, 1) + " enemy " +
           FormatNumber(entry.enemy, 1);
}

// Walks two sorted record lists side by side: `both` for a key on each side, `one` for a key
// on one side only (true for the first side).
template <typename Record, typename Key, typename Both, typename One>
void Merge(const std::vector<Record>& a, const std::vector<Record>& b, Key key, Both both,
           One one) {
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() || j < b.size()) {
        if (j == b.size() || (i < a.size() && key(a[i]) < key(b[j]))) {
            one(a[i++], true);
        } else if (i == a.size() || key(b[j]) < key(a[i])) {
            one(b[j++], false);
        } else {
            both(a[i++], b[j++]);
        }
    }
}

}  // namespace

std::vector<std::string> RoomChanges(int room, const RoomHeader& before, const RoomHeader& after) {
    std::vector<std::string> lines;
    if (before == after) {
        return lines;
    }
    for (const NamedField& field : kRoomHeaderFields) {
        const std::string was = FieldText(before, field);
        const std::string now = FieldText(after, field);
        if (was != now) {
            lines.push_back(RoomName(room) + " " + field.name + " " + was + " -> " + now);
        }
    }
    return lines;
}

std::vector<std::string> ListChanges(Offset offset, const std::vector<EnemyEntry>& before,
                                     const std::vector<EnemyEntry>& after) {
    std::vector<std::string> lines;
    const std::string name = ListName(offset);
    if (before.size() != after.size()) {
        lines.push_back(name + " length " + std::to_string(before.size()) + " -> " +
                        std::to_string(after.size()));
    }
    const std::size_t common = std::min(before.size(), after.size());
    for (std::size_t i = 0; i < common; ++i) {
        const std::string entry = name + " entry " + std::to_string(i) + " ";
        const auto field = [&](const char* label, std::uint8_t was, std::uint8_t now) {
            if (was != now) {
                lines.push_back(entry + label + " " + FormatNumber(was, 1) + " -> " +
                                FormatNumber(now, 1));
            }
        };
        field("x", before[i].x, after[i].x);
        field("y", before[i].y, after[i].y);
        field("enemy", before[i].enemy, after[i].enemy);
    }
    for (std::size_t i = common; i < before.size(); ++i) {
        lines.push_back(name + " entry " + std::to_string(i) + " removed: " + EntryText(before[i]));
    }
    for (std::size_t i = common; i < after.size(); ++i) {
        lines.push_back(name + " entry " + std::to_string(i) + " added: " + EntryText(after[i]));
    }
    return lines;
}

std::vector<std::string> Differences(const LevelData& a, const std::string& nameA,
                                     const LevelData& b, const std::string& nameB) {
    std::vector<std::string> lines;
    const auto add = [&lines](const std::vector<std::string>& more) {
        lines.insert(lines.end(), more.begin(), more.end());
    };
    const auto side = [&](bool first) { return " only in " + (first ? nameA : nameB); };
    Merge(
        a.rooms, b.rooms, [](const RoomRecord& r) { return r.room; },
        [&](const RoomRecord& x, const RoomRecord& y) {
            add(RoomChanges(x.room, x.values, y.values));
        },
        [&](const RoomRecord& r, bool first) { lines.push_back(RoomName(r.room) + side(first)); });
    Merge(
        a.lists, b.lists, [](const ListRecord& l) { return l.offset; },
        [&](const ListRecord& x, const ListRecord& y) {
            add(ListChanges(x.offset, x.entries, y.entries));
        },
        [&](const ListRecord& l, bool first) {
            lines.push_back(ListName(l.offset) + side(first));
        });
    return lines;
}

}  // namespace vorn::headers
