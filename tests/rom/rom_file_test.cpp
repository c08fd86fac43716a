// SPDX-License-Identifier: MIT
// The ROM file: reads that never fail for lack of bytes, and one write path that refuses
// anything but an in-place write into an image of the game.

#include <QtTest>

#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <limits>
#include <random>
#include <string>

#include "rom/rom.h"
#include "tests/rom/unprivileged.h"
#include "tests/support/image_builder.h"
#include "tests/support/qtest_main.h"
#include "tests/support/temp_dir.h"

using vorn::RomError;
using vorn::RomFile;
using namespace vorn::test;

namespace {

constexpr std::size_t kSmallImage = 0x400;

// The operating system's own words for an error, as the user should see them.
std::string OsReason(int error) {
    return std::strerror(error);
}

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

void Overwrite(const std::string& path, std::size_t at, std::string_view bytes) {
    std::fstream file(path, std::ios::in | std::ios::out | std::ios::binary);
    file.seekp(static_cast<std::streamoff>(at));
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// Bytes as hex text, so that they travel through the child's report, which ends at NUL.
std::string HexText(const std::uint8_t* bytes, std::size_t count) {
    static const char digits[] = "0123456789ABCDEF";
    std::string text;
    for (std::size_t i = 0; i < count; ++i) {
        text += digits[bytes[i] >> 4];
        text += digits[bytes[i] & 0x0F];
    }
    return text;
}

int OpenDescriptors() {
    int count = 0;
    for ([[maybe_unused]] const auto& entry :
         std::filesystem::directory_iterator("/proc/self/fd")) {
        ++count;
    }
    return count;
}

// A game image of `size` bytes whose title (when not empty) is written at 0xA0, as far as it
// fits.
ImageBuilder GameImage(std::size_t size, const QString& title, std::uint32_t seed) {
    ImageBuilder image(std::max(size, kTitleAt + 16));
    image.Noise(seed);
    if (!title.isEmpty()) {
        image.Title(title.toStdString());
    }
    image.Resize(size);
    return image;
}

}  // namespace

class RomFileTest : public QObject {
    Q_OBJECT

  private slots:
    void openCreatesAMissingFile() {
        TempDir dir;
        const std::string path = dir.File("new.gba");
        RomFile file = RomFile::Open(path);
        QVERIFY(file.IsOpen());
        QVERIFY(file.IsWritable());
        QCOMPARE(file.Size(), std::int64_t{0});
        file.Close();
        QVERIFY(FileExists(path));
        QVERIFY(ReadFileBytes(path).empty());
    }

    // A ROM that vanished between two commands is reported, not replaced by an empty file.
    void openWithoutCreating() {
        TempDir dir;
        const std::string path = dir.File("gone.gba");
        try {
            RomFile::Open(path, RomFile::IfMissing::Fail);
            QFAIL("the open should have failed");
        } catch (const RomError& e) {
            QCOMPARE(e.path(), path);
            QVERIFY2(Contains(e.what(), OsReason(ENOENT)), e.what());
        }
        QVERIFY(!FileExists(path));
        const ImageBuilder image = GameImage(kSmallImage, "ZEROMISSIONE", 67);
        image.WriteTo(path);
        RomFile file = RomFile::Open(path, RomFile::IfMissing::Fail);
        QVERIFY(file.IsWritable());
        QCOMPARE(file.ReadAt(0, kSmallImage), image.Bytes());
    }

    // What cannot be opened at all is a RomError naming the path and the system's reason.
    void openFailure_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("error");
        QTest::newRow("a folder") << "folder" << EISDIR;
        QTest::newRow("inside a missing folder") << "missing/rom.gba" << ENOENT;
        QTest::newRow("inside a plain file") << "plain.gba/rom.gba" << ENOTDIR;
    }

    void openFailure() {
        QFETCH(QString, name);
        QFETCH(int, error);
        TempDir dir;
        std::filesystem::create_directory(dir.File("folder"));
        ImageBuilder(kSmallImage).WriteTo(dir.File("plain.gba"));
        const std::string path = dir.File(name.toStdString());
        try {
            RomFile::Open(path);
            QFAIL("the open should have failed");
        } catch (const RomError& e) {
            QCOMPARE(e.path(), path);
            QCOMPARE(e.reason(), OsReason(error));
            QVERIFY2(Contains(e.what(), path), e.what());
            QVERIFY2(Contains(e.what(), OsReason(error)), e.what());
        }
        QVERIFY(!FileExists(dir.File("missing")));
        QCOMPARE(ReadFileBytes(dir.File("plain.gba")).size(), kSmallImage);
    }

