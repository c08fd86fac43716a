// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include <QComboBox>

#include "ui/toolkit/control.h"

namespace vorn::toolkit {

// An editable drop-down list: a one-line text field with a list below it.
//
// The position of the selected item is the value the windows read and write, so this
// control keeps it as its own state rather than trusting the widget's current index:
// - picking an item (mouse, arrow keys, the wheel while the field has the focus) selects it and
//   raises Picked, not Change; the wheel over a field without the focus does nothing;
// - typing raises Change; the typed text selects the item that names the same number (in the
//   list's numbering, ignoring case, surrounding blanks and leading zeros: "0a" selects A),
//   or none; the typed text stays as typed;
// - setting the selection from code raises nothing;
// - Return never adds the typed text as an item and never rewrites it.
class ComboBox : public Control<QComboBox> {
  public:
    static constexpr int kNone = -1;
    // How the items' texts, and so the user's typing, write numbers.
    enum class Numbering { Hexadecimal, Decimal };
    template <class Parent>
    ComboBox(Parent& parent, const std::string& name, QRect rect,
             Numbering numbering = Numbering::Hexadecimal)
        : Control(parent, name, rect), numbering_(numbering) {
        Init();
    }

    // Appends the items 0 to values - 1, each written as the box writes numbers (upper-case
    // hexadecimal without prefix, or decimal), so that an item's position is its value.
    void AppendNumbers(int values);
    int ListCount() const;
    std::string ItemText(int position) const;

    // Position of the selected item, or kNone.
    int ListIndex() const { return listIndex_; }
    // Selects the item at `position` and shows its text; kNone selects nothing and clears the
    // text. Raises no event.
    void SetListIndex(int position);
    // Selects nothing and shows `text`: for a value that has no item of its own.
    void ShowUnlisted(const std::string& text);

    std::string Text() const;
    // The number the text names, or nothing when it names none; not limited to the items.
    std::optional<std::uint32_t> NamedValue() const;

    // Raised when the user types into the text field.
    std::function<void()> Change;
    // Raised when the user picks an item from the list.
    std::function<void()> Picked;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void Init();
    void OnTyped(const QString& text);
    void OnPicked(int position);
    // Moves the widget's own current item to `position` without touching the typed text.
    void FollowSelection(int position);

    Numbering numbering_;
    int listIndex_ = kNone;
};

// The number a text names in a numbering, as rom/hex reads a typed number: digits only (either
// case), at least one, surrounding blanks and leading zeros ignored, at most 32 bits; nothing
// for any other text.
std::optional<std::uint32_t> ReadNumber(std::string_view text, ComboBox::Numbering numbering);

}  // namespace vorn::toolkit
