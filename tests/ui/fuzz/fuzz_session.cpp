// SPDX-License-Identifier: MIT
#include "tests/ui/fuzz/fuzz_session.h"

#include <QApplication>

#include <algorithm>
#include <utility>

#include "tests/support/ui_driver.h"
#include "ui/enemies/form3.h"

namespace vorn::fuzz {

namespace {

constexpr std::size_t kLogLength = 60;
constexpr char kRomLoaded[] = "Rom Loaded";
constexpr char kInvalidRom[] = "Sorry invalid ROM.";

// Whether two versions of a file differ only inside [first, first + count).
bool ChangedOnlyWithin(const FileState& before, const FileState& after, std::size_t first,
                       std::size_t count) {
    if (!before.regular || !after.regular || before.bytes.size() != after.bytes.size()) {
        return false;
    }
    const std::size_t size = before.bytes.size();
    const std::size_t end = std::min(size, first + count);
    first = std::min(first, size);
    const auto b = before.bytes.begin();
    const auto a = after.bytes.begin();
    return std::equal(b, b + static_cast<std::ptrdiff_t>(first), a) &&
           std::equal(b + static_cast<std::ptrdiff_t>(end), before.bytes.end(),
                      a + static_cast<std::ptrdiff_t>(end));
}

bool Same(const FileState& a, const FileState& b) {
    return a.regular == b.regular && a.bytes == b.bytes;
}

bool IsHexNumber(const std::string& text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) {
        return std::isxdigit(static_cast<unsigned char>(c)) != 0 && !std::islower(c);
    });
}

}  // namespace

FuzzSession::FuzzSession(std::uint32_t seed) : dice_(seed) {}

void FuzzSession::NewEpisode() {
    if (form_) {
        form_.reset();
        test::FlushUnloadedWindows();
    }
    observer_.reset();
    dir_ = std::make_unique<test::TempDir>();
    gamePath_ = dir_->File("game.gba");
    otherPath_ = dir_->File("other.gba");
    const ByteVector image = MakeGameImage(dice_.Engine());
    ByteVector other = MakeGameImage(dice_.Engine());
    other[0xA0] = 'z';  // not an image of the game
    test::WriteFileBytes(gamePath_, image);
    test::WriteFileBytes(otherPath_, other);

    desktop_ = std::make_unique<test::ScriptedDesktop>();
    form_ = std::make_unique<ui::Form1>(*desktop_);
    form_->Load();
    form_->Show();
    observer_ = std::make_unique<ui::Form1>(observerDesktop_);
    observer_->Load();
    romPath_.clear();
    baseline_.reset();
    seen_.clear();
    editorSeen_.reset();
    episodeLeft_ = 100 + dice_.Below(300);
    log_.push_back("--- a new window on a new image");
    // A person's first step: open the image.
    answered_ = gamePath_;
    desktop_->OpenAnswers.push_back(gamePath_);
    form_->mnuOpen.trigger();
    romPath_ = gamePath_;
    if (LoadInObserver(0)) {
        baseline_ = Baseline{FieldTexts(*form_), ByteVector(observer_->CurrentHeader.bytes.begin(),
                                                            observer_->CurrentHeader.bytes.end())};
        seen_[0] = baseline_->record;
    }
}

bool FuzzSession::Step() {
    if (episodeLeft_-- <= 0) {
        NewEpisode();
    }
    Capture(before_);
    const Before& before = before_;
    const Kind kind = ChooseKind();
    log_.push_back(Perform(kind));
    while (log_.size() > kLogLength) {
        log_.pop_front();
    }
    Check(kind, before);
    return failure_.empty();
}

FuzzSession::Kind FuzzSession::ChooseKind() {
    const ui::Form3* editor = form_->EnemyEditor().Get();
    const bool editing = editor != nullptr && editor->isVisible();
    const std::optional<Kind> advice = std::exchange(advice_, std::nullopt);
    if (advice && dice_.Chance(60) && (*advice != Kind::Close || editing)) {
        return *advice;
    }
    // While the enemy editor is on the screen, a third of the actions go to it.
    if (editing && dice_.Chance(35)) {
        const int roll = dice_.Below(100);
        return roll < 62 ? Kind::Editor : roll < 92 ? Kind::EditorSave : Kind::Close;
    }
    struct Weighted {
        Kind kind;
        int weight;
    };
    static constexpr Weighted kWeights[] = {{Kind::Field, 40}, {Kind::Room, 9},   {Kind::Load, 12},
                                            {Kind::Save, 16},  {Kind::Follow, 9}, {Kind::Other, 8},
                                            {Kind::Open, 6}};
    int roll = dice_.Below(100);
    for (const Weighted& choice : kWeights) {
        if (roll < choice.weight) {
            return choice.kind;
        }
        roll -= choice.weight;
    }
    return Kind::Field;
}

