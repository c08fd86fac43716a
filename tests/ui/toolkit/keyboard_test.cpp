// SPDX-License-Identifier: MIT
// The keyboard and clipboard rules of every control: Alt, Meta and Ctrl never type, a paste or
// drop that does not fit is refused whole, blanks around a pasted text do not count, Return
// presses the focused button, Alt+letter opens a menu.

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QWindow>
#include <QtTest>

#include <string>

#include "tests/support/ui_driver.h"
#include "tests/ui/toolkit/on_screen.h"
#include "ui/toolkit/combo_box.h"
#include "ui/toolkit/controls.h"
#include "ui/toolkit/menu.h"
#include "ui/toolkit/window.h"

namespace vorn::test {

namespace {

class KeyboardWindow : public toolkit::Window {
  public:
    KeyboardWindow()
        : Window("Keys", 200, 120),
          limited(*this, "limited", {8, 8, 60, 19}, "12", 6),
          unlimited(*this, "unlimited", {8, 32, 120, 19}, "12"),
          list(*this, "list", {8, 56, 60, 21}),
          button(*this, "button", {8, 84, 60, 25}, "Go"),
          file(*this, "file", "File", 'F'),
          open(file, "open", "&Open") {
        list.AppendNumbers(3);
        list.SetListIndex(2);
        for (toolkit::TextBox* box : {&limited, &unlimited}) {
            box->PasteRefused = [this](const std::string& pasted) { refused.push_back(pasted); };
        }
        button.Click = [this] { ++clicks; };
        SetTabOrder({&limited, &unlimited, &list, &button});
    }

    toolkit::TextBox limited;
    toolkit::TextBox unlimited;
    toolkit::ComboBox list;
    toolkit::Button button;
    toolkit::Menu file;
    toolkit::MenuItem open;
    std::vector<std::string> refused;
    int clicks = 0;
};

QLineEdit* FieldOf(KeyboardWindow& window, const QString& name) {
    if (name == "list") {
        return window.list.lineEdit();
    }
    return name == "limited" ? &window.limited : &window.unlimited;
}

std::string TextOf(KeyboardWindow& window, const QString& name) {
    return FieldOf(window, name)->text().toStdString();
}

// The action the program a text is dragged from gets, the drag sent as the platform sends it:
// a source commits to the action of the last move its target accepted, whatever the drop does.
Qt::DropAction DragOnto(QLineEdit* field, const QString& text) {
    QWindow* window = field->window()->windowHandle();
    const QPoint at = field->mapTo(field->window(), field->rect().center());
    constexpr Qt::DropActions kOffered = Qt::CopyAction | Qt::MoveAction;
    QMimeData data;
    data.setText(text);
    QDragEnterEvent enter(at, kOffered, &data, Qt::LeftButton, Qt::NoModifier);
    QGuiApplication::sendEvent(window, &enter);
    QDragMoveEvent move(at, kOffered, &data, Qt::LeftButton, Qt::NoModifier);
    move.setDropAction(enter.dropAction());
    move.setAccepted(enter.isAccepted());
    QGuiApplication::sendEvent(window, &move);
    if (!enter.isAccepted() || !move.isAccepted()) {
        QDragLeaveEvent leave;
        QGuiApplication::sendEvent(window, &leave);
        return Qt::IgnoreAction;
    }
    QDropEvent drop(at, kOffered, &data, Qt::LeftButton, Qt::NoModifier);
    QGuiApplication::sendEvent(window, &drop);
    return drop.isAccepted() ? move.dropAction() : Qt::IgnoreAction;
}

// "keys": the field gets the focus and the keys of `input` ("Alt+F", "Ctrl+V" ...).
// "menu": the field's own context menu, and its Paste.
void Paste(KeyboardWindow& window, const QString& field, const QString& how) {
    QLineEdit* edit = FieldOf(window, field);
    edit->setFocus();
    if (how == "menu") {
        QContextMenuEvent event(QContextMenuEvent::Keyboard, QPoint(2, 2),
                                edit->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(edit, &event);
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(menu != nullptr);
        for (QAction* action : menu->actions()) {
            if (action->text().contains(QLatin1String("Paste"))) {
                action->trigger();
            }
        }
        menu->close();
    } else {
        QTest::keySequence(edit, QKeySequence(how));
    }
}

}  // namespace

class KeyboardTest : public QObject {
    Q_OBJECT

