// SPDX-License-Identifier: MIT
// Window tests of the enemy editor, driven through the main window as a person uses it:
// File > Open, a room, "Follow Offset1", then the editor's own list, drop-downs and Save.

#include <QApplication>
#include <QClipboard>
#include <QListWidget>
#include <QtTest>

#include <algorithm>
#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/ui_driver.h"
#include "tests/ui/main/main_window_session.h"
#include "ui/enemies/form3.h"

namespace vorn::test {
namespace {

using Entry = std::array<std::uint8_t, 3>;
using EntryList = std::vector<Entry>;

constexpr int kRoom = 5;
constexpr std::size_t kEnemyTableField = 0x20;
constexpr std::size_t kListAt = 0x346000;
constexpr char kRefusal[] = "I refuse to edit this.";

}  // namespace
}  // namespace vorn::test

Q_DECLARE_METATYPE(vorn::test::EntryList)

namespace vorn::test {
namespace {

const EntryList kThree = {{0x10, 0x20, 0x05}, {0x30, 0x40, 0x06}, {0x50, 0x60, 0x07}};

// 256 entries, none of them the end mark: entry i is i, FF-i, 40.
EntryList FullList() {
    EntryList entries;
    for (int i = 0; i < 256; ++i) {
        entries.push_back({static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(255 - i), 0x40});
    }
    return entries;
}

// The lists the tables name: "three" enemies and the end, 256 enemies without an end ("full"),
// only the "end".
EntryList NamedList(const QString& name) {
    if (name == "full") {
        return FullList();
    }
    return name.startsWith("three") ? kThree : EntryList{};
}

std::uint32_t RomPointer(std::size_t offset) {
    return 0x08000000u + static_cast<std::uint32_t>(offset);
}

// A game image whose room has its first enemy list at `at`.
ImageBuilder GameWithList(const EntryList& entries, bool terminate = true, int room = kRoom,
                          std::size_t at = kListAt) {
    return GameImage()
        .Room32(room, kEnemyTableField, RomPointer(at))
        .Enemies(at, entries, terminate);
}

QString EntryText(int slot, const EnemyEntry& entry) {
    return QString("%1=%2 %3 %4")
        .arg(slot)
        .arg(Hex(entry.x, 2), Hex(entry.y, 2), Hex(entry.enemy, 2));
}

// Every byte that differs, as "+offset=value" relative to the list's start ("-" before it).
QString Changes(const ByteVector& before, const ByteVector& after) {
    QStringList changes;
    for (const std::size_t at : ChangedOffsets(before, after)) {
        const QString value = at < after.size() ? Hex(after[at], 2) : QString("gone");
        const QString where = at >= kListAt ? "+" + Hex(static_cast<int>(at - kListAt))
                                            : "-" + Hex(static_cast<int>(kListAt - at));
        changes << where + "=" + value;
    }
    return changes.join(' ');
}

// What the three drop-downs show, by text and by selected position.
QString Shown(const ui::Form3& editor) {
    return QString::fromStdString(editor.cboX.Text() + " " + editor.cboY.Text() + " " +
                                  editor.cboEnemy.Text());
}
QString Positions(const ui::Form3& editor) {
    return Hex(editor.cboX.ListIndex()) + " " + Hex(editor.cboY.ListIndex()) + " " +
           Hex(editor.cboEnemy.ListIndex());
}

QStringList Items(const toolkit::ListBox& list) {
    QStringList items;
    for (int i = 0; i < list.count(); ++i) {
        items << list.item(i)->text();
    }
    return items;
}

QStringList Expected(int count) {
    QStringList items;
    for (int i = 0; i < count; ++i) {
        items << Hex(i);
    }
    return items;
}

// The main window on a scripted desktop that records, for every message, whether the enemy
// editor was on the screen while it was up.
struct Session : MainWindowSession {
    std::vector<bool> editorShownDuring;

