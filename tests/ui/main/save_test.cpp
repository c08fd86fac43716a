// SPDX-License-Identifier: MIT
// "Save": the 60 bytes of the room selected in cboRoom, and nothing else in the file.

#include <QByteArray>
#include <QClipboard>
#include <QGuiApplication>
#include <QtTest>

#include "tests/support/ui_driver.h"
#include "tests/ui/main/main_window_session.h"

namespace vorn::test {

namespace {

constexpr int kRoom = 20;

// What became of the file between the open and the save.
enum FileSituation { OpenedAsOther, TooShort };

QByteArray Record(std::initializer_list<std::pair<std::size_t, ByteVector>> fields,
                  std::uint32_t seed) {
    ByteVector record = NoiseBytes(kRoomSize, seed);
    for (const auto& [field, bytes] : fields) {
        record = WithBytes(record, field, bytes);
    }
    return QByteArray(reinterpret_cast<const char*>(record.data()),
                      static_cast<qsizetype>(record.size()));
}

// A record whose every layer is set, so that every pointer box takes typing, with enemy
// tables in the ROM, a value of its own in every list and a music value that has no entry.
ByteVector EditableRecord() {
    ByteVector record = NoiseBytes(kRoomSize, 77);
    record = WithBytes(record, 0x00, {0x10, 0x01, 0x01, 0x01, 0x01, 0x00, 0x00, 0x00});
    record = WithBytes(record, 0x1C, {0x11, 0x12});
    record = WithBytes(record, 0x20, LittleEndian32(0x08200000));
    record = WithBytes(record, 0x24, {0x13, 0x14});
    record = WithBytes(record, 0x28, LittleEndian32(0x08123456));
    record = WithBytes(record, 0x35, {0x40, 0x41});
    record = WithBytes(record, 0x39, {0x16, 0x50, 0x01});
    return record;
}

// Does to a control what a row of a table says: "type" the input, "pick" the item at the
// input's hexadecimal position, step "down" or "up".
void Edit(ui::Form1& form, const QString& control, const QString& how, const QString& input) {
    if (how == "pick") {
        PickWithMouse(Named<toolkit::ComboBox>(form, control), input.toInt(nullptr, 16));
    } else if (how == "down") {
        PressDown(Named<toolkit::ComboBox>(form, control));
    } else if (how == "up") {
        PressUp(Named<toolkit::ComboBox>(form, control));
    } else if (auto* list = dynamic_cast<toolkit::ComboBox*>(&ControlNamed(form, control))) {
        TypeInto(*list, input.toStdString());
    } else {
        TypeInto(Named<toolkit::TextBox>(form, control), input.toStdString());
    }
}

ImageBuilder ImageWithEditableRoom() {
    ImageBuilder image = GameImage();
    image.Put(RoomAt(kRoom), EditableRecord());
    return image;
}

// Opens the image and loads its editable room, as a person does; returns the image's path.
std::string LoadEditableRoom(MainWindowSession& session, const ImageBuilder& image) {
    const std::string path = session.Write(image);
    session.Open(path);
    session.PickRoom(kRoom);
    Click(session.form.cmdGetTs);
    return path;
}

}  // namespace

class MainWindowSaveTest : public QObject {
    Q_OBJECT

  private slots:
    void unchangedRoundTrip_data() {
        QTest::addColumn<int>("room");
        QTest::addColumn<QByteArray>("record");
        QTest::newRow("random bytes, room 0") << 0 << Record({}, 21);
        QTest::newRow("random bytes, last room") << 329 << Record({}, 22);
        QTest::newRow("all zero") << 1 << QByteArray(60, '\0');
        QTest::newRow("all FF") << 2 << QByteArray(60, '\xFF');
        QTest::newRow("data pointers outside the ROM")
            << 3
            << Record({{0x08, LittleEndian32(0)},
                       {0x0C, LittleEndian32(0x09000000)},
                       {0x10, LittleEndian32(0xFFFFFFFF)},
                       {0x14, LittleEndian32(0x07FFFFFF)}},
                      23);
        QTest::newRow("enemy pointers not into the ROM")
            << 4
            << Record({{0x20, LittleEndian32(0)},
                       {0x28, LittleEndian32(0x09345678)},
                       {0x2C, LittleEndian32(0x88000001)}},
                      24);
        QTest::newRow("music 0150") << 5 << Record({{0x3A, {0x50, 0x01}}}, 25);
        QTest::newRow("music FFFF") << 6 << Record({{0x3A, {0xFF, 0xFF}}}, 26);
    }
    // Load then Save without an edit leaves the file as it was, byte for byte.
    void unchangedRoundTrip() {
        QFETCH(int, room);
        QFETCH(QByteArray, record);
        MainWindowSession session;
        ImageBuilder image = GameImage();
        image.Put(RoomAt(room), Bytes(record));
        const std::string path = session.Write(image);
        session.Open(path);
        session.PickRoom(room);
        Click(session.form.cmdGetTs);
        Click(session.form.cmdSave);
        QCOMPARE(ChangedOffsets(image.Bytes(), ReadFileBytes(path)), std::vector<std::size_t>());
        QCOMPARE(session.desktop.Messages, std::vector<std::string>{"Rom Loaded"});
    }

