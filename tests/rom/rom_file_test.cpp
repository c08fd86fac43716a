// SPDX-License-Identifier: MIT
// The ROM file: reads that never fail for lack of bytes, and one write path that refuses
// anything but an in-place write into an image of the game.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <limits>
#include <memory>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "rom/game_title.h"
#include "rom/rom_error.h"
#include "rom/rom_file.h"
#include "rom/room_header.h"
#include "tests/rom/os_files.h"
#include "tests/rom/rom_image_test.h"
#include "tests/rom/unprivileged.h"

using vorn::RomError;
using vorn::RomFile;
using namespace vorn::test;

namespace {

constexpr std::size_t kSmallImage = 0x400;
constexpr auto kSmallSize = static_cast<std::int32_t>(kSmallImage);

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

ByteVector Complement(const ByteVector& image, std::size_t at, std::size_t count) {
    ByteVector bytes(count);
    for (std::size_t i = 0; i < count; ++i) {
        bytes[i] = at + i < image.size() ? static_cast<std::uint8_t>(~image[at + i]) : 0x5A;
    }
    return bytes;
}

std::string FailureOf(const ChildOutcome& outcome) {
    return outcome.report.count("failure") ? outcome.report.at("failure") : std::string();
}

// A game image of `size` bytes whose title (when not empty) is written at 0xA0, as far as it
// fits.
ImageBuilder GameImage(std::size_t size, const std::string& title, std::uint32_t seed) {
    ImageBuilder image(std::max(size, kTitleAt + 16));
    image.Noise(seed);
    if (!title.empty()) {
        image.Title(title);
    }
    image.Resize(size);
    return image;
}

using RomFileTest = RomImageTest;

// A ROM that vanished between two commands is reported, not replaced by an empty file.
TEST_F(RomFileTest, OpenWithoutCreating) {
    const std::string path = Dir().File("gone.gba");
    try {
        RomFile::Open(path, RomFile::IfMissing::Fail);
        ADD_FAILURE() << "the open should have failed";
    } catch (const RomError& e) {
        EXPECT_EQ(e.Path(), path);
        EXPECT_PRED2(Contains, e.what(), OsReason(Failure::NoSuchFile));
    }
    EXPECT_FALSE(FileExists(path));
    const ImageBuilder image = GameImage(kSmallImage, "ZEROMISSIONE", 67);
    image.WriteTo(path);
    RomFile file = RomFile::Open(path, RomFile::IfMissing::Fail);
    EXPECT_TRUE(file.IsWritable());
    EXPECT_EQ(file.ReadAt(0, kSmallImage), image.Bytes());
}

struct OpenFailureRow : Row {
    std::string file;
    Failure failure;
};

const OpenFailureRow kOpenFailures[] = {
    {"a folder", "folder", Failure::IsAFolder},
    {"inside a missing folder", "missing/rom.gba", Failure::NoSuchFolder},
    {"inside a plain file", "plain.gba/rom.gba", Failure::NotAFolder},
};

// What cannot be opened at all is a RomError naming the path and the system's reason.
using OpenFailureTest = RomImageTableTest<OpenFailureRow>;

TEST_P(OpenFailureTest, NamesThePathAndTheReason) {
    std::filesystem::create_directory(Dir().File("folder"));
    ImageBuilder(kSmallImage).WriteTo(Dir().File("plain.gba"));
    const std::string path = Dir().File(GetParam().file);
    const std::string reason = OsReason(GetParam().failure);
    try {
        RomFile::Open(path);
        ADD_FAILURE() << "the open should have failed";
    } catch (const RomError& e) {
        EXPECT_EQ(e.Path(), path);
        EXPECT_EQ(e.Reason(), reason);
        EXPECT_PRED2(Contains, e.what(), path);
        EXPECT_PRED2(Contains, e.what(), reason);
    }
    EXPECT_FALSE(FileExists(Dir().File("missing")));
    EXPECT_EQ(ReadFileBytes(Dir().File("plain.gba")).size(), kSmallImage);
}

VORN_TABLE(OpenFailureTest, kOpenFailures);

TEST_F(RomFileTest, OpenEmptyPath) {
    try {
        RomFile::Open("");
        ADD_FAILURE() << "the open should have failed";
    } catch (const RomError& e) {
        EXPECT_FALSE(e.Reason().empty());
        EXPECT_PRED2(Contains, e.what(), e.Reason());
    }
}

// Bytes outside the file read as zero, before its start as after its end, into a buffer of
// stale bytes too: random files and places against a plain copy of the file, reads that start
// before it, inside it, at its end and past it, short and long, and at the two ends of the
// offsets.
TEST_F(RomFileTest, ReadsMatchTheFileAtRandomPlaces) {
    std::mt19937 random(127);
    const auto pick = [&random](std::int64_t low, std::int64_t high) {
        return std::uniform_int_distribution<std::int64_t>(low, high)(random);
    };
    for (int round = 0; round < 40; ++round) {
        const auto size = static_cast<std::size_t>(pick(0, 0x3000));
        const ImageBuilder image = GameImage(size, "", static_cast<std::uint32_t>(round));
        const RomFile file = OpenImage(image);
        const auto length = static_cast<std::int64_t>(size);
        for (int read = 0; read < 25; ++read) {
            const auto offset =
                static_cast<std::int32_t>(read == 0   ? std::numeric_limits<std::int32_t>::min()
                                          : read == 1 ? 0x7FFFFFF0
                                                      : pick(-64 - length, 2 * length + 64));
            const auto count = static_cast<std::size_t>(pick(0, 2 * length + 128));
            const ByteVector expected = BytesAt(image.Bytes(), std::int64_t{offset}, count);
            ByteVector got(count, 0xCC);
            file.ReadAt(offset, got.data(), count);
            ASSERT_EQ(got, expected)
                << "size " << size << ", offset " << offset << ", count " << count;
            ASSERT_EQ(file.ReadAt(offset, count), expected);
        }
    }
}

// Open makes a missing file, empty and writable. The path is UTF-8 on every system: on
// Windows it must reach the file system as the same name, not as bytes in the local code page.
TEST_F(RomFileTest, OpenTakesAUtf8Path) {
    const std::string name =
        "Z\xC3\xA9ro \xE3\x83\x9F\xE3\x83\x83\xE3\x82\xB7\xE3\x83\xA7\xE3\x83\xB3.gba";
    RomFile file = RomFile::Open(Dir().File(name));
    EXPECT_TRUE(file.IsWritable());
    file.Close();
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(Dir().Path())) {
        names.push_back(entry.path().filename().u8string());
    }
    EXPECT_EQ(names, std::vector<std::string>{name});
    EXPECT_EQ(RomFile::Open(Dir().File(name), RomFile::IfMissing::Fail).Size(), 0);
}