    Session() {
        desktop.WhileMessageShown = [this](const std::string&) {
            const ui::Form3* editor = form.EnemyEditor().Get();
            editorShownDuring.push_back(editor != nullptr && editor->isVisible());
        };
    }
    ~Session() { FlushUnloadedWindows(); }

    void LoadRoom(int room) {
        form.cboRoom.SetListIndex(room);
        form.cmdGetTs.click();
    }
    ui::Form3* Follow() {
        form.cmdRepoint1.click();
        QApplication::processEvents();  // lets the window become the active one
        return form.EnemyEditor().Get();
    }
    // Opens the image, picks its room and follows its first enemy table.
    ui::Form3* Edit(const std::string& path, int room = kRoom) {
        Open(path);
        LoadRoom(room);
        return Follow();
    }
    QStringList MessagesFrom(std::size_t first) const {
        QStringList shown;
        for (const std::string& message : MessagesAfter(first)) {
            shown << QString::fromStdString(message);
        }
        return shown;
    }
    int Refusals() const {
        return static_cast<int>(
            std::count(desktop.Messages.begin(), desktop.Messages.end(), std::string(kRefusal)));
    }
};

toolkit::ComboBox& Field(ui::Form3& editor, const QString& name) {
    if (name == "x") {
        return editor.cboX;
    }
    return name == "y" ? editor.cboY : editor.cboEnemy;
}

// Runs one step of a table's script, the way a person does it:
//   click N | key down | key up | key end | focus | tab to list
//   type FIELD TEXT | pick FIELD N | down FIELD       (FIELD is x, y or enemy)
void Act(ui::Form3& editor, const QString& step) {
    const QStringList words = step.split(' ');
    const QString verb = words[0];
    if (verb == "click") {
        ClickItem(editor.lstEnemies, words[1].toInt());
    } else if (step == "key down") {
        PressKey(editor.lstEnemies, Qt::Key_Down);
    } else if (step == "key up") {
        PressKey(editor.lstEnemies, Qt::Key_Up);
    } else if (step == "key end") {
        PressKey(editor.lstEnemies, Qt::Key_End);
    } else if (step == "focus") {
        editor.lstEnemies.setFocus();
    } else if (step == "tab to list") {
        editor.cmdSave.setFocus();
        QTest::keyClick(&editor.cmdSave, Qt::Key_Tab);
    } else if (verb == "type") {
        TypeInto(Field(editor, words[1]), words.size() > 2 ? words[2].toStdString() : "");
    } else if (verb == "pick") {
        PickWithMouse(Field(editor, words[1]), words[2].toInt());
    } else if (verb == "down") {
        PressDown(Field(editor, words[1]));
    } else {
        QFAIL(qPrintable("unknown step " + step));
    }
}

}  // namespace

class EnemyEditorTest : public QObject {
    Q_OBJECT

  private slots:
    void cleanup() { FlushUnloadedWindows(); }

