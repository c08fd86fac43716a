// SPDX-License-Identifier: MIT
#include "ui/toolkit/list_box.h"

#include <QItemSelectionModel>

namespace vorn::toolkit {

void ListBox::Init() {
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true);
    // A current row set without selecting (Qt does that on focus) is no selection.
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this](const QItemSelection& selected) {
                if (!selected.isEmpty()) {
                    Raise(Click);
                }
            });
}

QItemSelectionModel::SelectionFlags ListBox::selectionCommand(const QModelIndex& index,
                                                              const QEvent* event) const {
    const auto flags = QListWidget::selectionCommand(index, event);
    if (!index.isValid() || flags.testFlag(QItemSelectionModel::Deselect) ||
        flags.testFlag(QItemSelectionModel::Toggle)) {
        return QItemSelectionModel::NoUpdate;
    }
    return flags;
}

// An arrow key selects the next item, then Qt selects it a second time, which would take back
// an item a Click handler selected meanwhile: the second selection is left out.
void ListBox::keyPressEvent(QKeyEvent* event) {
    const bool outer = keyMoving_;
    keyMoving_ = true;
    QListWidget::keyPressEvent(event);
    keyMoving_ = outer;
}

void ListBox::setSelection(const QRect& rect, QItemSelectionModel::SelectionFlags command) {
    if (!keyMoving_) {
        QListWidget::setSelection(rect, command);
    }
}

int ListBox::ListIndex() const {
    const QModelIndexList selected = selectionModel()->selectedIndexes();
    return selected.isEmpty() ? kNone : selected.first().row();
}

void ListBox::SetListIndex(int position) {
    if (position < 0 || position >= count()) {
        selectionModel()->clear();
        return;
    }
    setCurrentRow(position, QItemSelectionModel::ClearAndSelect);
    scrollToItem(item(position));
}

}  // namespace vorn::toolkit