struct WriteRow : Row {
    std::size_t size;
    std::int32_t offset;
    std::size_t count;
};

constexpr auto kBigSize = static_cast<std::int32_t>(4 * kMiB);

const WriteRow kWrites[] = {
    {"first byte after the cartridge header", 4 * kMiB, 0xC0, 1},
    {"last byte", 4 * kMiB, kBigSize - 1, 1},
    {"a run in the middle", 4 * kMiB, 0x340AD4, 60},
    {"nothing at the end", 4 * kMiB, kBigSize, 0},
    {"file just long enough", 0xC1, 0xC0, 1},
};

// A write into an image of the game changes exactly the bytes written.
using WriteChangesExactlyThoseBytesTest = RomImageTableTest<WriteRow>;

TEST_P(WriteChangesExactlyThoseBytesTest, Written) {
    const WriteRow& row = GetParam();
    const ImageBuilder image = GameImage(row.size, "ZEROMISSIONE", 73);
    const auto at = static_cast<std::size_t>(row.offset);
    const ByteVector data = Complement(image.Bytes(), at, row.count);
    {
        RomFile file = OpenImage(image);
        file.WriteAt(row.offset, data);
        EXPECT_EQ(file.ReadAt(row.offset, row.count), data);
    }
    EXPECT_EQ(ChangedOffsets(image.Bytes(), FileBytes()), OffsetRange(at, row.count));
}

VORN_TABLE(WriteChangesExactlyThoseBytesTest, kWrites);

struct RefusedRow : Row {
    std::string title;
    std::size_t size;
    std::int32_t offset;
    std::size_t count;
};

