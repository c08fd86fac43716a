// SPDX-License-Identifier: MIT
#include "ui/main/form1.h"

#include <memory>

#include "rom/game_title.h"
#include "rom/hex.h"
#include "rom/rom_error.h"
#include "ui/toolkit/desktop.h"
#include "ui/toolkit/rom_command.h"

namespace vorn::ui {

namespace {

constexpr int kByteValues = 256;
constexpr int kPointerTextLength = 6;
constexpr char kNothingSaved[] = " Nothing was saved.";
// A music value of FFFF means "no entry selected" in cboMusic, and back.
constexpr std::uint16_t kNoMusic = 0xFFFF;

std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}

}  // namespace

Form1::Form1(toolkit::Desktop& desktop)
    : Window(ApplicationTitle, 312, 422),
      Frame1(*this, "Frame1", {0, 0, 305, 385}, "Room Header"),
      Label3(Frame1, "Label3", {8, 16, 41, 17}, "Room:"),
      cboRoom(Frame1, "cboRoom", {56, 16, 73, 21}),
      lblTileset(Frame1, "lblTileset", {8, 56, 33, 17}, "Tileset:"),
      cboTileset(Frame1, "cboTileset", {72, 48, 49, 21}),
      lblBG0(Frame1, "lblBG0", {8, 72, 25, 17}, "BG0:"),
      chkBG0(Frame1, "chkBG0", {104, 72, 17, 13}),
      lblBG1(Frame1, "lblBG1", {8, 88, 25, 17}, "BG1:"),
      chkBG1(Frame1, "chkBG1", {104, 88, 17, 13}),
      lblBG2(Frame1, "lblBG2", {8, 104, 25, 17}, "BG2:"),
      chkBG2(Frame1, "chkBG2", {104, 104, 17, 13}),
      lblBG3(Frame1, "lblBG3", {8, 120, 25, 17}, "BG3:"),
      chkBG3(Frame1, "chkBG3", {104, 120, 17, 13}),
      lblForeground(Frame1, "lblForeground", {8, 144, 65, 17}, "Foreground:"),
      txtForeground(Frame1, "txtForeground", {72, 144, 49, 19}, "000000", kPointerTextLength),
      lblBackground(Frame1, "lblBackground", {8, 168, 65, 17}, "Background:"),
      txtBG(Frame1, "txtBG", {72, 168, 49, 19}, "000000", kPointerTextLength),
      lblTiledata(Frame1, "lblTiledata", {8, 192, 49, 17}, "Tiledata:"),
      txtTileData(Frame1, "txtTileData", {72, 192, 49, 19}, "000000", kPointerTextLength),
      lblClipdata(Frame1, "lblClipdata", {8, 216, 41, 17}, "Clipdata:"),
      txtClipdata(Frame1, "txtClipdata", {72, 216, 49, 19}, "000000", kPointerTextLength),
      Label1(Frame1, "Label1", {8, 240, 129, 17}, "MiniMap Room Location"),
      Label2(Frame1, "Label2", {8, 256, 17, 17}, "X:"),
      Label5(Frame1, "Label5", {64, 256, 17, 17}, "Y:"),
      cboMX(Frame1, "cboMX", {8, 280, 41, 21}),
      cboMY(Frame1, "cboMY", {64, 280, 41, 21}),
      lblTide(Frame1, "lblTide", {8, 312, 65, 17}, "Water Tide:"),
      cboTide(Frame1, "cboTide", {88, 312, 49, 21}),
      lblBehavior(Frame1, "lblBehavior", {8, 336, 81, 17}, "Room Behavior:"),
      cboBehavior(Frame1, "cboBehavior", {88, 336, 49, 21}),
      lblMusic(Frame1, "lblMusic", {8, 360, 49, 17}, "Music:"),
      cboMusic(Frame1, "cboMusic", {88, 360, 49, 21}),
      Frame2(Frame1, "Frame2", {152, 88, 145, 257}, "Enemies"),
      Label4(Frame2, "Label4", {8, 24, 41, 17}, "Switch:"),
      cboSwitch(Frame2, "cboSwitch", {48, 16, 41, 21}),
      Label6(Frame2, "Label6", {8, 48, 49, 33}, "Enemy sheet 1:", toolkit::Label::Wrap::Words),
      cboEn1(Frame2, "cboEn1", {48, 48, 41, 21}),
      Label7(Frame2, "Label7", {8, 72, 41, 25}, "Enemy Table 1:", toolkit::Label::Wrap::Words),
      txtEnTable1(Frame2, "txtEnTable1", {48, 80, 49, 19}, "000000"),
      Label8(Frame2, "Label8", {8, 104, 49, 33}, "Enemy sheet 2:", toolkit::Label::Wrap::Words),
      cboEn2(Frame2, "cboEn2", {48, 112, 41, 21}),
      Label9(Frame2, "Label9", {8, 136, 41, 25}, "Enemy Table 2:", toolkit::Label::Wrap::Words),
      txtEnTable2(Frame2, "txtEnTable2", {48, 144, 49, 19}, "000000"),
      Label10(Frame2, "Label10", {8, 168, 105, 17}, "Offset after Switch:"),
      txtEnTable3(Frame2, "txtEnTable3", {8, 184, 49, 19}, "000000"),
      cmdRepoint1(Frame2, "cmdRepoint1", {8, 208, 81, 17}, "Follow Offset1"),
      cmdRepoint2(Frame2, "cmdRepoint2", {8, 232, 81, 17}, "Follow Offset2"),
      cmdGetTs(*this, "cmdGetTs", {48, 392, 73, 25}, "Load"),
      cmdSave(*this, "cmdSave", {192, 392, 57, 25}, "Save"),
      mnuFile(*this, "mnuFile", "File"),
      mnuOpen(mnuFile, "mnuOpen", "&Open"),
      mnuSave(mnuFile, "mnuSave", "&Save"),
      mnHelp(*this, "mnHelp", "Help"),
      mnuAbout(mnHelp, "mnuAbout", "About"),
      cdlOpen(desktop),
      desktop_(desktop),
      pointers_{
          {&txtForeground, "Foreground:", EncodePtr(0), false},
          {&txtBG, "Background:", EncodePtr(0), false},
          {&txtTileData, "Tiledata:", EncodePtr(0), false},
          {&txtClipdata, "Clipdata:", EncodePtr(0), false},
          {&txtEnTable1, "Enemy Table 1:", EncodePtr(0), false},
          {&txtEnTable2, "Enemy Table 2:", EncodePtr(0), false},
          {&txtEnTable3, "Offset after Switch:", EncodePtr(0), false},
      },
      form2_([] { return std::make_unique<Form2>(); }),
      form3_([this] {
          return std::make_unique<Form3>(desktop_, Form3::Opener{cmdGetTs, txtEnTable1});
      }) {
    // Shown for what a load reads; the user never changes them.
    for (toolkit::Control* shownOnly : std::initializer_list<toolkit::Control*>{
             &chkBG0, &chkBG1, &chkBG2, &chkBG3, &cboSwitch, &txtEnTable3}) {
        shownOnly->SetEnabled(false);
    }
    cmdGetTs.SetEnabled(false);
    cmdSave.SetEnabled(false);

    mnuOpen.Click = [this] { mnuOpen_Click(); };
    mnuAbout.Click = [this] { mnuAbout_Click(); };
    cmdGetTs.Click = [this] { cmdGetTs_Click(); };
    cmdSave.Click = [this] { cmdSave_Click(); };
    cmdRepoint1.Click = [this] { cmdRepoint1_Click(); };
    // File > Save and "Follow Offset2" do nothing.
    for (ShownPointer& pointer : pointers_) {
        pointer.box->Change = [&pointer] { pointer.edited = true; };
    }
    cboMusic.Picked = [this] { musicChosen_ = true; };
    cboMusic.Change = [this] { musicChosen_ = true; };

    SetTabOrder({&cboMY,       &cboMX,       &cboMusic,    &cboBehavior,   &cboTide,
                 &txtClipdata, &txtTileData, &txtBG,       &txtForeground, &chkBG3,
                 &chkBG2,      &chkBG1,      &chkBG0,      &cboTileset,    &cboRoom,
                 &cmdGetTs,    &cmdSave,     &cboSwitch,   &cboEn1,        &txtEnTable1,
                 &cboEn2,      &txtEnTable2, &txtEnTable3, &cmdRepoint1,   &cmdRepoint2});
}

