// SPDX-License-Identifier: MIT
#pragma once

// Random things a person does to the windows: texts typed into fields (valid values, typos,
// leading zeros, blanks, case), characters typed and taken back, picks, the wheel with and
// without the focus, list items, buttons, the close box.

#include <random>
#include <string>

#include "tests/ui/fuzz/record_format.h"

class QWidget;

namespace vorn::toolkit {
class Button;
class ComboBox;
class TextBox;
}  // namespace vorn::toolkit

namespace vorn::fuzz {

class Dice {
  public:
    explicit Dice(std::uint32_t seed) : random_(seed) {}
    int Below(int count) { return std::uniform_int_distribution<int>(0, count - 1)(random_); }
    bool Chance(int percent) { return Below(100) < percent; }
    std::mt19937& Engine() { return random_; }

  private:
    std::mt19937 random_;
};

// A text a person might type into a field of this kind.
std::string TextFor(FieldKind kind, Dice& dice);
// A room number as a person might type it (decimal), now and then a wrong one.
std::string RoomText(Dice& dice);

// Does something to a drop-down and says what, for the action log. `elsewhere` is a control
// that can take the focus away first.
std::string ActOnList(toolkit::ComboBox& list, FieldKind kind, QWidget& elsewhere, Dice& dice);
// Types into a text box, or types a character and takes it back (Backspace or Ctrl+Z).
std::string ActOnBox(toolkit::TextBox& box, FieldKind kind, Dice& dice);

// Presses a button with the mouse, or with Return or Enter once it has the keyboard focus.
std::string PressButton(toolkit::Button& button, Dice& dice);

// Alt (or Meta) and a letter or digit in a field, as a person opening a menu by habit; closes
// a menu that opened.
std::string AltKeyIn(QWidget& field, Dice& dice);

// What a paste into a field did: the text before, how much of it was selected, what the
// clipboard held.
struct Pasted {
    std::string before;
    std::size_t selected = 0;
    std::string text;
};
// Pastes a random text, at times longer than the field holds, at times with blanks and line
// ends around it, with Ctrl+V or Shift+Insert.
std::string PasteInto(QWidget& field, Dice& dice, Pasted& pasted);
// The text of a text box or a drop-down's field.
std::string FieldText(QWidget& field);

}  // namespace vorn::fuzz