    void tabOrder();
    void opening_data();
    void opening();
    void refusedOpening_data();
    void refusedOpening();
    void selecting_data();
    void selecting();
    void editing_data();
    void editing();
    void refusedTypedText_data();
    void refusedTypedText();
    void saveWritesHeldSlots_data();
    void saveWritesHeldSlots();
    void refusedSave_data();
    void refusedSave();
    void followAgainWhileLoaded_data();
    void followAgainWhileLoaded();
    void closeBoxUnloads();
    void editorKeepsItsOwnRom();
};

void EnemyEditorTest::tabOrder() {
    Session session;
    ui::Form3* editor = session.Edit(session.Write(GameWithList(kThree)));
    QVERIFY(editor != nullptr);
    QVERIFY(editor->cboX.hasFocus());

    // Tab goes X, Enemy, Y, Save, then skips the disabled Repoint button for the list.
    QStringList visited;
    for (int i = 0; i < 4; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        for (const QWidget* control : editor->Controls()) {
            if (control->hasFocus()) {
                visited << control->objectName();
            }
        }
    }
    QCOMPARE(visited, QStringList({"cboEnemy", "cboY", "cmdSave", "lstEnemies"}));
}

void EnemyEditorTest::opening_data() {
    QTest::addColumn<EntryList>("entries");
    QTest::addColumn<bool>("terminate");
    QTest::addColumn<int>("listAt");
    QTest::addColumn<QString>("offsetText");  // typed into Enemy Table 1; empty: as loaded
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("items");
    QTest::addColumn<QString>("shown");

    QTest::newRow("three enemies") << kThree << true << int(kListAt) << ""
                                   << "346000" << 4 << "10 20 5";
    QTest::newRow("no end among 256 slots") << FullList() << false << int(kListAt) << ""
                                            << "346000" << 256 << "0 FF 40";
    QTest::newRow("offset typed in lower case") << kThree << true << 0x3A5B2C << "3a5b2c"
                                                << "3A5B2C" << 4 << "10 20 5";
    QTest::newRow("offset typed as 000000")
        << EntryList{{0x01, 0x02, 0x03}} << true << 0 << "000000"
        << "0" << 2 << "1 2 3";
}

void EnemyEditorTest::opening() {
    QFETCH(EntryList, entries);
    QFETCH(bool, terminate);
    QFETCH(int, listAt);
    QFETCH(QString, offsetText);
    QFETCH(QString, message);
    QFETCH(int, items);
    QFETCH(QString, shown);

    Session session;
    const auto at = static_cast<std::size_t>(listAt);
    const std::string path = session.Write(GameWithList(entries, terminate, kRoom, at));
    session.Open(path);
    session.LoadRoom(kRoom);
    if (!offsetText.isEmpty()) {
        TypeInto(session.form.txtEnTable1, offsetText.toStdString());
    }
    const std::size_t before = session.desktop.Messages.size();
    ui::Form3* editor = session.Follow();

    QVERIFY(editor != nullptr);
    QCOMPARE(session.MessagesFrom(before), QStringList({message}));
    QCOMPARE(session.editorShownDuring.back(), false);  // the offset comes first, then the window
    QVERIFY(editor->isVisible());
    QCOMPARE(editor->RomPath, path);
    QCOMPARE(Items(editor->lstEnemies), Expected(items));
    QCOMPARE(editor->lstEnemies.ListIndex(), 0);
    QCOMPARE(Shown(*editor), shown);
    QCOMPARE(Positions(*editor), shown);
}

void EnemyEditorTest::refusedOpening_data() {
    QTest::addColumn<bool>("openRom");
    QTest::addColumn<std::uint32_t>("pointer");  // the room's first enemy table
    QTest::addColumn<QString>("offsetText");     // typed into Enemy Table 1 unless "-"
    QTest::addColumn<bool>("folderInstead");     // the file is a folder when followed
    QTest::addColumn<QString>("mentions");

    const std::uint32_t list = RomPointer(kListAt);
    QTest::newRow("no ROM opened yet")
        << false << list << "-" << false << "close the enemy editor and press \"Follow Offset1\"";
    QTest::newRow("letter beyond F") << true << list << "12G" << false << "\"12G\"";
    QTest::newRow("empty text") << true << list << "" << false << "\"\"";
    QTest::newRow("leading blank") << true << list << " 1A" << false << "\" 1A\"";
    QTest::newRow("nine digits") << true << list << "123456789" << false << "\"123456789\"";
    QTest::newRow("a hundred thousand characters, pasted")
        << true << list << QString(100000, QLatin1Char('7')) << false << "(100000 characters)";
    QTest::newRow("pointer outside the ROM")
        << true << std::uint32_t{0x02001234} << "-" << false << "FFFFFFFF";
    QTest::newRow("lowest negative offset") << true << list << "80000000" << false << "80000000";
    QTest::newRow("file turned into a folder") << true << list << "-" << true << "game.gba";
}

void EnemyEditorTest::refusedOpening() {
    QFETCH(bool, openRom);
    QFETCH(std::uint32_t, pointer);
    QFETCH(QString, offsetText);
    QFETCH(bool, folderInstead);
    QFETCH(QString, mentions);

    Session session;
    ImageBuilder image = GameWithList(kThree);
    image.Room32(kRoom, kEnemyTableField, pointer);
    const std::string path = session.Write(image);
    if (openRom) {
        session.Open(path);
        session.LoadRoom(kRoom);
    }
    if (offsetText.size() > 100) {
        QGuiApplication::clipboard()->setText(offsetText);
        session.form.txtEnTable1.setFocus();
        QTest::keySequence(&session.form.txtEnTable1, QKeySequence::SelectAll);
        QTest::keySequence(&session.form.txtEnTable1, QKeySequence::Paste);
        QCOMPARE(session.form.txtEnTable1.Text(), offsetText.toStdString());
    } else if (offsetText != "-") {
        TypeInto(session.form.txtEnTable1, offsetText.toStdString());
    }
    if (folderInstead) {
        std::filesystem::remove(path);
        std::filesystem::create_directory(path);
    }
    const std::size_t before = session.desktop.Messages.size();
    ui::Form3* editor = session.Follow();

    QVERIFY(editor != nullptr);
    const QStringList shown = session.MessagesFrom(before);
    QCOMPARE(shown.size(), 1);
    QVERIFY2(shown[0].contains(mentions), qPrintable(shown[0]));
    // What the user typed is quoted in part; the whole text is offered behind the message.
    QVERIFY2(shown[0].size() < 300, qPrintable(shown[0].left(300)));
    if (offsetText.size() > 60) {
        QVERIFY(session.desktop.Details.back().find(offsetText.toStdString()) != std::string::npos);
    }
    QCOMPARE(session.editorShownDuring.back(), false);
    QVERIFY(editor->isVisible());
    QCOMPARE(editor->lstEnemies.count(), 0);
    QCOMPARE(editor->lstEnemies.ListIndex(), -1);

    // Nothing was read, so Save has nothing to write, even once the file is back.
    if (folderInstead) {
        std::filesystem::remove(path);
        session.Write(image);
    }
    Click(editor->cmdSave);
    QCOMPARE(Changes(image.Bytes(), ReadFileBytes(path)), QString());
}

void EnemyEditorTest::selecting_data() {
    QTest::addColumn<QString>("list");
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<int>("selected");
    QTest::addColumn<QString>("shown");  // empty: not checked
    QTest::addColumn<int>("refusals");   // "I refuse to edit this." since the window opened

    QTest::newRow("click an enemy") << "three" << QStringList{"click 2"} << 2 << "50 60 7" << 0;
    QTest::newRow("click back to the first")
        << "three" << QStringList{"click 2", "click 0"} << 0 << "10 20 5" << 0;
    QTest::newRow("click the end") << "three" << QStringList{"click 3"} << 2 << "50 60 7" << 1;
    QTest::newRow("click the end twice")
        << "three" << QStringList{"click 3", "click 3"} << 2 << "50 60 7" << 2;
    QTest::newRow("Down arrow onto an enemy")
        << "three" << QStringList{"click 0", "key down"} << 1 << "30 40 6" << 0;
    QTest::newRow("Down arrow onto the end")
        << "three" << QStringList{"click 2", "key down"} << 2 << "50 60 7" << 1;
    QTest::newRow("End key") << "three" << QStringList{"key end"} << 2 << "50 60 7" << 1;
    QTest::newRow("Up arrow after a refusal")
        << "three" << QStringList{"click 3", "key up"} << 1 << "30 40 6" << 1;
    QTest::newRow("click the end of 256 slots")
        << "full" << QStringList{"click 255"} << 254 << "FE 1 40" << 1;
    QTest::newRow("Down arrow onto the end of 256 slots")
        << "full" << QStringList{"click 254", "key down"} << 254 << "FE 1 40" << 1;
    QTest::newRow("only the end, when loaded") << "end" << QStringList{} << -1 << "" << 1;
    QTest::newRow("only the end, focus from code")
        << "end" << QStringList{"focus"} << -1 << "" << 1;
    QTest::newRow("only the end, Tab to the list")
        << "end" << QStringList{"tab to list"} << -1 << "" << 1;
}

void EnemyEditorTest::selecting() {
    QFETCH(QString, list);
    QFETCH(QStringList, steps);
    QFETCH(int, selected);
    QFETCH(QString, shown);
    QFETCH(int, refusals);

    Session session;
    ui::Form3* editor = session.Edit(session.Write(GameWithList(NamedList(list), list != "full")));
    QVERIFY(editor != nullptr);
    for (const QString& step : steps) {
        Act(*editor, step);
    }
    QCOMPARE(editor->lstEnemies.ListIndex(), selected);
    if (!shown.isEmpty()) {
        QCOMPARE(Shown(*editor), shown);
        QCOMPARE(Positions(*editor), shown);
    }
    QCOMPARE(session.Refusals(), refusals);
    if (list == "end" && !steps.isEmpty()) {
        // The list has the focus and Qt made its only row current, without selecting it.
        QVERIFY(editor->lstEnemies.hasFocus());
        QCOMPARE(editor->lstEnemies.currentRow(), 0);
    }
    // Nothing else was shown after the last refusal, or after the offset when none came.
    QCOMPARE(session.desktop.Messages.back(), std::string(refusals > 0 ? kRefusal : "346000"));
}

void EnemyEditorTest::editing_data() {
    QTest::addColumn<QString>("list");
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("memory");   // the entry as the editor holds it, before Save
    QTest::addColumn<QString>("written");  // the file's changed bytes after Save

    QTest::newRow("save right after loading") << "three" << QStringList{} << "0=10 20 05"
                                              << "";
    QTest::newRow("save right after loading 256 slots") << "full" << QStringList{} << "0=00 FF 40"
                                                        << "";
    QTest::newRow("typed Y is held at once")
        << "three" << QStringList{"click 1", "type y 1F"} << "1=30 1F 06"
        << "+4=1F";
    QTest::newRow("typed in lower case") << "three" << QStringList{"type enemy a0"} << "0=10 20 A0"
                                         << "+2=A0";
    QTest::newRow("typed X") << "three" << QStringList{"click 2", "type x 7"} << "2=07 60 07"
                             << "+6=07";
    QTest::newRow("picked value waits for Save")
        << "three" << QStringList{"click 1", "pick x 5"} << "1=30 40 06"
        << "+3=05";
    QTest::newRow("Down arrow in a drop-down is a pick")
        << "three" << QStringList{"down enemy"} << "0=10 20 05"
        << "+2=06";
    QTest::newRow("selecting another entry drops a pick")
        << "three" << QStringList{"click 1", "pick x 5", "click 0"} << "1=30 40 06"
        << "";
    QTest::newRow("typed value kept when another entry is selected")
        << "three" << QStringList{"click 1", "type y 1F", "click 0"} << "1=30 1F 06"
        << "+4=1F";
    QTest::newRow("pick after typing in the same field")
        << "three" << QStringList{"click 1", "type y 1F", "pick y 2"} << "1=30 1F 06"
        << "+4=02";
    QTest::newRow("typed in two entries")
        << "three" << QStringList{"type x 11", "click 2", "type enemy 99"} << "0=11 20 05"
        << "+0=11 +8=99";
    QTest::newRow("picks in slot 16 of 256")
        << "full" << QStringList{"click 16", "pick x 5", "pick y 6", "pick enemy 7"}
        << "16=10 EF 40"
        << "+30=05 +31=06 +32=07";
}

void EnemyEditorTest::editing() {
    QFETCH(QString, list);
    QFETCH(QStringList, steps);
    QFETCH(QString, memory);
    QFETCH(QString, written);

    Session session;
    const ImageBuilder image = GameWithList(NamedList(list), list != "full");
    const std::string path = session.Write(image);
    ui::Form3* editor = session.Edit(path);
    QVERIFY(editor != nullptr);
    for (const QString& step : steps) {
        Act(*editor, step);
    }
    const int slot = memory.section('=', 0, 0).toInt();
    QCOMPARE(EntryText(slot, editor->List.entries[static_cast<std::size_t>(slot)]), memory);
    QCOMPARE(Changes(image.Bytes(), ReadFileBytes(path)),
             QString());  // nothing reaches the file before Save

    const std::size_t before = session.desktop.Messages.size();
    Click(editor->cmdSave);
    QCOMPARE(session.MessagesFrom(before), QStringList());
    QCOMPARE(Changes(image.Bytes(), ReadFileBytes(path)), written);
}

void EnemyEditorTest::refusedTypedText_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("label");
    const auto row = [](const char* name, const char* field, const char* text, const char* label) {
        QTest::newRow(name) << field << text << label;
    };
    row("X names no value", "x", "zz", "X:");
    row("Y a prefix", "y", "0x1A", "Y:");
    row("enemy beyond a byte", "enemy", "100", "Enemy:");
    row("enemy cleared", "enemy", "", "Enemy:");
}