std::string FuzzSession::Perform(Kind kind) {
    ui::Form1& form = *form_;
    switch (kind) {
        case Kind::Field: {
            const FieldSpec& field = kFields[dice_.Below(static_cast<int>(std::size(kFields)))];
            QWidget& control = test::ControlNamed(form, field.control);
            const int roll = dice_.Below(100);
            if (roll < 8) {
                keyTarget_ = {&control, FieldText(control)};
                return AltKeyIn(control, dice_);
            }
            if (roll < 18) {
                pasteTarget_ = &control;
                return PasteInto(control, dice_, pasted_);
            }
            if (auto* list = dynamic_cast<toolkit::ComboBox*>(&control)) {
                return ActOnList(*list, field.kind, form.txtEnTable1, dice_);
            }
            return ActOnBox(dynamic_cast<toolkit::TextBox&>(control), field.kind, dice_);
        }
        case Kind::Room: {
            if (dice_.Chance(40)) {
                const int room = kBusyRooms[dice_.Below(5)];
                test::PickWithMouse(form.cboRoom, room);
                return "picks room " + std::to_string(room);
            }
            if (dice_.Chance(50)) {
                const std::string text = RoomText(dice_);
                test::TypeInto(form.cboRoom, text);
                return "types room \"" + text + "\"";
            }
            return ActOnList(form.cboRoom, FieldKind::Byte, form.txtEnTable1, dice_);
        }
        case Kind::Load:
            return PressButton(form.cmdGetTs, dice_);
        case Kind::Save:
            return PressButton(form.cmdSave, dice_);
        case Kind::Follow: {
            const std::string how = PressButton(form.cmdRepoint1, dice_);
            QApplication::processEvents();
            return how;
        }
        case Kind::Editor:
            return ActOnEditor();
        case Kind::EditorSave:
            return PressButton(form.EnemyEditor().Get()->cmdSave, dice_) + " (enemy editor)";
        case Kind::Close:
            form.EnemyEditor().Get()->close();
            test::FlushUnloadedWindows();
            editorSeen_.reset();
            return "closes the enemy editor";
        case Kind::Other: {
            const std::string& path = dice_.Chance(85) ? gamePath_ : otherPath_;
            return ChangeFileAsAnotherProgram(path, dice_.Engine()) + " (" +
                   path.substr(path.rfind('/') + 1) + ")";
        }
        case Kind::Open: {
            const int roll = dice_.Below(100);
            const std::string answer = roll < 70 ? gamePath_ : roll < 85 ? otherPath_ : "";
            answered_ = answer;
            desktop_->OpenAnswers.push_back(answer);
            form.mnuOpen.trigger();
            return "File > Open answers \"" + answer.substr(answer.find_last_of('/') + 1) + "\"";
        }
    }
    return "nothing";
}

std::string FuzzSession::ActOnEditor() {
    ui::Form3& editor = *form_->EnemyEditor().Get();
    const int roll = dice_.Below(100);
    if (roll < 25) {
        const int item = dice_.Below(editor.lstEnemies.count() + 1);
        if (item < editor.lstEnemies.count()) {
            test::ClickItem(editor.lstEnemies, item);
            return "clicks enemy item " + std::to_string(item);
        }
    }
    if (roll < 35) {
        const bool down = dice_.Chance(50);
        test::PressKey(editor.lstEnemies, down ? Qt::Key_Down : Qt::Key_Up);
        return down ? "presses Down in the enemy list" : "presses Up in the enemy list";
    }
    toolkit::ComboBox* lists[] = {&editor.cboX, &editor.cboY, &editor.cboEnemy};
    return ActOnList(*lists[dice_.Below(3)], FieldKind::Byte, editor.lstEnemies, dice_);
}

std::vector<std::string> FuzzSession::FieldTexts(ui::Form1& form) const {
    std::vector<std::string> texts;
    for (const FieldSpec& field : kFields) {
        texts.push_back(FieldText(test::ControlNamed(form, field.control)));
    }
    return texts;
}

