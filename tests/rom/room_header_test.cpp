// SPDX-License-Identifier: MIT
// Room headers: 330 records of 60 bytes from 0x340AD4, fields little-endian. A save must
// change the bytes of the fields that changed and nothing else, whatever the record holds
// in the bytes the window does not show.

#include <QtTest>

#include <cstdint>
#include <limits>
#include <stdexcept>
#include <string>
#include <vector>

#include "rom/rom_error.h"
#include "rom/rom_file.h"
#include "rom/room_header.h"
#include "tests/support/image_builder.h"
#include "tests/support/qtest_main.h"
#include "tests/support/temp_dir.h"

using vorn::ReadRoomHeader;
using vorn::RomFile;
using vorn::RoomHeader;
using vorn::WriteRoomHeader;
using namespace vorn::test;

namespace {

// One field of the record as the window sees it: where it lies, how wide it is, and the
// header's accessors for it.
struct Field {
    const char* name;
    std::size_t at;
    std::size_t width;
    std::uint32_t (*get)(const RoomHeader&);
    void (*set)(RoomHeader&, std::uint32_t);
};

#define VORN_FIELD(name, at, width, type, getter, setter)                                 \
    Field {                                                                               \
        name, at, width, [](const RoomHeader& h) -> std::uint32_t { return h.getter(); }, \
            [](RoomHeader& h, std::uint32_t v) { h.setter(static_cast<type>(v)); }        \
    }

const std::vector<Field>& Fields() {
    static const std::vector<Field> fields = {
        VORN_FIELD("tileset", 0x00, 1, std::uint8_t, tileset, setTileset),
        VORN_FIELD("bg0Props", 0x01, 1, std::uint8_t, bg0Props, setBg0Props),
        VORN_FIELD("bg1Props", 0x02, 1, std::uint8_t, bg1Props, setBg1Props),
        VORN_FIELD("bg2Props", 0x03, 1, std::uint8_t, bg2Props, setBg2Props),
        VORN_FIELD("bg3Props", 0x04, 4, std::uint32_t, bg3Props, setBg3Props),
        VORN_FIELD("foregroundPtr", 0x08, 4, std::uint32_t, foregroundPtr, setForegroundPtr),
        VORN_FIELD("tileDataPtr", 0x0C, 4, std::uint32_t, tileDataPtr, setTileDataPtr),
        VORN_FIELD("backgroundPtr", 0x10, 4, std::uint32_t, backgroundPtr, setBackgroundPtr),
        VORN_FIELD("clipdataPtr", 0x14, 4, std::uint32_t, clipdataPtr, setClipdataPtr),
        VORN_FIELD("tide", 0x1C, 1, std::uint8_t, tide, setTide),
        VORN_FIELD("switchId", 0x1D, 1, std::uint8_t, switchId, setSwitchId),
        VORN_FIELD("enemyTable1Ptr", 0x20, 4, std::uint32_t, enemyTable1Ptr, setEnemyTable1Ptr),
        VORN_FIELD("enemySheet1", 0x24, 1, std::uint8_t, enemySheet1, setEnemySheet1),
        VORN_FIELD("enemySheet2", 0x25, 1, std::uint8_t, enemySheet2, setEnemySheet2),
        VORN_FIELD("enemyTable2Ptr", 0x28, 4, std::uint32_t, enemyTable2Ptr, setEnemyTable2Ptr),
        VORN_FIELD("enemyTable3Ptr", 0x2C, 4, std::uint32_t, enemyTable3Ptr, setEnemyTable3Ptr),
        VORN_FIELD("mapX", 0x35, 1, std::uint8_t, mapX, setMapX),
        VORN_FIELD("mapY", 0x36, 1, std::uint8_t, mapY, setMapY),
        VORN_FIELD("behavior", 0x39, 1, std::uint8_t, behavior, setBehavior),
        VORN_FIELD("music", 0x3A, 2, std::uint16_t, music, setMusic),
    };
    return fields;
}

#undef VORN_FIELD

const Field& FieldNamed(const QString& name) {
    for (const Field& field : Fields()) {
        if (name == QLatin1String(field.name)) {
            return field;
        }
    }
    throw std::logic_error("no field " + name.toStdString());
}

// Bytes of the record that no window shows; a save must carry them through.
const std::vector<std::size_t>& UnshownBytes() {
    static const std::vector<std::size_t> bytes = {0x18, 0x19, 0x1A, 0x1B, 0x1E, 0x1F, 0x26, 0x27,
                                                   0x30, 0x31, 0x32, 0x33, 0x34, 0x37, 0x38};
    return bytes;
}

std::uint32_t Mask(std::size_t width) {
    return width == 4 ? 0xFFFFFFFFu : (1u << (8 * width)) - 1u;
}

ImageBuilder& PutField(ImageBuilder& image, std::size_t at, std::size_t width,
                       std::uint32_t value) {
    switch (width) {
        case 1:
            return image.Put8(at, static_cast<std::uint8_t>(value));
        case 2:
            return image.Put16(at, static_cast<std::uint16_t>(value));
        default:
            return image.Put32(at, value);
    }
}

ByteVector Slice(const ByteVector& bytes, std::size_t at, std::size_t count) {
    return ByteVector(bytes.begin() + static_cast<std::ptrdiff_t>(at),
                      bytes.begin() + static_cast<std::ptrdiff_t>(at + count));
}

ByteVector HeaderBytes(const RoomHeader& header) {
    return ByteVector(header.bytes.begin(), header.bytes.end());
}

void AddFieldRows() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("room");
    QTest::addColumn<quint32>("value");
    int room = 0;
    for (const Field& field : Fields()) {
        // Values with a distinct byte in every position, so a byte-order or offset mistake
        // cannot go unseen.
        const std::uint32_t value = 0x9A7C5E31u & Mask(field.width);
        QTest::newRow(field.name) << QString::fromLatin1(field.name) << room << value;
        room = (room + 97) % kRooms;
    }
    QTest::newRow("music 0102 in the last room") << "music" << 329 << 0x0102u;
    QTest::newRow("bg3Props in the first room") << "bg3Props" << 0 << 0x01020304u;
}

}  // namespace