    void openEmptyPath() {
        try {
            RomFile::Open("");
            QFAIL("the open should have failed");
        } catch (const RomError& e) {
            QVERIFY(!e.reason().empty());
            QVERIFY2(Contains(e.what(), e.reason()), e.what());
        }
    }

    // Bytes outside the file read as zero, before its start as after its end.
    void readOutsideTheFile_data() {
        QTest::addColumn<qint32>("offset");
        QTest::addColumn<int>("count");
        const auto size = static_cast<qint32>(kSmallImage);
        QTest::newRow("inside") << 0x10 << 32;
        QTest::newRow("whole file") << 0 << static_cast<int>(kSmallImage);
        QTest::newRow("straddles the start") << -4 << 8;
        QTest::newRow("ends at the start") << -8 << 8;
        QTest::newRow("far before the start") << -100000 << 16;
        QTest::newRow("most negative offset") << std::numeric_limits<qint32>::min() << 16;
        QTest::newRow("straddles the end") << size - 3 << 8;
        QTest::newRow("starts at the end") << size << 8;
        QTest::newRow("far past the end") << 0x7FFFFFF0 << 16;
        QTest::newRow("straddles both ends") << -2 << static_cast<int>(kSmallImage) + 4;
    }

    void readOutsideTheFile() {
        QFETCH(qint32, offset);
        QFETCH(int, count);
        const ImageBuilder image = GameImage(kSmallImage, "ZEROMISSIONE", 71);
        ByteVector expected(static_cast<std::size_t>(count), 0);
        for (std::size_t i = 0; i < expected.size(); ++i) {
            const std::int64_t at = std::int64_t{offset} + static_cast<std::int64_t>(i);
            if (at >= 0 && at < static_cast<std::int64_t>(kSmallImage)) {
                expected[i] = image.Bytes()[static_cast<std::size_t>(at)];
            }
        }
        TempDir dir;
        const RomFile file = RomFile::Open(image.WriteTo(dir.File("rom.gba")));
        ByteVector got(expected.size(), 0xCC);  // stale bytes must be overwritten with zeros
        file.ReadAt(offset, got.data(), got.size());
        QCOMPARE(got, expected);
        QCOMPARE(file.ReadAt(offset, expected.size()), expected);
    }

    // A write into an image of the game changes exactly the bytes written.
    void writeChangesExactlyThoseBytes_data() {
        QTest::addColumn<int>("size");
        QTest::addColumn<qint32>("offset");
        QTest::addColumn<int>("count");
        const int size = 4 * static_cast<int>(MiB);
        QTest::newRow("first byte after the cartridge header") << size << 0xC0 << 1;
        QTest::newRow("last byte") << size << size - 1 << 1;
        QTest::newRow("a run in the middle") << size << 0x340AD4 << 60;
        QTest::newRow("nothing at the end") << size << size << 0;
        QTest::newRow("file just long enough") << 0xC1 << 0xC0 << 1;
    }

    void writeChangesExactlyThoseBytes() {
        QFETCH(int, size);
        QFETCH(qint32, offset);
        QFETCH(int, count);
        const ImageBuilder image = GameImage(static_cast<std::size_t>(size), "ZEROMISSIONE", 73);
        const auto at = static_cast<std::size_t>(offset);
        const auto n = static_cast<std::size_t>(count);
        const ByteVector data = Complement(image.Bytes(), at, n);
        TempDir dir;
        const std::string path = image.WriteTo(dir.File("rom.gba"));
        {
            RomFile file = RomFile::Open(path);
            file.WriteAt(offset, data);
            QCOMPARE(file.ReadAt(offset, n), data);
        }
        const ByteVector after = ReadFileBytes(path);
        QCOMPARE(ChangedOffsets(image.Bytes(), after), OffsetRange(at, n));
    }

