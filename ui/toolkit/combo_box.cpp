// SPDX-License-Identifier: MIT
#include "ui/toolkit/combo_box.h"

#include <QComboBox>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMetaMethod>
#include <QSignalBlocker>
#include <QWheelEvent>

#include <algorithm>
#include <functional>

#include "rom/hex.h"
#include "ui/toolkit/text_field_guard.h"

namespace vorn::toolkit {

namespace {

// What the drop-down does with the events that Qt's own defaults get wrong for it:
// - Return and Enter in the text field are swallowed: the typed text stays as typed and no
//   item is added or selected behind the user's back;
// - the wheel picks only in a field that has the keyboard focus: a turn meant for something
//   else, while the pointer merely passes over the field, must not change its value;
// - just before the user picks (arrow keys, the wheel, the list opened), `beforePick` brings
//   the widget's own current item in line with the typed text, which typing leaves alone so
//   that Ctrl+Z can still take a typed character back.
class ComboEvents : public QObject {
  public:
    ComboEvents(QComboBox* combo, std::function<void()> beforePick)
        : QObject(combo), combo_(combo), beforePick_(std::move(beforePick)) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
            case QEvent::KeyPress:
            case QEvent::ShortcutOverride:
                return OnKey(static_cast<QKeyEvent*>(event), event->type() == QEvent::KeyPress);
            case QEvent::Wheel:
                if (!combo_->hasFocus() && !combo_->lineEdit()->hasFocus()) {
                    event->ignore();
                    return true;
                }
                beforePick_();
                break;
            case QEvent::MouseButtonPress:
                beforePick_();
                break;
            default:
                break;
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    bool OnKey(QKeyEvent* key, bool pressed) {
        switch (key->key()) {
            case Qt::Key_Return:
            case Qt::Key_Enter:
                key->accept();
                return true;
            case Qt::Key_Up:
            case Qt::Key_Down:
            case Qt::Key_PageUp:
            case Qt::Key_PageDown:
            case Qt::Key_F4:
                if (pressed) {
                    beforePick_();
                }
                return false;
            default:
                return false;
        }
    }

    QComboBox* combo_;
    std::function<void()> beforePick_;
};

}  // namespace

std::optional<std::uint32_t> ReadNumber(std::string_view text, ComboBox::Numbering numbering) {
    return ParseTypedNumber(text, numbering == ComboBox::Numbering::Hexadecimal ? 16 : 10);
}

ComboBox::ComboBox(Container& parent, std::string name, Rect rect, Numbering numbering)
    : Control(parent, std::move(name), rect, new QComboBox),
      combo_(static_cast<QComboBox*>(Widget())),
      numbering_(numbering) {
    combo_->setEditable(true);
    combo_->setInsertPolicy(QComboBox::NoInsert);
    combo_->setCompleter(nullptr);  // it would rewrite the text while the user types
    combo_->setMaxVisibleItems(16);
    auto* events = new ComboEvents(combo_, [this] { FollowSelection(listIndex_); });
    combo_->installEventFilter(GuardTextField(combo_->lineEdit(), nullptr));
    combo_->lineEdit()->installEventFilter(events);
    combo_->installEventFilter(events);
    // The wheel does not give the field the focus either.
    combo_->setFocusPolicy(Qt::StrongFocus);

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
    if (listIndex_ == kNone) {
        combo_->setCurrentIndex(-1);
        combo_->setEditText(shown);
    }
}

void ComboBox::AppendNumbers(int count) {
    std::vector<std::string> texts;
    texts.reserve(static_cast<std::size_t>(std::max(count, 0)));
    for (int value = 0; value < count; ++value) {
        texts.push_back(numbering_ == Numbering::Hexadecimal ? FormatHex(value)
                                                             : std::to_string(value));
    }
    AppendItems(texts);
}

int ComboBox::ListCount() const {
    return combo_->count();
}

std::string ComboBox::ItemText(int position) const {
    return combo_->itemText(position).toStdString();
}

void ComboBox::SetListIndex(int position) {
    listIndex_ = (position >= 0 && position < combo_->count()) ? position : kNone;
    combo_->setCurrentIndex(listIndex_);  // shows the item's text, or clears it
    combo_->lineEdit()->setCursorPosition(0);
}

void ComboBox::ShowUnlisted(const std::string& text) {
    listIndex_ = kNone;
    combo_->setCurrentIndex(-1);
    combo_->setEditText(QString::fromStdString(text));
    combo_->lineEdit()->setCursorPosition(0);
}

std::string ComboBox::Text() const {
    return combo_->currentText().toStdString();
}

std::optional<std::uint32_t> ComboBox::NamedValue() const {
    return ReadNumber(Text(), numbering_);
}

void ComboBox::OnTyped(const QString& text) {
    const std::optional<std::uint32_t> wanted = ReadNumber(text.toStdString(), numbering_);
    listIndex_ = kNone;
    for (int i = 0; wanted && i < combo_->count(); ++i) {
        if (ReadNumber(combo_->itemText(i).toStdString(), numbering_) == wanted) {
            listIndex_ = i;
            break;
        }
    }
    Raise(Change);
}

void ComboBox::OnPicked(int position) {
    listIndex_ = position;
    combo_->setEditText(combo_->itemText(position));
    Raise(Picked);
}

void ComboBox::FollowSelection(int position) {
    if (combo_->currentIndex() == position) {
        return;
    }
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