  private slots:
    // A key pressed with Alt, Meta or Ctrl is a command, never text: a-f are hex digits, and
    // an "f" typed by Alt+F would be saved. (Hyper, which Qt may report as no modifier at all,
    // is tried on a real X server by the desktop test.)
    void altNeverTypes_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("keys");
        for (const char* field : {"limited", "unlimited", "list"}) {
            for (const char* keys :
                 {"Alt+F", "Alt+A", "Meta+B", "Alt+Shift+E", "Alt+5", "Ctrl+Num+5"}) {
                QTest::addRow("%s, %s", field, keys) << field << keys;
            }
        }
    }
    void altNeverTypes() {
        QFETCH(QString, field);
        QFETCH(QString, keys);
        KeyboardWindow window;
        QVERIFY(ShowActive(window));
        const std::string before = TextOf(window, field);
        QLineEdit* edit = FieldOf(window, field);
        edit->setFocus();
        QTest::keyClick(edit, Qt::Key_End);
        QTest::keySequence(edit, QKeySequence(keys));
        if (QApplication::activePopupWidget() != nullptr) {
            QApplication::activePopupWidget()->close();
        }
        QCOMPARE(TextOf(window, field), before);
        QTest::keyClicks(edit, "3");  // plain typing still types
        QCOMPARE(TextOf(window, field), before + "3");
    }

    // Alt and the access key open the menu, from any field, although its caption shows none.
    void accessKeyOpensTheMenu() {
        KeyboardWindow window;
        QVERIFY(ShowActive(window));
        FieldOf(window, "limited")->setFocus();
        QTest::keySequence(FieldOf(window, "limited"), QKeySequence("Alt+F"));
        QMenuBar* bar = window.MenuBar();
        QCOMPARE(bar->activeAction(), window.file.menuAction());
        QTRY_VERIFY(window.file.isVisible());
        QCOMPARE(window.file.title(), QString("File"));
        window.file.close();
        QCOMPARE(TextOf(window, "limited"), std::string("12"));
    }

    // A paste is taken whole or not at all; when it does not fit, the box says what was pasted
    // and keeps its text.
    void paste_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<bool>("selectAll");
        QTest::addColumn<QString>("expected");  // "" when refused
        const auto row = [](const char* name, const char* field, const char* how,
                            const char* clipboard, bool selectAll, const char* expected) {
            QTest::newRow(name) << field << how << clipboard << selectAll << expected;
        };
        const QString address = "08ABCDEF";
        for (const char* how : {"Ctrl+V", "Shift+Ins", "menu"}) {
            QTest::addRow("too long, %s", how) << "limited" << how << address << false << "";
            // A line copied from a terminal: its line end does not count.
            QTest::addRow("a copied line, %s", how) << "limited" << how << "1A2B3C\n"
                                                    << true << "1A2B3C";
        }
        row("a leading blank", "limited", "Ctrl+V", " 2000AB", true, "2000AB");
        row("tabs and CR LF around", "limited", "Ctrl+V", "\t\tAB\r\n", false, "12AB");
        row("a blank inside stays", "limited", "Ctrl+V", " 34 0A\n", true, "34 0A");
        row("too long without its blanks", "limited", "Ctrl+V", "\n12345\n", false, "");
        QTest::newRow("fits beside the text") << "limited"
                                              << "Ctrl+V"
                                              << "ABCD" << false << "12ABCD";
        QTest::newRow("one past the limit") << "limited"
                                            << "Ctrl+V"
                                            << "ABCDE" << false << "";
        QTest::newRow("fits in place of the selection") << "limited"
                                                        << "Ctrl+V"
                                                        << "ABCDEF" << true << "ABCDEF";
        QTest::newRow("too long for the selection") << "limited"
                                                    << "Ctrl+V" << address << true << "";
        QTest::newRow("a box without a limit") << "unlimited"
                                               << "Ctrl+V" << address << false << "1208ABCDEF";
        QTest::newRow("a drop-down's field") << "list"
                                             << "Ctrl+V" << address << true << "08ABCDEF";
    }
    void paste() {
        QFETCH(QString, field);
        QFETCH(QString, how);
        QFETCH(QString, clipboard);
        QFETCH(bool, selectAll);
        QFETCH(QString, expected);
        KeyboardWindow window;
        QVERIFY(ShowActive(window));
        QGuiApplication::clipboard()->setText(clipboard);
        const std::string before = TextOf(window, field);
        QLineEdit* edit = FieldOf(window, field);
        edit->setFocus();
        selectAll ? edit->selectAll() : edit->end(false);
        Paste(window, field, how);
        if (expected.isEmpty()) {
            QCOMPARE(TextOf(window, field), before);
            QCOMPARE(window.refused, std::vector<std::string>{clipboard.trimmed().toStdString()});
        } else {
            QCOMPARE(TextOf(window, field), expected.toStdString());
            QVERIFY(window.refused.empty());
        }
    }