// While a drop-down's typed text names no value, the entry holds the byte it had when it was
// selected (not the value of a prefix of what was typed), and Save refuses, naming the label
// and the text, and writes nothing.
void EnemyEditorTest::refusedTypedText() {
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(QString, label);

    Session session;
    const ImageBuilder image = GameWithList(kThree);
    const std::string path = session.Write(image);
    ui::Form3* editor = session.Edit(path);
    QVERIFY(editor != nullptr);
    ClickItem(editor->lstEnemies, 1);
    PickWithMouse(editor->cboX, 0x44);  // a pick the refused save must not store either
    TypeInto(Field(*editor, field), text.toStdString());
    QCOMPARE(EntryText(1, editor->List.entries[1]), QString("1=30 40 06"));

    const std::size_t before = session.desktop.Messages.size();
    Click(editor->cmdSave);
    const QStringList said = session.MessagesFrom(before);
    QCOMPARE(said.size(), 1);
    QVERIFY2(said[0].startsWith(label + " \"" + text + "\""), qPrintable(said[0]));
    QCOMPARE(Changes(image.Bytes(), ReadFileBytes(path)), QString());
    QCOMPARE(EntryText(1, editor->List.entries[1]), QString("1=30 40 06"));
}

void EnemyEditorTest::saveWritesHeldSlots_data() {
    QTest::addColumn<QString>("list");
    QTest::addColumn<int>("bytes");  // slots 0 to the end, three bytes each

    QTest::newRow("three enemies and the end") << "three" << 12;
    QTest::newRow("only the end") << "end" << 3;
    QTest::newRow("256 slots without an end") << "full" << 768;
    QTest::newRow("end mark in the file's last bytes") << "three at end of file" << 12;
}

