// SPDX-License-Identifier: MIT
#include "ui/toolkit/combo_box.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMetaMethod>
#include <QSignalBlocker>

#include "rom/hex.h"
#include "ui/toolkit/text_field_guard.h"

namespace vorn::toolkit {

std::optional<std::uint32_t> ReadNumber(std::string_view text, ComboBox::Numbering numbering) {
    return ParseTypedNumber(text, numbering == ComboBox::Numbering::Hexadecimal ? 16 : 10);
}

void ComboBox::Init() {
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setCompleter(nullptr);  // it would rewrite the text while the user types
    setMaxVisibleItems(16);
    installEventFilter(GuardTextField(lineEdit(), nullptr));
    lineEdit()->installEventFilter(this);
    installEventFilter(this);
    // The wheel does not give the field the focus either.
    setFocusPolicy(Qt::StrongFocus);

    // Leaving the field would otherwise select the item whose text it shows and report it as
    // picked, even for a value shown as unlisted.
    disconnect(lineEdit(), QMetaMethod::fromSignal(&QLineEdit::editingFinished), this,
               QMetaMethod());
    connect(lineEdit(), &QLineEdit::textEdited, this,
            [this](const QString& text) { OnTyped(text); });
    connect(this, &QComboBox::activated, this, [this](int position) { OnPicked(position); });
}

// What the drop-down does with the events that Qt's own defaults get wrong for it:
// - Return and Enter in the text field are swallowed: the typed text stays as typed and no
//   item is added or selected behind the user's back;
// - the wheel picks only in a field that has the keyboard focus: a turn meant for something
//   else, while the pointer merely passes over the field, must not change its value;
// - just before the user picks (arrow keys, the wheel, the list opened), the widget's own
//   current item comes in line with the typed text, which typing leaves alone so that Ctrl+Z
//   can still take a typed character back.
bool ComboBox::eventFilter(QObject* watched, QEvent* event) {
    const auto type = event->type();
    if (type == QEvent::KeyPress || type == QEvent::ShortcutOverride) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            event->accept();
            return true;
        }
        const bool picks = key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp ||
                           key == Qt::Key_PageDown || key == Qt::Key_F4;
        if (picks && type == QEvent::KeyPress) {
            FollowSelection(listIndex_);
        }
    } else if (type == QEvent::Wheel && !hasFocus() && !lineEdit()->hasFocus()) {
        event->ignore();
        return true;
    } else if (type == QEvent::Wheel || type == QEvent::MouseButtonPress) {
        FollowSelection(listIndex_);
    }
    return QComboBox::eventFilter(watched, event);
}

void ComboBox::AppendNumbers(int values) {
    QStringList items;
    for (int value = 0; value < values; ++value) {
        items.append(numbering_ == Numbering::Hexadecimal ? ToQt(FormatHex(value))
                                                          : QString::number(value));
    }
    const QSignalBlocker quiet(this);
    // Adding the first item makes it current in the widget and shows its text; the selection
    // stays ours, and so does the text shown before.
    const QString shown = lineEdit()->text();
    addItems(items);
    if (listIndex_ == kNone) {
        setCurrentIndex(-1);
        setEditText(shown);
    }
}

int ComboBox::ListCount() const {
    return count();
}

std::string ComboBox::ItemText(int position) const {
    return FromQt(itemText(position));
}

void ComboBox::SetListIndex(int position) {
    listIndex_ = (position >= 0 && position < count()) ? position : kNone;
    setCurrentIndex(listIndex_);  // shows the item's text, or clears it
    lineEdit()->setCursorPosition(0);
}

void ComboBox::ShowUnlisted(const std::string& text) {
    listIndex_ = kNone;
    setCurrentIndex(-1);
    setEditText(ToQt(text));
    lineEdit()->setCursorPosition(0);
}

std::string ComboBox::Text() const {
    return FromQt(currentText());
}

std::optional<std::uint32_t> ComboBox::NamedValue() const {
    return ReadNumber(Text(), numbering_);
}

void ComboBox::OnTyped(const QString& text) {
    const std::optional<std::uint32_t> wanted = ReadNumber(FromQt(text), numbering_);
    listIndex_ = kNone;
    for (int i = 0; wanted && i < count(); ++i) {
        if (ReadNumber(FromQt(itemText(i)), numbering_) == wanted) {
            listIndex_ = i;
            break;
        }
    }
    Raise(Change);
}

void ComboBox::OnPicked(int position) {
    listIndex_ = position;
    setEditText(itemText(position));
    Raise(Picked);
}

void ComboBox::FollowSelection(int position) {
    if (currentIndex() == position) {
        return;
    }
    QLineEdit* edit = lineEdit();
    const QString typed = edit->text();
    const int cursor = edit->cursorPosition();
    {
        const QSignalBlocker quiet(this);
        setCurrentIndex(position);
    }
    if (edit->text() != typed) {
        edit->setText(typed);
    }
    edit->setCursorPosition(cursor);
}

}  // namespace vorn::toolkit