    // A drop is taken whole, without the blanks around it, or refused from the moment the
    // drag enters the field, so that the source keeps its text instead of losing a move.
    void drop_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");  // "" when refused
        const auto row = [](const char* name, const char* field, const char* text,
                            const char* expected) {
            QTest::newRow(name) << field << text << expected;
        };
        row("too long", "limited", "08ABCDEF", "");
        row("fits beside the text", "limited", "ABCD", "12ABCD");
        row("a copied line", "limited", " AB\r\n", "12AB");
        row("blanks only", "limited", " \n", "");
        row("a drop-down's field", "list", "\t1A ", "21A");
    }
    void drop() {
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(QString, expected);
        KeyboardWindow window;
        QVERIFY(ShowActive(window));
        const std::string before = TextOf(window, field);
        FieldOf(window, field)->end(false);
        const Qt::DropAction action = DragOnto(FieldOf(window, field), text);
        QCOMPARE(action == Qt::IgnoreAction, expected.isEmpty());
        QCOMPARE(TextOf(window, field), expected.isEmpty() ? before : expected.toStdString());
        QVERIFY(window.refused.empty());  // the pointer said so; no message box mid-drag
    }

    // Return and Enter press the button that has the focus, as Space does; held down, once.
    void returnPressesTheButton_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("autoRepeat");
        QTest::addColumn<int>("clicks");
        QTest::newRow("Return") << int{Qt::Key_Return} << false << 1;
        QTest::newRow("Enter") << int{Qt::Key_Enter} << false << 1;
        QTest::newRow("Space") << int{Qt::Key_Space} << false << 1;
        QTest::newRow("Return held down") << int{Qt::Key_Return} << true << 1;
    }
    void returnPressesTheButton() {
        QFETCH(int, key);
        QFETCH(bool, autoRepeat);
        QFETCH(int, clicks);
        KeyboardWindow window;
        QVERIFY(ShowActive(window));
        window.button.setFocus();
        QTest::sendKeyEvent(QTest::Press, &window.button, static_cast<Qt::Key>(key), QString(),
                            Qt::NoModifier);
        if (autoRepeat) {
            QKeyEvent repeat(QEvent::KeyPress, key, Qt::NoModifier, QString(), true);
            QApplication::sendEvent(&window.button, &repeat);
        }
        QTest::sendKeyEvent(QTest::Release, &window.button, static_cast<Qt::Key>(key), QString(),
                            Qt::NoModifier);
        QCOMPARE(window.clicks, clicks);
        // Return in a text box presses nothing.
        FieldOf(window, "limited")->setFocus();
        QTest::keyClick(FieldOf(window, "limited"), Qt::Key_Return);
        QCOMPARE(window.clicks, clicks);
    }
};

}  // namespace vorn::test

QTEST_MAIN(vorn::test::KeyboardTest)
#include "keyboard_test.moc"