    void editedValue_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("input");
        QTest::addColumn<int>("field");
        QTest::addColumn<QByteArray>("bytes");
        const auto row = [](const char* name, const char* control, const char* how,
                            const char* input, int field, const char* hex) {
            QTest::newRow(name) << QString::fromLatin1(control) << QString::fromLatin1(how)
                                << QString::fromLatin1(input) << field << QByteArray::fromHex(hex);
        };
        row("music 1F picked", "cboMusic", "pick", "1F", 0x3A, "1F00");
        row("music typed beyond its list", "cboMusic", "type", "123", 0x3A, "2301");
        row("music cleared", "cboMusic", "type", "", 0x3A, "FFFF");
        row("foreground 8000", "txtForeground", "type", "8000", 0x08, "00800008");
        row("foreground ffffff", "txtForeground", "type", "ffffff", 0x08, "FFFFFF08");
        row("tiledata 0", "txtTileData", "type", "0", 0x0C, "00000008");
        row("background with a blank", "txtBG", "type", "34 0AD", 0x10, "AD400308");
        row("clipdata 12ab", "txtClipdata", "type", "12ab", 0x14, "AB120008");
        row("enemy table 1 345678", "txtEnTable1", "type", "345678", 0x20, "78563408");
        row("enemy table 1 leading zeros", "txtEnTable1", "type", "00000123456", 0x20, "56341208");
        row("enemy table 1 the cartridge's last byte", "txtEnTable1", "type", "1FFFFFF", 0x20,
            "FFFFFF09");
        row("enemy table 2 blanks", "txtEnTable2", "type", " 34 0AD4", 0x28, "D40A3408");
        row("tileset typed 1a", "cboTileset", "type", "1a", 0x00, "1A");
        row("tileset picked 3", "cboTileset", "pick", "3", 0x00, "03");
        row("tide picked", "cboTide", "pick", "2", 0x1C, "02");
        row("enemy sheet 1 picked", "cboEn1", "pick", "80", 0x24, "80");
        row("enemy sheet 2 typed", "cboEn2", "type", " ff ", 0x25, "FF");
        row("map X stepped down", "cboMX", "down", "", 0x35, "41");
        row("map Y stepped up", "cboMY", "up", "", 0x36, "40");
        row("behavior typed", "cboBehavior", "type", "C3", 0x39, "C3");
    }
    // One edit reaches its bytes of the selected room's record and nothing else in the file.
    void editedValue() {
        QFETCH(QString, control);
        QFETCH(QString, how);
        QFETCH(QString, input);
        QFETCH(int, field);
        QFETCH(QByteArray, bytes);
        MainWindowSession session;
        const ImageBuilder image = ImageWithEditableRoom();
        const std::string path = LoadEditableRoom(session, image);

        Edit(session.form, control, how, input);
        Click(session.form.cmdSave);

        ByteVector expected = image.Bytes();
        for (int i = 0; i < bytes.size(); ++i) {
            expected[RoomAt(kRoom) + static_cast<std::size_t>(field + i)] =
                static_cast<std::uint8_t>(bytes[i]);
        }
        const ByteVector written = ReadFileBytes(path);
        QCOMPARE(ChangedOffsets(expected, written), std::vector<std::size_t>());
        QCOMPARE(session.desktop.Messages, std::vector<std::string>{"Rom Loaded"});
    }

