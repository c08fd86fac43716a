// SPDX-License-Identifier: MIT
// The editable drop-down: the selected position is the control's own state, typing raises
// Change and selects the item the text names, picking raises Picked, code raises nothing.

#include <QComboBox>
#include <QLineEdit>
#include <QtTest>

#include <memory>

#include "tests/support/ui_driver.h"
#include "tests/ui/toolkit/on_screen.h"
#include "ui/toolkit/combo_box.h"
#include "ui/toolkit/controls.h"
#include "ui/toolkit/window.h"

namespace vorn::test {

namespace {

constexpr int kValues = 256;

// A drop-down as the windows use it, and a text box to move the focus to.
class ComboWindow : public toolkit::Window {
  public:
    ComboWindow()
        : Window("Combo", 160, 80),
          combo(*this, "combo", {8, 8, 60, 21}),
          after(*this, "after", {8, 40, 60, 19}, "") {
        combo.Change = [this] { Record("Change"); };
        combo.Picked = [this] { Record("Picked"); };
        SetTabOrder({&combo, &after});
    }

    toolkit::ComboBox combo;
    toolkit::TextBox after;
    // Events in order; a run of the same event counts once (one per keystroke otherwise).
    QStringList events;

  private:
    void Record(const QString& event) {
        if (events.isEmpty() || events.last() != event) {
            events.append(event);
        }
    }
};

void PressInField(ComboWindow& window, Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
    auto* widget = &window.combo;
    widget->setFocus();
    QWidget* target = QApplication::focusWidget();
    QTest::keyClick(target != nullptr ? target : widget->lineEdit(), key, modifiers);
}

// One step of a row: "fill", "type TEXT", "append TEXT", "undo", "set HEX", "unlisted TEXT",
// "mouse HEX", "down", "up", "return", "enter", "tab".
void Run(ComboWindow& window, const QString& step) {
    const QString verb = step.section(' ', 0, 0);
    const QString rest = step.mid(verb.size() + 1);
    toolkit::ComboBox& combo = window.combo;
    if (verb == "fill") {
        combo.AppendNumbers(kValues);
    } else if (verb == "type") {
        TypeInto(combo, rest.toStdString());
    } else if (verb == "append") {
        PressInField(window, Qt::Key_End);
        QTest::keyClicks(QApplication::focusWidget(), rest);
    } else if (verb == "undo") {
        PressInField(window, Qt::Key_Z, Qt::ControlModifier);
    } else if (verb == "set") {
        combo.SetListIndex(rest.toInt(nullptr, 16));
    } else if (verb == "unlisted") {
        combo.ShowUnlisted(rest.toStdString());
    } else if (verb == "mouse") {
        PickWithMouse(combo, rest.toInt(nullptr, 16));
    } else if (verb == "down") {
        PressDown(combo);
    } else if (verb == "up") {
        PressUp(combo);
    } else if (verb == "return") {
        PressInField(window, Qt::Key_Return);
    } else if (verb == "enter") {
        PressInField(window, Qt::Key_Enter, Qt::KeypadModifier);
    } else if (verb == "wheel") {
        // A notch down, with the pointer over the field; "wheel focused" gives it the focus.
        if (rest == "focused") {
            window.combo.setFocus();
        } else {
            window.after.setFocus();
        }
        TurnWheel(window.combo, -1);
    } else if (verb == "tab") {
        PressInField(window, Qt::Key_Tab);
        QVERIFY(window.after.hasFocus());
    } else {
        QFAIL(qPrintable("unknown step " + step));
    }
}

}  // namespace

class ComboBoxTest : public QObject {
    Q_OBJECT

  private:
    // "setup>action", each a list of steps separated by ";". Every row starts from a list of
    // the items 0 to FF.
    static void Columns() {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("text");
    }

    // Runs the setup, forgets its events, runs the action and checks what it left.
    static void Check(const QStringList& events) {
        QFETCH(QString, steps);
        QFETCH(int, index);
        QFETCH(QString, text);
        ComboWindow window;
        QVERIFY(ShowActive(window));
        for (const QString& step :
             ("fill;" + steps.section('>', 0, 0)).split(';', Qt::SkipEmptyParts)) {
            Run(window, step);
        }
        window.events.clear();
        for (const QString& step : steps.section('>', 1).split(';')) {
            Run(window, step);
        }
        QCOMPARE(window.combo.ListIndex(), index);
        QCOMPARE(QString::fromStdString(window.combo.Text()), text);
        QCOMPARE(window.events, events);
        QCOMPARE(window.combo.count(), kValues);
    }