const FileState& FuzzSession::Now(const std::string& path) const {
    return path == gamePath_ ? nowMain_ : path == otherPath_ ? nowOther_ : none_;
}

const FileState& FuzzSession::Then(const Before& before, const std::string& path) const {
    return path == gamePath_ ? before.main : path == otherPath_ ? before.other : none_;
}

void FuzzSession::Capture(Before& before) const {
    ReadState(gamePath_, before.main);
    ReadState(otherPath_, before.other);
    before.texts = FieldTexts(*form_);
    before.header = form_->CurrentHeader;
    before.loadEnabled = form_->cmdGetTs.isEnabled();
    before.editorLoaded = form_->EnemyEditor().IsLoaded();
    before.messages = desktop_->Messages.size();
}

std::optional<int> FuzzSession::RoomNamed() const {
    unsigned long room = 0;
    if (!ReadsAs(form_->cboRoom.Text(), true, room) || room >= test::kRooms) {
        return std::nullopt;
    }
    return static_cast<int>(room);
}

void FuzzSession::Fail(const std::string& why) {
    if (failure_.empty()) {
        failure_ = why;
    }
}

void FuzzSession::Check(Kind kind, const Before& before) {
    if (kind == Kind::Other) {
        return;
    }
    const std::vector<std::string> said(
        desktop_->Messages.begin() + static_cast<std::ptrdiff_t>(before.messages),
        desktop_->Messages.end());
    // Only a save may change a file, and only the one it writes to.
    std::string target;
    if (kind == Kind::Save) {
        target = romPath_;
    } else if (kind == Kind::EditorSave && editorSeen_) {
        target = editorSeen_->path;
    }
    ReadState(gamePath_, nowMain_);
    ReadState(otherPath_, nowOther_);
    for (const std::string* path : {&gamePath_, &otherPath_}) {
        if (*path != target && !Same(Then(before, *path), Now(*path))) {
            Fail("a file changed that no save wrote to: " + path->substr(path->rfind('/') + 1));
        }
    }
    CheckTyping(said);
    switch (kind) {
        case Kind::Save:
            CheckSave(before, said);
            break;
        case Kind::Load:
            if (before.loadEnabled) {
                CheckLoad(before, said);
            }
            break;
        case Kind::Open:
            if (!said.empty() && (said[0] == kRomLoaded || said[0] == kInvalidRom)) {
                romPath_ = answered_;
                seen_.clear();
                CheckLoad(before, said);
            } else if (said.empty() && romPath_.empty()) {
                Fail("a cancelled Open with no ROM open said nothing");
            } else if (!said.empty() && said[0] == "No rom loaded" && !romPath_.empty()) {
                Fail("a cancelled Open said \"No rom loaded\" while a ROM stays open");
            }
            break;
        case Kind::Follow:
            CheckFollow(before, said);
            break;
        case Kind::EditorSave:
            CheckEditorSave(before, said);
            break;
        default:
            break;
    }
}

// A key pressed with Alt or Meta never types; a paste is taken whole, without the blanks
// around it, or refused with a word.
void FuzzSession::CheckTyping(const std::vector<std::string>& said) {
    if (keyTarget_.field != nullptr && FieldText(*keyTarget_.field) != keyTarget_.text) {
        Fail(test::NameOf(*keyTarget_.field) + " took text from a key pressed with Alt or Meta");
    }
    keyTarget_ = {};
    if (pasteTarget_ == nullptr) {
        return;
    }
    // The blanks and line ends around a pasted text are no part of it.
    const auto first = pasted_.text.find_first_not_of(" \t\r\n");
    const std::string text =
        first == std::string::npos
            ? std::string()
            : pasted_.text.substr(first, pasted_.text.find_last_not_of(" \t\r\n") - first + 1);
    const std::string now = FieldText(*pasteTarget_);
    const std::string whole = pasted_.selected > 0 ? text : pasted_.before + text;
    const bool refused = now == pasted_.before && now != whole;
    if (now != whole && !refused) {
        Fail(test::NameOf(*pasteTarget_) + " took part of a paste: \"" + now + "\"");
    } else if (refused && pasteTarget_->isEnabled() && said.empty()) {
        Fail(test::NameOf(*pasteTarget_) + " refused a paste without a word");
    }
    pasteTarget_ = nullptr;
}