Form1::~Form1() = default;

void Form1::Form_Load() {
    LoadForm();
}

void Form1::LoadForm() {
    toolkit::ComboBox* const byteLists[] = {&cboTileset,  &cboMX,     &cboMY,  &cboMusic, &cboTide,
                                            &cboBehavior, &cboSwitch, &cboEn1, &cboEn2};
    // Item k of a byte list is k in hexadecimal, so its position is the value it stands for.
    std::vector<std::string> values;
    for (int i = 0; i < kByteValues; ++i) {
        values.push_back(FormatHex(i));
    }
    for (toolkit::ComboBox* list : byteLists) {
        list->AppendItems(values);
    }
    std::vector<std::string> rooms;
    for (int room = 0; room < RoomTable::RoomCount; ++room) {
        rooms.push_back(std::to_string(room));
    }
    cboRoom.AppendItems(rooms);
    for (toolkit::ComboBox* list : {&cboTileset, &cboMX, &cboMY, &cboMusic, &cboTide, &cboBehavior,
                                    &cboRoom, &cboSwitch, &cboEn1, &cboEn2}) {
        list->SetListIndex(0);
    }
}

void Form1::mnuOpen_Click() {
    cdlOpen.DialogTitle = "Open Romfile";
    cdlOpen.Filter = "GBA roms| *.GBA";
    cdlOpen.ShowOpen();
    const std::string chosen = cdlOpen.FileName;
    if (chosen.empty()) {
        // A cancel changes nothing: the window keeps the ROM and the edits it has.
        desktop_.ShowMessage("No rom loaded");
        return;
    }
    bool isGameImage = false;
    try {
        isGameImage = CheckGameTitle(chosen);
    } catch (const RomError& error) {
        desktop_.ShowMessage(error.what());
        return;
    }
    RomPath = chosen;
    if (isGameImage) {
        desktop_.ShowMessage("Rom Loaded");
        cmdGetTs.SetEnabled(true);
        cmdSave.SetEnabled(true);
    } else {
        desktop_.ShowMessage("Sorry invalid ROM.");
    }
    // The Load command, as a press of "Load" runs it; the message above has already said
    // whether the file is an image of the game.
    LoadSelectedRoom(false);
}

