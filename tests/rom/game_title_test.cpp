// SPDX-License-Identifier: MIT
// The game check: the cartridge header holds the game's title as 12 ASCII bytes at 0xA0,
// and only a file with exactly those bytes is taken for an image of the game.

#include <QtTest>

#include <filesystem>
#include <string>

#include "rom/game_title.h"
#include "rom/rom_error.h"
#include "tests/support/image_builder.h"
#include "tests/support/qtest_main.h"
#include "tests/support/temp_dir.h"

using vorn::CheckGameTitle;
using namespace vorn::test;

class GameTitleTest : public QObject {
    Q_OBJECT

  private slots:
    void checkGameTitle_data() {
        QTest::addColumn<QByteArray>("title");
        QTest::addColumn<int>("titleAt");
        QTest::addColumn<int>("size");
        QTest::addColumn<bool>("holds");
        const int size = 0x1000;
        QTest::newRow("the title") << QByteArray("ZEROMISSIONE") << 0xA0 << size << true;
        QTest::newRow("file ends with the title")
            << QByteArray("ZEROMISSIONE") << 0xA0 << 0xAC << true;
        QTest::newRow("file ends one byte into the title")
            << QByteArray("ZEROMISSIONE") << 0xA0 << 0xAB << false;
        QTest::newRow("file ends before the title") << QByteArray() << 0xA0 << 0x40 << false;
        QTest::newRow("empty file") << QByteArray() << 0xA0 << 0 << false;
        QTest::newRow("no title") << QByteArray() << 0xA0 << size << false;
        QTest::newRow("lower-case title") << QByteArray("zeromissione") << 0xA0 << size << false;
        QTest::newRow("one lower-case letter")
            << QByteArray("ZEROMISSIONe") << 0xA0 << size << false;
        QTest::newRow("first letter changed")
            << QByteArray("XEROMISSIONE") << 0xA0 << size << false;
        QTest::newRow("last letter changed") << QByteArray("ZEROMISSIONF") << 0xA0 << size << false;
        QTest::newRow("title one byte late") << QByteArray("ZEROMISSIONE") << 0xA1 << size << false;
        QTest::newRow("title one byte early")
            << QByteArray("ZEROMISSIONE") << 0x9F << size << false;
        QTest::newRow("blank instead of the last letter")
            << QByteArray("ZEROMISSION ") << 0xA0 << size << false;
        QTest::newRow("NUL instead of the last letter")
            << QByteArray("ZEROMISSION\0", 12) << 0xA0 << size << false;
    }

    void checkGameTitle() {
        QFETCH(QByteArray, title);
        QFETCH(int, titleAt);
        QFETCH(int, size);
        QFETCH(bool, holds);
        // Noise around the title: the check must not depend on what lies next to it.
        ImageBuilder image(0x1000);
        image.Noise(113);
        image.Put(static_cast<std::size_t>(titleAt), ByteVector(title.begin(), title.end()));
        image.Resize(static_cast<std::size_t>(size));
        TempDir dir;
        const std::string path = image.WriteTo(dir.File("rom.gba"));
        QCOMPARE(CheckGameTitle(path), holds);
        QVERIFY(ReadFileBytes(path) == image.Bytes());
    }

    // Opening a missing file creates it empty, and an empty file is not the game.
    void missingFileIsCreatedAndFails() {
        TempDir dir;
        const std::string path = dir.File("new.gba");
        QVERIFY(!CheckGameTitle(path));
        QVERIFY(FileExists(path));
        QVERIFY(ReadFileBytes(path).empty());
    }

    void unopenablePathThrows_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("a folder") << "folder";
        QTest::newRow("inside a missing folder") << "missing/rom.gba";
        QTest::newRow("empty path") << "";
    }

    void unopenablePathThrows() {
        QFETCH(QString, name);
        TempDir dir;
        std::filesystem::create_directory(dir.File("folder"));
        const std::string path = name.isEmpty() ? std::string() : dir.File(name.toStdString());
        QVERIFY_THROWS_EXCEPTION(vorn::RomError, CheckGameTitle(path));
    }
};

VORN_TEST_CLASS(GameTitleTest)

#include "game_title_test.moc"
