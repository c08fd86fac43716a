// SPDX-License-Identifier: MIT
#pragma once

// Random things a person does to the windows: texts typed into fields (valid values, typos,
// leading zeros, blanks, case), characters typed and taken back, picks, the wheel with and
// without the focus, list items, buttons, the close box.

#include <random>
#include <string>

#include "tests/ui/fuzz/record_format.h"

namespace vorn::toolkit {
class ComboBox;
class Control;
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
std::string ActOnList(toolkit::ComboBox& list, FieldKind kind, toolkit::Control& elsewhere,
                      Dice& dice);
// Types into a text box, or types a character and takes it back (Backspace or Ctrl+Z).
std::string ActOnBox(toolkit::TextBox& box, FieldKind kind, Dice& dice);

}  // namespace vorn::fuzz