class RoomHeaderTest : public QObject {
    Q_OBJECT

  private slots:
    void recordLiesAtItsOffset_data() {
        QTest::addColumn<int>("room");
        QTest::addColumn<int>("offset");
        QTest::newRow("first room") << 0 << 0x340AD4;
        QTest::newRow("second room") << 1 << 0x340B10;
        QTest::newRow("last room") << 329 << 0x3457F0;
    }

    // The record is read from exactly its 60 bytes, not from its neighbours.
    void recordLiesAtItsOffset() {
        QFETCH(int, room);
        QFETCH(int, offset);
        const auto at = static_cast<std::size_t>(offset);
        ImageBuilder image(4 * MiB, 0xEE);
        ByteVector record(kRoomSize);
        for (std::size_t i = 0; i < kRoomSize; ++i) {
            record[i] = static_cast<std::uint8_t>(i + 1);
        }
        image.Put(at, record);
        TempDir dir;
        const RomFile file = RomFile::Open(image.WriteTo(dir.File("rom.gba")));
        QCOMPARE(vorn::RoomTable::RecordOffset(room), offset);
        QCOMPARE(HeaderBytes(ReadRoomHeader(file, room)), record);
    }

    void readsEveryField_data() { AddFieldRows(); }

    void readsEveryField() {
        QFETCH(QString, field);
        QFETCH(int, room);
        QFETCH(quint32, value);
        const Field& f = FieldNamed(field);
        ImageBuilder image(4 * MiB);
        image.Noise(static_cast<std::uint32_t>(room) + 1).Title();
        PutField(image, RoomAt(room) + f.at, f.width, value);
        TempDir dir;
        const RomFile file = RomFile::Open(image.WriteTo(dir.File("rom.gba")));
        const RoomHeader header = ReadRoomHeader(file, room);
        QCOMPARE(f.get(header), value);
        QCOMPARE(HeaderBytes(header), Slice(image.Bytes(), RoomAt(room), kRoomSize));
    }

    // Changing one field and saving changes that field's bytes, low byte first, and no other
    // byte of the file.
    void writeChangesOnlyTheField_data() { AddFieldRows(); }

    void writeChangesOnlyTheField() {
        QFETCH(QString, field);
        QFETCH(int, room);
        QFETCH(quint32, value);
        const Field& f = FieldNamed(field);
        const std::size_t at = RoomAt(room) + f.at;
        ImageBuilder image(4 * MiB);
        image.Noise(static_cast<std::uint32_t>(room) + 7).Title();
        // The old value differs from the new one in every byte.
        PutField(image, at, f.width, ~value & Mask(f.width));
        TempDir dir;
        const std::string path = image.WriteTo(dir.File("rom.gba"));
        {
            RomFile file = RomFile::Open(path);
            RoomHeader header = ReadRoomHeader(file, room);
            f.set(header, value);
            WriteRoomHeader(file, room, header);
        }
        const ByteVector after = ReadFileBytes(path);
        QCOMPARE(ChangedOffsets(image.Bytes(), after), OffsetRange(at, f.width));
        for (std::size_t i = 0; i < f.width; ++i) {
            QCOMPARE(after[at + i], static_cast<std::uint8_t>(value >> (8 * i)));
        }
    }

    // A save of every field at once leaves the unshown bytes as they were.
    void writeCarriesTheUnshownBytes_data() {
        QTest::addColumn<int>("room");
        QTest::addColumn<quint32>("seed");
        QTest::newRow("first room") << 0 << 11u;
        QTest::newRow("middle room") << 165 << 12u;
        QTest::newRow("last room") << 329 << 13u;
    }