    // A refused write writes nothing at all and leaves the size as it was.
    void writeRefused_data() {
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("size");
        QTest::addColumn<qint32>("offset");
        QTest::addColumn<int>("count");
        const int size = static_cast<int>(kSmallImage);
        QTest::newRow("no title") << "" << size << 0x200 << 4;
        QTest::newRow("lower-case title") << "zeromissione" << size << 0x200 << 4;
        QTest::newRow("last letter changed") << "ZEROMISSIONF" << size << 0x200 << 4;
        QTest::newRow("title one byte late") << " ZEROMISSION" << size << 0x200 << 4;
        QTest::newRow("title cut by the end") << "ZEROMISSIONE" << 0xAB << 0 << 4;
        QTest::newRow("empty file") << "" << 0 << 0 << 1;
        QTest::newRow("starts at the end") << "ZEROMISSIONE" << size << size << 1;
        QTest::newRow("straddles the end") << "ZEROMISSIONE" << size << size - 2 << 4;
        QTest::newRow("negative offset") << "ZEROMISSIONE" << size << -1 << 4;
        QTest::newRow("first byte of the file") << "ZEROMISSIONE" << size << 0 << 1;
        QTest::newRow("over the title itself") << "ZEROMISSIONE" << size << 0xA0 << 12;
        QTest::newRow("last byte of the cartridge header") << "ZEROMISSIONE" << size << 0xBF << 1;
        QTest::newRow("straddles the cartridge header's end")
            << "ZEROMISSIONE" << size << 0xBE << 4;
        QTest::newRow("most negative offset")
            << "ZEROMISSIONE" << size << std::numeric_limits<qint32>::min() << 4;
    }

    void writeRefused() {
        QFETCH(QString, title);
        QFETCH(int, size);
        QFETCH(qint32, offset);
        QFETCH(int, count);
        const ImageBuilder image = GameImage(static_cast<std::size_t>(size), title, 79);
        TempDir dir;
        const std::string path = image.WriteTo(dir.File("rom.gba"));
        {
            RomFile file = RomFile::Open(path);
            try {
                file.WriteAt(offset, ByteVector(static_cast<std::size_t>(count), 0x5A));
                QFAIL("the write should have been refused");
            } catch (const RomError& e) {
                QCOMPARE(e.path(), path);
                QVERIFY2(Contains(e.what(), path), e.what());
            }
            QCOMPARE(file.Size(), std::int64_t{size});
        }
        QVERIFY(ReadFileBytes(path) == image.Bytes());
    }

    // The title and the size are checked when the write happens, not when the file was opened:
    // the file may have been replaced or changed in between.
    void writeChecksTheFileAsItIsNow_data() {
        QTest::addColumn<QString>("titleAtOpen");
        QTest::addColumn<QString>("titleAtWrite");
        QTest::addColumn<int>("sizeAtWrite");
        QTest::addColumn<bool>("written");
        const int size = 0x2000;
        QTest::newRow("title changed after the open") << "ZEROMISSIONE"
                                                      << "ZEROMISSIONF" << size << false;
        QTest::newRow("title lower-cased after the open") << "ZEROMISSIONE"
                                                          << "zeromissione" << size << false;
        QTest::newRow("title written after the open") << "NOTTHEGAME00"
                                                      << "ZEROMISSIONE" << size << true;
        QTest::newRow("file cut after the open") << "ZEROMISSIONE"
                                                 << "ZEROMISSIONE" << 0x1000 << false;
    }

    void writeChecksTheFileAsItIsNow() {
        QFETCH(QString, titleAtOpen);
        QFETCH(QString, titleAtWrite);
        QFETCH(int, sizeAtWrite);
        QFETCH(bool, written);
        const std::size_t at = 0x1800;
        const ImageBuilder image = GameImage(0x2000, titleAtOpen, 83);
        TempDir dir;
        const std::string path = image.WriteTo(dir.File("rom.gba"));
        bool refused = false;
        ByteVector changed;
        {
            RomFile file = RomFile::Open(path);
            Overwrite(path, kTitleAt, titleAtWrite.toStdString());
            QCOMPARE(::truncate(path.c_str(), sizeAtWrite), 0);
            changed = ReadFileBytes(path);
            try {
                file.WriteAt(static_cast<vorn::Offset>(at), {0x01, 0x02});
            } catch (const RomError&) {
                refused = true;
            }
        }
        QCOMPARE(refused, !written);
        const ByteVector after = ReadFileBytes(path);
        QCOMPARE(after.size(), changed.size());
        if (written) {
            QCOMPARE(ChangedOffsets(changed, after), OffsetRange(at, 2));
        } else {
            QVERIFY(after == changed);
        }
    }

