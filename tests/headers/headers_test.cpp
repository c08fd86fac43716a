// SPDX-License-Identifier: MIT
// vorn-headers on synthetic images: an export imported again writes nothing, edits made in
// the text change exactly their bytes, a record another program changed since the export is
// refused, and a text or an image that cannot be used is refused whole, saying where.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <nlohmann/json.hpp>

#include <array>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "headers/commands.h"
#include "rom/room_header.h"
#include "tests/rom/os_files.h"
#include "tests/rom/rom_image_test.h"
#include "tests/rom/unprivileged.h"

using vorn::headers::CommandError;
using vorn::headers::ExitStatus;
using Json = nlohmann::json;
using namespace vorn::test;

namespace {

constexpr std::size_t kListArea = 0x360000;
constexpr std::size_t kListSpacing = 0x400;

// What a command said and how it ended.
struct Outcome {
    ExitStatus status = ExitStatus::Ok;
    std::string out;
    std::string error;
};

Outcome Capture(const std::function<ExitStatus(std::ostream&)>& command) {
    Outcome outcome;
    std::ostringstream out;
    try {
        outcome.status = command(out);
    } catch (const CommandError& e) {
        outcome.status = e.Status();
        outcome.error = e.what();
    }
    outcome.out = out.str();
    return outcome;
}

std::string ReadText(const std::string& path) {
    const ByteVector bytes = ReadFileBytes(path);
    return std::string(bytes.begin(), bytes.end());
}

void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// An image with random rooms whose enemy tables point at random lists (some shared by two
// rooms), outside the ROM, or past the end of the file.
struct RandomImage {
    ImageBuilder image{4 * kMiB};
    std::vector<std::size_t> lists;
    std::vector<std::size_t> listLengths;