    void writeCarriesTheUnshownBytes() {
        QFETCH(int, room);
        QFETCH(quint32, seed);
        ImageBuilder image(4 * MiB);
        image.Noise(seed).Title();
        TempDir dir;
        const std::string path = image.WriteTo(dir.File("rom.gba"));
        ImageBuilder expected = image;
        {
            RomFile file = RomFile::Open(path);
            RoomHeader header = ReadRoomHeader(file, room);
            for (const Field& f : Fields()) {
                const std::uint32_t changed = ~f.get(header) & Mask(f.width);
                f.set(header, changed);
                PutField(expected, RoomAt(room) + f.at, f.width, changed);
            }
            WriteRoomHeader(file, room, header);
        }
        const ByteVector after = ReadFileBytes(path);
        for (const std::size_t unshown : UnshownBytes()) {
            QCOMPARE(after[RoomAt(room) + unshown], image.Bytes()[RoomAt(room) + unshown]);
        }
        QCOMPARE(after.size(), image.Bytes().size());
        QVERIFY(after == expected.Bytes());
    }

    void writingWhatWasReadChangesNothing() {
        ImageBuilder image(4 * MiB);
        image.Noise(3).Title();
        TempDir dir;
        const std::string path = image.WriteTo(dir.File("rom.gba"));
        {
            RomFile file = RomFile::Open(path);
            for (const int room : {0, 1, 200, 329}) {
                WriteRoomHeader(file, room, ReadRoomHeader(file, room));
            }
        }
        QVERIFY(ChangedOffsets(image.Bytes(), ReadFileBytes(path)).empty());
    }

    void roomOutsideTheTable_data() {
        QTest::addColumn<int>("room");
        QTest::newRow("minus one") << -1;
        QTest::newRow("one past the last room") << 330;
        QTest::newRow("most negative") << std::numeric_limits<int>::min();
        QTest::newRow("largest int") << std::numeric_limits<int>::max();
    }

    void roomOutsideTheTable() {
        QFETCH(int, room);
        ImageBuilder image(4 * MiB);
        image.Noise(5).Title();
        TempDir dir;
        const std::string path = image.WriteTo(dir.File("rom.gba"));
        {
            RomFile file = RomFile::Open(path);
            QVERIFY_THROWS_EXCEPTION(std::out_of_range, ReadRoomHeader(file, room));
            QVERIFY_THROWS_EXCEPTION(std::out_of_range, WriteRoomHeader(file, room, RoomHeader{}));
        }
        QVERIFY(ReadFileBytes(path) == image.Bytes());
    }

    // A file that ends inside the table reads zeros for the bytes it lacks.
    void shortFileReadsZeros_data() {
        QTest::addColumn<int>("room");
        QTest::addColumn<qint64>("size");
        QTest::newRow("empty file") << 0 << qint64{0};
        QTest::newRow("ends where the table starts") << 0 << qint64{0x340AD4};
        QTest::newRow("ends inside the record") << 5 << qint64(RoomAt(5) + 0x21);
        QTest::newRow("ends one byte short of the last room") << 329 << qint64{0x34582B};
        QTest::newRow("ends with the last room") << 329 << qint64{0x34582C};
    }

    void shortFileReadsZeros() {
        QFETCH(int, room);
        QFETCH(qint64, size);
        ImageBuilder image(4 * MiB);
        image.Noise(9).Title().Resize(static_cast<std::size_t>(size));
        ByteVector expected(kRoomSize, 0);
        for (std::size_t i = 0; i < kRoomSize && RoomAt(room) + i < image.Bytes().size(); ++i) {
            expected[i] = image.Bytes()[RoomAt(room) + i];
        }
        TempDir dir;
        const RomFile file = RomFile::Open(image.WriteTo(dir.File("rom.gba")));
        QCOMPARE(HeaderBytes(ReadRoomHeader(file, room)), expected);
    }

    // A record that does not fit in the file is not written at all: the editor never makes a
    // ROM longer.
    void writeIntoShortFile_data() {
        QTest::addColumn<int>("room");
        QTest::addColumn<qint64>("size");
        QTest::addColumn<bool>("written");
        QTest::newRow("ends where the record starts") << 7 << qint64(RoomAt(7)) << false;
        QTest::newRow("ends inside the record") << 7 << qint64(RoomAt(7) + 30) << false;
        QTest::newRow("ends one byte short") << 329 << qint64{0x34582B} << false;
        QTest::newRow("ends with the last room") << 329 << qint64{0x34582C} << true;
    }

    void writeIntoShortFile() {
        QFETCH(int, room);
        QFETCH(qint64, size);
        QFETCH(bool, written);
        ImageBuilder image(4 * MiB);
        image.Noise(21).Title().Resize(static_cast<std::size_t>(size));
        TempDir dir;
        const std::string path = image.WriteTo(dir.File("rom.gba"));
        RoomHeader header;
        header.bytes.fill(0x5A);
        bool refused = false;
        {
            RomFile file = RomFile::Open(path);
            try {
                WriteRoomHeader(file, room, header);
            } catch (const vorn::RomError&) {
                refused = true;
            }
        }
        const ByteVector after = ReadFileBytes(path);
        QCOMPARE(refused, !written);
        QCOMPARE(after.size(), image.Bytes().size());
        if (written) {
            QCOMPARE(Slice(after, RoomAt(room), kRoomSize), HeaderBytes(header));
        } else {
            QVERIFY(after == image.Bytes());
        }
    }
};

VORN_TEST_CLASS(RoomHeaderTest)

#include "room_header_test.moc"
