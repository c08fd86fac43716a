// SPDX-License-Identifier: MIT
#include "ui/toolkit/combo_box.h"

#include <QAccessibleWidget>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMetaMethod>
#include <QSignalBlocker>

#include "rom/hex.h"

namespace vorn::toolkit {

namespace {

// Qt names a drop-down on Linux by its value; screen readers hear it by its caption here.
class DropDownAccessibility : public QAccessibleWidget {
  public:
    explicit DropDownAccessibility(QComboBox* box)
        : QAccessibleWidget(box, QAccessible::ComboBox) {}
    QString text(QAccessible::Text kind) const override {
        return kind == QAccessible::Value ? static_cast<QComboBox*>(widget())->currentText()
                                          : QAccessibleWidget::text(kind);
    }
};

QAccessibleInterface* Accessibility(const QString&, QObject* object) {
    auto* box = dynamic_cast<ComboBox*>(object);
    return box != nullptr ? new DropDownAccessibility(box) : nullptr;
}

}  // namespace

void ComboBox::Init() {
    QAccessible::installFactory(Accessibility);  // Qt keeps each factory once
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setCompleter(nullptr);  // it would rewrite the text while the user types
    setMaxVisibleItems(16);
    setFocusPolicy(Qt::StrongFocus);  // the wheel gives no focus either
    installEventFilter(GuardTextField(lineEdit(), nullptr));
    lineEdit()->installEventFilter(this);
    installEventFilter(this);
    // Leaving the field would select the item whose text it shows and report it as picked,
    // even for a value shown as unlisted.
    disconnect(lineEdit(), QMetaMethod::fromSignal(&QLineEdit::editingFinished), this,
               QMetaMethod());
    connect(lineEdit(), &QLineEdit::textEdited, this, [this](const QString& t) { OnTyped(t); });
    connect(this, &QComboBox::activated, this, [this](int position) {
        listIndex_ = position;
        setEditText(itemText(position));
        Raise(Picked);
    });
}

// Where Qt's defaults get a drop-down wrong: Return would add or select an item behind the
// user's back; the wheel would change a value the pointer merely passes over; and before the
// user picks, the widget's current item must come in line with the typed text, which typing
// leaves alone so that Ctrl+Z can still take a typed character back.
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
        items.append(base_ == 16 ? ToQt(FormatHex(value)) : QString::number(value));
    }
    // The first item added would become current and replace the text shown.
    const QSignalBlocker quiet(this);
    const QString shown = lineEdit()->text();
    addItems(items);
    if (listIndex_ == kNone) {
        setCurrentIndex(-1);
        setEditText(shown);
    }
}

void ComboBox::SetListIndex(int position) {
    listIndex_ = (position >= 0 && position < count()) ? position : kNone;
    setCurrentIndex(listIndex_);
    lineEdit()->setCursorPosition(0);
}

void ComboBox::ShowUnlisted(const std::string& text) {
    listIndex_ = kNone;
    setCurrentIndex(-1);
    setEditText(ToQt(text));
    lineEdit()->setCursorPosition(0);
}

std::optional<std::uint32_t> ComboBox::NamedValue() const {
    return ParseTypedNumber(Text(), base_);
}

void ComboBox::OnTyped(const QString& text) {
    const std::optional<std::uint32_t> wanted = ParseTypedNumber(FromQt(text), base_);
    listIndex_ = kNone;
    for (int i = 0; wanted && i < count(); ++i) {
        if (ParseTypedNumber(FromQt(itemText(i)), base_) == wanted) {
            listIndex_ = i;
            break;
        }
    }
    Raise(Change);
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