std::optional<int> Form1::SelectedRoom(const char* refusedCommand) {
    const int room = cboRoom.ListIndex();
    if (!RoomTable::IsRoom(room)) {
        desktop_.ShowMessage("Room: " + Quoted(cboRoom.Text()) + " is not a room number (0 to " +
                             std::to_string(RoomTable::RoomCount - 1) + "). Nothing was " +
                             refusedCommand + ".");
        return std::nullopt;
    }
    return room;
}

void Form1::cmdGetTs_Click() {
    LoadSelectedRoom(true);
}

void Form1::LoadSelectedRoom(bool tellAboutOddFiles) {
    const std::optional<int> room = SelectedRoom("loaded");
    if (!room) {
        return;
    }
    std::string note;
    const bool loaded = toolkit::RunRomCommand(desktop_, RomPath, [&](RomFile& file) {
        CurrentHeader = ReadRoomHeader(file, *room);
        if (tellAboutOddFiles) {
            note = OddFileNote(file, *room);
        }

        ShowLayer(CurrentHeader.bg0Props() != 0, chkBG0, txtForeground);
        ShowLayer(CurrentHeader.bg1Props() != 0, chkBG1, txtTileData);
        ShowLayer(CurrentHeader.bg2Props() != 0, chkBG2, txtBG);
        ShowLayer(CurrentHeader.bg3Props() != 0, chkBG3, txtClipdata);

        const auto dataText = [](std::uint32_t value) { return FormatHex(DecodeDataPtr(value)); };
        ShowPointer(Foreground, CurrentHeader.foregroundPtr(),
                    dataText(CurrentHeader.foregroundPtr()));
        ShowPointer(Background, CurrentHeader.backgroundPtr(),
                    dataText(CurrentHeader.backgroundPtr()));
        ShowPointer(TileData, CurrentHeader.tileDataPtr(), dataText(CurrentHeader.tileDataPtr()));
        ShowPointer(Clipdata, CurrentHeader.clipdataPtr(), dataText(CurrentHeader.clipdataPtr()));

        const auto enemyText = [](std::uint32_t value) { return FormatHex(DecodeEnemyPtr(value)); };
        ShowPointer(EnemyTable1, CurrentHeader.enemyTable1Ptr(),
                    enemyText(CurrentHeader.enemyTable1Ptr()));
        ShowPointer(EnemyTable2, CurrentHeader.enemyTable2Ptr(),
                    enemyText(CurrentHeader.enemyTable2Ptr()));
        ShowPointer(EnemyTable3, CurrentHeader.enemyTable3Ptr(),
                    enemyText(CurrentHeader.enemyTable3Ptr()));

        cboTileset.SetListIndex(CurrentHeader.tileset());
        cboSwitch.SetListIndex(CurrentHeader.switchId());
        cboEn1.SetListIndex(CurrentHeader.enemySheet1());
        cboEn2.SetListIndex(CurrentHeader.enemySheet2());
        cboMX.SetListIndex(CurrentHeader.mapX());
        cboMY.SetListIndex(CurrentHeader.mapY());
        cboTide.SetListIndex(CurrentHeader.tide());
        ShowMusic(CurrentHeader.music());
        cboBehavior.SetListIndex(CurrentHeader.behavior());
    });
    if (loaded && !note.empty()) {
        desktop_.ShowMessage(note);
    }
}