    // A write that says what it last saw at its place is refused exactly when another program
    // changed a byte of that place since; a change elsewhere does not stop it. Random places,
    // changes and lengths, each checked against the whole file.
    void writeComparesWithWhatWasLastSeen() {
        std::mt19937 random(113);
        const ImageBuilder image = GameImage(kSmallImage, "ZEROMISSIONE", 109);
        TempDir dir;
        const std::string path = dir.File("rom.gba");
        for (int round = 0; round < 200; ++round) {
            image.WriteTo(path);
            const auto pick = [&random](std::size_t low, std::size_t high) {
                return std::uniform_int_distribution<std::size_t>(low, high)(random);
            };
            const std::size_t at = pick(0xC0, kSmallImage - 1);
            const std::size_t count = pick(1, std::min<std::size_t>(64, kSmallImage - at));
            const std::size_t changedAt = pick(std::max<std::size_t>(0xC0, at) - 4,
                                               std::min(kSmallImage - 1, at + count + 3));
            const bool changeInside = changedAt >= at && changedAt < at + count;
            const ByteVector lastSeen(
                image.Bytes().begin() + static_cast<std::ptrdiff_t>(at),
                image.Bytes().begin() + static_cast<std::ptrdiff_t>(at + count));
            const char other = static_cast<char>(~image.Bytes()[changedAt]);
            Overwrite(path, changedAt, std::string_view(&other, 1));
            const ByteVector changed = ReadFileBytes(path);
            const ByteVector data = Complement(image.Bytes(), at, count);
            bool refused = false;
            {
                RomFile file = RomFile::Open(path);
                try {
                    file.WriteAt(static_cast<vorn::Offset>(at), data.data(), count,
                                 lastSeen.data());
                } catch (const vorn::RomChanged& e) {
                    refused = true;
                    QVERIFY2(Contains(e.what(), path), e.what());
                }
            }
            const ByteVector after = ReadFileBytes(path);
            QCOMPARE(refused, changeInside);
            if (refused) {
                QVERIFY(after == changed);
            } else {
                QCOMPARE(ChangedOffsets(changed, after).size() <= count, true);
                QVERIFY(std::equal(data.begin(), data.end(),
                                   after.begin() + static_cast<std::ptrdiff_t>(at)));
            }
        }
    }

