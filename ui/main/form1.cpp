// SPDX-License-Identifier: MIT
#include "ui/main/form1.h"

#include <memory>
#include <utility>

#include "rom/game_title.h"
#include "rom/hex.h"
#include "rom/rom_error.h"
#include "ui/rom_command.h"
#include "ui/toolkit/desktop.h"

namespace vorn::ui {

namespace {

constexpr int kByteValues = 256;  // every byte drop-down holds 0 to FF
constexpr int kPointerTextLength = 6;

}  // namespace

Form1::Form1(toolkit::Desktop& desktop)
    : Window(kApplicationTitle, 312, 422),
      Frame1(*this, "Frame1", {0, 0, 305, 385}, "Room Header"),
      Label3(Frame1, "Label3", {8, 16, 41, 17}, "Room:"),
      cboRoom(Frame1, "cboRoom", {56, 16, 73, 21}, toolkit::ComboBox::Numbering::Decimal),
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
      mnuFile(*this, "mnuFile", "File", 'F'),
      mnuOpen(mnuFile, "mnuOpen", "&Open"),
      mnuSave(mnuFile, "mnuSave", "&Save"),
      mnHelp(*this, "mnHelp", "Help", 'H'),
      mnuAbout(mnHelp, "mnuAbout", "About"),
      cdlOpen(desktop),
      desktop_(desktop),
      form2_([] { return std::make_unique<Form2>(); }),
      form3_([this] {
          return std::make_unique<Form3>(desktop_, Form3::Opener{cmdGetTs, txtEnTable1});
      }) {
    // Shown for what a load reads; the user never changes them.
    chkBG0.SetEnabled(false);
    chkBG1.SetEnabled(false);
    chkBG2.SetEnabled(false);
    chkBG3.SetEnabled(false);
    cboSwitch.SetEnabled(false);
    txtEnTable3.SetEnabled(false);
    cmdGetTs.SetEnabled(false);
    cmdSave.SetEnabled(false);
    // Each caption names the control beside it, for the keyboard and for screen readers.
    const std::pair<toolkit::Label*, QWidget*> captions[] = {{&Label3, &cboRoom},
                                                             {&lblTileset, &cboTileset},
                                                             {&lblBG0, &chkBG0},
                                                             {&lblBG1, &chkBG1},
                                                             {&lblBG2, &chkBG2},
                                                             {&lblBG3, &chkBG3},
                                                             {&lblForeground, &txtForeground},
                                                             {&lblBackground, &txtBG},
                                                             {&lblTiledata, &txtTileData},
                                                             {&lblClipdata, &txtClipdata},
                                                             {&Label2, &cboMX},
                                                             {&Label5, &cboMY},
                                                             {&lblTide, &cboTide},
                                                             {&lblBehavior, &cboBehavior},
                                                             {&lblMusic, &cboMusic},
                                                             {&Label4, &cboSwitch},
                                                             {&Label6, &cboEn1},
                                                             {&Label7, &txtEnTable1},
                                                             {&Label8, &cboEn2},
                                                             {&Label9, &txtEnTable2},
                                                             {&Label10, &txtEnTable3}};
    for (const auto& [label, control] : captions) {
        label->SetBuddy(*control);
    }

    mnuOpen.Click = [this] { mnuOpen_Click(); };
    mnuAbout.Click = [this] { mnuAbout_Click(); };
    cmdGetTs.Click = [this] { cmdGetTs_Click(); };
    cmdSave.Click = [this] { cmdSave_Click(); };
    cmdRepoint1.Click = [this] { cmdRepoint1_Click(); };
    // File > Save and "Follow Offset2" do nothing.
    DeclareFields();

    SetTabOrder({&cboMY,       &cboMX,       &cboMusic,    &cboBehavior,   &cboTide,
                 &txtClipdata, &txtTileData, &txtBG,       &txtForeground, &chkBG3,
                 &chkBG2,      &chkBG1,      &chkBG0,      &cboTileset,    &cboRoom,
                 &cmdGetTs,    &cmdSave,     &cboSwitch,   &cboEn1,        &txtEnTable1,
                 &cboEn2,      &txtEnTable2, &txtEnTable3, &cmdRepoint1,   &cmdRepoint2});
}

Form1::~Form1() = default;

void Form1::DeclareFields() {
    const auto pointer = [this](const char* label, RecordField field, toolkit::TextBox& box,
                                PointerField::Decode decode) {
        fields_.push_back(std::make_unique<PointerField>(label, field, box, decode));
        box.PasteRefused = [this, label, &box](const std::string& pasted) {
            TellPasteRefused(label, box, pasted);
        };
    };
    const auto byte = [this](const char* label, RecordField field, toolkit::ComboBox& list) {
        fields_.push_back(std::make_unique<ByteListField>(label, field, list));
    };
    pointer("Foreground:", RoomHeader::kForegroundPtr, txtForeground, DecodeDataPtr);
    pointer("Background:", RoomHeader::kBackgroundPtr, txtBG, DecodeDataPtr);
    pointer("Tiledata:", RoomHeader::kTileDataPtr, txtTileData, DecodeDataPtr);
    pointer("Clipdata:", RoomHeader::kClipdataPtr, txtClipdata, DecodeDataPtr);
    pointer("Enemy Table 1:", RoomHeader::kEnemyTable1Ptr, txtEnTable1, DecodeEnemyPtr);
    pointer("Enemy Table 2:", RoomHeader::kEnemyTable2Ptr, txtEnTable2, DecodeEnemyPtr);
    pointer("Offset after Switch:", RoomHeader::kEnemyTable3Ptr, txtEnTable3, DecodeEnemyPtr);
    byte("Tileset:", RoomHeader::kTileset, cboTileset);
    byte("Switch:", RoomHeader::kSwitchId, cboSwitch);
    byte("Enemy sheet 1:", RoomHeader::kEnemySheet1, cboEn1);
    byte("Enemy sheet 2:", RoomHeader::kEnemySheet2, cboEn2);
    byte("MiniMap Room Location X:", RoomHeader::kMapX, cboMX);
    byte("MiniMap Room Location Y:", RoomHeader::kMapY, cboMY);
    byte("Water Tide:", RoomHeader::kTide, cboTide);
    fields_.push_back(std::make_unique<MusicField>("Music:", RoomHeader::kMusic, cboMusic));
    byte("Room Behavior:", RoomHeader::kBehavior, cboBehavior);
}

// A paste that does not fit a box is refused whole: "08ABCDEF" cut to "08ABCD" would be
// another pointer.
void Form1::TellPasteRefused(const std::string& label, const toolkit::TextBox& box,
                             const std::string& pasted) {
    desktop_.Tell(toolkit::MessageText(label + " holds at most " + std::to_string(box.MaxLength()) +
                                       " characters, so the pasted text ")
                      .Typed(pasted)
                      .Plain(" does not fit. Nothing was pasted."));
}

void Form1::Form_Load() {
    LoadForm();
}

void Form1::LoadForm() {
    toolkit::ComboBox* const byteLists[] = {&cboTileset,  &cboMX,     &cboMY,  &cboMusic, &cboTide,
                                            &cboBehavior, &cboSwitch, &cboEn1, &cboEn2};
    for (toolkit::ComboBox* list : byteLists) {
        list->AppendNumbers(kByteValues);
    }
    cboRoom.AppendNumbers(RoomTable::kRoomCount);
    for (toolkit::ComboBox* list : {&cboTileset, &cboMX, &cboMY, &cboMusic, &cboTide, &cboBehavior,
                                    &cboRoom, &cboSwitch, &cboEn1, &cboEn2}) {
        list->SetListIndex(0);
    }
}

void Form1::mnuOpen_Click() {
    cdlOpen.DialogTitle = "Open Romfile";
    // Both cases: a dialog that matches case by case (GTK's does) still lists game.gba.
    cdlOpen.Filter = "GBA roms (*.GBA *.gba)";
    cdlOpen.ShowOpen();
    const std::string chosen = cdlOpen.FileName;
    if (chosen.empty()) {
        // A cancel changes nothing: the ROM that is open, if any, stays open with the edits.
        if (RomPath.empty()) {
            desktop_.ShowMessage("No rom loaded");
        }
        return;
    }
    bool isGameImage = false;
    try {
        isGameImage = CheckGameTitle(chosen);
    } catch (const RomError& error) {
        desktop_.Tell(FailureMessage(error));
        return;
    }
    RomPath = chosen;
    lastSeen_.clear();
    if (isGameImage) {
        desktop_.ShowMessage("Rom Loaded");
        cmdGetTs.SetEnabled(true);
        cmdSave.SetEnabled(true);
    } else {
        desktop_.ShowMessage("Sorry invalid ROM.");
    }
    // The Load command, as a press of "Load" runs it; the message above has already said
    // whether the file is an image of the game, so only a cut-short image adds a note.
    LoadSelectedRoom(isGameImage);
}

std::optional<int> Form1::SelectedRoom(const char* refusedCommand) {
    const int room = cboRoom.ListIndex();
    if (!RoomTable::IsRoom(room)) {
        desktop_.Tell(toolkit::MessageText("Room: ")
                          .Typed(cboRoom.Text())
                          .Plain(" is not a room number (0 to " +
                                 std::to_string(RoomTable::kRoomCount - 1) + "). Nothing was " +
                                 refusedCommand + "."));
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
    // Everything is read before anything is shown, so a failed load changes nothing.
    RoomHeader header;
    std::optional<toolkit::MessageText> note;
    const bool read = RunRomCommand(desktop_, RomPath, [&](RomFile& file) {
        header = ReadRoomHeader(file, *room);
        if (tellAboutOddFiles) {
            note = OddFileNote(file, *room);
        }
    });
    if (!read) {
        return;
    }
    ShowHeader(header);
    lastSeen_[*room] = header;
    if (note) {
        desktop_.Tell(*note);
    }
}

void Form1::ShowHeader(const RoomHeader& header) {
    CurrentHeader = header;
    ShowLayer(header.bg0Props() != 0, chkBG0, txtForeground);
    ShowLayer(header.bg1Props() != 0, chkBG1, txtTileData);
    ShowLayer(header.bg2Props() != 0, chkBG2, txtBG);
    ShowLayer(header.bg3Props() != 0, chkBG3, txtClipdata);
    for (const auto& field : fields_) {
        field->Show(header);
    }
}

// A file that changed since it was opened (replaced, cut short) still loads, but the user
// should know that what the window shows did not come from a whole image of the game.
std::optional<toolkit::MessageText> Form1::OddFileNote(const RomFile& file, int room) {
    if (!HoldsGameTitle(file)) {
        return toolkit::MessageText()
            .Path(file.Path())
            .Plain(" is not an image of the supported game. Room " + std::to_string(room) +
                   " is shown as read, and Save will not write into it.");
    }
    const Offset end = RoomTable::RecordOffset(room) + static_cast<Offset>(RoomHeader::kSize);
    if (file.Size() < end) {
        return toolkit::MessageText()
            .Path(file.Path())
            .Plain(" ends before the end of room " + std::to_string(room) + "'s header (at " +
                   FormatHex(RoomTable::RecordOffset(room)) +
                   "): the missing bytes are shown as zeros.");
    }
    return std::nullopt;
}

void Form1::ShowLayer(bool set, toolkit::CheckBox& box, toolkit::TextBox& pointerText) {
    box.SetTicked(set);
    pointerText.SetEnabled(set);
}

std::optional<RoomHeader> Form1::HeaderToSave() {
    RoomHeader header = CurrentHeader;
    for (const auto& field : fields_) {
        const std::optional<std::uint32_t> value = field->ValueToSave();
        if (!value) {
            desktop_.Tell(field->Refusal());
            return std::nullopt;
        }
        header.Set(field->Field(), *value);
    }
    return header;
}

const RoomHeader* Form1::LastSeen(int room) const {
    const auto seen = lastSeen_.find(room);
    return seen != lastSeen_.end() ? &seen->second : nullptr;
}

void Form1::cmdSave_Click() {
    // Every value is read and checked before the file is touched, so a refusal writes nothing.
    const std::optional<int> room = SelectedRoom("saved");
    if (!room) {
        return;
    }
    const std::optional<RoomHeader> header = HeaderToSave();
    if (!header) {
        return;
    }
    const toolkit::MessageText changedOnDisk =
        toolkit::MessageText(
            "Room " + std::to_string(*room) +
            " changed on disk since this window read it: another program wrote to ")
            .Path(RomPath)
            .Plain(". Nothing was saved. Press \"Load\" to read the room's current bytes.");
    const bool written = RunRomCommand(
        desktop_, RomPath,
        [&](RomFile& file) {
            // The enemy editor leaves the screen but keeps its list; it is never loaded here.
            form3_.Hide();
            WriteRoomHeader(file, *room, *header, LastSeen(*room));
        },
        changedOnDisk);
    if (!written) {
        return;
    }
    CurrentHeader = *header;
    lastSeen_[*room] = *header;
    for (const auto& field : fields_) {
        field->Saved(header->Get(field->Field()));
    }
}

void Form1::cmdRepoint1_Click() {
    toolkit::SetTag(cmdGetTs, RomPath);
    form3_.ShowBeside(*this);
}

void Form1::mnuAbout_Click() {
    form2_.ShowBeside(*this);
}

}  // namespace vorn::ui
