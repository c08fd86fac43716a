// SPDX-License-Identifier: MIT
// Enemy lists: entries of three bytes (x, y, enemy) ended by FF FF FF. The editor reads a
// block of 256 slots and writes back the entries up to and including the one that ends it.

#include <QtTest>

#include <cstdint>
#include <stdexcept>
#include <string>

#include "rom/enemy_list.h"
#include "rom/rom_error.h"
#include "rom/rom_file.h"
#include "tests/support/image_builder.h"
#include "tests/support/qtest_main.h"
#include "tests/support/temp_dir.h"

using vorn::EnemyList;
using vorn::ReadEnemyList;
using vorn::RomFile;
using vorn::WriteEnemyList;
using namespace vorn::test;

namespace {

constexpr std::size_t kListAt = 0x360000;
constexpr std::size_t kBlock = 768;

ByteVector Bytes(const QByteArray& bytes) {
    return ByteVector(bytes.begin(), bytes.end());
}

QByteArray Repeat(const QByteArray& entry, int times) {
    QByteArray bytes;
    for (int i = 0; i < times; ++i) {
        bytes += entry;
    }
    return bytes;
}

const QByteArray kTerminator("\xFF\xFF\xFF", 3);
const QByteArray kTwoEnemies = QByteArray("\x10\x20\x05\x30\x40\x06", 6) + kTerminator;

// The 768 bytes the list reads at `at`, with zeros past the end of the image.
ByteVector BlockAt(const ByteVector& image, std::size_t at) {
    ByteVector block(kBlock, 0);
    for (std::size_t i = 0; i < kBlock && at + i < image.size(); ++i) {
        block[i] = image[at + i];
    }
    return block;
}

ByteVector SlotBytes(const EnemyList& list) {
    ByteVector bytes;
    for (const vorn::EnemyEntry& entry : list.entries) {
        bytes.insert(bytes.end(), {entry.x, entry.y, entry.enemy});
    }
    return bytes;
}

// Rows shared by the read and write tables: the list's bytes and the index of its end.
void AddListRows() {
    QTest::addColumn<QByteArray>("list");
    QTest::addColumn<int>("count");
    QTest::newRow("two enemies") << kTwoEnemies << 2;
    QTest::newRow("terminator first") << kTerminator << 0;
    QTest::newRow("FF FF 00 is an enemy") << QByteArray("\xFF\xFF\x00", 3) + kTerminator << 1;
    QTest::newRow("FF 00 FF is an enemy") << QByteArray("\xFF\x00\xFF", 3) + kTerminator << 1;
    QTest::newRow("00 FF FF is an enemy") << QByteArray("\x00\xFF\xFF", 3) + kTerminator << 1;
    QTest::newRow("FF FF FF off the slot grid is no end")
        << QByteArray("\x01\xFF\xFF\xFF\x02\x03", 6) + kTerminator << 2;
    QTest::newRow("only the first terminator counts")
        << QByteArray("\x10\x20\x05", 3) + kTerminator + QByteArray("\x30\x40\x06", 3) + kTerminator
        << 1;
    QTest::newRow("terminator in the last slot")
        << Repeat(QByteArray("\x01\x02\x03", 3), 255) + kTerminator << 255;
    QTest::newRow("no terminator") << Repeat(QByteArray("\x01\x02\x03", 3), 256) << 255;
}

}  // namespace

class EnemyListTest : public QObject {
    Q_OBJECT

  private slots:
    // Every slot holds the bytes of the ROM at its place, those after the end included.
    void readList_data() { AddListRows(); }

    void readList() {
        QFETCH(QByteArray, list);
        QFETCH(int, count);
        ImageBuilder image(4 * MiB);
        image.Noise(31).Title().Put(kListAt, Bytes(list));
        TempDir dir;
        const RomFile file = RomFile::Open(image.WriteTo(dir.File("rom.gba")));
        EnemyList read;
        ReadEnemyList(file, static_cast<vorn::Offset>(kListAt), read);
        QCOMPARE(int{read.EnemyCount}, count);
        QCOMPARE(SlotBytes(read), BlockAt(image.Bytes(), kListAt));
    }

    // Bytes past the end of the file read as zero, so a list cut by the end has no terminator.
    void readNearTheEndOfTheFile_data() {
        QTest::addColumn<QByteArray>("tail");
        QTest::addColumn<int>("gap");
        QTest::addColumn<int>("count");
        QTest::newRow("terminator ends the file") << kTwoEnemies << 0 << 2;
        QTest::newRow("terminator cut by the end") << kTwoEnemies.chopped(1) << 0 << 255;
        QTest::newRow("one entry, then the end") << QByteArray("\x10\x20\x05", 3) << 0 << 255;
        QTest::newRow("offset at the end") << QByteArray() << 0 << 255;
        QTest::newRow("offset past the end") << QByteArray() << 100 << 255;
    }

    void readNearTheEndOfTheFile() {
        QFETCH(QByteArray, tail);
        QFETCH(int, gap);
        QFETCH(int, count);
        const std::size_t at = 0x1000;
        ImageBuilder image(at);
        image.Noise(41).Title().Resize(at + static_cast<std::size_t>(tail.size()));
        image.Put(at, Bytes(tail));
        TempDir dir;
        const RomFile file = RomFile::Open(image.WriteTo(dir.File("rom.gba")));
        EnemyList read;
        read.entries.fill({0x11, 0x22, 0x33});  // stale content must not survive the read
        ReadEnemyList(file, static_cast<vorn::Offset>(at) + gap, read);
        QCOMPARE(int{read.EnemyCount}, count);
        QCOMPARE(SlotBytes(read), BlockAt(image.Bytes(), at + static_cast<std::size_t>(gap)));
    }

