// SPDX-License-Identifier: MIT
#pragma once

#include <QListWidget>

#include <functional>
#include <string>

#include "ui/toolkit/controls.h"

namespace vorn::toolkit {

// A list box of text items with one item selected at a time, which the user cannot clear
// (Ctrl+click, a click below the items): the windows expect their selection to stay.
//
// Click is raised whenever an item becomes selected, by the user or from code, and may
// re-enter: a handler that selects another item runs that item's Click to its end first.
// The widget making a row current by itself (on focus) raises nothing, nor does clearing.
class ListBox : public Control<QListWidget> {
  public:
    static constexpr int kNone = -1;
    template <class Parent>
    ListBox(Parent& parent, const std::string& name, QRect rect) : Control(parent, name, rect) {
        Init();
    }

    void AddItem(const std::string& text) { addItem(ToQt(text)); }
    // Position of the selected item, or kNone.
    int ListIndex() const;
    // Selects the item at `position`, or nothing for a position that names none.
    void SetListIndex(int position);

    std::function<void()> Click;

  protected:
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event) const override;
    void keyPressEvent(QKeyEvent* event) override;
    void setSelection(const QRect& rect, QItemSelectionModel::SelectionFlags command) override;

  private:
    void Init();
    bool keyMoving_ = false;
};

}  // namespace vorn::toolkit