void EnemyEditorTest::saveWritesHeldSlots() {
    QFETCH(QString, list);
    QFETCH(int, bytes);

    Session session;
    ImageBuilder image = GameWithList(NamedList(list), list != "full");
    const auto count = static_cast<std::size_t>(bytes);
    if (list == "three at end of file") {
        image.Resize(kListAt + count);
    }
    const std::string path = session.Write(image);
    ui::Form3* editor = session.Edit(path);
    QVERIFY(editor != nullptr);
    if (list == "end") {
        // Nothing can be selected, so there is nothing to save.
        QCOMPARE(editor->lstEnemies.ListIndex(), -1);
    }

    // Someone else overwrites the bytes around the list; Save writes what the editor holds,
    // slot i at the list's offset + 3i, and touches nothing beyond.
    const ByteVector held = image.Bytes();
    for (std::size_t at = kListAt - 6; at < std::min(kListAt + count + 6, held.size()); ++at) {
        if (at < kListAt || at >= kListAt + count) {
            image.Put8(at, held[at] ^ 0xA5);
        }
    }
    session.Write(image);
    const std::size_t before = session.desktop.Messages.size();
    Click(editor->cmdSave);
    const ByteVector after = ReadFileBytes(path);
    if (list == "end") {
        QCOMPARE(Changes(image.Bytes(), after), QString());
        return;
    }
    QCOMPARE(session.MessagesFrom(before).join('|'), QString());
    QCOMPARE(after, image.Bytes());
}