// A file that changed since it was opened (replaced, cut short) still loads, but the user
// should know that what the window shows did not come from a whole image of the game.
std::string Form1::OddFileNote(const RomFile& file, int room) {
    if (!HoldsGameTitle(file)) {
        return Quoted(file.Path()) + " is not an image of the supported game. Room " +
               std::to_string(room) + " is shown as read, and Save will not write into it.";
    }
    const Offset end = RoomTable::RecordOffset(room) + static_cast<Offset>(RoomHeader::Size);
    if (file.Size() < end) {
        return Quoted(file.Path()) + " ends before the end of room " + std::to_string(room) +
               "'s header (at " + FormatHex(RoomTable::RecordOffset(room)) +
               "): the missing bytes are shown as zeros.";
    }
    return std::string();
}

void Form1::ShowLayer(bool set, toolkit::CheckBox& box, toolkit::TextBox& pointerText) {
    box.SetTicked(set);
    pointerText.SetEnabled(set);
}

void Form1::ShowPointer(PointerField field, std::uint32_t value, const std::string& text) {
    ShownPointer& shown = pointers_[field];
    shown.box->SetText(text);  // a graphics pointer's box cuts it to six characters
    shown.loadedValue = value;
    shown.edited = false;
}

void Form1::ShowMusic(std::uint16_t music) {
    loadedMusic_ = music;
    musicChosen_ = false;
    if (music < kByteValues) {
        cboMusic.SetListIndex(music);
    } else if (music == kNoMusic) {
        cboMusic.SetListIndex(toolkit::ComboBox::None);
    } else {
        // No entry for it: show the value itself; a save keeps it unless the user chooses.
        cboMusic.ShowUnlisted(FormatHex(music));
    }
}

