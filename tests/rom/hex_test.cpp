// SPDX-License-Identifier: MIT
// Hexadecimal text as the windows show it and read it back.

#include <QtTest>

#include <cstdint>
#include <limits>
#include <string>

#include "rom/hex.h"
#include "tests/support/qtest_main.h"

using vorn::FormatHex;
using vorn::ParseHexIgnoringBlanks;
using vorn::ParseHexLenient;
using vorn::ParseHexStrict;

namespace {

constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();

std::string Text(const QString& text) {
    return text.toStdString();
}

std::string Lower(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'F') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return text;
}

// Strict and blank-ignoring parsers share their cases: `valid` says whether a value comes out.
void AddParsedColumns() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<qint32>("value");
}

}  // namespace

class HexTest : public QObject {
    Q_OBJECT

  private slots:
    void formatHex_data() {
        QTest::addColumn<qint32>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("zero is one digit") << 0 << "0";
        QTest::newRow("ten is a letter") << 10 << "A";
        QTest::newRow("255") << 255 << "FF";
        QTest::newRow("inner zeros stay") << 0x100 << "100";
        QTest::newRow("upper-case letters") << 0xABCDEF << "ABCDEF";
        QTest::newRow("room table start") << 0x340AD4 << "340AD4";
        QTest::newRow("eight digits") << 0x10000000 << "10000000";
        QTest::newRow("largest positive") << kMax << "7FFFFFFF";
        QTest::newRow("minus one is two's complement") << -1 << "FFFFFFFF";
        QTest::newRow("minus the ROM base") << -0x08000000 << "F8000000";
        QTest::newRow("most negative") << kMin << "80000000";
    }

    void formatHex() {
        QFETCH(qint32, value);
        QFETCH(QString, text);
        QCOMPARE(QString::fromStdString(FormatHex(value)), text);
    }

    void parseHexLenient_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint32>("value");
        QTest::newRow("mixed case") << "1a2B" << 0x1A2B;
        QTest::newRow("stops at first non-hex") << "12G4" << 0x12;
        QTest::newRow("empty reads zero") << "" << 0;
        QTest::newRow("no leading digit reads zero") << "G1" << 0;
        QTest::newRow("decimal-looking text is hex") << "8000" << 32768;
        QTest::newRow("blanks anywhere are skipped") << " 34 0AD4" << 0x340AD4;
        QTest::newRow("tabs and line feeds are skipped") << "3\t40\nAD4\n" << 0x340AD4;
        QTest::newRow("only blanks") << " \t\n " << 0;
        QTest::newRow("eight F is minus one") << "FFFFFFFF" << -1;
        QTest::newRow("leading zeros beyond eight digits") << "00000000FF" << 0xFF;
        QTest::newRow("nine digits keep the low 32 bits") << "123456789" << 0x23456789;
        QTest::newRow("sixteen digits keep the low 32 bits") << "FFFFFFFF80000000" << kMin;
        QTest::newRow("0x prefix reads the zero only") << "0x1A" << 0;
        QTest::newRow("minus sign reads zero") << "-1" << 0;
        QTest::newRow("carriage return is not a blank") << "1\r2" << 1;
    }

    void parseHexLenient() {
        QFETCH(QString, text);
        QFETCH(qint32, value);
        QCOMPARE(ParseHexLenient(Text(text)), value);
    }

    void parseHexStrict_data() {
        AddParsedColumns();
        QTest::newRow("two digits") << "1A" << true << 26;
        QTest::newRow("lower case") << "ff" << true << 255;
        QTest::newRow("trailing blank") << "1A " << true << 26;
        QTest::newRow("several trailing blanks") << "1A   " << true << 26;
        QTest::newRow("zero") << "0" << true << 0;
        QTest::newRow("leading zeros do not count") << "00000000FF" << true << 255;
        QTest::newRow("many zeros") << "000000000000" << true << 0;
        QTest::newRow("eight digits") << "FFFFFFFF" << true << -1;
        QTest::newRow("empty") << "" << false << 0;
        QTest::newRow("only blanks") << "   " << false << 0;
        QTest::newRow("non-hex letter") << "12G" << false << 0;
        QTest::newRow("minus sign") << "-1" << false << 0;
        QTest::newRow("leading blank") << " 1A" << false << 0;
        QTest::newRow("inner blank") << "1 A" << false << 0;
        QTest::newRow("trailing tab") << "1A\t" << false << 0;
        QTest::newRow("nine significant digits") << "123456789" << false << 0;
        QTest::newRow("nine digits after zeros") << "00123456789" << false << 0;
        QTest::newRow("0x prefix") << "0x1A" << false << 0;
    }

    void parseHexStrict() {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QFETCH(qint32, value);
        const std::optional<std::int32_t> parsed = ParseHexStrict(Text(text));
        QCOMPARE(parsed.has_value(), valid);
        if (valid) {
            QCOMPARE(*parsed, value);
        }
    }

    void parseHexIgnoringBlanks_data() {
        AddParsedColumns();
        QTest::newRow("inner blank") << "34 0AD4" << true << 0x340AD4;
        QTest::newRow("leading blank") << " 1A" << true << 26;
        QTest::newRow("tab and line feed") << "\t1\nA\n" << true << 26;
        QTest::newRow("blanks between zeros") << "0000 0000 FF" << true << 255;
        QTest::newRow("eight digits with blanks") << "FFFF FFFF" << true << -1;
        QTest::newRow("empty") << "" << false << 0;
        QTest::newRow("only blanks") << " \t\n" << false << 0;
        QTest::newRow("nine significant digits") << "1234 5678 9" << false << 0;
        QTest::newRow("non-hex letter") << "12 G" << false << 0;
        QTest::newRow("minus sign") << "-1" << false << 0;
        QTest::newRow("0x prefix") << "0x1A" << false << 0;
    }

    void parseHexIgnoringBlanks() {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QFETCH(qint32, value);
        const std::optional<std::int32_t> parsed = ParseHexIgnoringBlanks(Text(text));
        QCOMPARE(parsed.has_value(), valid);
        if (valid) {
            QCOMPARE(*parsed, value);
        }
    }

    // Whatever a window shows must read back as the same value, whichever parser reads it.
    void formattedTextReadsBack_data() {
        QTest::addColumn<qint32>("value");
        QTest::newRow("most negative") << kMin;
        QTest::newRow("most negative plus one") << kMin + 1;
        QTest::newRow("minus the ROM base") << -0x08000000;
        QTest::newRow("minus one") << -1;
        QTest::newRow("zero") << 0;
        QTest::newRow("one") << 1;
        QTest::newRow("fifteen") << 15;
        QTest::newRow("sixteen") << 16;
        QTest::newRow("room table start") << 0x340AD4;
        QTest::newRow("largest enemy offset") << 0xFFFFFF;
        QTest::newRow("largest positive") << kMax;
    }

    void formattedTextReadsBack() {
        QFETCH(qint32, value);
        const std::string text = FormatHex(value);
        QCOMPARE(ParseHexLenient(text), value);
        QCOMPARE(ParseHexLenient(Lower(text)), value);
        QCOMPARE(ParseHexStrict(text), std::optional<std::int32_t>(value));
        QCOMPARE(ParseHexStrict(Lower(text) + " "), std::optional<std::int32_t>(value));
        QCOMPARE(ParseHexIgnoringBlanks(" " + text + " "), std::optional<std::int32_t>(value));
    }
};

VORN_TEST_CLASS(HexTest)

#include "hex_test.moc"
