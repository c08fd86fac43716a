// SPDX-License-Identifier: MIT
#include "tests/ui/fuzz/user_actions.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QtTest>

#include <cctype>
#include <cstdio>

#include "tests/support/ui_driver.h"
#include "ui/toolkit/combo_box.h"
#include "ui/toolkit/controls.h"

namespace vorn::fuzz {

namespace {

const char* const kTypos[] = {"1g", "0x1A", "zz", "", "-1", "1 A", "G", "+5", "&H1F", "12G4"};

std::string Digits(unsigned long value, bool decimal, Dice& dice) {
    char text[32];
    std::snprintf(text, sizeof text, decimal ? "%lu" : "%lX", value);
    std::string digits = text;
    if (!decimal && dice.Chance(30)) {
        for (char& c : digits) {
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
    }
    if (dice.Chance(20)) {
        digits.insert(0, static_cast<std::size_t>(1 + dice.Below(3)), '0');
    }
    return digits;
}

std::string WithBlanks(std::string text, bool inside, Dice& dice) {
    if (inside && text.size() > 1 && dice.Chance(20)) {
        text.insert(static_cast<std::size_t>(1 + dice.Below(static_cast<int>(text.size()) - 1)),
                    " ");
    }
    if (dice.Chance(15)) {
        text = " " + text;
    }
    if (dice.Chance(15)) {
        text += " ";
    }
    return text;
}

unsigned long Largest(FieldKind kind, Dice& dice) {
    switch (kind) {
        case FieldKind::DataPointer:
            return 0xFFFFFF;
        case FieldKind::EnemyPointer:
            return dice.Chance(20) ? 0xFFFFFFFFul : 0xFFFFFF;
        case FieldKind::Music:
            return dice.Chance(30) ? 0xFFFF : 0xFF;
        default:
            return dice.Chance(5) ? 0x1FF : 0xFF;
    }
}

QLineEdit* FieldOf(QWidget& control) {
    if (auto* combo = qobject_cast<QComboBox*>(&control)) {
        return combo->lineEdit();
    }
    return qobject_cast<QLineEdit*>(&control);
}

// A character typed at the end and taken back, so that the text is what it was.
std::string TypeAndTakeBack(QWidget& control, Dice& dice) {
    QLineEdit* field = FieldOf(control);
    field->setFocus();
    QTest::keyClick(field, Qt::Key_End);
    const char typed = "7aG "[dice.Below(4)];
    QTest::keyClick(field, typed);
    const bool undo = dice.Chance(50);
    QTest::keyClick(field, undo ? Qt::Key_Z : Qt::Key_Backspace,
                    undo ? Qt::ControlModifier : Qt::NoModifier);
    return std::string("types '") + typed + "' at the end and takes it back with " +
           (undo ? "Ctrl+Z" : "Backspace");
}

}  // namespace

std::string TextFor(FieldKind kind, Dice& dice) {
    if (dice.Chance(7)) {
        return kTypos[dice.Below(static_cast<int>(std::size(kTypos)))];
    }
    const unsigned long largest = Largest(kind, dice);
    auto value = std::uniform_int_distribution<unsigned long>(0, largest)(dice.Engine());
    if (kind == FieldKind::EnemyPointer && dice.Chance(10)) {
        value = 0x08000000ul + value % 0x2000000ul;  // a GBA address where an offset belongs
    }
    const bool pointer = kind == FieldKind::DataPointer || kind == FieldKind::EnemyPointer;
    return WithBlanks(Digits(value, false, dice), pointer, dice);
}

std::string RoomText(Dice& dice) {
    if (dice.Chance(10)) {
        return kTypos[dice.Below(static_cast<int>(std::size(kTypos)))];
    }
    const int room = dice.Chance(80) ? 0 + dice.Below(4) : 320 + dice.Below(15);
    return WithBlanks(Digits(static_cast<unsigned long>(room), true, dice), false, dice);
}

std::string ActOnList(toolkit::ComboBox& list, FieldKind kind, QWidget& elsewhere, Dice& dice) {
    const std::string name = test::NameOf(list);
    switch (dice.Below(7)) {
        case 0:
        case 1: {
            const std::string text = TextFor(kind, dice);
            test::TypeInto(list, text);
            return "types \"" + text + "\" into " + name;
        }
        case 2: {
            const int item = dice.Below(list.count());
            test::PickWithMouse(list, item);
            return "picks item " + std::to_string(item) + " of " + name;
        }
        case 3:
            dice.Chance(50) ? test::PressDown(list) : test::PressUp(list);
            return "steps " + name + " with an arrow key";
        case 4: {
            const bool focused = dice.Chance(50);
            focused ? list.setFocus() : elsewhere.setFocus();
            test::TurnWheel(list, dice.Chance(50) ? 1 : -1);
            return std::string("turns the wheel over ") + name +
                   (focused ? ", which has the focus" : ", which has not the focus");
        }
        default:
            return TypeAndTakeBack(list, dice) + " in " + name;
    }
}

std::string ActOnBox(toolkit::TextBox& box, FieldKind kind, Dice& dice) {
    if (dice.Chance(30)) {
        return TypeAndTakeBack(box, dice) + " in " + test::NameOf(box);
    }
    const std::string text = TextFor(kind, dice);
    test::TypeInto(box, text);
    return "types \"" + text + "\" into " + test::NameOf(box);
}

std::string PressButton(toolkit::Button& button, Dice& dice) {
    if (dice.Chance(70) || !button.isEnabled()) {
        test::Click(button);
        return "clicks " + test::NameOf(button);
    }
    button.setFocus();
    const bool enter = dice.Chance(30);
    QTest::keyClick(&button, enter ? Qt::Key_Enter : Qt::Key_Return,
                    enter ? Qt::KeypadModifier : Qt::NoModifier);
    return std::string("presses ") + (enter ? "Enter" : "Return") + " on " + test::NameOf(button);
}

std::string AltKeyIn(QWidget& field, Dice& dice) {
    QLineEdit* edit = FieldOf(field);
    edit->setFocus();
    const char key = "fhoae5"[dice.Below(6)];
    const bool meta = dice.Chance(20);
    QTest::keyClick(edit, key, meta ? Qt::MetaModifier : Qt::AltModifier);
    if (QWidget* menu = QApplication::activePopupWidget()) {
        menu->close();
    }
    return std::string(meta ? "Meta+" : "Alt+") + key + " in " + test::NameOf(field);
}

std::string PasteInto(QWidget& field, Dice& dice, Pasted& pasted) {
    QLineEdit* edit = FieldOf(field);
    edit->setFocus();
    if (dice.Chance(50)) {
        edit->selectAll();
    } else {
        edit->end(false);
    }
    pasted.before = edit->text().toStdString();
    pasted.selected = static_cast<std::size_t>(edit->selectedText().size());
    pasted.text = dice.Chance(30) ? "08" : "";
    const int digits = 1 + dice.Below(9);
    for (int i = 0; i < digits; ++i) {
        pasted.text += "0123456789ABCDEFabcdef"[dice.Below(22)];
    }
    // Copied from a terminal, an editor or a table: blanks and line ends around the digits.
    const char* const kAround[] = {"", "", " ", "\t", "\n", "\r\n", " \n"};
    pasted.text = kAround[dice.Below(7)] + pasted.text + kAround[dice.Below(7)];
    QGuiApplication::clipboard()->setText(QString::fromStdString(pasted.text));
    const bool insert = dice.Chance(30);
    QTest::keySequence(edit, insert ? QKeySequence(Qt::SHIFT | Qt::Key_Insert)
                                    : QKeySequence(QKeySequence::Paste));
    return "pastes \"" + pasted.text + "\" into " + test::NameOf(field) +
           (pasted.selected > 0 ? " over its text" : " after its text");
}

std::string FieldText(QWidget& field) {
    return FieldOf(field)->text().toStdString();
}

}  // namespace vorn::fuzz