void EnemyEditorTest::refusedSave_data() {
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("reason");
    const auto row = [](const char* name, const char* how, const char* reason) {
        QTest::newRow(name) << how << reason;
    };
    row("file failed the game check", "invalid", "supported game");
    row("title changed since loading", "retitled", "supported game");
    row("file replaced by a shorter image", "shortened", "inside the file");
    row("list runs past the end of the file", "at end", "inside the file");
    row("list changed on disk since loading", "changed", "\"Follow Offset1\" again");
    row("list in the cartridge header", "header", "cartridge header (0 to BF)");
}

void EnemyEditorTest::refusedSave() {
    QFETCH(QString, how);
    QFETCH(QString, reason);

    Session session;
    ImageBuilder image = GameWithList(kThree, true, 0);
    if (how == "invalid") {
        image.Title("ZEROMISSIONJ");
    } else if (how == "at end") {
        // Ten enemies, then the file ends: the rest of the 256 slots read as zeros.
        image = GameWithList(EntryList(10, Entry{0x21, 0x22, 0x23}), false, 0);
        image.Resize(kListAt + 30);
    } else if (how == "header") {
        image = GameWithList(kThree, true, 0, 0x30);
    }
    const std::string path = session.Write(image);
    session.Open(path);
    QCOMPARE(session.desktop.Messages.back(),
             std::string(how == "invalid" ? "Sorry invalid ROM." : "Rom Loaded"));
    session.LoadRoom(0);  // a file that fails the check has room 0 loaded by the Open
    ui::Form3* editor = session.Follow();
    QVERIFY(editor != nullptr);
    QCOMPARE(editor->lstEnemies.count(), how == "at end" ? 256 : 4);

    if (how == "retitled") {
        image.Title("ZEROMISSIONX");
        session.Write(image);
    } else if (how == "shortened") {
        image.Resize(kListAt);
        session.Write(image);
    } else if (how == "changed") {
        image.Put8(kListAt + 9, 0x00);  // the list's end mark is an enemy now
        session.Write(image);
    }
    ClickItem(editor->lstEnemies, 1);
    PickWithMouse(editor->cboY, 0x77);
    const std::size_t before = session.desktop.Messages.size();
    Click(editor->cmdSave);

    const QStringList shown = session.MessagesFrom(before);
    QCOMPARE(shown.size(), 1);
    QVERIFY2(shown[0].contains(QString::fromStdString(path)), qPrintable(shown[0]));
    QVERIFY2(shown[0].contains(reason), qPrintable(shown[0]));
    QCOMPARE(Changes(image.Bytes(), ReadFileBytes(path)), QString());
}