    void readEmptyFile() {
        TempDir dir;
        const RomFile file = RomFile::Open(ImageBuilder(0).WriteTo(dir.File("empty.gba")));
        EnemyList read;
        read.entries.fill({0x11, 0x22, 0x33});
        ReadEnemyList(file, 0, read);
        QCOMPARE(int{read.EnemyCount}, 255);
        QCOMPARE(SlotBytes(read), ByteVector(kBlock, 0));
    }

    void readAtNegativeOffset() {
        ImageBuilder image(4 * MiB);
        image.Noise(43).Title();
        TempDir dir;
        const RomFile file = RomFile::Open(image.WriteTo(dir.File("rom.gba")));
        EnemyList read;
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, ReadEnemyList(file, -3, read));
    }

    // A list read in one place and saved in another writes slots 0 to EnemyCount there, and
    // not a byte more; the place holds the complement of the list, so every written byte shows.
    void writeList_data() { AddListRows(); }

    void writeList() {
        QFETCH(QByteArray, list);
        QFETCH(int, count);
        const std::size_t target = 0x370000;
        const auto imageSize = 3 * static_cast<std::size_t>(count + 1);
        ImageBuilder image(4 * MiB);
        image.Noise(47).Title().Put(kListAt, Bytes(list));
        for (std::size_t i = 0; i < kBlock; ++i) {
            image.Put8(target + i, static_cast<std::uint8_t>(~image.Bytes()[kListAt + i]));
        }
        TempDir dir;
        const std::string path = image.WriteTo(dir.File("rom.gba"));
        {
            RomFile file = RomFile::Open(path);
            EnemyList read;
            ReadEnemyList(file, static_cast<vorn::Offset>(kListAt), read);
            WriteEnemyList(file, static_cast<vorn::Offset>(target), read);
        }
        const ByteVector after = ReadFileBytes(path);
        QCOMPARE(ChangedOffsets(image.Bytes(), after), OffsetRange(target, imageSize));
        for (std::size_t i = 0; i < imageSize; ++i) {
            QCOMPARE(after[target + i], image.Bytes()[kListAt + i]);
        }
    }

    // Edited entries land at offset + 3i; the slots after the end stay unwritten even when
    // the list in memory holds other values there.
    void writeEditedList() {
        ImageBuilder image(4 * MiB);
        image.Noise(53).Title().Put(kListAt, Bytes(kTwoEnemies));
        TempDir dir;
        const std::string path = image.WriteTo(dir.File("rom.gba"));
        {
            RomFile file = RomFile::Open(path);
            EnemyList list;
            ReadEnemyList(file, static_cast<vorn::Offset>(kListAt), list);
            list.entries[1] = {0x31, 0x41, 0x07};
            list.entries[3] = {0x99, 0x99, 0x99};
            WriteEnemyList(file, static_cast<vorn::Offset>(kListAt), list);
        }
        const ByteVector after = ReadFileBytes(path);
        QCOMPARE(ChangedOffsets(image.Bytes(), after),
                 (std::vector<std::size_t>{kListAt + 3, kListAt + 4, kListAt + 5}));
        QCOMPARE(after[kListAt + 3], std::uint8_t{0x31});
        QCOMPARE(after[kListAt + 4], std::uint8_t{0x41});
        QCOMPARE(after[kListAt + 5], std::uint8_t{0x07});
    }

    // A list read near the end of a file and saved must not reach past the end: the save is
    // refused whole, and the file keeps its bytes and its size.
    void writeNearTheEndOfTheFile_data() {
        QTest::addColumn<QByteArray>("tail");
        QTest::addColumn<bool>("written");
        QTest::newRow("terminator ends the file") << kTwoEnemies << true;
        QTest::newRow("terminator cut by the end") << kTwoEnemies.chopped(1) << false;
        QTest::newRow("no terminator before the end") << kTwoEnemies.left(6) << false;
        QTest::newRow("list starts at the end") << QByteArray() << false;
    }

    void writeNearTheEndOfTheFile() {
        QFETCH(QByteArray, tail);
        QFETCH(bool, written);
        const std::size_t at = 0x1000;
        ImageBuilder image(at);
        image.Noise(59).Title().Resize(at + static_cast<std::size_t>(tail.size()));
        image.Put(at, Bytes(tail));
        TempDir dir;
        const std::string path = image.WriteTo(dir.File("rom.gba"));
        bool refused = false;
        {
            RomFile file = RomFile::Open(path);
            EnemyList list;
            ReadEnemyList(file, static_cast<vorn::Offset>(at), list);
            list.entries[0].x = 0x77;
            try {
                WriteEnemyList(file, static_cast<vorn::Offset>(at), list);
            } catch (const vorn::RomError&) {
                refused = true;
            }
        }
        const ByteVector after = ReadFileBytes(path);
        QCOMPARE(refused, !written);
        QCOMPARE(after.size(), image.Bytes().size());
        if (written) {
            QCOMPARE(ChangedOffsets(image.Bytes(), after), std::vector<std::size_t>{at});
        } else {
            QVERIFY(after == image.Bytes());
        }
    }

    void writeAtNegativeOffset() {
        ImageBuilder image(4 * MiB);
        image.Noise(61).Title();
        TempDir dir;
        const std::string path = image.WriteTo(dir.File("rom.gba"));
        {
            RomFile file = RomFile::Open(path);
            EnemyList list;
            ReadEnemyList(file, 0, list);
            QVERIFY_THROWS_EXCEPTION(std::exception, WriteEnemyList(file, -3, list));
        }
        QVERIFY(ReadFileBytes(path) == image.Bytes());
    }
};

VORN_TEST_CLASS(EnemyListTest)

#include "enemy_list_test.moc"
