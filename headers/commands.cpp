// SPDX-License-Identifier: MIT
#include "headers/commands.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <system_error>
#include <vector>

#include "headers/changes.h"
#include "headers/hex_text.h"
#include "headers/level_data.h"
#include "headers/level_text.h"
#include "rom/game_title.h"
#include "rom/platform_file.h"
#include "rom/rom_error.h"

namespace vorn::headers {

namespace {

// A level text is small (about 400 KiB for every room); anything far bigger is not one.
constexpr std::int64_t kLargestText = 64 * 1024 * 1024;

std::string OneLine(const RomError& error) {
    return "Cannot " + error.Action() + " \"" + error.Path() + "\": " + error.Reason() + ".";
}

CommandError BadInput(const std::string& message) {
    return CommandError(ExitStatus::BadInput, message);
}

// The image at `path`, which must be one of the supported game. Never creates a file.
RomFile OpenGameImage(const std::string& path) {
    try {
        RomFile file = RomFile::Open(path, RomFile::IfMissing::Fail);
        if (!HoldsGameTitle(file)) {
            throw BadInput(path + " is not an image of the supported game (no title \"" +
                           std::string(kGameTitle) + "\" at 0xA0)");
        }
        return file;
    } catch (const RomError& error) {
        throw BadInput(OneLine(error));
    }
}

std::string KindOf(platform::FileKind kind) {
    switch (kind) {
        case platform::FileKind::Folder:
            return "a folder";
        case platform::FileKind::NamedPipe:
            return "a named pipe";
        case platform::FileKind::Socket:
            return "a socket";
        case platform::FileKind::Device:
            return "a device";
        default:
            return "not a regular file";
    }
}

// A whole text file, opened for reading only; "-" is the standard input. Like an image, a
// named pipe or a device is refused rather than waited on.
std::string ReadText(const std::string& path) {
    if (path == "-") {
        std::ostringstream text;
        text << std::cin.rdbuf();
        return text.str();
    }
    const platform::OpenResult opened = platform::Open(path, false, false);
    if (opened.kind != platform::FileKind::Regular) {
        throw BadInput("Cannot read \"" + path + "\": it is " + KindOf(opened.kind) +
                       ", not a level text.");
    }
    if (!opened.failure.empty()) {
        throw BadInput("Cannot read \"" + path + "\": " + opened.failure + ".");
    }
    std::string text;
    std::string failure;
    const platform::Result size = platform::Size(opened.file);
    if (!size.Ok()) {
        failure = size.failure;
    } else if (size.count > kLargestText) {
        failure = "it is far too large for a level text";
    } else {
        text.resize(static_cast<std::size_t>(size.count));
        std::size_t done = 0;
        while (done < text.size() && failure.empty()) {
            auto* into = reinterpret_cast<std::uint8_t*>(&text[done]);
            const platform::Result got = platform::ReadAt(
                opened.file, static_cast<std::int64_t>(done), into, text.size() - done);
            failure = got.failure;
            done += static_cast<std::size_t>(got.count);
            if (got.Ok() && got.count == 0) {
                text.resize(done);  // cut short while being read
            }
        }
    }
    platform::Close(opened.file);
    if (!failure.empty()) {
        throw BadInput("Cannot read \"" + path + "\": " + failure + ".");
    }
    return text;
}

std::string TextName(const std::string& path) {
    return path == "-" ? "<standard input>" : path;
}

// An argument of diff: an image of the game, or else a level text.
LevelData ReadEither(const std::string& path) {
    {
        RomFile file = [&path] {
            try {
                return RomFile::Open(path, RomFile::IfMissing::Fail);
            } catch (const RomError& error) {
                throw BadInput(OneLine(error));
            }
        }();
        if (HoldsGameTitle(file)) {
            return ReadLevelData(file);
        }
    }
    const std::string text = ReadText(path);
    const std::size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos || text[first] != '{') {
        throw BadInput(path + " is neither an image of the supported game (no title \"" +
                       std::string(kGameTitle) + "\" at 0xA0) nor a level text");
    }
    return ReadLevelText(text, path);
}

void WriteOutput(const std::string& path, const std::string& text, std::ostream& out) {
    if (path == "-") {
        out << text << std::flush;
        if (!out) {
            throw CommandError(ExitStatus::Refused, "Cannot write the text to the output.");
        }
        return;
    }
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    const int openError = errno;
    if (!file) {
        throw CommandError(ExitStatus::Refused,
                           "Cannot write \"" + path + "\": " + SystemReason(openError) + ".");
    }
    file.write(text.data(), static_cast<std::streamsize>(text.size()));
    file.close();
    if (!file) {
        throw CommandError(ExitStatus::Refused, "Cannot write \"" + path + "\".");
    }
}

// --- import ------------------------------------------------------------------------------

// A record the text changes: its name for messages, its bytes, what the text says of them.
struct Planned {
    bool room;        // else an enemy list
    std::string key;  // the room's number, or the list's offset as the text writes it
    Patch patch;
    std::vector<std::string> changes;
};

std::vector<Planned> Plan(const LevelData& data) {
    std::vector<Planned> plan;
    for (const RoomRecord& room : data.rooms) {
        if (room.values != room.was) {
            const Bytes bytes(room.values.bytes.begin(), room.values.bytes.end());
            const Bytes was(room.was.bytes.begin(), room.was.bytes.end());
            plan.push_back({true,
                            std::to_string(room.room),
                            {RoomTable::RecordOffset(room.room), bytes, was},
                            RoomChanges(room.room, room.was, room.values)});
        }
    }
    for (const ListRecord& list : data.lists) {
        const std::vector<EnemyEntry> was = EntriesOf(list.was);
        if (was.size() != list.entries.size()) {
            throw CommandError(
                ExitStatus::Refused,
                ListName(list.offset) + " has " + std::to_string(list.entries.size()) +
                    " entries in the text but had " + std::to_string(was.size()) +
                    " when exported: a list keeps its length (a longer one needs moving to "
                    "free space, which this command does not do); nothing was written");
        }
        const Bytes image = ListImageWith(list.entries, list.was);
        if (image != list.was) {
            plan.push_back({false,
                            FormatOffset(list.offset),
                            {list.offset, image, list.was},
                            ListChanges(list.offset, was, list.entries)});
        }
    }
    return plan;
}

// "a", "a and b", "a, b and c".
std::string Listing(const std::vector<std::string>& items) {
    std::string listing;
    for (std::size_t i = 0; i < items.size(); ++i) {
        listing += i == 0 ? "" : i + 1 == items.size() ? " and " : ", ";
        listing += items[i];
    }
    return listing;
}

// "room 12", "rooms 40, 41 and 42; enemy list 0x3A0140".
std::string Names(const std::vector<const Planned*>& records) {
    std::vector<std::string> rooms;
    std::vector<std::string> lists;
    for (const Planned* record : records) {
        (record->room ? rooms : lists).push_back(record->key);
    }
    const auto named = [](const char* one, const char* many, const std::vector<std::string>& keys) {
        return keys.empty() ? std::string() : (keys.size() == 1 ? one : many) + Listing(keys);
    };
    const std::string roomNames = named("room ", "rooms ", rooms);
    const std::string listNames = named("enemy list ", "enemy lists ", lists);
    return roomNames + (roomNames.empty() || listNames.empty() ? "" : "; ") + listNames;
}

// Leaves out the records that the image already holds as the text has them (the text was
// imported before), and refuses the lot when another program changed a record since the
// export: its bytes in the image are neither its was nor its new values.
std::vector<Planned> Settle(const RomFile& rom, const std::vector<Planned>& plan) {
    std::vector<Planned> left;
    std::vector<const Planned*> changed;
    for (const Planned& record : plan) {
        const Bytes now = rom.ReadAt(record.patch.offset, record.patch.bytes.size());
        if (now == record.patch.bytes) {
            continue;
        }
        if (now != record.patch.lastSeen) {
            changed.push_back(&record);
        }
        left.push_back(record);
    }
    if (!changed.empty()) {
        const bool one = changed.size() == 1;
        throw CommandError(ExitStatus::Refused,
                           rom.Path() + ": " + Names(changed) + (one ? " has" : " have") +
                               " changed since the export (another program wrote " +
                               (one ? "it" : "them") + "; the image no longer holds " +
                               (one ? "its" : "their") +
                               " \"was\"), so nothing was written; export again and redo the edit");
    }
    return left;
}

// Two records that share bytes cannot both be written from one text.
void RequireApart(const std::vector<Planned>& plan) {
    std::vector<const Planned*> sorted;
    for (const Planned& record : plan) {
        sorted.push_back(&record);
    }
    std::sort(sorted.begin(), sorted.end(),
              [](const Planned* a, const Planned* b) { return a->patch.offset < b->patch.offset; });
    for (std::size_t i = 1; i < sorted.size(); ++i) {
        const Patch& before = sorted[i - 1]->patch;
        if (before.offset + static_cast<std::int64_t>(before.bytes.size()) >
            sorted[i]->patch.offset) {
            throw CommandError(ExitStatus::Refused,
                               Names({sorted[i - 1], sorted[i]}) +
                                   " share bytes in the image, so one text cannot change both; "
                                   "nothing was written");
        }
    }
}

std::string Summary(const std::vector<Planned>& plan) {
    std::vector<const Planned*> records;
    std::size_t bytes = 0;
    for (const Planned& record : plan) {
        records.push_back(&record);
        bytes += record.patch.bytes.size();
    }
    return Names(records) + " (" + std::to_string(bytes) + " bytes)";
}

}  // namespace

