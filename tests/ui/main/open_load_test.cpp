// SPDX-License-Identifier: MIT
// File > Open and "Load": which file the window works on, and how a room's record shows.

#include <QByteArray>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QtTest>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include "tests/support/ui_driver.h"
#include "tests/ui/main/main_window_session.h"

namespace vorn::test {

namespace {

enum Answer { GameFile, OtherFile, EmptyFile, MissingFile };
using DialogRequest = ScriptedDesktop::OpenRequest;

// What the window held before the dialog answered, opened after nothing or after a game
// image. The window holds edits, which a cancel or a failed open must keep.
struct Before {
    QStringList shown;
    std::string path;
    std::size_t messages;
};

Before PrepareOpen(MainWindowSession& session, bool earlierOpen) {
    if (earlierOpen) {
        session.Open(session.Write(GameImage().Room8(0, 0x00, 0x11), "first.gba"));
    }
    TypeInto(session.form.cboTileset, "7");
    TypeInto(session.form.txtEnTable1, "ABC");
    return {Snapshot(session.form), session.form.RomPath, session.desktop.Messages.size()};
}

// Opens `path` and returns the one message it showed (or "" when it showed none).
std::string OpenAndTell(MainWindowSession& session, const Before& before, const std::string& path) {
    session.Open(path);
    const DialogRequest& asked = session.desktop.OpenRequests.back();
    if (asked.title != "Open Romfile" || asked.filter != "GBA roms (*.GBA *.gba)") {
        return "dialog asked for \"" + asked.title + "\" with \"" + asked.filter + "\"";
    }
    const std::vector<std::string> shown = session.MessagesAfter(before.messages);
    if (!session.form.isVisible() || shown.size() > 1) {
        return "not exactly one message, or the window went";
    }
    return shown.empty() ? std::string() : shown[0];
}

}  // namespace

class MainWindowOpenLoadTest : public QObject {
    Q_OBJECT

  private slots:
    // An image of the game is opened and its room 0 shown. A file that is not one fails the
    // check and is still loaded from; a name typed into the dialog for a file that is not
    // there is made, empty, by the check.
    void openFile_data() {
        QTest::addColumn<bool>("earlierOpen");
        QTest::addColumn<int>("answer");
        for (const auto& [name, answer] : {std::pair{"game image", GameFile},
                                           {"other file", OtherFile},
                                           {"empty file", EmptyFile},
                                           {"missing file", MissingFile}}) {
            QTest::addRow("%s, nothing opened before", name) << false << int{answer};
            QTest::addRow("%s, after a game image", name) << true << int{answer};
        }
    }
    void openFile() {
        QFETCH(bool, earlierOpen);
        QFETCH(int, answer);
        MainWindowSession session;
        const Before before = PrepareOpen(session, earlierOpen);
        std::string path = session.dir.File("absent.gba");
        if (answer == GameFile) {
            path = session.Write(GameImage().Room8(0, 0x00, 0x22), "second.gba");
        } else if (answer == OtherFile) {
            path = session.Write(ImageBuilder(4 * kMiB).Title("ZEROMISSIONJ").Room8(0, 0, 0x33),
                                 "other.gba");
        } else if (answer == EmptyFile) {
            path = session.Write(ImageBuilder(0), "empty.gba");
        }
        const bool game = answer == GameFile;
        QCOMPARE(OpenAndTell(session, before, path),
                 std::string(game ? "Rom Loaded" : "Sorry invalid ROM."));
        QVERIFY(QFileInfo::exists(QString::fromStdString(path)));
        QCOMPARE(session.form.RomPath, path);
        QCOMPARE(session.form.cmdGetTs.isEnabled(), game || earlierOpen);
        QCOMPARE(session.form.cmdSave.isEnabled(), game || earlierOpen);
        QCOMPARE(session.form.cboTileset.ListIndex(), game ? 0x22 : answer == OtherFile ? 0x33 : 0);
        QCOMPARE(session.form.txtForeground.Text(), std::string("F80000"));
        QCOMPARE(session.form.txtEnTable1.Text(), std::string("FFFFFFFF"));
    }