void EnemyEditorTest::followAgainWhileLoaded_data() {
    QTest::addColumn<bool>("hideWithMainSave");

    QTest::newRow("while on the screen") << false;
    QTest::newRow("after the main window's Save hid it") << true;
}

void EnemyEditorTest::followAgainWhileLoaded() {
    QFETCH(bool, hideWithMainSave);

    Session session;
    const std::string path = session.Write(GameWithList(kThree));
    ui::Form3* editor = session.Edit(path);
    QVERIFY(editor != nullptr);
    ClickItem(editor->lstEnemies, 2);
    TypeInto(editor->cboX, "44");

    if (hideWithMainSave) {
        const std::size_t before = session.desktop.Messages.size();
        session.form.cmdSave.click();
        QCOMPARE(session.MessagesFrom(before), QStringList());
        QCOMPARE(session.form.EnemyEditor().Get(), editor);
        QVERIFY(!editor->isVisible());
    }
    // Another list in the file now: the loaded editor does not read it.
    const ImageBuilder changed = GameWithList({{0x01, 0x01, 0x01}});
    session.Write(changed);
    const std::size_t before = session.desktop.Messages.size();
    QCOMPARE(session.Follow(), editor);

    QCOMPARE(session.MessagesFrom(before), QStringList());
    QVERIFY(editor->isVisible());
    QCOMPARE(Items(editor->lstEnemies), Expected(4));
    QCOMPARE(editor->lstEnemies.ListIndex(), 2);
    QCOMPARE(Shown(*editor), QString("44 60 7"));
    QCOMPARE(EntryText(1, editor->List.entries[1]), QString("1=30 40 06"));
    QCOMPARE(Changes(changed.Bytes(), ReadFileBytes(path)), QString());
}

