// SPDX-License-Identifier: MIT
#pragma once

#include <QItemSelectionModel>
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
        setSelectionMode(QAbstractItemView::SingleSelection);
        setUniformItemSizes(true);
        connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
                [this](const QItemSelection& selected) {
                    if (!selected.isEmpty()) {
                        Raise(Click);
                    }
                });
    }

    void AddItem(const std::string& text) { addItem(ToQt(text)); }
    // Position of the selected item, or kNone.
    int ListIndex() const {
        const QModelIndexList selected = selectionModel()->selectedIndexes();
        return selected.isEmpty() ? kNone : selected.first().row();
    }
    // Selects the item at `position`, or nothing for a position that names none.
    void SetListIndex(int position) {
        if (position < 0 || position >= count()) {
            selectionModel()->clear();
            return;
        }
        setCurrentRow(position, QItemSelectionModel::ClearAndSelect);
        scrollToItem(item(position));
    }

    std::function<void()> Click;

  protected:
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event) const override {
        const auto flags = QListWidget::selectionCommand(index, event);
        const bool clears = !index.isValid() || flags.testFlag(QItemSelectionModel::Deselect) ||
                            flags.testFlag(QItemSelectionModel::Toggle);
        return clears ? QItemSelectionModel::NoUpdate : flags;
    }
    // An arrow key selects the next item, then Qt selects it a second time, which would take
    // back an item a Click handler selected meanwhile: the second selection is left out.
    void keyPressEvent(QKeyEvent* event) override {
        const bool outer = keyMoving_;
        keyMoving_ = true;
        QListWidget::keyPressEvent(event);
        keyMoving_ = outer;
    }
    void setSelection(const QRect& rect, QItemSelectionModel::SelectionFlags command) override {
        if (!keyMoving_) {
            QListWidget::setSelection(rect, command);
        }
    }

  private:
    bool keyMoving_ = false;
};

}  // namespace vorn::toolkit
