// SPDX-License-Identifier: MIT
#include "tests/ui/fuzz/rom_world.h"

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "tests/ui/fuzz/record_format.h"

namespace vorn::fuzz {

namespace {

// A list that some rooms point to, inside the cartridge header, where nothing may be written.
constexpr std::size_t kHeaderList = 0x30;

std::uint32_t Pick(std::mt19937& random, std::uint32_t low, std::uint32_t high) {
    return std::uniform_int_distribution<std::uint32_t>(low, high)(random);
}

bool Chance(std::mt19937& random, int percent) {
    return Pick(random, 1, 100) <= static_cast<std::uint32_t>(percent);
}

std::uint32_t DataPointer(std::mt19937& random) {
    if (Chance(random, 70)) {
        return 0x08000000u + Pick(random, 0, 0xFFFFFF);
    }
    const std::uint32_t odd[] = {0, 0xFFFFFFFF, 0x09123456, 0x07FFFFFF, Pick(random, 0, ~0u)};
    return odd[Pick(random, 0, 4)];
}

std::uint32_t EnemyPointer(std::mt19937& random, std::size_t list) {
    if (Chance(random, 75)) {
        return 0x08000000u + static_cast<std::uint32_t>(list);
    }
    const std::uint32_t odd[] = {0, 0x08000000u + kHeaderList, 0x09000000, 0x88000001,
                                 0x08000000u + Pick(random, 0xC0, 0x35FF00)};
    return odd[Pick(random, 0, 4)];
}

std::uint16_t Music(std::mt19937& random) {
    if (Chance(random, 75)) {
        return static_cast<std::uint16_t>(Pick(random, 0, 0xFF));
    }
    return Chance(random, 50) ? 0xFFFF : static_cast<std::uint16_t>(Pick(random, 0x100, 0xFFFE));
}

void PutRoom(test::ImageBuilder& image, int room, std::size_t list, std::mt19937& random) {
    const std::size_t at = test::RoomAt(room);
    for (std::size_t i = 0; i < test::kRoomSize; ++i) {
        image.Put8(at + i, static_cast<std::uint8_t>(Pick(random, 0, 255)));
    }
    for (std::size_t layer = 0x01; layer <= 0x04; ++layer) {  // some layers off
        if (Chance(random, 30)) {
            image.Put8(at + layer, 0);
        }
    }
    for (const FieldSpec& field : kFields) {
        if (field.kind == FieldKind::DataPointer) {
            image.Put32(at + field.at, DataPointer(random));
        } else if (field.kind == FieldKind::EnemyPointer) {
            image.Put32(at + field.at, EnemyPointer(random, list));
        } else if (field.kind == FieldKind::Music) {
            image.Put16(at + field.at, Music(random));
        }
    }
}

void PutList(test::ImageBuilder& image, std::size_t at, std::mt19937& random) {
    std::vector<std::array<std::uint8_t, 3>> entries(Pick(random, 0, 6));
    for (auto& entry : entries) {
        entry = {static_cast<std::uint8_t>(Pick(random, 0, 255)),
                 static_cast<std::uint8_t>(Pick(random, 0, 255)),
                 static_cast<std::uint8_t>(Pick(random, 0, 255))};
    }
    image.Enemies(at, entries, !Chance(random, 5));
}

// Replaces the file in one step, as editors and copy tools do: write aside, then rename.
void ReplaceFile(const std::string& path, const ByteVector& bytes) {
    const std::string aside = path + ".new";
    test::WriteFileBytes(aside, bytes);
    std::filesystem::remove_all(path);
    std::filesystem::rename(aside, path);
}

std::string Hex(std::size_t value) {
    char text[24];
    std::snprintf(text, sizeof text, "%zX", value);
    return text;
}

}  // namespace

ByteVector MakeGameImage(std::mt19937& random) {
    test::ImageBuilder image(kImageSize);
    image.Title();
    std::size_t list = kListsAt;
    for (const int room : kBusyRooms) {
        PutRoom(image, room, list, random);
        PutList(image, list, random);
        list += 0x100;
    }
    PutList(image, kHeaderList, random);
    return image.Bytes();
}

void ReadState(const std::string& path, FileState& state) {
    std::error_code error;
    state.regular = false;
    state.bytes.clear();
    if (!std::filesystem::is_regular_file(std::filesystem::symlink_status(path, error))) {
        return;  // never opened: a pipe would block the reader
    }
    state.regular = true;
    // One read of the whole file: it is read after every action.
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    state.bytes.resize(error ? 0 : static_cast<std::size_t>(size));
    std::ifstream in(path, std::ios::binary);
    in.read(reinterpret_cast<char*>(state.bytes.data()),
            static_cast<std::streamsize>(state.bytes.size()));
    state.bytes.resize(static_cast<std::size_t>(in.gcount()));
}

std::string ChangeFileAsAnotherProgram(const std::string& path, std::mt19937& random) {
    FileState now;
    ReadState(path, now);
    // A file left cut short, without its title or replaced is mostly put right again soon,
    // so that the windows spend most of their time on a file they can write.
    const bool whole = now.regular && now.bytes.size() == kImageSize && now.bytes[0xA0] == 'Z';
    const std::uint32_t what = whole || Chance(random, 30) ? Pick(random, 0, 99) : 99;
    if (now.regular && now.bytes.size() > kListsAt && what < 45) {
        // A few bytes of a busy room's record or of an enemy list.
        const int room = kBusyRooms[Pick(random, 0, 4)];
        const bool inList = Chance(random, 40);
        const std::size_t base =
            inList ? kListsAt + 0x100 * Pick(random, 0, 4) : test::RoomAt(room);
        const std::size_t at = base + Pick(random, 0, inList ? 20 : test::kRoomSize - 1);
        ByteVector bytes(Pick(random, 1, 3));
        for (auto& byte : bytes) {
            byte = static_cast<std::uint8_t>(Pick(random, 0, 255));
        }
        test::OverwriteFileBytes(path, at, bytes);
        return "another program writes " + std::to_string(bytes.size()) + " bytes at " + Hex(at);
    }
    if (now.regular && what < 60) {
        const std::size_t size = Pick(random, 0, 1) ? Pick(random, 0, 0x200)
                                                    : test::kRoomTableAt + Pick(random, 0, 0x1000);
        std::error_code error;
        std::filesystem::resize_file(path, size, error);
        if (!error) {
            return "another program cuts the file to " + Hex(size) + " bytes";
        }
    }
    if (what < 70 && now.regular) {
        ByteVector other = now.bytes;
        if (other.size() > 0xAC) {
            other[0xA0 + Pick(random, 0, 11)] ^= 0x20;
        }
        ReplaceFile(path, other);
        return "another program replaces the file by one without the title";
    }
    if (what < 80) {
        std::filesystem::remove_all(path);
#ifndef _WIN32  // Windows has no named pipes among its files
        if (Chance(random, 50)) {
            ::mkfifo(path.c_str(), 0644);
            return "another program puts a named pipe in the file's place";
        }
#endif
        std::filesystem::create_directory(path);
        return "another program puts a folder in the file's place";
    }
    ReplaceFile(path, MakeGameImage(random));
    return "another program replaces the file by another image of the game";
}

}  // namespace vorn::fuzz
