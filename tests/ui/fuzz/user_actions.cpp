// SPDX-License-Identifier: MIT
#include "tests/ui/fuzz/user_actions.h"

#include <QComboBox>
#include <QLineEdit>
#include <QtTest>

#include <cctype>
#include <cstdio>

#include "tests/support/ui_driver.h"
#include "ui/toolkit/combo_box.h"
#include "ui/toolkit/text_box.h"

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

QLineEdit* FieldOf(toolkit::Control& control) {
    if (auto* combo = qobject_cast<QComboBox*>(control.Widget())) {
        return combo->lineEdit();
    }
    return qobject_cast<QLineEdit*>(control.Widget());
}

// A character typed at the end and taken back, so that the text is what it was.
std::string TypeAndTakeBack(toolkit::Control& control, Dice& dice) {
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
    const auto value = std::uniform_int_distribution<unsigned long>(0, largest)(dice.Engine());
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

std::string ActOnList(toolkit::ComboBox& list, FieldKind kind, toolkit::Control& elsewhere,
                      Dice& dice) {
    const std::string name = list.Name();
    switch (dice.Below(7)) {
        case 0:
        case 1: {
            const std::string text = TextFor(kind, dice);
            test::TypeInto(list, text);
            return "types \"" + text + "\" into " + name;
        }
        case 2: {
            const int item = dice.Below(list.ListCount());
            test::PickWithMouse(list, item);
            return "picks item " + std::to_string(item) + " of " + name;
        }
        case 3:
            dice.Chance(50) ? test::PressDown(list) : test::PressUp(list);
            return "steps " + name + " with an arrow key";
        case 4: {
            const bool focused = dice.Chance(50);
            focused ? list.SetFocus() : elsewhere.SetFocus();
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
        return TypeAndTakeBack(box, dice) + " in " + box.Name();
    }
    const std::string text = TextFor(kind, dice);
    test::TypeInto(box, text);
    return "types \"" + text + "\" into " + box.Name();
}

}  // namespace vorn::fuzz
