// SPDX-License-Identifier: MIT
#include "ui/toolkit/list_box.h"

#include <QItemSelectionModel>
#include <QListWidget>

namespace vorn::toolkit {

namespace {

// A list widget on which the user cannot clear the selection, neither by Ctrl+clicking the
// selected item nor by clicking below the items: the windows always expect the item they
// selected to stay selected.
class SingleSelectionList : public QListWidget {
  public:
    SingleSelectionList() {
        setSelectionMode(QAbstractItemView::SingleSelection);
        setSortingEnabled(false);
        setUniformItemSizes(true);
    }

  protected:
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event) const override {
        const auto flags = QListWidget::selectionCommand(index, event);
        if (!index.isValid() || flags.testFlag(QItemSelectionModel::Deselect) ||
            flags.testFlag(QItemSelectionModel::Toggle)) {
            return QItemSelectionModel::NoUpdate;
        }
        return flags;
    }

    // An arrow key makes the next item current and selected in one step, then Qt selects that
    // same item a second time. By then a Click handler may have selected another item; the
    // second selection would take that back and raise Click again, so it is left out.
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

}  // namespace

ListBox::ListBox(Container& parent, std::string name, Rect rect)
    : Control(parent, std::move(name), rect, new SingleSelectionList),
      list_(static_cast<QListWidget*>(Widget())) {
    // Only a change of the selection counts: a current row set without selecting (Qt does
    // that on focus) and a cleared selection raise nothing.
    Keep(QObject::connect(list_->selectionModel(), &QItemSelectionModel::selectionChanged,
                          [this](const QItemSelection& selected, const QItemSelection&) {
                              if (!selected.isEmpty()) {
                                  Raise(Click);
                              }
                          }));
}

void ListBox::AddItem(const std::string& text) {
    list_->addItem(QString::fromStdString(text));
}

int ListBox::ListCount() const {
    return list_->count();
}

std::string ListBox::ItemText(int position) const {
    const QListWidgetItem* item = list_->item(position);
    return item != nullptr ? item->text().toStdString() : std::string();
}

int ListBox::ListIndex() const {
    const QModelIndexList selected = list_->selectionModel()->selectedIndexes();
    return selected.isEmpty() ? kNone : selected.first().row();
}

void ListBox::SetListIndex(int position) {
    if (position < 0 || position >= list_->count()) {
        list_->selectionModel()->clear();
        return;
    }
    list_->setCurrentRow(position, QItemSelectionModel::ClearAndSelect);
    list_->scrollToItem(list_->item(position));
}

}  // namespace vorn::toolkit
