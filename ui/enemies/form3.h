// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "rom/enemy_list.h"
#include "ui/toolkit/combo_box.h"
#include "ui/toolkit/controls.h"
#include "ui/toolkit/desktop.h"
#include "ui/toolkit/list_box.h"
#include "ui/toolkit/window.h"

namespace vorn::toolkit {
class Desktop;
}

namespace vorn::ui {

// The enemy editor: one room's enemy list, read when the editor is loaded and edited in
// memory until "Save" writes it back where it was read.
class Form3 : public toolkit::Window {
  public:
    // Where a loading editor takes its file and offset from: the control whose tag carries
    // the ROM path (the main window's "Load" button) and the text box that shows the list's
    // offset (the main window's txtEnTable1).
    struct Opener {
        const toolkit::Button& pathTag;
        const toolkit::TextBox& offsetText;
    };

    Form3(toolkit::Desktop& desktop, Opener opener);

    // The editor's own copy, kept while it is loaded, whatever the main window does.
    std::string RomPath;
    Offset TableOffset = 0;
    // The editor's EnemyList: named List so that the type keeps its own name in here.
    EnemyList List;

    toolkit::ListBox lstEnemies;
    toolkit::Label Label4;
    toolkit::Label Label1;
    toolkit::ComboBox cboX;
    toolkit::Label Label2;
    toolkit::ComboBox cboY;
    toolkit::Label Label3;
    toolkit::ComboBox cboEnemy;
    toolkit::Button cmdRepoint;
    toolkit::Button cmdSave;

    void lstEnemies_Click();
    void cboX_Change();
    void cboY_Change();
    void cboEnemy_Change();
    void cmdSave_Click();

  protected:
    void Form_Load() override;

  private:
    // Reads the list at TableOffset, shows the offset, lists the entries, selects entry 0.
    void ReadList();
    // Stores the value a drop-down's typed text names in the selected entry; while the text
    // names none, the entry keeps the byte it had when it was selected or last saved.
    void StoreTyped(const toolkit::ComboBox& list, std::uint8_t EnemyEntry::*field);
    // The entry the drop-downs make, or nothing (after telling the user) when a text names
    // no value.
    std::optional<EnemyEntry> EntryToSave();
    toolkit::MessageText ChangedOnDiskMessage() const;
    // The caption of the label that names a drop-down: "X:", "Y:" or "Enemy:".
    std::string LabelOf(const toolkit::ComboBox& list) const;

    toolkit::Desktop& desktop_;
    Opener opener_;
    bool hasList_ = false;  // the load read a list (it had a file and an offset)
    // The list as the editor last read or wrote it: a save is refused if another program has
    // changed it on disk since.
    EnemyList lastSeen_;
    // The selected entry as it was when selected or last saved.
    EnemyEntry entryAtSelection_;
};

}  // namespace vorn::ui