void EnemyEditorTest::closeBoxUnloads() {
    Session session;
    constexpr std::size_t kOtherAt = 0x347000;
    ImageBuilder image = GameWithList(kThree);
    image.Room32(kRoom + 1, kEnemyTableField, RomPointer(kOtherAt))
        .Enemies(kOtherAt, {{0x01, 0x02, 0x03}});
    const std::string path = session.Write(image);
    ui::Form3* editor = session.Edit(path);
    QVERIFY(editor != nullptr);

    editor->close();
    FlushUnloadedWindows();
    QVERIFY(!session.form.EnemyEditor().IsLoaded());

    // The main window's Save leaves a closed editor closed.
    std::size_t before = session.desktop.Messages.size();
    session.form.cmdSave.click();
    QVERIFY(!session.form.EnemyEditor().IsLoaded());
    QCOMPARE(session.MessagesFrom(before), QStringList());

    // The next Follow Offset1 reads afresh: the other room's list at its offset.
    session.LoadRoom(kRoom + 1);
    before = session.desktop.Messages.size();
    editor = session.Follow();
    QVERIFY(editor != nullptr);
    QCOMPARE(session.MessagesFrom(before), QStringList({"347000"}));
    QCOMPARE(session.editorShownDuring.back(), false);
    QCOMPARE(Items(editor->lstEnemies), Expected(2));
    QCOMPARE(Shown(*editor), QString("1 2 3"));
    QCOMPARE(Changes(image.Bytes(), ReadFileBytes(path)), QString());
}

void EnemyEditorTest::editorKeepsItsOwnRom() {
    Session session;
    const ImageBuilder first = GameWithList(kThree);
    const ImageBuilder second = GameWithList({{0x0A, 0x0B, 0x0C}});
    const std::string firstPath = session.Write(first, "first.gba");
    const std::string secondPath = session.Write(second, "second.gba");
    ui::Form3* editor = session.Edit(firstPath);
    QVERIFY(editor != nullptr);

    session.Open(secondPath);
    QCOMPARE(session.desktop.Messages.back(), std::string("Rom Loaded"));
    std::size_t before = session.desktop.Messages.size();
    QCOMPARE(session.Follow(), editor);
    QCOMPARE(session.MessagesFrom(before), QStringList());
    QCOMPARE(Items(editor->lstEnemies), Expected(4));

    // Its Save still goes to the file it read.
    ClickItem(editor->lstEnemies, 1);
    PickWithMouse(editor->cboX, 5);
    Click(editor->cmdSave);
    QCOMPARE(Changes(first.Bytes(), ReadFileBytes(firstPath)), QString("+3=05"));
    QCOMPARE(Changes(second.Bytes(), ReadFileBytes(secondPath)), QString());

    // Closed and followed again, it reads the ROM the main window has open now.
    editor->close();
    FlushUnloadedWindows();
    before = session.desktop.Messages.size();
    editor = session.Follow();
    QVERIFY(editor != nullptr);
    QCOMPARE(session.MessagesFrom(before), QStringList({"346000"}));
    QCOMPARE(editor->RomPath, secondPath);
    QCOMPARE(Items(editor->lstEnemies), Expected(2));
    QCOMPARE(Shown(*editor), QString("A B C"));
}

}  // namespace vorn::test

QTEST_MAIN(vorn::test::EnemyEditorTest)
#include "enemy_editor_test.moc"
