// SPDX-License-Identifier: MIT
// The list box: Click whenever an item becomes selected (by the user or from code, also
// re-entrantly), never for the row Qt makes current by itself, never for clearing.

#include <QListWidget>
#include <QtTest>

#include "tests/support/ui_driver.h"
#include "tests/ui/toolkit/on_screen.h"
#include "ui/toolkit/controls.h"
#include "ui/toolkit/list_box.h"
#include "ui/toolkit/window.h"

namespace vorn::test {

namespace {

constexpr int kItems = 6;

class ListWindow : public toolkit::Window {
  public:
    explicit ListWindow(bool listFirst = false)
        : Window("List", 200, 220),
          list(*this, "list", {8, 8, 90, 200}),
          button(*this, "button", {110, 8, 60, 25}, "Other") {
        for (int i = 0; i < kItems; ++i) {
            list.AddItem("Item " + std::to_string(i));
        }
        list.Click = [this] { events.append(QString("Click %1").arg(list.ListIndex())); };
        if (listFirst) {
            SetTabOrder({&list, &button});
        } else {
            SetTabOrder({&button, &list});
        }
    }

    toolkit::ListBox list;
    toolkit::Button button;
    QStringList events;
};

// One step: "click N", "ctrlclick N", "clickbelow", "down", "up", "set N", "focus", "tab".
void Run(ListWindow& window, const QString& step) {
    auto* widget = &window.list;
    const QString verb = step.section(' ', 0, 0);
    const int number = step.section(' ', 1, 1).toInt();
    if (verb == "click") {
        ClickItem(window.list, number);
    } else if (verb == "ctrlclick") {
        QTest::mouseClick(widget->viewport(), Qt::LeftButton, Qt::ControlModifier,
                          widget->visualItemRect(widget->item(number)).center());
    } else if (verb == "clickbelow") {
        const QRect last = widget->visualItemRect(widget->item(kItems - 1));
        QVERIFY(last.bottom() + 10 < widget->viewport()->height());
        QTest::mouseClick(widget->viewport(), Qt::LeftButton, Qt::NoModifier,
                          QPoint(last.center().x(), last.bottom() + 8));
    } else if (verb == "down") {
        PressKey(window.list, Qt::Key_Down);
    } else if (verb == "up") {
        PressKey(window.list, Qt::Key_Up);
    } else if (verb == "set") {
        window.list.SetListIndex(number);
    } else if (verb == "focus") {
        window.list.setFocus();
        QVERIFY(window.list.hasFocus());
    } else if (verb == "tab") {
        QVERIFY(window.button.hasFocus());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QVERIFY(window.list.hasFocus());
    } else {
        QFAIL(qPrintable("unknown step " + step));
    }
}

}  // namespace

class ListBoxTest : public QObject {
    Q_OBJECT

  private slots:
    // "setup>action", each a list of steps separated by ";"; the Click events of the action.
    void selecting_data() {
        QTest::addColumn<bool>("listFirst");
        QTest::addColumn<QString>("steps");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("events");
        QTest::newRow("mouse click") << false << ">click 2" << 2 << "Click 2";
        QTest::newRow("down arrow") << false << "set 1>down" << 2 << "Click 2";
        QTest::newRow("up arrow") << false << "set 3>up" << 2 << "Click 2";
        QTest::newRow("from code") << false << ">set 4" << 4 << "Click 4";
        QTest::newRow("clicking the selected item") << false << "set 2>click 2" << 2 << "";
        QTest::newRow("ctrl click on the selected item") << false << "set 2>ctrlclick 2" << 2 << "";
        QTest::newRow("click below the items") << false << "set 2>clickbelow" << 2 << "";
        QTest::newRow("none from code") << false << "set 2>set -1" << -1 << "";
        QTest::newRow("past the end from code") << false << "set 2>set 6" << -1 << "";
        // Qt makes row 0 current when a list without one is shown or focused: not a choice.
        QTest::newRow("shown with the focus") << true << ">" << -1 << "";
        QTest::newRow("focused from code") << false << ">focus" << -1 << "";
        QTest::newRow("focused with tab") << false << ">tab" << -1 << "";
    }
    void selecting() {
        QFETCH(bool, listFirst);
        QFETCH(QString, steps);
        QFETCH(int, index);
        QFETCH(QString, events);
        ListWindow window(listFirst);
        QVERIFY(ShowActive(window));
        for (const QString& step : steps.section('>', 0, 0).split(';', Qt::SkipEmptyParts)) {
            Run(window, step);
        }
        window.events.clear();
        for (const QString& step : steps.section('>', 1).split(';', Qt::SkipEmptyParts)) {
            Run(window, step);
        }
        QCOMPARE(window.list.ListIndex(), index);
        QCOMPARE(window.events.join(';'), events);
    }

    // A Click handler that selects another item sees that item's Click run to its end first.
    void reentrantClick_data() {
        QTest::addColumn<int>("start");
        QTest::addColumn<QString>("action");
        QTest::newRow("from code") << -1 << "set 1";
        QTest::newRow("from the mouse") << -1 << "click 1";
        QTest::newRow("from the keyboard") << 0 << "down";
    }
    void reentrantClick() {
        QFETCH(int, start);
        QFETCH(QString, action);
        ListWindow window;
        QVERIFY(ShowActive(window));
        window.list.SetListIndex(start);
        QStringList order;
        window.list.Click = [&window, &order] {
            const int index = window.list.ListIndex();
            order.append(QString("begin %1").arg(index));
            if (index == 1) {
                window.list.SetListIndex(4);
            }
            order.append(QString("end %1").arg(index));
        };
        Run(window, action);
        QCOMPARE(order, (QStringList{"begin 1", "begin 4", "end 4", "end 1"}));
        QCOMPARE(window.list.ListIndex(), 4);
    }
};

}  // namespace vorn::test

QTEST_MAIN(vorn::test::ListBoxTest)
#include "list_box_test.moc"