const RefusedRow kRefusedWrites[] = {
    {"no title", "", kSmallImage, 0x200, 4},
    {"lower-case title", "zeromissione", kSmallImage, 0x200, 4},
    {"last letter changed", "ZEROMISSIONF", kSmallImage, 0x200, 4},
    {"title one byte late", " ZEROMISSION", kSmallImage, 0x200, 4},
    {"title cut by the end", "ZEROMISSIONE", 0xAB, 0, 4},
    {"empty file", "", 0, 0, 1},
    {"starts at the end", "ZEROMISSIONE", kSmallImage, kSmallSize, 1},
    {"straddles the end", "ZEROMISSIONE", kSmallImage, kSmallSize - 2, 4},
    {"negative offset", "ZEROMISSIONE", kSmallImage, -1, 4},
    {"first byte of the file", "ZEROMISSIONE", kSmallImage, 0, 1},
    {"over the title itself", "ZEROMISSIONE", kSmallImage, 0xA0, 12},
    {"last byte of the cartridge header", "ZEROMISSIONE", kSmallImage, 0xBF, 1},
    {"straddles the cartridge header's end", "ZEROMISSIONE", kSmallImage, 0xBE, 4},
    {"most negative offset", "ZEROMISSIONE", kSmallImage, std::numeric_limits<std::int32_t>::min(),
     4},
};

// A refused write writes nothing at all and leaves the size as it was.
using WriteRefusedTest = RomImageTableTest<RefusedRow>;

TEST_P(WriteRefusedTest, NothingWritten) {
    const RefusedRow& row = GetParam();
    const ImageBuilder image = GameImage(row.size, row.title, 79);
    {
        RomFile file = OpenImage(image);
        try {
            file.WriteAt(row.offset, ByteVector(row.count, 0x5A));
            ADD_FAILURE() << "the write should have been refused";
        } catch (const RomError& e) {
            EXPECT_EQ(e.Path(), ImagePath());
            EXPECT_PRED2(Contains, e.what(), ImagePath());
        }
        EXPECT_EQ(file.Size(), static_cast<std::int64_t>(row.size));
    }
    EXPECT_TRUE(FileBytes() == image.Bytes());
}

VORN_TABLE(WriteRefusedTest, kRefusedWrites);

struct ChangedRow : Row {
    std::string titleAtOpen;
    std::string titleAtWrite;
    std::size_t sizeAtWrite;
    bool written;
};

const ChangedRow kChangedFiles[] = {
    {"title changed after the open", "ZEROMISSIONE", "ZEROMISSIONF", 0x2000, false},
    {"title lower-cased after the open", "ZEROMISSIONE", "zeromissione", 0x2000, false},
    {"title written after the open", "NOTTHEGAME00", "ZEROMISSIONE", 0x2000, true},
    {"file cut after the open", "ZEROMISSIONE", "ZEROMISSIONE", 0x1000, false},
};

// The title and the size are checked when the write happens, not when the file was opened:
// the file may have been replaced or changed in between.
using WriteChecksTheFileAsItIsNowTest = RomImageTableTest<ChangedRow>;

TEST_P(WriteChecksTheFileAsItIsNowTest, Checked) {
    const ChangedRow& row = GetParam();
    const std::size_t at = 0x1800;
    const ImageBuilder image = GameImage(0x2000, row.titleAtOpen, 83);
    bool refused = false;
    ByteVector changed;
    {
        RomFile file = OpenImage(image);
        const std::string& title = row.titleAtWrite;
        OverwriteFileBytes(ImagePath(), kTitleAt, ByteVector(title.begin(), title.end()));
        std::filesystem::resize_file(ImagePath(), row.sizeAtWrite);
        changed = FileBytes();
        try {
            file.WriteAt(static_cast<vorn::Offset>(at), {0x01, 0x02});
        } catch (const RomError&) {
            refused = true;
        }
    }
    EXPECT_EQ(refused, !row.written);
    const ByteVector after = FileBytes();
    EXPECT_EQ(after.size(), changed.size());
    if (row.written) {
        EXPECT_EQ(ChangedOffsets(changed, after), OffsetRange(at, 2));
    } else {
        EXPECT_TRUE(after == changed);
    }
}

VORN_TABLE(WriteChecksTheFileAsItIsNowTest, kChangedFiles);