bool FuzzSession::LoadInObserver(int room) {
    const std::size_t messages = observerDesktop_.Messages.size();
    observer_->cboRoom.SetListIndex(room);
    observerDesktop_.OpenAnswers.push_back(romPath_);
    observer_->mnuOpen.trigger();
    const auto& said = observerDesktop_.Messages;
    return said.size() > messages &&
           (said[messages] == kRomLoaded || said[messages] == kInvalidRom);
}

// After a load, the window shows exactly what a fresh window shows for that room of that file,
// and holds that record; after a failed one, it is as it was.
void FuzzSession::CheckLoad(const Before& before, const std::vector<std::string>&) {
    const std::optional<int> room = RoomNamed();
    const FileState& file = Now(romPath_);
    if (!room || !file.regular) {
        if (FieldTexts(*form_) != before.texts || form_->CurrentHeader != before.header) {
            Fail("a load that could not read changed the window");
        }
        return;
    }
    if (!LoadInObserver(*room)) {
        Fail("a fresh window could not load the room the window loaded");
        return;
    }
    if (FieldTexts(*form_) != FieldTexts(*observer_) ||
        form_->CurrentHeader != observer_->CurrentHeader) {
        Fail("the window does not show what a fresh window loads from room " +
             std::to_string(*room));
    }
    const ByteVector record = test::BytesAt(file.bytes, test::RoomAt(*room), test::kRoomSize);
    baseline_ = Baseline{FieldTexts(*form_), record};
    seen_[*room] = record;
}

// A save that said nothing wrote the window's record into the room its Room field names, and
// nothing else: fields whose text is what the last load or save left there keep the bytes
// they came from, the unshown bytes are the last ones read, another program's change since
// the window read the room is not overwritten, and a fresh window shows what this one showed.
void FuzzSession::CheckSave(const Before& before, const std::vector<std::string>& said) {
    const FileState& after = Now(romPath_);
    const FileState& prior = Then(before, romPath_);
    if (!said.empty() || romPath_.empty()) {
        if (romPath_.empty() ? false : !Same(prior, after)) {
            Fail("a save that showed a message changed the file");
        }
        tally_.savesRefused += said.empty() ? 0 : 1;
        // A person mostly does what the message says: load again, or fix the room number.
        advice_ = said.empty()                     ? std::nullopt
                  : said[0].rfind("Room:", 0) == 0 ? std::optional<Kind>(Kind::Room)
                                                   : std::optional<Kind>(Kind::Load);
        return;
    }
    if (!form_->cmdSave.isEnabled()) {
        return;  // the press did nothing
    }
    const std::optional<int> room = RoomNamed();
    if (!room) {
        Fail("a save into a Room text that names no room said nothing");
        return;
    }
    const std::size_t at = test::RoomAt(*room);
    if (!ChangedOnlyWithin(prior, after, at, test::kRoomSize)) {
        Fail("a save changed bytes outside room " + std::to_string(*room) + "'s record");
        return;
    }
    const auto seen = seen_.find(*room);
    if (seen != seen_.end() && test::BytesAt(prior.bytes, at, test::kRoomSize) != seen->second) {
        Fail("a save overwrote a room that another program changed since the window read it");
    }
    const ByteVector written = test::BytesAt(after.bytes, at, test::kRoomSize);
    const std::vector<std::string> texts = FieldTexts(*form_);
    // A typed pointer is saved only inside the cartridge ROM, 08000000 to 09FFFFFF.
    for (std::size_t f = 0; f < 7; ++f) {  // the pointers come first in kFields
        const bool typed = !baseline_ || texts[f] != baseline_->texts[f];
        if (typed && (written[kFields[f].at + 3] & 0xFE) != 0x08) {
            Fail(std::string(kFields[f].control) + " \"" + texts[f] +
                 "\" was saved as a pointer outside the cartridge ROM, without a word");
        }
    }
    if (baseline_) {
        for (std::size_t f = 0; f < std::size(kFields); ++f) {
            const FieldSpec& field = kFields[f];
            const auto from = static_cast<std::ptrdiff_t>(field.at);
            const auto to = static_cast<std::ptrdiff_t>(field.at + field.width);
            if (texts[f] == baseline_->texts[f] &&
                !std::equal(written.begin() + from, written.begin() + to,
                            baseline_->record.begin() + from)) {
                Fail(std::string("the untouched ") + field.control + " \"" + texts[f] +
                     "\" was not written back as it was read");
            }
        }
        for (std::size_t i = 0; i < test::kRoomSize; ++i) {
            if (IsUnshownByte(i) && written[i] != baseline_->record[i]) {
                Fail("a save changed the unshown byte " + std::to_string(i) + " of the record");
            }
        }
    }
    if (!LoadInObserver(*room)) {
        Fail("a fresh window could not load the room just saved");
        return;
    }
    const std::vector<std::string> shown = FieldTexts(*observer_);
    for (std::size_t f = 0; f < std::size(kFields); ++f) {
        const std::string mine = Canonical(texts[f], kFields[f].kind);
        if (ShowsFaithfully(mine, kFields[f].kind) &&
            mine != Canonical(shown[f], kFields[f].kind)) {
            Fail(std::string(kFields[f].control) + " showed \"" + texts[f] +
                 "\" when saved, and a fresh window shows \"" + shown[f] + "\"");
        }
    }
    baseline_ = Baseline{texts, written};
    seen_[*room] = written;
    ++tally_.savesWritten;
}