    void untouchedPointer_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("how");
        // Pointers the window cannot show faithfully: a text that is again exactly what the
        // load showed is unedited, however it got there, and the pointer is written back as
        // it was read.
        for (const char* how : {"retyped", "backspace", "undo"}) {
            QTest::addRow("foreground 09123456 shown as 112345, %s", how) << "txtForeground"
                                                                          << "112345" << how;
            QTest::addRow("clipdata 0 shown as F80000, %s", how) << "txtClipdata"
                                                                 << "F80000" << how;
            QTest::addRow("enemy table 2 0 shown as FFFFFFFF, %s", how) << "txtEnTable2"
                                                                        << "FFFFFFFF" << how;
        }
    }
    void untouchedPointer() {
        QFETCH(QString, control);
        QFETCH(QString, shown);
        QFETCH(QString, how);
        MainWindowSession session;
        ImageBuilder image = GameImage();
        ByteVector record = NoiseBytes(kRoomSize, 31);
        // Layers 0 and 3 in use, so that their pointer boxes can be typed into.
        record = WithBytes(record, 0x01, {0x10});
        record = WithBytes(record, 0x04, LittleEndian32(1));
        record = WithBytes(record, 0x08, LittleEndian32(0x09123456));
        record = WithBytes(record, 0x14, LittleEndian32(0));
        record = WithBytes(record, 0x28, LittleEndian32(0));
        record = WithBytes(record, 0x3A, {0x05, 0x00});
        image.Put(RoomAt(kRoom), record);
        const std::string path = session.Write(image);
        session.PickRoom(kRoom);
        session.Open(path);
        auto& box = Named<toolkit::TextBox>(session.form, control);
        QCOMPARE(QString::fromStdString(box.Text()), shown);

        if (how == "retyped") {
            TypeInto(box, shown.toStdString());
        } else {
            // The last character taken away, then given back by typing it or by Ctrl+Z.
            AppendTo(box, "");
            QTest::keyClick(&box, Qt::Key_Backspace);
            if (how == "undo") {
                QTest::keyClick(&box, Qt::Key_Z, Qt::ControlModifier);
            } else {
                AppendTo(box, shown.right(1).toStdString());
            }
        }
        QCOMPARE(QString::fromStdString(box.Text()), shown);
        Click(session.form.cmdSave);

        QCOMPARE(ChangedOffsets(image.Bytes(), ReadFileBytes(path)), std::vector<std::size_t>());
        QCOMPARE(session.desktop.Messages, std::vector<std::string>{"Rom Loaded"});
    }

    void refusedEdit_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("hint");
        const auto row = [](const char* name, const char* control, const char* text,
                            const char* label, const char* hint = "") {
            QTest::newRow(name) << QString::fromLatin1(control) << QString::fromLatin1(text)
                                << QString::fromLatin1(label) << QString::fromLatin1(hint);
        };
        row("foreground 12G4", "txtForeground", "12G4", "Foreground:");
        row("foreground empty", "txtForeground", "", "Foreground:");
        row("background 0x12", "txtBG", "0x12", "Background:");
        row("tiledata -1", "txtTileData", "-1", "Tiledata:");
        row("clipdata blanks only", "txtClipdata", "   ", "Clipdata:");
        row("enemy table 1 nine digits", "txtEnTable1", "123456789", "Enemy Table 1:");
        row("enemy table 2 &H prefix", "txtEnTable2", "&H1234", "Enemy Table 2:");
        // Typed pointers outside the cartridge ROM, 08000000 to 09FFFFFF.
        row("enemy table 1 a GBA address", "txtEnTable1", "085ABC30",
            "Enemy Table 1:", "for the GBA address 085ABC30 type 5ABC30");
        row("enemy table 2 a GBA address in lower case", "txtEnTable2", "9ffffff",
            "Enemy Table 2:", "for the GBA address 09FFFFFF type 1FFFFFF");
        row("enemy table 1 past the cartridge", "txtEnTable1", "2000000",
            "Enemy Table 1:", "pointer 0A000000");
        row("enemy table 2 FFFFFFFF", "txtEnTable2", "FFFFFFFF",
            "Enemy Table 2:", "pointer 07FFFFFF");
        row("tileset zz", "cboTileset", "zz", "Tileset:");
        row("tide 100", "cboTide", "100", "Water Tide:");
        row("behavior empty", "cboBehavior", "", "Room Behavior:");
        row("enemy sheet 1 -1", "cboEn1", "-1", "Enemy sheet 1:");
        row("enemy sheet 2 G", "cboEn2", "G", "Enemy sheet 2:");
        row("map X 0x1A", "cboMX", "0x1A", "MiniMap Room Location X:");
        row("music typo 1G", "cboMusic", "1G", "Music:");
        row("music beyond 16 bits", "cboMusic", "10000", "Music:");
    }
    // A value that cannot be saved refuses the whole save, before anything is written; once
    // corrected, the save goes through.
    void refusedEdit() {
        QFETCH(QString, control);
        QFETCH(QString, text);
        QFETCH(QString, label);
        QFETCH(QString, hint);
        MainWindowSession session;
        const ImageBuilder image = ImageWithEditableRoom();
        const std::string path = LoadEditableRoom(session, image);
        PickWithMouse(session.form.cboMusic, 0x33);  // valid edits, checked before and after
        TypeInto(session.form.cboMX, "3");
        Edit(session.form, control, "type", text);

        Click(session.form.cmdSave);

        const std::vector<std::string> refused = session.MessagesAfter(1);
        QCOMPARE(refused.size(), std::size_t{1});
        const QString message = QString::fromStdString(refused[0]);
        QVERIFY2(message.contains(label), qPrintable(message));
        QVERIFY2(message.contains('"' + text + '"'), qPrintable(message));
        QVERIFY2(message.contains(hint), qPrintable(message));
        QCOMPARE(ChangedOffsets(image.Bytes(), ReadFileBytes(path)), std::vector<std::size_t>());

        Edit(session.form, control, "type", "1");
        Click(session.form.cmdSave);
        QCOMPARE(session.desktop.Messages.size(), std::size_t{2});
        const ByteVector record = BytesAt(ReadFileBytes(path), RoomAt(kRoom), kRoomSize);
        QCOMPARE(record[0x35], static_cast<std::uint8_t>(control == "cboMX" ? 0x01 : 0x03));
        QCOMPARE(record[0x3A], static_cast<std::uint8_t>(control == "cboMusic" ? 0x01 : 0x33));
    }

    void refusedFile_data() {
        QTest::addColumn<int>("situation");
        QTest::addColumn<QString>("reason");
        QTest::newRow("opened as not the game") << int{OpenedAsOther} << "supported game";
        QTest::newRow("too short for the room") << int{TooShort} << "inside the file";
    }
    // A save into a file that may not take it writes nothing and says why.
    void refusedFile() {
        QFETCH(int, situation);
        QFETCH(QString, reason);
        MainWindowSession session;
        const int room = 5;
        ImageBuilder image = GameImage();
        image.Put(RoomAt(room), NoiseBytes(kRoomSize, 30));
        if (situation == TooShort) {
            image.Resize(RoomAt(room) + kRoomSize - 1);  // one byte short of the record
        }
        std::string path = session.Write(image);
        session.Open(path);
        if (situation == OpenedAsOther) {
            path = session.Write(ImageBuilder(4 * kMiB).Noise(31), "other.gba");
            session.Open(path);
            QCOMPARE(session.desktop.Messages.back(), std::string("Sorry invalid ROM."));
        } else {
            QCOMPARE(session.desktop.Messages.back(), std::string("Rom Loaded"));
        }
        const ByteVector before = ReadFileBytes(path);
        session.PickRoom(room);
        Click(session.form.cmdGetTs);
        TypeInto(session.form.cboTileset, "44");
        const std::size_t messages = session.desktop.Messages.size();

        Click(session.form.cmdSave);

        const std::vector<std::string> refused = session.MessagesAfter(messages);
        QCOMPARE(refused.size(), std::size_t{1});
        const QString message = QString::fromStdString(refused[0]);
        QVERIFY2(message.contains(QString::fromStdString(path)), qPrintable(message));
        QVERIFY2(message.contains(reason), qPrintable(message));
        QCOMPARE(ChangedOffsets(before, ReadFileBytes(path)), std::vector<std::size_t>());
    }

    // A GBA address pasted from a hex editor does not fit a six-character box: it is refused
    // whole, with a word, and the box keeps what it showed.
    void pasteThatDoesNotFit() {
        MainWindowSession session;
        const ImageBuilder image = ImageWithEditableRoom();
        const std::string path = LoadEditableRoom(session, image);
        const std::string shown = session.form.txtForeground.Text();
        QGuiApplication::clipboard()->setText("08ABCDEF");
        session.form.txtForeground.setFocus();
        QTest::keySequence(&session.form.txtForeground, QKeySequence::Paste);
        QCOMPARE(session.form.txtForeground.Text(), shown);
        const std::vector<std::string> said = session.MessagesAfter(1);
        QCOMPARE(said.size(), std::size_t{1});
        for (const char* part : {"Foreground:", "6 characters", "\"08ABCDEF\""}) {
            QVERIFY2(said[0].find(part) != std::string::npos, said[0].c_str());
        }
        Click(session.form.cmdSave);
        QCOMPARE(ChangedOffsets(image.Bytes(), ReadFileBytes(path)), std::vector<std::size_t>());
    }

    void changedOnDisk_data() {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<int>("changedAt");  // offset from room 5's record
        QTest::addColumn<int>("savedInto");
        QTest::addColumn<bool>("refused");
        QTest::newRow("an unshown byte of the loaded room") << "" << 0x18 << 5 << true;
        QTest::newRow("the behaviour of the loaded room") << "" << 0x39 << 5 << true;
        QTest::newRow("after a save into the same room") << "save" << 0x30 << 5 << true;
        QTest::newRow("the byte before the room") << "" << -1 << 5 << false;
        QTest::newRow("the byte after the room") << "" << 60 << 5 << false;
        QTest::newRow("a room this window never read") << "" << 2 * 60 + 0x18 << 7 << false;
    }
    // Another program changed the file after the load: a save into the room the window read
    // is refused when that room's bytes changed, and writes nothing; after a Load it works.
    // A save goes into the room selected at that moment: room 7, never read, takes room 5's
    // record as the window shows it, pointers it cannot show faithfully included.
    void changedOnDisk() {
        QFETCH(QString, steps);
        QFETCH(int, changedAt);
        QFETCH(int, savedInto);
        QFETCH(bool, refused);
        MainWindowSession session;
        ImageBuilder image = GameImage();
        image.Put(RoomAt(5), NoiseBytes(3 * kRoomSize, 55));
        const std::string path = session.Write(image);
        session.PickRoom(5);
        session.Open(path);
        if (steps == "save") {
            Click(session.form.cmdSave);
        }
        const auto at = static_cast<std::size_t>(static_cast<int>(RoomAt(5)) + changedAt);
        session.Write(image.Put8(at, static_cast<std::uint8_t>(~image.Bytes()[at])));
        session.PickRoom(savedInto);
        TypeInto(session.form.cboTileset, "44");
        const std::size_t messages = session.desktop.Messages.size();
        Click(session.form.cmdSave);

        const std::vector<std::string> said = session.MessagesAfter(messages);
        const ByteVector after = ReadFileBytes(path);
        if (refused) {
            QCOMPARE(said.size(), std::size_t{1});
            for (const std::string& part :
                 {std::string("Room 5 changed on disk"), path, std::string("\"Load\"")}) {
                QVERIFY2(said[0].find(part) != std::string::npos, said[0].c_str());
            }
            QCOMPARE(ChangedOffsets(image.Bytes(), after), std::vector<std::size_t>());
            Click(session.form.cmdGetTs);
            TypeInto(session.form.cboTileset, "44");
            Click(session.form.cmdSave);
        }
        QCOMPARE(session.MessagesAfter(messages).size(), said.size());
        // The room saved into holds room 5's record as the window last read it, with the edit.
        ByteVector expected = image.Bytes();
        const ByteVector record = WithBytes(BytesAt(expected, RoomAt(5), kRoomSize), 0x00, {0x44});
        std::copy(record.begin(), record.end(),
                  expected.begin() + static_cast<std::ptrdiff_t>(RoomAt(savedInto)));
        QCOMPARE(ChangedOffsets(expected, ReadFileBytes(path)), std::vector<std::size_t>());
    }
};

}  // namespace vorn::test

QTEST_MAIN(vorn::test::MainWindowSaveTest)
#include "save_test.moc"
