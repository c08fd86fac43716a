// SPDX-License-Identifier: MIT
#pragma once

#include <QComboBox>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "ui/toolkit/controls.h"

namespace vorn::toolkit {

// An editable drop-down list of numbers, whose selected position is the value the windows
// read and write; the box keeps that position itself rather than trusting the widget's:
// - picking an item (mouse, arrow keys, the wheel while the box has the focus) raises Picked,
//   not Change; the wheel over a box without the focus does nothing;
// - typing raises Change and selects the item that names the same number ("0a" selects A),
//   or none; the typed text stays as typed, and Return never adds or rewrites it;
// - setting the selection from code raises nothing.
class ComboBox : public Control<QComboBox> {
  public:
    static constexpr int kNone = -1;
    enum class Numbering { Hexadecimal, Decimal };
    template <class Parent>
    ComboBox(Parent& parent, const std::string& name, QRect rect,
             Numbering numbering = Numbering::Hexadecimal)
        : Control(parent, name, rect), base_(numbering == Numbering::Hexadecimal ? 16 : 10) {
        Init();
    }

    // Appends the items 0 to values - 1, written in the box's numbering (upper-case
    // hexadecimal without prefix, or decimal), so that an item's position is its value.
    void AppendNumbers(int values);

    // Position of the selected item, or kNone.
    int ListIndex() const { return listIndex_; }
    // Selects the item at `position` and shows its text, or with kNone nothing and no text.
    void SetListIndex(int position);
    // Selects nothing and shows `text`: for a value that has no item of its own.
    void ShowUnlisted(const std::string& text);

    std::string Text() const { return FromQt(currentText()); }
    // The number the text names, as a typed number is read; not limited to the items.
    std::optional<std::uint32_t> NamedValue() const;

    std::function<void()> Change;
    std::function<void()> Picked;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void Init();
    void OnTyped(const QString& text);
    // Moves the widget's own current item to `position`, keeping the typed text.
    void FollowSelection(int position);

    int base_;
    int listIndex_ = kNone;
};

}  // namespace vorn::toolkit