std::optional<std::uint32_t> Form1::PointerToSave(PointerField field) {
    const ShownPointer& shown = pointers_[field];
    if (!shown.edited) {
        return shown.loadedValue;
    }
    const std::string text = shown.box->Text();
    const std::optional<std::int32_t> offset = ParseHexIgnoringBlanks(text);
    if (!offset) {
        desktop_.ShowMessage(shown.label + " " + Quoted(text) +
                             " is not a hexadecimal offset (digits 0-9 and A-F, at most eight)." +
                             kNothingSaved);
        return std::nullopt;
    }
    return EncodePtr(*offset);
}

std::optional<std::uint8_t> Form1::ByteToSave(const toolkit::ComboBox& list,
                                              const std::string& label) {
    const int value = list.ListIndex();
    if (value < 0) {
        desktop_.ShowMessage(label + " " + Quoted(list.Text()) +
                             " is not one of the values in its list (0 to FF)." + kNothingSaved);
        return std::nullopt;
    }
    return static_cast<std::uint8_t>(value);
}

std::uint16_t Form1::MusicToSave() const {
    const int value = cboMusic.ListIndex();
    if (value >= 0) {
        return static_cast<std::uint16_t>(value);
    }
    // No entry selected: a value the list cannot show stays as loaded until the user picks
    // or types; typed text that names no entry means "no music entry".
    return musicChosen_ ? kNoMusic : loadedMusic_;
}

void Form1::cmdSave_Click() {
    // Every value is read and checked before the file is touched, so a refusal writes nothing.
    const std::optional<int> room = SelectedRoom("saved");
    if (!room) {
        return;
    }
    RoomHeader header = CurrentHeader;
    const std::pair<PointerField, void (RoomHeader::*)(std::uint32_t)> pointerFields[] = {
        {Foreground, &RoomHeader::setForegroundPtr},
        {Background, &RoomHeader::setBackgroundPtr},
        {TileData, &RoomHeader::setTileDataPtr},
        {Clipdata, &RoomHeader::setClipdataPtr},
        {EnemyTable1, &RoomHeader::setEnemyTable1Ptr},
        {EnemyTable2, &RoomHeader::setEnemyTable2Ptr},
        {EnemyTable3, &RoomHeader::setEnemyTable3Ptr},
    };
    for (const auto& [field, set] : pointerFields) {
        const std::optional<std::uint32_t> value = PointerToSave(field);
        if (!value) {
            return;
        }
        (header.*set)(*value);
    }
    struct ByteField {
        const toolkit::ComboBox& list;
        const char* label;
        void (RoomHeader::*set)(std::uint8_t);
    };
    const ByteField byteFields[] = {
        {cboSwitch, "Switch:", &RoomHeader::setSwitchId},
        {cboEn1, "Enemy sheet 1:", &RoomHeader::setEnemySheet1},
        {cboEn2, "Enemy sheet 2:", &RoomHeader::setEnemySheet2},
        {cboMX, "MiniMap Room Location X:", &RoomHeader::setMapX},
        {cboMY, "MiniMap Room Location Y:", &RoomHeader::setMapY},
        {cboTide, "Water Tide:", &RoomHeader::setTide},
        {cboBehavior, "Room Behavior:", &RoomHeader::setBehavior},
        {cboTileset, "Tileset:", &RoomHeader::setTileset},
    };
    for (const ByteField& field : byteFields) {
        const std::optional<std::uint8_t> value = ByteToSave(field.list, field.label);
        if (!value) {
            return;
        }
        (header.*field.set)(*value);
    }
    header.setMusic(MusicToSave());

    toolkit::RunRomCommand(desktop_, RomPath, [&](RomFile& file) {
        // The enemy editor leaves the screen but keeps its list; it is never loaded here.
        form3_.Hide();
        CurrentHeader = header;
        WriteRoomHeader(file, *room, CurrentHeader);
    });
}

void Form1::cmdRepoint1_Click() {
    cmdGetTs.Tag = RomPath;
    const bool wasLoaded = form3_.IsLoaded();
    Form3& editor = form3_.Load();
    if (!wasLoaded) {
        editor.PlaceBeside(*this);
    }
    editor.Show();
}

void Form1::mnuAbout_Click() {
    form2_.Show();
}

}  // namespace vorn::ui
