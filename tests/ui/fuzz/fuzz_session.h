// SPDX-License-Identifier: MIT
#pragma once

// One run of the window fuzzer: the real main window and enemy editor on a scripted desktop,
// random user actions and changes by another program, and after every action the properties
// that a save writes what the windows show and nothing else.

#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "tests/support/scripted_desktop.h"
#include "tests/support/temp_dir.h"
#include "tests/ui/fuzz/rom_world.h"
#include "tests/ui/fuzz/user_actions.h"
#include "ui/main/form1.h"

namespace vorn::fuzz {

class FuzzSession {
  public:
    explicit FuzzSession(std::uint32_t seed);

    // Runs one action and checks the properties; false, with Failure() set, when one broke.
    bool Step();
    const std::string& Failure() const { return failure_; }
    // The last actions, oldest first, for the report.
    const std::deque<std::string>& Log() const { return log_; }

    // How many saves of each window wrote or were refused: a run that never saves proves little.
    struct Tally {
        long savesWritten = 0;
        long savesRefused = 0;
        long enemySavesWritten = 0;
        long enemySavesRefused = 0;
    };
    const Tally& Counts() const { return tally_; }

  private:
    enum class Kind { Field, Room, Load, Save, Follow, Editor, EditorSave, Close, Other, Open };
    struct Before {
        FileState main;
        FileState other;
        std::vector<std::string> texts;
        RoomHeader header;
        bool loadEnabled = false;
        bool editorLoaded = false;
        std::size_t messages = 0;
    };
    // What the main window last showed and wrote or read: the texts and the record.
    struct Baseline {
        std::vector<std::string> texts;
        ByteVector record;
    };
    // The enemy list as the editor last read or wrote it.
    struct EditorSeen {
        std::string path;
        std::size_t offset = 0;
        std::size_t items = 0;
        ByteVector bytes;
    };

    void NewEpisode();
    Kind ChooseKind();
    std::string Perform(Kind kind);
    std::string ActOnEditor();
    void Check(Kind kind, const Before& before);
    void CheckTyping(const std::vector<std::string>& said);
    void CheckSave(const Before& before, const std::vector<std::string>& said);
    void CheckLoad(const Before& before, const std::vector<std::string>& said);
    void CheckFollow(const Before& before, const std::vector<std::string>& said);
    void CheckEditorSave(const Before& before, const std::vector<std::string>& said);
    bool LoadInObserver(int room);
    void Fail(const std::string& why);

    std::vector<std::string> FieldTexts(ui::Form1& form) const;
    void Capture(Before& before) const;
    // The file at a path as it is now (read by Check) and as it was before the action.
    const FileState& Now(const std::string& path) const;
    const FileState& Then(const Before& before, const std::string& path) const;
    std::optional<int> RoomNamed() const;

    Dice dice_;
    std::unique_ptr<test::TempDir> dir_;
    std::string gamePath_;
    std::string otherPath_;
    std::string romPath_;   // what the main window works on, as its Open messages told
    std::string answered_;  // the Open dialog's last answer
    std::unique_ptr<test::ScriptedDesktop> desktop_;
    std::unique_ptr<ui::Form1> form_;
    test::ScriptedDesktop observerDesktop_;
    std::unique_ptr<ui::Form1> observer_;
    std::optional<Baseline> baseline_;
    std::map<int, ByteVector> seen_;  // rooms the main window read or wrote, as it saw them
    std::optional<EditorSeen> editorSeen_;
    int episodeLeft_ = 0;
    std::optional<Kind> advice_;  // what the last refusal told the person to do
    // The field the last action typed Alt+key into, and its text before.
    struct KeyTarget {
        QWidget* field = nullptr;
        std::string text;
    } keyTarget_;
    QWidget* pasteTarget_ = nullptr;  // the field the last action pasted into
    Pasted pasted_;
    std::deque<std::string> log_;
    std::string failure_;
    Tally tally_;
    Before before_;
    FileState nowMain_;
    FileState nowOther_;
    FileState none_;
};

}  // namespace vorn::fuzz