// A newly loaded editor reads the list at the offset it shows; showing it again reads nothing.
void FuzzSession::CheckFollow(const Before& before, const std::vector<std::string>& said) {
    const ui::Form3* editor = form_->EnemyEditor().Get();
    if (before.editorLoaded) {
        if (!said.empty()) {
            Fail("Follow Offset1 on a loaded enemy editor showed a message");
        }
        return;
    }
    const auto offsetMessage = std::find_if(said.begin(), said.end(), IsHexNumber);
    if (editor == nullptr || offsetMessage == said.end() || romPath_.empty()) {
        editorSeen_.reset();
        return;
    }
    EditorSeen seen;
    seen.path = romPath_;
    seen.offset = std::stoul(*offsetMessage, nullptr, 16);
    seen.items = static_cast<std::size_t>(editor->lstEnemies.count());
    seen.bytes = test::BytesAt(Now(romPath_).bytes, seen.offset, 3 * seen.items);
    editorSeen_ = seen;
}

// An enemy save that said nothing wrote the list where it was read, within the list, with the
// selected entry as the drop-downs show it, and did not overwrite another program's change.
void FuzzSession::CheckEditorSave(const Before& before, const std::vector<std::string>& said) {
    if (!editorSeen_) {
        if (said.empty()) {
            Fail("the enemy editor saved a list it never read, without a word");
        }
        return;
    }
    const FileState& prior = Then(before, editorSeen_->path);
    const FileState& after = Now(editorSeen_->path);
    if (!said.empty()) {
        if (!Same(prior, after)) {
            Fail("an enemy save that showed a message changed the file");
        }
        ++tally_.enemySavesRefused;
        advice_ = Kind::Close;
        return;
    }
    const EditorSeen& seen = *editorSeen_;
    if (!ChangedOnlyWithin(prior, after, seen.offset, 3 * seen.items)) {
        Fail("an enemy save changed bytes outside its list");
        return;
    }
    if (test::BytesAt(prior.bytes, seen.offset, 3 * seen.items) != seen.bytes) {
        Fail("an enemy save overwrote a list that another program changed since it was read");
    }
    const ui::Form3& editor = *form_->EnemyEditor().Get();
    const int slot = editor.lstEnemies.ListIndex();
    const toolkit::ComboBox* lists[] = {&editor.cboX, &editor.cboY, &editor.cboEnemy};
    for (std::size_t j = 0; j < 3 && slot >= 0; ++j) {
        unsigned long value = 0;
        const std::string text = lists[j]->Text();
        const std::size_t at = seen.offset + 3 * static_cast<std::size_t>(slot) + j;
        if (!ReadsAs(text, false, value) || value > 0xFF) {
            Fail(test::NameOf(*lists[j]) + " \"" + text +
                 "\" names no byte, and the save said nothing");
        } else if (after.bytes.at(at) != value) {
            Fail(test::NameOf(*lists[j]) + " showed \"" + text +
                 "\" and the save wrote another value");
        }
    }
    editorSeen_->bytes = test::BytesAt(after.bytes, seen.offset, 3 * seen.items);
    ++tally_.enemySavesWritten;
}

}  // namespace vorn::fuzz