    // Opening never waits: a named pipe that nobody writes, readable but not writable by the
    // user (made by another user), and a device are refused as not regular files, whoever runs
    // the program. A child that blocked would be stopped by its alarm and fail the test.
    void openNeverBlocks_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("reason");
        QTest::newRow("named pipe") << "fifo"
                                    << "named pipe";
        QTest::newRow("device") << "device"
                                << "device";
    }

    void openNeverBlocks() {
        QFETCH(QString, kind);
        QFETCH(QString, reason);
        TempDir dir;
        std::string path = "/dev/null";
        if (kind == "fifo") {
            path = dir.File("pipe.gba");
            QCOMPARE(::mkfifo(path.c_str(), 0644), 0);
        }
        for (const bool dropPrivileges : {false, true}) {
            const auto body = [&](ChildReport& report) {
                ::alarm(20);
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
            QVERIFY2(outcome.exitCode == 0, "the child did not end normally: it blocked?");
            for (const char* key : {"open", "open existing", "game check"}) {
                const std::string& said = outcome.report.at(key);
                QVERIFY2(Contains(said, path), said.c_str());
                QVERIFY2(Contains(said, reason.toStdString()), said.c_str());
            }
        }
    }

    void closeTwice() {
        const ImageBuilder image = GameImage(kSmallImage, "ZEROMISSIONE", 89);
        TempDir dir;
        const std::string path = image.WriteTo(dir.File("rom.gba"));
        RomFile file = RomFile::Open(path);
        file.Close();
        file.Close();
        QVERIFY(!file.IsOpen());
        QVERIFY_THROWS_EXCEPTION(RomError, file.ReadAt(0, 4));
        QVERIFY_THROWS_EXCEPTION(RomError, file.WriteAt(0x200, {0x01}));
        QVERIFY(ReadFileBytes(path) == image.Bytes());
    }

    // Every path through the library, failing ones included, gives its descriptor back.
    void noDescriptorLeaks() {
        TempDir dir;
        const std::string rom = GameImage(kSmallImage, "ZEROMISSIONE", 97).WriteTo(dir.File("a"));
        const std::string other = GameImage(kSmallImage, "", 101).WriteTo(dir.File("b"));
        std::filesystem::create_directory(dir.File("folder"));
        const int before = OpenDescriptors();
        for (int i = 0; i < 50; ++i) {
            {
                RomFile file = RomFile::Open(rom);
                file.ReadAt(0, 16);
                file.WriteAt(0x200, {static_cast<std::uint8_t>(i)});
                QVERIFY_THROWS_EXCEPTION(RomError, file.WriteAt(0x3FF, {1, 2}));
                RomFile moved = std::move(file);
                moved = RomFile::Open(other);  // the descriptor it held must be closed
                QVERIFY_THROWS_EXCEPTION(RomError, moved.WriteAt(0x200, {1}));
            }
            QVERIFY(vorn::CheckGameTitle(rom));
            QVERIFY(!vorn::CheckGameTitle(other));
            QVERIFY_THROWS_EXCEPTION(RomError, RomFile::Open(dir.File("folder")));
            QVERIFY_THROWS_EXCEPTION(RomError, RomFile::Open(dir.File("missing/x")));
            QVERIFY_THROWS_EXCEPTION(RomError, vorn::CheckGameTitle(dir.File("folder")));
        }
        QCOMPARE(OpenDescriptors(), before);
    }

    // A file the user may read but not write: the loads and the game check work, and every
    // write is refused with the system's reason.
    void readOnlyFile() {
        const ImageBuilder image = GameImage(4 * MiB, "ZEROMISSIONE", 103);
        TempDir dir;
        const std::string path = image.WriteTo(dir.File("rom.gba"));
        QCOMPARE(::chmod(path.c_str(), 0444), 0);
        const ChildOutcome outcome = RunUnprivileged([&](ChildReport& report) {
            report["can write"] = ::access(path.c_str(), W_OK) == 0 ? "yes" : "no";
            RomFile file = RomFile::Open(path);
            report["writable"] = file.IsWritable() ? "yes" : "no";
            const ByteVector title = file.ReadAt(static_cast<vorn::Offset>(kTitleAt), 12);
            report["title"] = std::string(title.begin(), title.end());
            const vorn::RoomHeader header = vorn::ReadRoomHeader(file, 329);
            report["room"] = HexText(header.bytes.data(), header.bytes.size());
            try {
                vorn::WriteRoomHeader(file, 329, vorn::RoomHeader{});
                report["write"] = "written";
            } catch (const RomError& e) {
                report["write"] = e.what();
                report["write path"] = e.path();
            }
            file.Close();
            report["game check"] = vorn::CheckGameTitle(path) ? "yes" : "no";
        });
        const ChildReport& report = outcome.report;
        QVERIFY2(outcome.exitCode == 0,
                 report.count("failure") ? report.at("failure").c_str() : "");
        QCOMPARE(report.at("can write"), std::string("no"));
        QCOMPARE(report.at("writable"), std::string("no"));
        QCOMPARE(report.at("title"), std::string("ZEROMISSIONE"));
        QCOMPARE(report.at("room"), HexText(image.Bytes().data() + RoomAt(329), kRoomSize));
        QCOMPARE(report.at("write path"), path);
        QVERIFY2(Contains(report.at("write"), path), report.at("write").c_str());
        QVERIFY2(Contains(report.at("write"), OsReason(EACCES)), report.at("write").c_str());
        QCOMPARE(report.at("game check"), std::string("yes"));
        QVERIFY(ReadFileBytes(path) == image.Bytes());
    }

    // A file the user may not read cannot be opened at all, not even for the game check.
    void unreadableFile() {
        const ImageBuilder image = GameImage(kSmallImage, "ZEROMISSIONE", 107);
        TempDir dir;
        const std::string path = image.WriteTo(dir.File("rom.gba"));
        QCOMPARE(::chmod(path.c_str(), 0000), 0);
        const ChildOutcome outcome = RunUnprivileged([&](ChildReport& report) {
            report["can read"] = ::access(path.c_str(), R_OK) == 0 ? "yes" : "no";
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
        QVERIFY2(outcome.exitCode == 0,
                 report.count("failure") ? report.at("failure").c_str() : "");
        QCOMPARE(report.at("can read"), std::string("no"));
        for (const char* key : {"open", "game check"}) {
            QVERIFY2(Contains(report.at(key), path), report.at(key).c_str());
            QVERIFY2(Contains(report.at(key), OsReason(EACCES)), report.at(key).c_str());
        }
        struct stat info {};
        QCOMPARE(::stat(path.c_str(), &info), 0);
        QCOMPARE(info.st_mode & 07777u, 0u);
        QVERIFY(ReadFileBytes(path) == image.Bytes());
    }
};

VORN_TEST_CLASS(RomFileTest)

#include "rom_file_test.moc"
