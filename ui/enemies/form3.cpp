// SPDX-License-Identifier: MIT
#include "ui/enemies/form3.h"

#include "rom/hex.h"
#include "ui/rom_command.h"
#include "ui/toolkit/desktop.h"

namespace vorn::ui {

namespace {
constexpr int kValues = 256;  // every drop-down holds 0 to FF, so a position is its value
}  // namespace

Form3::Form3(toolkit::Desktop& desktop, Opener opener)
    : Window("EnemyEditor", 220, 148),
      lstEnemies(*this, "lstEnemies", {0, 16, 65, 121}),
      Label4(*this, "Label4", {72, 16, 57, 65}, "Must click save when you finish editing an enemy",
             toolkit::Label::Wrap::Words),
      Label1(*this, "Label1", {144, 40, 25, 17}, "X:"),
      cboX(*this, "cboX", {160, 40, 49, 21}),
      Label2(*this, "Label2", {144, 64, 25, 17}, "Y:"),
      cboY(*this, "cboY", {160, 64, 49, 21}),
      Label3(*this, "Label3", {120, 88, 41, 17}, "Enemy:"),
      cboEnemy(*this, "cboEnemy", {160, 88, 49, 21}),
      cmdRepoint(*this, "cmdRepoint", {72, 112, 57, 25}, "Repoint"),
      cmdSave(*this, "cmdSave", {152, 112, 57, 25}, "Save"),
      desktop_(desktop),
      opener_(opener) {
    cmdRepoint.SetEnabled(false);  // repointing a list is not offered
    Label1.SetBuddy(cboX);
    Label2.SetBuddy(cboY);
    Label3.SetBuddy(cboEnemy);
    lstEnemies.SetAccessibleName("Enemies");
    lstEnemies.Click = [this] { lstEnemies_Click(); };
    cboX.Change = [this] { cboX_Change(); };
    cboY.Change = [this] { cboY_Change(); };
    cboEnemy.Change = [this] { cboEnemy_Change(); };
    cmdSave.Click = [this] { cmdSave_Click(); };
    SetTabOrder({&cboX, &cboEnemy, &cboY, &cmdSave, &cmdRepoint, &lstEnemies});
}

void Form3::Form_Load() {
    cboEnemy.AppendNumbers(kValues);
    cboX.AppendNumbers(kValues);
    cboY.AppendNumbers(kValues);
    RomPath = toolkit::Tag(opener_.pathTag);
    cboEnemy.SetListIndex(0);
    cboX.SetListIndex(0);
    cboY.SetListIndex(0);

    const std::string offsetText = opener_.offsetText.Text();
    const std::optional<Offset> offset = ParseHexStrict(offsetText);
    if (!offset) {
        desktop_.Tell(toolkit::MessageText("Enemy Table 1 ")
                          .Typed(offsetText)
                          .Plain(" is not a ROM offset (a hexadecimal number of at most eight "
                                 "digits), so there is no enemy list to edit."));
    } else if (*offset < 0) {
        TableOffset = *offset;
        desktop_.ShowMessage("Enemy Table 1 is " + FormatHex(*offset) +
                             ": the room's first enemy table does not point into the ROM, so "
                             "there is no enemy list to edit.");
    } else if (RomPath.empty()) {
        TableOffset = *offset;
        desktop_.ShowMessage(
            "No ROM has been opened, so there is no enemy list to edit. Open one with File > "
            "Open, then close the enemy editor and press \"Follow Offset1\" again.");
    } else {
        TableOffset = *offset;
        ReadList();
    }
    lstEnemies_Click();
}

void Form3::ReadList() {
    RunRomCommand(desktop_, RomPath, [this](RomFile& file) {
        ReadEnemyList(file, TableOffset, List);
        lastSeen_ = List;
        hasList_ = true;
        desktop_.ShowMessage(FormatHex(TableOffset));
        for (int i = 0; i <= List.EnemyCount; ++i) {
            lstEnemies.AddItem(FormatHex(i));
        }
        lstEnemies.SetListIndex(0);
    });
}

void Form3::lstEnemies_Click() {
    if (lstEnemies.ListIndex() == List.EnemyCount) {
        // The list's end is not an enemy: refuse it and go to the last enemy, whose own
        // Click runs to its end first. A list without enemies is left with none selected.
        desktop_.ShowMessage("I refuse to edit this.");
        lstEnemies.SetListIndex(List.EnemyCount - 1);
    }
    // The selection is read again at every step: the refusal above may have moved it.
    if (lstEnemies.ListIndex() < 0) {
        return;
    }
    cboX.SetListIndex(List.entries[static_cast<std::size_t>(lstEnemies.ListIndex())].x);
    cboY.SetListIndex(List.entries[static_cast<std::size_t>(lstEnemies.ListIndex())].y);
    cboEnemy.SetListIndex(List.entries[static_cast<std::size_t>(lstEnemies.ListIndex())].enemy);
    entryAtSelection_ = List.entries[static_cast<std::size_t>(lstEnemies.ListIndex())];
}

void Form3::cboX_Change() {
    StoreTyped(cboX, &EnemyEntry::x);
}

void Form3::cboY_Change() {
    StoreTyped(cboY, &EnemyEntry::y);
}

void Form3::cboEnemy_Change() {
    StoreTyped(cboEnemy, &EnemyEntry::enemy);
}

void Form3::StoreTyped(const toolkit::ComboBox& list, std::uint8_t EnemyEntry::*field) {
    const int slot = lstEnemies.ListIndex();
    // The list's end (the terminator) is never edited.
    if (slot < 0 || slot >= List.EnemyCount) {
        return;
    }
    const std::optional<std::uint32_t> value = list.NamedValue();
    List.entries[static_cast<std::size_t>(slot)].*field =
        value && *value < kValues ? static_cast<std::uint8_t>(*value) : entryAtSelection_.*field;
}

std::optional<EnemyEntry> Form3::EntryToSave() {
    EnemyEntry entry;
    const std::pair<const toolkit::ComboBox*, std::uint8_t EnemyEntry::*> fields[] = {
        {&cboX, &EnemyEntry::x}, {&cboY, &EnemyEntry::y}, {&cboEnemy, &EnemyEntry::enemy}};
    for (const auto& [list, field] : fields) {
        const std::optional<std::uint32_t> value = list->NamedValue();
        if (!value || *value >= kValues) {
            desktop_.Tell(toolkit::MessageText(LabelOf(*list) + " ")
                              .Typed(list->Text())
                              .Plain(" is not a value from 0 to FF. Nothing was saved."));
            return std::nullopt;
        }
        entry.*field = static_cast<std::uint8_t>(*value);
    }
    return entry;
}

std::string Form3::LabelOf(const toolkit::ComboBox& list) const {
    return &list == &cboX ? Label1.Caption() : &list == &cboY ? Label2.Caption() : Label3.Caption();
}

toolkit::MessageText Form3::ChangedOnDiskMessage() const {
    return toolkit::MessageText("The enemy list at " + FormatHex(TableOffset) +
                                " changed on disk since this editor read it: another program "
                                "wrote to ")
        .Path(RomPath)
        .Plain(
            ". Nothing was saved. Close the enemy editor and press \"Follow Offset1\" again "
            "to read the list's current bytes.");
}

void Form3::cmdSave_Click() {
    if (!hasList_) {
        desktop_.ShowMessage("There is no enemy list to save.");
        return;
    }
    const int slot = lstEnemies.ListIndex();
    if (slot < 0) {
        desktop_.ShowMessage("No enemy is selected, so nothing was saved.");
        return;
    }
    // What the drop-downs show is what is saved; a text that names no value saves nothing.
    const std::optional<EnemyEntry> entry = EntryToSave();
    if (!entry) {
        return;
    }
    const bool written = RunRomCommand(
        desktop_, RomPath,
        [&](RomFile& file) {
            List.entries[static_cast<std::size_t>(slot)] = *entry;
            WriteEnemyList(file, TableOffset, List, &lastSeen_);
        },
        ChangedOnDiskMessage());
    if (written) {
        lastSeen_ = List;
        entryAtSelection_ = *entry;
    }
}

}  // namespace vorn::ui