    explicit RandomImage(std::uint32_t seed) {
        std::mt19937 random(seed);
        image.Noise(seed).Title();
        const auto pick = [&random](std::uint32_t low, std::uint32_t high) {
            return std::uniform_int_distribution<std::uint32_t>(low, high)(random);
        };
        for (std::size_t i = 0, count = pick(1, 12); i < count; ++i) {
            const std::size_t at = kListArea + kListSpacing * i;
            std::vector<std::array<std::uint8_t, 3>> entries(pick(0, 9));
            for (auto& entry : entries) {
                entry = {static_cast<std::uint8_t>(pick(0, 0xFE)),
                         static_cast<std::uint8_t>(pick(0, 0xFF)),
                         static_cast<std::uint8_t>(pick(0, 0xFF))};
            }
            image.Enemies(at, entries);
            lists.push_back(at);
            listLengths.push_back(entries.size());
        }
        for (int room = 0; room < kRooms; ++room) {
            for (const std::size_t field : {std::size_t{0x20}, std::size_t{0x28}}) {
                const std::uint32_t kind = pick(0, 9);
                const std::uint32_t pointer =
                    kind < 7 ? 0x08000000u +
                                   static_cast<std::uint32_t>(
                                       lists[pick(0, static_cast<std::uint32_t>(lists.size() - 1))])
                    : kind < 9 ? pick(0, 0xFFFFFFFFu) & 0xF7FFFFFFu  // top byte not 0x08
                               : 0x08FFFF00u;                        // past the end
                image.Room32(room, field, pointer);
            }
        }
    }
};

// Room 12 (music 0x0010) points at a list of two enemies at 0x360000.
ImageBuilder ImageWithRoom12(std::uint32_t seed) {
    ImageBuilder image(4 * kMiB);
    image.Noise(seed).Title().Room32(12, 0x20, 0x08360000).Room16(12, 0x3A, 0x0010);
    image.Enemies(kListArea, {{0x30, 0x40, 0x05}, {0x31, 0x41, 0x06}});
    return image;
}

class HeadersTest : public RomImageTest {
  protected:
    std::string Export(const std::string& name = "levels.json") {
        const std::string path = Dir().File(name);
        const Outcome outcome = Capture(
            [&](std::ostream& out) { return vorn::headers::Export(ImagePath(), path, out); });
        EXPECT_EQ(outcome.status, ExitStatus::Ok) << outcome.error;
        return path;
    }
    Outcome Import(const std::string& text, bool dryRun = false) {
        return Capture([&](std::ostream& out) {
            return vorn::headers::Import(ImagePath(), text, dryRun, out);
        });
    }
    Outcome Diff(const std::string& a, const std::string& b) {
        return Capture([&](std::ostream& out) { return vorn::headers::Diff(a, b, out); });
    }
};

template <typename TableRow>
class HeadersTableTest : public HeadersTest, public ::testing::WithParamInterface<TableRow> {};

std::string Hex(std::uint32_t value, std::size_t digits) {
    std::ostringstream text;
    text << "0x" << std::uppercase << std::hex;
    text.width(static_cast<std::streamsize>(digits));
    text.fill('0');
    text << value;
    return text.str();
}

// The property: on random images, an export imported at once writes nothing and diff finds
// nothing; random edits in the text (re-laid out by another JSON writer, as jq would) change
// exactly their bytes, and diff names each field that changed.
TEST_F(HeadersTest, EditsInTheTextChangeExactlyTheirBytes) {
    for (std::uint32_t seed = 1; seed <= 12; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        const RandomImage random(seed);
        WriteImage(random.image);
        const std::string text = Export();
        const auto written = std::filesystem::last_write_time(ImagePath());
        ASSERT_EQ(Import(text).status, ExitStatus::Ok);
        EXPECT_TRUE(FileBytes() == random.image.Bytes());
        EXPECT_EQ(std::filesystem::last_write_time(ImagePath()), written);
        const Outcome same = Diff(ImagePath(), text);
        EXPECT_EQ(same.status, ExitStatus::Ok);
        EXPECT_EQ(same.out, "");

        Json document = Json::parse(ReadText(text));
        ASSERT_EQ(document["rooms"].size(), static_cast<std::size_t>(kRooms));
        std::mt19937 pick(seed);
        ByteVector expected = random.image.Bytes();
        std::map<std::size_t, std::size_t> editedFields;  // where in the image, how wide
        for (int edit = 0; edit < 8; ++edit) {
            if (edit % 2 == 0) {
                const int room = static_cast<int>(pick() % kRooms);
                const vorn::NamedField& field =
                    vorn::kRoomHeaderFields[pick() % vorn::kRoomHeaderFields.size()];
                const std::size_t at = RoomAt(room) + field.field.at;
                const std::size_t width = field.field.width;
                std::string digits;
                std::uint32_t number = 0;
                for (std::size_t i = 0; i < width; ++i) {
                    const auto byte = static_cast<std::uint8_t>(pick());
                    expected[at + i] = byte;
                    digits += Hex(byte, 2).substr(2);
                    number |= field.carried ? 0 : std::uint32_t{byte} << (8 * i);
                }
                document["rooms"][static_cast<std::size_t>(room)][field.name] =
                    field.carried ? digits : Hex(number, 2 * width);
                editedFields[at] = width;
            } else if (!document["enemyLists"].empty()) {
                Json& list = document["enemyLists"][pick() % document["enemyLists"].size()];
                if (list["entries"].empty()) {
                    continue;
                }
                const std::size_t entry = pick() % list["entries"].size();
                const std::size_t member = pick() % 3;
                const auto byte = static_cast<std::uint8_t>(pick() % 0xFF);  // never FF
                const std::size_t at =
                    std::stoul(list["offset"].get<std::string>(), nullptr, 16) + 3 * entry + member;
                list["entries"][entry][std::array{"x", "y", "enemy"}[member]] = Hex(byte, 2);
                expected[at] = byte;
                editedFields[at] = 1;
            }
        }
        std::size_t changedFields = 0;
        for (const auto& [at, width] : editedFields) {
            const auto begin = static_cast<std::ptrdiff_t>(at);
            const auto end = static_cast<std::ptrdiff_t>(at + width);
            if (!std::equal(expected.begin() + begin, expected.begin() + end,
                            random.image.Bytes().begin() + begin)) {
                ++changedFields;
            }
        }
        const std::string edited = Dir().File("edited.json");
        WriteFile(edited, document.dump(1));
        const Outcome diff = Diff(text, edited);
        EXPECT_EQ(diff.status, changedFields == 0 ? ExitStatus::Ok : ExitStatus::Differ);
        EXPECT_EQ(static_cast<std::size_t>(std::count(diff.out.begin(), diff.out.end(), '\n')),
                  changedFields)
            << diff.out;
        const Outcome imported = Import(edited);
        ASSERT_EQ(imported.status, ExitStatus::Ok) << imported.error;
        EXPECT_EQ(ChangedOffsets(expected, FileBytes()), std::vector<std::size_t>());
    }
}

// The edit of one room's music and one enemy's x, as a person makes it in a text editor:
// the one line of each, and exactly their bytes in the image.
TEST_F(HeadersTest, OneMusicAndOneEnemy) {
    const ImageBuilder image = ImageWithRoom12(5);
    WriteImage(image);
    std::string text = ReadText(Export());
    const auto replace = [&text](const std::string& from, const std::string& to) {
        const std::size_t at = text.find(from);
        ASSERT_NE(at, std::string::npos) << from;
        text.replace(at, from.size(), to);
    };
    const std::size_t room12 = text.find("\"room\": 12,");
    text.replace(text.find("\"music\": \"0x0010\"", room12), 17, "\"music\": \"0x0012\"");
    replace("{\"x\": \"0x31\"", "{\"x\": \"0x32\"");
    const std::string edited = Dir().File("edited.json");
    WriteFile(edited, text);

    const Outcome diff = Diff(ImagePath(), edited);
    EXPECT_EQ(diff.status, ExitStatus::Differ);
    EXPECT_EQ(diff.out,
              "room 12 music 0x0010 -> 0x0012\n"
              "enemy list 0x360000 entry 1 x 0x31 -> 0x32\n");
    const Outcome dryRun = Import(edited, true);
    EXPECT_EQ(dryRun.status, ExitStatus::Ok);
    EXPECT_TRUE(FileBytes() == image.Bytes());
    EXPECT_EQ(Import(edited).status, ExitStatus::Ok);
    EXPECT_EQ(ChangedOffsets(image.Bytes(), FileBytes()),
              (std::vector<std::size_t>{RoomAt(12) + 0x3A, kListArea + 3}));
}

struct StaleRow : Row {
    std::size_t changedByAnother;  // the byte another program changes after the export
    bool refused;
    const char* named;
};

// Room 12 and the list at 0x360000 are edited in the text; another program changed one byte
// since the export.
const StaleRow kStale[] = {
    {"a byte of the edited room", RoomAt(12) + 0x30, true, "room 12 has changed"},
    {"the edited room's music itself", RoomAt(12) + 0x3A, true, "room 12 has changed"},
    {"an entry of the edited list", kListArea + 4, true, "enemy list 0x360000 has changed"},
    {"the end of the edited list", kListArea + 6, true, "enemy list 0x360000 has changed"},
    {"another room", RoomAt(13) + 0x3A, false, ""},
    {"the byte after the edited list", kListArea + 9, false, ""},
};

using StaleTest = HeadersTableTest<StaleRow>;

TEST_P(StaleTest, RefusedWhenTheEditedRecordChanged) {
    const StaleRow& row = GetParam();
    const ImageBuilder image = ImageWithRoom12(7);
    WriteImage(image);
    const std::string text = Export();
    Json document = Json::parse(ReadText(text));
    document["rooms"][12]["music"] = "0x0012";
    document["enemyLists"][0]["entries"][1]["x"] = "0x32";
    WriteFile(text, document.dump());
    ByteVector changed = image.Bytes();
    changed[row.changedByAnother] ^= 0x01;
    WriteFileBytes(ImagePath(), changed);

    const Outcome outcome = Import(text);
    if (row.refused) {
        EXPECT_EQ(outcome.status, ExitStatus::Refused);
        EXPECT_NE(outcome.error.find(row.named), std::string::npos) << outcome.error;
        EXPECT_TRUE(FileBytes() == changed);
    } else {
        EXPECT_EQ(outcome.status, ExitStatus::Ok) << outcome.error;
        std::vector<std::size_t> written = {RoomAt(12) + 0x3A, kListArea + 3};
        EXPECT_EQ(ChangedOffsets(changed, FileBytes()), written);
    }
}

VORN_TABLE(StaleTest, kStale);

struct BadTextRow : Row {
    const char* find;  // in the export; its first occurrence, after "room": 12 when `inRoom12`
    const char* replace;
    bool inRoom12;
    ExitStatus status;
    const char* says;
    int line;  // of the fault, counted from the line of the edit; -1: no line named
};

const BadTextRow kBadTexts[] = {
    {"not JSON: a missing comma", "\",\n      \"tide\"", "\"\n      \"tide\"", true,
     ExitStatus::BadInput, "not JSON", 1},
    {"not JSON: a value without quotes", "\"tide\": \"", "\"tide\": ", true, ExitStatus::BadInput,
     "not JSON", 0},
    {"unknown field", "\"mapX\"", "\"mapx\"", true, ExitStatus::BadInput,
     "room 12: unknown field \"mapx\"", 0},
    {"byte out of range", "\"tide\": \"0x", "\"tide\": \"0x1", true, ExitStatus::BadInput,
     "room 12 tide: \"0x1", 0},
    {"music out of range", "\"music\": \"0x", "\"music\": \"0x1", true, ExitStatus::BadInput,
     "out of range (from 0x0000 to 0xFFFF)", 0},
    {"carried bytes cut short", "\"extra30\": \"", "\"extra30\": \"0", true, ExitStatus::BadInput,
     "room 12 extra30 must be", 0},
    {"a room outside 0 to 329", "\"room\": 12,", "\"room\": 330,", false, ExitStatus::BadInput,
     "from 0 to 329, not 330", 0},
    {"a room twice", "\"room\": 13,", "\"room\": 12,", false, ExitStatus::BadInput,
     "room 12 appears twice", 0},
    {"an entry holding the end marker", "{\"x\": \"0x31\", \"y\": \"0x41\", \"enemy\": \"0x06\"}",
     "{\"x\": \"0xFF\", \"y\": \"0xFF\", \"enemy\": \"0xff\"}", false, ExitStatus::BadInput,
     "entry 1 is the end marker", 0},
    {"a list grown by one entry", "{\"x\": \"0x31\"",
     "{\"x\": \"0x01\", \"y\": \"0x02\", \"enemy\": \"0x03\"}, {\"x\": \"0x31\"", false,
     ExitStatus::Refused, "enemy list 0x360000 has 3 entries in the text but had 2", -1},
};

using BadTextTest = HeadersTableTest<BadTextRow>;

// The whole text is refused, nothing is written, and the message names the line that holds
// the fault (counted here from where the edit was made).
TEST_P(BadTextTest, RefusedWhole) {
    const BadTextRow& row = GetParam();
    const ImageBuilder image = ImageWithRoom12(9);
    WriteImage(image);
    const std::string path = Export();
    std::string text = ReadText(path);
    // Also change a valid field, so that a text refused whole is seen to write nothing.
    const std::size_t room12 = text.find("\"room\": 12,");
    text.replace(text.find("\"music\": \"0x0010\"", room12), 17, "\"music\": \"0x0011\"");
    const std::size_t from = row.inRoom12 ? room12 : 0;
    const std::size_t at = text.find(row.find, from);
    ASSERT_NE(at, std::string::npos);
    text.replace(at, std::string(row.find).size(), row.replace);
    WriteFile(path, text);
    const auto line =
        std::count(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(at), '\n') + 1 +
        row.line;

    const Outcome outcome = Import(path);
    EXPECT_EQ(outcome.status, row.status);
    EXPECT_NE(outcome.error.find(row.says), std::string::npos) << outcome.error;
    if (row.line >= 0) {
        EXPECT_EQ(outcome.error.rfind(path + ":" + std::to_string(line) + ":", 0), 0u)
            << outcome.error;
    }
    EXPECT_TRUE(FileBytes() == image.Bytes());
}

VORN_TABLE(BadTextTest, kBadTexts);

struct BadImageRow : Row {
    std::function<std::string(const TempDir&)> image;
    const char* says;
};

const BadImageRow kBadImages[] = {
    {"not an image of the game",
     [](const TempDir& dir) { return ImageBuilder(4 * kMiB).WriteTo(dir.File("other.gba")); },
     "an image of the supported game"},
    {"a named pipe",
     [](const TempDir& dir) {
         const std::string path = dir.File("pipe");
         ::mkfifo(path.c_str(), 0644);
         return path;
     },
     "named pipe"},
    {"a device", [](const TempDir&) { return std::string("/dev/null"); }, "device"},
    {"no file", [](const TempDir& dir) { return dir.File("missing.gba"); }, "missing.gba"},
};

using BadImageTest = HeadersTableTest<BadImageRow>;

// Each command refuses what is not an image of the game, and none waits on a pipe or makes
// a missing file.
TEST_P(BadImageTest, Refused) {
    WriteImage(ImageBuilder(4 * kMiB).Noise(11).Title());
    const std::string text = Export();
    const std::string bad = GetParam().image(Dir());
    const Outcome outcomes[] = {
        Capture([&](std::ostream& out) { return vorn::headers::Export(bad, "-", out); }),
        Capture([&](std::ostream& out) { return vorn::headers::Import(bad, text, false, out); }),
        Capture([&](std::ostream& out) { return vorn::headers::Diff(bad, text, out); }),
    };
    for (const Outcome& outcome : outcomes) {
        EXPECT_EQ(outcome.status, ExitStatus::BadInput);
        EXPECT_NE(outcome.error.find(GetParam().says), std::string::npos) << outcome.error;
        EXPECT_EQ(outcome.out, "");
    }
    EXPECT_FALSE(FileExists(Dir().File("missing.gba")));
}

VORN_TABLE(BadImageTest, kBadImages);

// A read-only image: an edited text is refused as bad input before anything is read, by a
// user the file's mode binds (root is not one).
TEST_F(HeadersTest, ReadOnlyImage) {
    if (const std::string why = WhyFilePermissionsCannotBind(); !why.empty()) {
        GTEST_SKIP() << why;
    }
    WriteImage(ImageBuilder(4 * kMiB).Noise(13).Title());
    Json document = Json::parse(ReadText(Export()));
    Json& tide = document["rooms"][0]["tide"];
    tide = tide == "0x01" ? "0x02" : "0x01";
    const std::string path = Dir().File("edited.json");
    WriteFile(path, document.dump());
    MakeReadOnly(ImagePath());
    const std::string image = ImagePath();
    const ChildOutcome child = RunUnprivileged([&](ChildReport& report) {
        const Outcome outcome = Capture(
            [&](std::ostream& out) { return vorn::headers::Import(image, path, false, out); });
        report["status"] = std::to_string(static_cast<int>(outcome.status));
        report["error"] = outcome.error;
    });
    ASSERT_EQ(child.exitCode, 0);
    EXPECT_EQ(child.report.at("status"), "2");
    EXPECT_NE(child.report.at("error").find("Cannot write to \"" + image + "\""), std::string::npos)
        << child.report.at("error");
    EXPECT_TRUE(FileBytes() == ImageBuilder(4 * kMiB).Noise(13).Title().Bytes());
}

}  // namespace