// A write that says what it last saw at its place is refused exactly when another program
// changed a byte of that place since; a change elsewhere does not stop it. Random places,
// changes and lengths, each checked against the whole file.
TEST_F(RomFileTest, WriteComparesWithWhatWasLastSeen) {
    std::mt19937 random(113);
    const ImageBuilder image = GameImage(kSmallImage, "ZEROMISSIONE", 109);
    for (int round = 0; round < 200; ++round) {
        const std::string& path = WriteImage(image);
        const auto pick = [&random](std::size_t low, std::size_t high) {
            return std::uniform_int_distribution<std::size_t>(low, high)(random);
        };
        const std::size_t at = pick(0xC0, kSmallImage - 1);
        const std::size_t count = pick(1, std::min<std::size_t>(64, kSmallImage - at));
        const std::size_t changedAt =
            pick(std::max<std::size_t>(0xC0, at) - 4, std::min(kSmallImage - 1, at + count + 3));
        const bool changeInside = changedAt >= at && changedAt < at + count;
        const ByteVector lastSeen = BytesAt(image.Bytes(), at, count);
        OverwriteFileBytes(path, changedAt, {static_cast<std::uint8_t>(~image.Bytes()[changedAt])});
        const ByteVector changed = FileBytes();
        const ByteVector data = Complement(image.Bytes(), at, count);
        bool refused = false;
        {
            RomFile file = RomFile::Open(path);
            try {
                file.WriteAt(static_cast<vorn::Offset>(at), data.data(), count, lastSeen.data());
            } catch (const vorn::RomChanged& e) {
                refused = true;
                EXPECT_PRED2(Contains, e.what(), path);
            }
        }
        const ByteVector after = FileBytes();
        ASSERT_EQ(refused, changeInside) << "round " << round;
        if (refused) {
            EXPECT_TRUE(after == changed);
        } else {
            EXPECT_LE(ChangedOffsets(changed, after).size(), count);
            EXPECT_TRUE(std::equal(data.begin(), data.end(),
                                   after.begin() + static_cast<std::ptrdiff_t>(at)));
        }
    }
}

// Patches written together stand or fall together: random sets of places, some in the
// cartridge header or changed by another program since they were seen. The file then holds
// every patch, or is as it was.
TEST_F(RomFileTest, PatchesAreWrittenAllOrNone) {
    std::mt19937 random(131);
    const ImageBuilder image = GameImage(kSmallImage, "ZEROMISSIONE", 127);
    const auto pick = [&random](std::size_t low, std::size_t high) {
        return std::uniform_int_distribution<std::size_t>(low, high)(random);
    };
    int refusals = 0;
    for (int round = 0; round < 200; ++round) {
        const std::string& path = WriteImage(image);
        // Up to five places, one in each of as many 64-byte slots; slot 2 reaches into the
        // cartridge header.
        std::vector<std::size_t> slots = {2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15};
        std::shuffle(slots.begin(), slots.end(), random);
        std::vector<vorn::Patch> patches;
        ByteVector expected = image.Bytes();
        bool refusable = false;
        for (std::size_t i = 0, count = pick(1, 5); i < count; ++i) {
            const std::size_t at = slots[i] * 0x40 + pick(0, 0x20);
            const std::size_t size = pick(1, 0x20);
            const ByteVector data = Complement(image.Bytes(), at, size);
            ByteVector lastSeen = BytesAt(image.Bytes(), at, size);
            if (pick(0, 5) == 0) {
                lastSeen[pick(0, size - 1)] ^= 0x01;  // another program changed it since
                refusable = true;
            }
            refusable = refusable || at < 0xC0;
            std::copy(data.begin(), data.end(), expected.begin() + static_cast<std::ptrdiff_t>(at));
            patches.push_back({static_cast<vorn::Offset>(at), data, lastSeen});
        }
        bool refused = false;
        try {
            RomFile::Open(path).WriteAt(patches);
        } catch (const RomError& e) {
            refused = true;
            EXPECT_PRED2(Contains, e.what(), path);
        }
        ASSERT_EQ(refused, refusable) << "round " << round;
        EXPECT_TRUE(FileBytes() == (refused ? image.Bytes() : expected)) << "round " << round;
        refusals += refused ? 1 : 0;
    }
    EXPECT_GT(refusals, 20);
    EXPECT_LT(refusals, 180);
}

enum class SpecialFile { Pipe, Device, Socket };

struct SpecialFileRow : Row {
    SpecialFile kind;
    std::string reason;
};