  private slots:
    void typing_data() {
        Columns();
        QTest::newRow("lower case names the item") << ">type 1f" << 0x1F << "1f";
        QTest::newRow("blanks around are ignored") << ">type  1F " << 0x1F << " 1F ";
        QTest::newRow("zero") << ">type 0" << 0 << "0";
        QTest::newRow("prefix of longer items is not completed") << ">type 1" << 1 << "1";
        QTest::newRow("leading zero") << ">type 01" << 1 << "01";
        QTest::newRow("leading zero before a letter") << ">type 0A" << 0x0A << "0A";
        QTest::newRow("leading zeros and blanks") << ">type  00a " << 0x0A << " 00a ";
        QTest::newRow("no such item") << "set 5>type zz" << -1 << "zz";
        QTest::newRow("a prefix") << "set 5>type 0x1A" << -1 << "0x1A";
        QTest::newRow("a digit then a typo") << "set 5>type 1g" << -1 << "1g";
        QTest::newRow("a blank between the digits") << "set 5>type 1 A" << -1 << "1 A";
        QTest::newRow("a sign") << "set 5>type +1" << -1 << "+1";
        QTest::newRow("longer than any item") << ">type 100" << -1 << "100";
        QTest::newRow("more than 32 bits") << ">type 100000000" << -1 << "100000000";
        QTest::newRow("cleared field") << "set 5>type " << -1 << "";
        QTest::newRow("a character typed and taken back with Ctrl+Z")
            << "unlisted 1a>append g;undo" << 0x1A << "1a";
    }
    void typing() { Check({"Change"}); }

    void picking_data() {
        Columns();
        QTest::newRow("mouse picks") << ">mouse 5" << 5 << "5";
        QTest::newRow("mouse picks over typed text") << "type zz>mouse 3" << 3 << "3";
        QTest::newRow("mouse picks the selected item again") << "set 3>mouse 3" << 3 << "3";
        QTest::newRow("down from no selection") << ">down" << 0 << "0";
        QTest::newRow("down steps on") << "set 4>down" << 5 << "5";
        QTest::newRow("up steps back") << "set 4>up" << 3 << "3";
        QTest::newRow("down goes on from the typed item") << "type 1f>down" << 0x20 << "20";
        QTest::newRow("the wheel in the focused field") << "set 4>wheel focused" << 5 << "5";
    }
    void picking() { Check({"Picked"}); }

    void fromCode_data() {
        Columns();
        QTest::newRow("item 0 shows 0") << ">set 0" << 0 << "0";
        QTest::newRow("none clears the text") << "set 5>set -1" << -1 << "";
        QTest::newRow("none clears typed text") << "type zz>set -1" << -1 << "";
        QTest::newRow("none clears an unlisted value") << "unlisted 100>set -1" << -1 << "";
        QTest::newRow("past the end selects none") << "set 5>set 100" << -1 << "";
        QTest::newRow("typed item shown in its own case") << "type 1f>set 1F" << 0x1F << "1F";
        QTest::newRow("unlisted value shows its text") << "set 5>unlisted 100" << -1 << "100";
        QTest::newRow("unlisted text naming an item") << "set 5>unlisted 7" << -1 << "7";
    }
    void fromCode() { Check({}); }

    // A wheel turn over a field that does not have the focus is not a choice.
    void unfocusedWheel_data() {
        Columns();
        QTest::newRow("selected item") << "set 4>wheel" << 4 << "4";
        QTest::newRow("typed text") << "type zz>wheel" << -1 << "zz";
        QTest::newRow("unlisted value") << "unlisted 150>wheel" << -1 << "150";
    }
    void unfocusedWheel() {
        Check({});
        ComboWindow window;
        QVERIFY(ShowActive(window));
        Run(window, "wheel");
        QVERIFY(window.after.hasFocus());
    }

    // Return and leaving the field are not a choice: nothing is added, selected or rewritten.
    void leavingTheField_data() {
        Columns();
        QTest::newRow("return after a lower case item") << "type 1f>return" << 0x1F << "1f";
        QTest::newRow("return after unlisted text") << "type zz>return" << -1 << "zz";
        QTest::newRow("keypad enter after unlisted text") << "type zz>enter" << -1 << "zz";
        QTest::newRow("return on a selected item") << "set 3>return" << 3 << "3";
        QTest::newRow("return on an unlisted value naming an item")
            << "unlisted 7>return" << -1 << "7";
        QTest::newRow("return then tab") << "type 1f>return;tab" << 0x1F << "1f";
        QTest::newRow("tab after unlisted text") << "type zz>tab" << -1 << "zz";
        QTest::newRow("tab from an unlisted value naming an item") << "unlisted 7>tab" << -1 << "7";
    }
    void leavingTheField() { Check({}); }

    // Filling appends at the end, and neither selects nor shows anything.
    void filling_data() {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("changed");
        QTest::addColumn<QString>("item");
        QTest::newRow("fresh list shows nothing") << "fill" << -1 << "" << kValues << 0x1F << "1F";
        QTest::newRow("unlisted value stays")
            << "unlisted 100;fill" << -1 << "100" << kValues << 0 << "0";
        QTest::newRow("appending keeps the selection")
            << "fill;set 5;fill" << 5 << "5" << 2 * kValues << kValues << "0";
    }
    void filling() {
        QFETCH(QString, steps);
        QFETCH(int, index);
        QFETCH(QString, text);
        QFETCH(int, count);
        QFETCH(int, changed);
        QFETCH(QString, item);
        ComboWindow window;
        QVERIFY(ShowActive(window));
        for (const QString& step : steps.split(';')) {
            Run(window, step);
        }
        QCOMPARE(window.combo.count(), count);
        QCOMPARE(window.combo.itemText(changed), item);
        QCOMPARE(window.combo.ListIndex(), index);
        QCOMPARE(QString::fromStdString(window.combo.Text()), text);
        QVERIFY(window.events.isEmpty());
    }
};

}  // namespace vorn::test

QTEST_MAIN(vorn::test::ComboBoxTest)
#include "combo_box_test.moc"
