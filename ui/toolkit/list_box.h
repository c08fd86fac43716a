// SPDX-License-Identifier: MIT
#pragma once

#include <QListWidget>

#include <functional>
#include <string>

#include "ui/toolkit/control.h"

namespace vorn::toolkit {

// A list box of text items in the order they were added, one item selected at a time; the
// user cannot clear the selection (Ctrl+click on the selected item, a click below the items):
// the windows expect the item they selected to stay selected.
//
// Click is raised whenever an item becomes selected, by the user (mouse, arrow keys) or from
// code, and may re-enter: a Click handler that selects another item runs that item's Click to
// its end first. The widget making a row current by itself (when the list is shown or gets
// the focus) is not a selection and raises nothing; neither does clearing.
class ListBox : public Control<QListWidget> {
  public:
    static constexpr int kNone = -1;
    template <class Parent>
    ListBox(Parent& parent, const std::string& name, QRect rect) : Control(parent, name, rect) {
        Init();
    }

    void AddItem(const std::string& text) { addItem(ToQt(text)); }
    int ListCount() const { return count(); }
    std::string ItemText(int position) const;

    // Position of the selected item, or kNone.
    int ListIndex() const;
    // Selects the item at `position` (raising Click when it becomes selected), or, with kNone
    // or a position that names no item, selects nothing.
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
