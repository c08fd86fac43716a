// SPDX-License-Identifier: MIT
#include "ui/toolkit/list_box.h"

#include <QItemSelectionModel>

namespace vorn::toolkit {

void ListBox::Init() {
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true);
    // Only a change of the selection counts: a current row set without selecting (Qt does
    // that on focus) and a cleared selection raise nothing.
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

// An arrow key makes the next item current and selected in one step, then Qt selects that
// same item a second time. By then a Click handler may have selected another item; the second
// selection would take that back and raise Click again, so it is left out.
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

std::string ListBox::ItemText(int position) const {
    const QListWidgetItem* entry = item(position);
    return entry != nullptr ? FromQt(entry->text()) : std::string();
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