const SpecialFileRow kSpecialFiles[] = {
    {"named pipe", SpecialFile::Pipe, "named pipe"},
    {"device", SpecialFile::Device, "device"},
#ifndef _WIN32
    {"socket", SpecialFile::Socket, "socket"},
#endif
};

// Opening never waits: a named pipe that nobody writes, readable but not writable by the user
// (made by another user), a device and a socket are refused as not regular files, whoever
// runs the program. A body that blocked would be stopped and fail the test.
using OpenNeverBlocksTest = RomImageTableTest<SpecialFileRow>;

TEST_P(OpenNeverBlocksTest, RefusedAsNotARegularFile) {
    std::unique_ptr<UnwrittenPipe> pipe;
    std::string path = NullDevice();
    if (GetParam().kind == SpecialFile::Pipe) {
        pipe = std::make_unique<UnwrittenPipe>(Dir());
        path = pipe->Path();
    }
#ifndef _WIN32
    if (GetParam().kind == SpecialFile::Socket) {
        path = BoundSocket(Dir());
    }
#endif
    for (const bool dropPrivileges : {false, true}) {
        const auto body = [&](ChildReport& report) {
            for (const auto& [key, open] :
                 std::initializer_list<std::pair<const char*, std::function<void()>>>{
                     {"open", [&] { RomFile::Open(path); }},
                     {"open existing", [&] { RomFile::Open(path, RomFile::IfMissing::Fail); }},
                     {"game check", [&] { vorn::CheckGameTitle(path); }}}) {
                try {
                    open();
                    report[key] = "opened";
                } catch (const RomError& e) {
                    report[key] = e.what();
                }
            }
        };
        const ChildOutcome outcome = dropPrivileges ? RunUnprivileged(body) : RunAsItself(body);
        ASSERT_EQ(outcome.exitCode, 0)
            << "the child did not end normally: it blocked? " << FailureOf(outcome);
        for (const char* key : {"open", "open existing", "game check"}) {
            const std::string& said = outcome.report.at(key);
            EXPECT_PRED2(Contains, said, path);
            EXPECT_PRED2(Contains, said, GetParam().reason);
        }
    }
}

VORN_TABLE(OpenNeverBlocksTest, kSpecialFiles);

TEST_F(RomFileTest, CloseTwice) {
    const ImageBuilder image = GameImage(kSmallImage, "ZEROMISSIONE", 89);
    RomFile file = OpenImage(image);
    file.Close();
    file.Close();
    EXPECT_FALSE(file.IsOpen());
    EXPECT_THROW(file.ReadAt(0, 4), RomError);
    EXPECT_THROW(file.WriteAt(0x200, {0x01}), RomError);
    EXPECT_TRUE(FileBytes() == image.Bytes());
}

// Every path through the library, failing ones included, gives its descriptor back.
TEST_F(RomFileTest, NoDescriptorLeaks) {
    const std::string rom = GameImage(kSmallImage, "ZEROMISSIONE", 97).WriteTo(Dir().File("a"));
    const std::string other = GameImage(kSmallImage, "", 101).WriteTo(Dir().File("b"));
    std::filesystem::create_directory(Dir().File("folder"));
    const std::string before = OpenHandles({rom, other});
    for (int i = 0; i < 50; ++i) {
        {
            RomFile file = RomFile::Open(rom);
            file.ReadAt(0, 16);
            file.WriteAt(0x200, {static_cast<std::uint8_t>(i)});
            EXPECT_THROW(file.WriteAt(0x3FF, {1, 2}), RomError);
            RomFile moved = std::move(file);
            moved = RomFile::Open(other);  // the descriptor it held must be closed
            EXPECT_THROW(moved.WriteAt(0x200, {1}), RomError);
        }
        EXPECT_TRUE(vorn::CheckGameTitle(rom));
        EXPECT_FALSE(vorn::CheckGameTitle(other));
        EXPECT_THROW(RomFile::Open(Dir().File("folder")), RomError);
        EXPECT_THROW(RomFile::Open(Dir().File("missing/x")), RomError);
        EXPECT_THROW(vorn::CheckGameTitle(Dir().File("folder")), RomError);
    }
    EXPECT_EQ(OpenHandles({rom, other}), before);
}

// The cases that need file permissions to bind to the user who runs them: on Windows under
// Wine run by root they are skipped, and the test command runs them again as another user.
using FilePermissionsTest = RomImageTest;

