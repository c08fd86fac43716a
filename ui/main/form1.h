// SPDX-License-Identifier: MIT
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "rom/room_header.h"
#include "ui/enemies/form3.h"
#include "ui/main/form2.h"
#include "ui/main/header_fields.h"
#include "ui/toolkit/combo_box.h"
#include "ui/toolkit/controls.h"
#include "ui/toolkit/desktop.h"
#include "ui/toolkit/form_slot.h"
#include "ui/toolkit/menu.h"
#include "ui/toolkit/window.h"

namespace vorn::toolkit {
class Desktop;
}

namespace vorn::ui {

// The caption of the main window and of every message box.
constexpr char kApplicationTitle[] = "Vorn-Header Editor";

// The main window: one room header at a time, with Open, Load, Save and Follow Offset1.
class Form1 : public toolkit::Window {
  public:
    explicit Form1(toolkit::Desktop& desktop);
    ~Form1() override;

    // The ROM file every command works on; empty until File > Open chose one.
    std::string RomPath;
    // The window's copy of the room header last loaded or saved.
    RoomHeader CurrentHeader;

    // Controls, declared so that each frame comes before what it holds.
    toolkit::Frame Frame1;
    toolkit::Label Label3;
    toolkit::ComboBox cboRoom;
    toolkit::Label lblTileset;
    toolkit::ComboBox cboTileset;
    toolkit::Label lblBG0;
    toolkit::CheckBox chkBG0;
    toolkit::Label lblBG1;
    toolkit::CheckBox chkBG1;
    toolkit::Label lblBG2;
    toolkit::CheckBox chkBG2;
    toolkit::Label lblBG3;
    toolkit::CheckBox chkBG3;
    toolkit::Label lblForeground;
    toolkit::TextBox txtForeground;
    toolkit::Label lblBackground;
    toolkit::TextBox txtBG;
    toolkit::Label lblTiledata;
    toolkit::TextBox txtTileData;
    toolkit::Label lblClipdata;
    toolkit::TextBox txtClipdata;
    toolkit::Label Label1;
    toolkit::Label Label2;
    toolkit::Label Label5;
    toolkit::ComboBox cboMX;
    toolkit::ComboBox cboMY;
    toolkit::Label lblTide;
    toolkit::ComboBox cboTide;
    toolkit::Label lblBehavior;
    toolkit::ComboBox cboBehavior;
    toolkit::Label lblMusic;
    toolkit::ComboBox cboMusic;
    toolkit::Frame Frame2;
    toolkit::Label Label4;
    toolkit::ComboBox cboSwitch;
    toolkit::Label Label6;
    toolkit::ComboBox cboEn1;
    toolkit::Label Label7;
    toolkit::TextBox txtEnTable1;
    toolkit::Label Label8;
    toolkit::ComboBox cboEn2;
    toolkit::Label Label9;
    toolkit::TextBox txtEnTable2;
    toolkit::Label Label10;
    toolkit::TextBox txtEnTable3;
    toolkit::Button cmdRepoint1;
    toolkit::Button cmdRepoint2;
    toolkit::Button cmdGetTs;
    toolkit::Button cmdSave;
    toolkit::Menu mnuFile;
    toolkit::MenuItem mnuOpen;
    toolkit::MenuItem mnuSave;
    toolkit::Menu mnHelp;
    toolkit::MenuItem mnuAbout;
    toolkit::OpenDialog cdlOpen;

    // Fills the drop-down lists and selects their first items.
    void LoadForm();

    void mnuOpen_Click();
    void cmdGetTs_Click();
    void cmdSave_Click();
    void cmdRepoint1_Click();
    void mnuAbout_Click();

    toolkit::FormSlot<Form2>& AboutWindow() { return form2_; }
    toolkit::FormSlot<Form3>& EnemyEditor() { return form3_; }

  protected:
    void Form_Load() override;

  private:
    void DeclareFields();
    void TellPasteRefused(const std::string& label, const toolkit::TextBox& box,
                          const std::string& pasted);
    // The Load command; a press of "Load" also tells about a file that is not a whole image.
    void LoadSelectedRoom(bool tellAboutOddFiles);
    static std::optional<toolkit::MessageText> OddFileNote(const RomFile& file, int room);
    void ShowHeader(const RoomHeader& header);
    void ShowLayer(bool set, toolkit::CheckBox& box, toolkit::TextBox& pointerText);
    // The record the window's values make of CurrentHeader, or nothing (after telling the
    // user) when a text names no value.
    std::optional<RoomHeader> HeaderToSave();
    // What the window last read from or wrote into a room of the open ROM, if anything.
    const RoomHeader* LastSeen(int room) const;
    // The room selected in cboRoom, or nothing (after telling the user) for a typed text
    // that names no room.
    std::optional<int> SelectedRoom(const char* refusedCommand);

    toolkit::Desktop& desktop_;
    // Every field a load shows and a save writes, in the order the load shows them.
    std::vector<std::unique_ptr<HeaderField>> fields_;
    // The records as this window last read or wrote them in each room of the open ROM: a save
    // into such a room is refused if another program has changed it since.
    std::map<int, RoomHeader> lastSeen_;
    toolkit::FormSlot<Form2> form2_;
    toolkit::FormSlot<Form3> form3_;
};

}  // namespace vorn::ui
