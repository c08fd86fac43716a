// SPDX-License-Identifier: MIT
#include "ui/toolkit/combo_box.h"

#include <QComboBox>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMetaMethod>
#include <QSignalBlocker>

namespace vorn::toolkit {

namespace {

// Swallows Return and Enter in the text field: the typed text stays as typed and no item is
// added or selected behind the user's back.
class ReturnSwallower : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                event->accept();
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }
};

}  // namespace

ComboBox::ComboBox(Container& parent, std::string name, Rect rect)
    : Control(parent, std::move(name), rect, new QComboBox),
      combo_(static_cast<QComboBox*>(Widget())) {
    combo_->setEditable(true);
    combo_->setInsertPolicy(QComboBox::NoInsert);
    combo_->setCompleter(nullptr);  // it would rewrite the text while the user types
    combo_->setMaxVisibleItems(16);
    auto* swallower = new ReturnSwallower(combo_);
    combo_->lineEdit()->installEventFilter(swallower);
    combo_->installEventFilter(swallower);

    // Leaving the field would otherwise select the item whose text it shows and report it as
    // picked, even for a value shown as unlisted.
    QObject::disconnect(combo_->lineEdit(), QMetaMethod::fromSignal(&QLineEdit::editingFinished),
                        combo_, QMetaMethod());

    Keep(QObject::connect(combo_->lineEdit(), &QLineEdit::textEdited,
                          [this](const QString& text) { OnTyped(text); }));
    Keep(QObject::connect(combo_, qOverload<int>(&QComboBox::activated),
                          [this](int position) { OnPicked(position); }));
}

void ComboBox::SetItem(int position, const std::string& text) {
    if (position == combo_->count()) {
        AppendItems({text});
    } else {
        combo_->setItemText(position, QString::fromStdString(text));
    }
}

void ComboBox::AppendItems(const std::vector<std::string>& texts) {
    QStringList items;
    items.reserve(static_cast<qsizetype>(texts.size()));
    for (const std::string& text : texts) {
        items.append(QString::fromStdString(text));
    }
    const QSignalBlocker quiet(combo_);
    // Adding the first item makes it current in the widget and shows its text; the selection
    // stays ours, and so does the text shown before.
    const QString shown = combo_->lineEdit()->text();
    combo_->addItems(items);
    if (listIndex_ == None) {
        combo_->setCurrentIndex(-1);
        combo_->setEditText(shown);
    }
}

int ComboBox::ListCount() const {
    return combo_->count();
}

std::string ComboBox::ItemText(int position) const {
    return combo_->itemText(position).toStdString();
}

void ComboBox::SetListIndex(int position) {
    listIndex_ = (position >= 0 && position < combo_->count()) ? position : None;
    combo_->setCurrentIndex(listIndex_);  // shows the item's text, or clears it
    combo_->lineEdit()->setCursorPosition(0);
}

void ComboBox::ShowUnlisted(const std::string& text) {
    listIndex_ = None;
    combo_->setCurrentIndex(-1);
    combo_->setEditText(QString::fromStdString(text));
    combo_->lineEdit()->setCursorPosition(0);
}

std::string ComboBox::Text() const {
    return combo_->currentText().toStdString();
}

void ComboBox::OnTyped(const QString& text) {
    const QString wanted = text.trimmed();
    listIndex_ = None;
    for (int i = 0; i < combo_->count(); ++i) {
        if (combo_->itemText(i).compare(wanted, Qt::CaseInsensitive) == 0) {
            listIndex_ = i;
            break;
        }
    }
    FollowSelection(listIndex_);
    Raise(Change);
}

void ComboBox::OnPicked(int position) {
    listIndex_ = position;
    combo_->setEditText(combo_->itemText(position));
    Raise(Picked);
}

void ComboBox::FollowSelection(int position) {
    QLineEdit* edit = combo_->lineEdit();
    const QString typed = edit->text();
    const int cursor = edit->cursorPosition();
    {
        const QSignalBlocker quiet(combo_);
        combo_->setCurrentIndex(position);
    }
    if (edit->text() != typed) {
        edit->setText(typed);
    }
    edit->setCursorPosition(cursor);
}

}  // namespace vorn::toolkit