// A file the user may read but not write: the loads and the game check work, and every
// write is refused with the system's reason.
TEST_F(FilePermissionsTest, ReadOnlyFile) {
    if (const std::string why = WhyFilePermissionsCannotBind(); !why.empty()) {
        GTEST_SKIP() << why;
    }
    const ImageBuilder image = GameImage(4 * kMiB, "ZEROMISSIONE", 103);
    const std::string path = WriteImage(image);
    MakeReadOnly(path);
    const ChildOutcome outcome = RunUnprivileged([&](ChildReport& report) {
        report["can write"] = CanOpen(path, Access::ReadWrite) ? "yes" : "no";
        RomFile file = RomFile::Open(path);
        report["writable"] = file.IsWritable() ? "yes" : "no";
        const ByteVector title = file.ReadAt(static_cast<vorn::Offset>(kTitleAt), 12);
        report["title"] = std::string(title.begin(), title.end());
        const vorn::RoomHeader header = vorn::ReadRoomHeader(file, 329);
        const ByteVector room(header.bytes.begin(), header.bytes.end());
        report["room"] = room == BytesAt(image.Bytes(), RoomAt(329), kRoomSize) ? "read" : "other";
        try {
            vorn::WriteRoomHeader(file, 329, vorn::RoomHeader{});
            report["write"] = "written";
        } catch (const RomError& e) {
            report["write"] = e.what();
            report["write path"] = e.Path();
        }
        file.Close();
        report["game check"] = vorn::CheckGameTitle(path) ? "yes" : "no";
    });
    const ChildReport& report = outcome.report;
    ASSERT_EQ(outcome.exitCode, 0) << FailureOf(outcome);
    EXPECT_EQ(report.at("can write"), "no");
    EXPECT_EQ(report.at("writable"), "no");
    EXPECT_EQ(report.at("title"), "ZEROMISSIONE");
    EXPECT_EQ(report.at("room"), "read");
    EXPECT_EQ(report.at("write path"), path);
    EXPECT_PRED2(Contains, report.at("write"), path);
    EXPECT_PRED2(Contains, report.at("write"), OsReason(Failure::AccessDenied));
    EXPECT_EQ(report.at("game check"), "yes");
    EXPECT_TRUE(FileBytes() == image.Bytes());
}

// A file the user may not read cannot be opened at all, not even for the game check.
TEST_F(FilePermissionsTest, UnreadableFile) {
    if (const std::string why = WhyFilePermissionsCannotBind(); !why.empty()) {
        GTEST_SKIP() << why;
    }
    const ImageBuilder image = GameImage(kSmallImage, "ZEROMISSIONE", 107);
    const std::string path = WriteImage(image);
    MakeUnreadable(path);
    namespace fs = std::filesystem;
    const fs::perms permissions = fs::status(path).permissions();
    const fs::file_time_type written = fs::last_write_time(path);
    const ChildOutcome outcome = RunUnprivileged([&](ChildReport& report) {
        report["can read"] = CanOpen(path, Access::Read) ? "yes" : "no";
        try {
            RomFile::Open(path);
            report["open"] = "opened";
        } catch (const RomError& e) {
            report["open"] = e.what();
        }
        try {
            report["game check"] = vorn::CheckGameTitle(path) ? "yes" : "no";
        } catch (const RomError& e) {
            report["game check"] = e.what();
        }
    });
    const ChildReport& report = outcome.report;
    ASSERT_EQ(outcome.exitCode, 0) << FailureOf(outcome);
    EXPECT_EQ(report.at("can read"), "no");
    for (const char* key : {"open", "game check"}) {
        EXPECT_PRED2(Contains, report.at(key), path);
        EXPECT_PRED2(Contains, report.at(key), OsReason(Failure::AccessDenied));
    }
    // The failed opens changed nothing: not the permissions, the size or the time.
    EXPECT_EQ(fs::status(path).permissions(), permissions);
    EXPECT_EQ(fs::file_size(path), kSmallImage);
    EXPECT_EQ(fs::last_write_time(path), written);
    // Nor the bytes, read once the owner may read them again (Wine cannot give that back).
    if (MakeReadWrite(path)) {
        EXPECT_TRUE(FileBytes() == image.Bytes());
    }
}

}  // namespace