ExitStatus Export(const std::string& romPath, const std::string& outputPath, std::ostream& out) {
    LevelData data = [&romPath] {
        RomFile rom = OpenGameImage(romPath);
        try {
            return ReadLevelData(rom);
        } catch (const RomError& error) {
            throw BadInput(OneLine(error));
        }
    }();
    std::error_code ignored;
    if (outputPath != "-" && std::filesystem::equivalent(romPath, outputPath, ignored)) {
        throw BadInput("The text would overwrite the image itself: \"" + outputPath + "\".");
    }
    WriteOutput(outputPath, WriteLevelText(data), out);
    return ExitStatus::Ok;
}

ExitStatus Diff(const std::string& a, const std::string& b, std::ostream& out) {
    const LevelData first = ReadEither(a);
    const LevelData second = ReadEither(b);
    const std::vector<std::string> lines = Differences(first, a, second, b);
    for (const std::string& line : lines) {
        out << line << '\n';
    }
    out << std::flush;
    return lines.empty() ? ExitStatus::Ok : ExitStatus::Differ;
}

ExitStatus Import(const std::string& romPath, const std::string& textPath, bool dryRun,
                  std::ostream& out) {
    const LevelData data = ReadLevelText(ReadText(textPath), TextName(textPath));
    RomFile rom = OpenGameImage(romPath);
    if (!dryRun && !rom.IsWritable()) {
        throw BadInput("Cannot write to \"" + romPath + "\": " + rom.WriteRefusal() +
                       "; nothing was written.");
    }
    std::vector<Planned> plan;
    try {
        plan = Settle(rom, Plan(data));
    } catch (const RomError& error) {
        throw BadInput(OneLine(error));
    }
    RequireApart(plan);
    for (const Planned& record : plan) {
        for (const std::string& line : record.changes) {
            out << line << '\n';
        }
    }
    if (plan.empty()) {
        out << romPath << ": nothing to write, the image holds every value of the text"
            << std::endl;
        return ExitStatus::Ok;
    }
    if (dryRun) {
        out << romPath << ": would write " << Summary(plan) << "; nothing written (--dry-run)"
            << std::endl;
        return ExitStatus::Ok;
    }
    std::vector<Patch> patches;
    for (const Planned& record : plan) {
        patches.push_back(record.patch);
    }
    try {
        rom.WriteAt(patches);
        rom.Close();
    } catch (const RomError& error) {
        throw CommandError(ExitStatus::Refused, OneLine(error));
    }
    out << romPath << ": wrote " << Summary(plan) << std::endl;
    return ExitStatus::Ok;
}

}  // namespace vorn::headers