    // A cancel changes nothing: with no ROM open it says so; with one open, that ROM stays in
    // use without a word. What cannot be opened as a file is reported with its path and the
    // reason, and the window keeps the ROM and the edits it had. A named pipe must not make
    // the open wait.
    void openCancelledOrUnopenable_data() {
        QTest::addColumn<bool>("earlierOpen");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("reason");
#ifdef _WIN32
        // Windows gives its reasons in its own words, and has no named pipes among its files.
        for (const auto& [kind, reason] :
             {std::pair{"cancel", ""}, {"missing folder", ""}, {"folder", ""}}) {
#else
        for (const auto& [kind, reason] : {std::pair{"cancel", ""},
                                           {"missing folder", "No such file or directory"},
                                           {"folder", "Is a directory"},
                                           {"named pipe", "named pipe"}}) {
#endif
            QTest::addRow("%s, nothing opened before", kind) << false << kind << reason;
            QTest::addRow("%s, after a game image", kind) << true << kind << reason;
        }
    }
    void openCancelledOrUnopenable() {
        QFETCH(bool, earlierOpen);
        QFETCH(QString, kind);
        QFETCH(QString, reason);
        MainWindowSession session;
        const Before before = PrepareOpen(session, earlierOpen);
        std::string path = session.dir.File("missing/game.gba");
        if (kind == "folder") {
            path = session.dir.File("folder.gba");
            QVERIFY(QDir().mkdir(QString::fromStdString(path)));
        } else if (kind == "named pipe") {
            path = session.dir.File("pipe.gba");
#ifndef _WIN32
            QCOMPARE(::mkfifo(path.c_str(), 0644), 0);
#endif
        }
        const std::string said = OpenAndTell(session, before, kind == "cancel" ? "" : path);
        if (kind == "cancel") {
            QCOMPARE(said, std::string(earlierOpen ? "" : "No rom loaded"));
        } else {
            QVERIFY2(said.find(path) != std::string::npos, said.c_str());
            QVERIFY2(said.find(reason.toStdString()) != std::string::npos, said.c_str());
            QCOMPARE(QFileInfo::exists(QString::fromStdString(path)), kind != "missing folder");
        }
        QCOMPARE(session.form.RomPath, before.path);
        QCOMPARE(Snapshot(session.form), before.shown);
    }

    void openLoadsSelectedRoom_data() {
        QTest::addColumn<int>("room");
        QTest::addColumn<bool>("openedBefore");
        QTest::newRow("room 7 picked before the first open") << 7 << false;
        QTest::newRow("last room picked before the first open") << 329 << false;
        QTest::newRow("room 12 picked, opened again") << 12 << true;
    }
    void openLoadsSelectedRoom() {
        QFETCH(int, room);
        QFETCH(bool, openedBefore);
        MainWindowSession session;
        ImageBuilder image = GameImage();
        for (int r = 0; r < kRooms; ++r) {
            image.Room8(r, 0x00, static_cast<std::uint8_t>(r))
                .Room32(r, 0x20, 0x08100000u + 0x10u * static_cast<std::uint32_t>(r));
        }
        const std::string path = session.Write(image);
        if (openedBefore) {
            session.Open(path);
            QCOMPARE(session.form.txtEnTable1.Text(), std::string("100000"));
        }
        session.PickRoom(room);
        session.Open(path);
        QCOMPARE(session.form.cboTileset.ListIndex(), room & 0xFF);
        QCOMPARE(QString::fromStdString(session.form.txtEnTable1.Text()),
                 Hex(0x100000u + 0x10u * static_cast<std::uint32_t>(room)));
    }

    void layers_data() {
        QTest::addColumn<QByteArray>("layerBytes");  // the record's bytes 0x01 to 0x07
        QTest::addColumn<QString>("ticked");         // BG0 to BG3, 1 for ticked
        QTest::newRow("no layer") << QByteArray::fromHex("00000000000000") << "0000";
        QTest::newRow("BG0 01") << QByteArray::fromHex("01000000000000") << "1000";
        QTest::newRow("BG0 80") << QByteArray::fromHex("80000000000000") << "1000";
        QTest::newRow("BG1") << QByteArray::fromHex("00050000000000") << "0100";
        QTest::newRow("BG2") << QByteArray::fromHex("0000FF00000000") << "0010";
        QTest::newRow("BG3 low byte") << QByteArray::fromHex("00000001000000") << "0001";
        QTest::newRow("BG3 00 01 00 00") << QByteArray::fromHex("00000000010000") << "0001";
        QTest::newRow("BG3 top byte") << QByteArray::fromHex("00000000000080") << "0001";
        QTest::newRow("every layer") << QByteArray::fromHex("01010101000000") << "1111";
    }
    // A layer that is set ticks its box and enables its pointer; a disabled box still shows
    // its pointer.
    void layers() {
        QFETCH(QByteArray, layerBytes);
        QFETCH(QString, ticked);
        MainWindowSession session;
        ImageBuilder image = GameImage();
        image.Put(RoomAt(1) + 1, {0x01, 0x01, 0x01, 0xFF, 0xFF, 0xFF, 0xFF});
        image.Put(RoomAt(2) + 1, Bytes(layerBytes));
        image.Room32(2, 0x08, 0x08111111).Room32(2, 0x0C, 0x08222222);
        image.Room32(2, 0x10, 0x08333333).Room32(2, 0x14, 0x08444444);
        session.Open(session.Write(image));
        session.PickRoom(1);
        Click(session.form.cmdGetTs);
        session.PickRoom(2);
        Click(session.form.cmdGetTs);

        ui::Form1& form = session.form;
        const struct {
            toolkit::CheckBox& check;
            toolkit::TextBox& pointer;
            const char* text;
        } layers[] = {{form.chkBG0, form.txtForeground, "111111"},
                      {form.chkBG1, form.txtTileData, "222222"},
                      {form.chkBG2, form.txtBG, "333333"},
                      {form.chkBG3, form.txtClipdata, "444444"}};
        for (int i = 0; i < 4; ++i) {
            const bool set = ticked[i] == QLatin1Char('1');
            QCOMPARE(layers[i].check.isChecked(), set);
            QCOMPARE(layers[i].pointer.isEnabled(), set);
            QVERIFY(!layers[i].check.isEnabled());
            QCOMPARE(layers[i].pointer.Text(), std::string(layers[i].text));
        }
    }

    void pointerTexts_data() {
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("box");
        QTest::addColumn<uint>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("foreground 0812ABCD") << 0x08 << "txtForeground" << 0x0812ABCDu << "12ABCD";
        QTest::newRow("tiledata 08000000") << 0x0C << "txtTileData" << 0x08000000u << "0";
        QTest::newRow("background 0") << 0x10 << "txtBG" << 0u << "F80000";
        QTest::newRow("background 07FFFFFF") << 0x10 << "txtBG" << 0x07FFFFFFu << "FFFFFF";
        QTest::newRow("clipdata 09000000") << 0x14 << "txtClipdata" << 0x09000000u << "100000";
        QTest::newRow("enemy table 1 08345678") << 0x20 << "txtEnTable1" << 0x08345678u << "345678";
        QTest::newRow("enemy table 1 0") << 0x20 << "txtEnTable1" << 0u << "FFFFFFFF";
        QTest::newRow("enemy table 2 08000000") << 0x28 << "txtEnTable2" << 0x08000000u << "0";
        QTest::newRow("enemy table 2 09345678")
            << 0x28 << "txtEnTable2" << 0x09345678u << "FFFFFFFF";
        QTest::newRow("enemy table 3 08FFFFFF") << 0x2C << "txtEnTable3" << 0x08FFFFFFu << "FFFFFF";
    }
    void pointerTexts() {
        QFETCH(int, field);
        QFETCH(QString, box);
        QFETCH(uint, value);
        QFETCH(QString, text);
        MainWindowSession session;
        ImageBuilder image = GameImage();
        image.Put(RoomAt(3), NoiseBytes(kRoomSize, 3));
        image.Room32(3, static_cast<std::size_t>(field), value);
        session.Open(session.Write(image));
        session.PickRoom(3);
        Click(session.form.cmdGetTs);
        QCOMPARE(QString::fromStdString(Named<toolkit::TextBox>(session.form, box).Text()), text);
    }

    void byteLists_data() {
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("list");
        QTest::addColumn<int>("value");
        QTest::newRow("tileset") << 0x00 << "cboTileset" << 0x1A;
        QTest::newRow("tide") << 0x1C << "cboTide" << 0x0F;
        QTest::newRow("switch") << 0x1D << "cboSwitch" << 0xFF;
        QTest::newRow("enemy sheet 1") << 0x24 << "cboEn1" << 0x80;
        QTest::newRow("enemy sheet 2") << 0x25 << "cboEn2" << 0x01;
        QTest::newRow("map X") << 0x35 << "cboMX" << 0x1F;
        QTest::newRow("map Y") << 0x36 << "cboMY" << 0x0A;
        QTest::newRow("behavior") << 0x39 << "cboBehavior" << 0xC3;
    }
    // Each list selects the position of its byte in the record.
    void byteLists() {
        QFETCH(int, field);
        QFETCH(QString, list);
        QFETCH(int, value);
        MainWindowSession session;
        ImageBuilder image = GameImage();
        image.Put(RoomAt(4), NoiseBytes(kRoomSize, 4));
        image.Room8(4, static_cast<std::size_t>(field), static_cast<std::uint8_t>(value));
        session.Open(session.Write(image));
        session.PickRoom(4);
        Click(session.form.cmdGetTs);
        auto& combo = Named<toolkit::ComboBox>(session.form, list);
        QCOMPARE(combo.ListIndex(), value);
        QCOMPARE(QString::fromStdString(combo.Text()), Hex(static_cast<std::uint32_t>(value)));
    }

    void music_data() {
        QTest::addColumn<uint>("music");
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("text");
        QTest::newRow("0012") << 0x0012u << 0x12 << "12";
        QTest::newRow("00FF") << 0x00FFu << 0xFF << "FF";
        QTest::newRow("FFFF, no entry") << 0xFFFFu << -1 << "";
        QTest::newRow("0100") << 0x0100u << -1 << "100";
        QTest::newRow("1200") << 0x1200u << -1 << "1200";
        QTest::newRow("FFFE") << 0xFFFEu << -1 << "FFFE";
    }
    // Music is 16 bits wide; a value without an entry selects none and shows itself.
    void music() {
        QFETCH(uint, music);
        QFETCH(int, position);
        QFETCH(QString, text);
        MainWindowSession session;
        ImageBuilder image = GameImage();
        image.Room16(5, 0x3A, 0x0234).Room16(6, 0x3A, static_cast<std::uint16_t>(music));
        session.Open(session.Write(image));
        for (int room : {5, 6}) {
            session.PickRoom(room);
            Click(session.form.cmdGetTs);
        }
        QCOMPARE(session.form.cboMusic.ListIndex(), position);
        QCOMPARE(QString::fromStdString(session.form.cboMusic.Text()), text);
    }

    void loadNotes_data() {
        QTest::addColumn<int>("change");  // 0 none, 1 title changed, 2 cut inside the record
        QTest::addColumn<bool>("viaOpen");
        QTest::addColumn<bool>("noted");
        QTest::newRow("whole image") << 0 << false << false;
        QTest::newRow("title changed since the open") << 1 << false << true;
        QTest::newRow("cut inside the room's record") << 2 << false << true;
        QTest::newRow("opened cut inside the room's record") << 2 << true << true;
    }
    // A press of "Load", or the load File > Open runs, still shows a file that is not a whole
    // image, and says so; bytes past the end of the file show as zeros.
    void loadNotes() {
        QFETCH(int, change);
        QFETCH(bool, viaOpen);
        QFETCH(bool, noted);
        MainWindowSession session;
        ImageBuilder image = GameImage();
        image.Room8(5, 0x00, 0x1A).Room16(5, 0x3A, 0x1234);
        const std::string path = session.Write(image);
        session.PickRoom(5);
        if (!viaOpen) {
            session.Open(path);
        }
        if (change == 1) {
            session.Write(image.Title("ZEROMISSIONX"));
        } else if (change == 2) {
            session.Write(image.Resize(RoomAt(5) + kRoomSize - 1));
        }
        const std::size_t messages = session.desktop.Messages.size();
        if (viaOpen) {
            session.Open(path);
        } else {
            Click(session.form.cmdGetTs);
        }

        std::vector<std::string> shown = session.MessagesAfter(messages);
        if (viaOpen) {
            QCOMPARE(shown.at(0), std::string("Rom Loaded"));
            shown.erase(shown.begin());
        }
        QCOMPARE(shown.size(), noted ? std::size_t{1} : std::size_t{0});
        if (noted) {
            QVERIFY2(shown[0].find(path) != std::string::npos, shown[0].c_str());
        }
        QCOMPARE(session.form.cboTileset.ListIndex(), 0x1A);
        QCOMPARE(session.form.cboMusic.ListIndex(), change == 2 ? 0x34 : -1);
        QCOMPARE(ChangedOffsets(image.Bytes(), ReadFileBytes(path)), std::vector<std::size_t>());
    }

    void pickingRoomWaitsForLoad() {
        MainWindowSession session;
        ImageBuilder image = GameImage();
        image.Put(RoomAt(0), NoiseBytes(kRoomSize, 10)).Put(RoomAt(9), NoiseBytes(kRoomSize, 11));
        image.Room8(0, 0x00, 0x10).Room8(9, 0x00, 0x90);
        session.Open(session.Write(image));
        QStringList before = Snapshot(session.form);
        session.PickRoom(9);
        QCOMPARE(session.form.cboRoom.ListIndex(), 9);
        QStringList after = Snapshot(session.form);
        const qsizetype roomLine = before.indexOf(QRegularExpression("^cboRoom .*"));
        before.removeAt(roomLine);
        after.removeAt(roomLine);
        QCOMPARE(after, before);
        Click(session.form.cmdGetTs);
        QCOMPARE(session.form.cboTileset.ListIndex(), 0x90);
    }

    void roomThatIsNoRoom_data() {
        QTest::addColumn<bool>("save");
        QTest::addColumn<QString>("typed");
        for (const bool save : {false, true}) {
            for (const char* typed : {"abc", "400", "330", "-1", ""}) {
                QTest::addRow("%s \"%s\"", save ? "Save" : "Load", typed) << save << typed;
            }
        }
    }
    // A typed room that names no room: both commands refuse and change nothing.
    void roomThatIsNoRoom() {
        QFETCH(bool, save);
        QFETCH(QString, typed);
        MainWindowSession session;
        ImageBuilder image = GameImage();
        image.Put(RoomAt(0), NoiseBytes(kRoomSize, 12));
        const std::string path = session.Write(image);
        session.Open(path);
        TypeInto(session.form.cboTileset, "5");  // an edit a save would write
        TypeInto(session.form.cboRoom, typed.toStdString());
        QCOMPARE(session.form.cboRoom.ListIndex(), -1);
        const QStringList shown = Snapshot(session.form);
        const std::size_t messages = session.desktop.Messages.size();

        Click(save ? session.form.cmdSave : session.form.cmdGetTs);

        const std::vector<std::string> refused = session.MessagesAfter(messages);
        QCOMPARE(refused.size(), std::size_t{1});
        QVERIFY2(refused[0].find('"' + typed.toStdString() + '"') != std::string::npos,
                 refused[0].c_str());
        QCOMPARE(Snapshot(session.form), shown);
        QCOMPARE(ChangedOffsets(image.Bytes(), ReadFileBytes(path)), std::vector<std::size_t>());
    }
};

}  // namespace vorn::test

QTEST_MAIN(vorn::test::MainWindowOpenLoadTest)
#include "open_load_test.moc"
