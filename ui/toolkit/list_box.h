// SPDX-License-Identifier: MIT
#pragma once

#include <functional>
#include <string>

#include "ui/toolkit/control.h"

class QListWidget;

namespace vorn::toolkit {

// A list box of text items in the order they were added, one item selected at a time.
//
// Click is raised whenever an item becomes selected, by the user (mouse, arrow keys) or from
// code, and may re-enter: a Click handler that selects another item runs that item's Click to
// its end first. The widget making a row current by itself (when the list is shown or gets
// the focus) is not a selection and raises nothing; neither does clearing.
class ListBox : public Control {
  public:
    static constexpr int kNone = -1;
    ListBox(Container& parent, std::string name, Rect rect);

    void AddItem(const std::string& text);
    int ListCount() const;
    std::string ItemText(int position) const;

    // Position of the selected item, or kNone.
    int ListIndex() const;
    // Selects the item at `position` (raising Click when it becomes selected), or, with kNone
    // or a position that names no item, selects nothing.
    void SetListIndex(int position);

    std::function<void()> Click;

  private:
    QListWidget* list_;
};

}  // namespace vorn::toolkit
