// SPDX-License-Identifier: MIT
// Pointers stored in room headers. A GBA cartridge is mapped at 0x08000000, so a pointer
// into the ROM is the file offset plus 0x08000000.

#include <QtTest>

#include <cstdint>
#include <limits>

#include "rom/hex.h"
#include "rom/room_header.h"
#include "tests/support/qtest_main.h"

using vorn::DecodeDataPtr;
using vorn::DecodeEnemyPtr;
using vorn::EncodePtr;

class PointerTest : public QObject {
    Q_OBJECT

  private slots:
    // A data pointer decodes to any 32-bit offset, even a nonsensical one, so that the
    // window can show what is stored.
    void decodeDataPtr_data() {
        QTest::addColumn<quint32>("value");
        QTest::addColumn<QString>("shown");
        QTest::newRow("typical pointer") << 0x08123456u << "123456";
        QTest::newRow("start of the ROM") << 0x08000000u << "0";
        QTest::newRow("room table") << 0x08340AD4u << "340AD4";
        QTest::newRow("last byte of a 32 MiB ROM") << 0x09FFFFFFu << "1FFFFFF";
        QTest::newRow("null pointer") << 0x00000000u << "F8000000";
        QTest::newRow("all bits set") << 0xFFFFFFFFu << "F7FFFFFF";
        QTest::newRow("top bit only") << 0x80000000u << "78000000";
        QTest::newRow("just below the ROM") << 0x07FFFFFFu << "FFFFFFFF";
    }

    void decodeDataPtr() {
        QFETCH(quint32, value);
        QFETCH(QString, shown);
        QCOMPARE(QString::fromStdString(vorn::FormatHex(DecodeDataPtr(value))), shown);
    }

    // Enemy-table pointers are only accepted when they point into the ROM's 16 MiB window.
    void decodeEnemyPtr_data() {
        QTest::addColumn<quint32>("value");
        QTest::addColumn<qint32>("offset");
        QTest::newRow("start of the ROM") << 0x08000000u << 0;
        QTest::newRow("typical pointer") << 0x0812ABCDu << 0x12ABCD;
        QTest::newRow("last byte of the window") << 0x08FFFFFFu << 0xFFFFFF;
        QTest::newRow("second 16 MiB") << 0x09000000u << -1;
        QTest::newRow("just below the ROM") << 0x07FFFFFFu << -1;
        QTest::newRow("null pointer") << 0x00000000u << -1;
        QTest::newRow("top bit set") << 0x88000000u << -1;
        QTest::newRow("all bits set") << 0xFFFFFFFFu << -1;
        QTest::newRow("work RAM") << 0x02000000u << -1;
    }

    void decodeEnemyPtr() {
        QFETCH(quint32, value);
        QFETCH(qint32, offset);
        QCOMPARE(DecodeEnemyPtr(value), offset);
    }

    // The user types an offset in hex; it is stored as offset + 0x08000000, wrapping.
    void encodePtr_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<quint32>("stored");
        QTest::newRow("typical offset") << "123456" << 0x08123456u;
        QTest::newRow("short offset") << "ABCD" << 0x0800ABCDu;
        QTest::newRow("zero") << "0" << 0x08000000u;
        QTest::newRow("wraps to zero") << "F8000000" << 0x00000000u;
        QTest::newRow("minus one wraps below the ROM") << "FFFFFFFF" << 0x07FFFFFFu;
        QTest::newRow("largest positive") << "7FFFFFFF" << 0x87FFFFFFu;
        QTest::newRow("most negative") << "80000000" << 0x88000000u;
    }

    void encodePtr() {
        QFETCH(QString, typed);
        QFETCH(quint32, stored);
        QCOMPARE(EncodePtr(vorn::ParseHexLenient(typed.toStdString())), stored);
    }

    // Saving what was loaded must store the same pointer again.
    void storedPointerSurvivesDecodeAndEncode_data() {
        QTest::addColumn<quint32>("value");
        QTest::newRow("null pointer") << 0x00000000u;
        QTest::newRow("just below the ROM") << 0x07FFFFFFu;
        QTest::newRow("start of the ROM") << 0x08000000u;
        QTest::newRow("typical pointer") << 0x0812ABCDu;
        QTest::newRow("last byte of the window") << 0x08FFFFFFu;
        QTest::newRow("top bit only") << 0x80000000u;
        QTest::newRow("all bits set") << 0xFFFFFFFFu;
    }

    void storedPointerSurvivesDecodeAndEncode() {
        QFETCH(quint32, value);
        QCOMPARE(EncodePtr(DecodeDataPtr(value)), value);
        const std::int32_t enemyOffset = DecodeEnemyPtr(value);
        if (enemyOffset >= 0) {
            QCOMPARE(EncodePtr(enemyOffset), value);
        }
    }
};

VORN_TEST_CLASS(PointerTest)

#include "pointer_test.moc"
