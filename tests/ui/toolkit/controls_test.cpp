// SPDX-License-Identifier: MIT
// The text box: without a length limit it keeps every character, and Change tells the user's
// typing from the program's own texts.

#include <QtTest>

#include <string>

#include "tests/support/ui_driver.h"
#include "tests/ui/toolkit/on_screen.h"
#include "ui/toolkit/controls.h"
#include "ui/toolkit/window.h"

namespace vorn::test {

namespace {

class TextWindow : public toolkit::Window {
  public:
    TextWindow(const std::string& text, int maxLength)
        : Window("Text", 120, 40), box(*this, "box", {8, 8, 100, 19}, text, maxLength) {}
    toolkit::TextBox box;
};

}  // namespace

class ControlsTest : public QObject {
    Q_OBJECT

  private slots:
    // Qt's line edit holds 32767 characters unless told otherwise; a box without a limit
    // keeps every character.
    void noLengthLimit_data() {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        const QString longText(40000, QLatin1Char('7'));
        const QString qtDefaultLimit(32767, QLatin1Char('a'));
        QTest::newRow("a long text from code") << ""
                                               << "set" << longText << longText;
        QTest::newRow("a long first text") << longText << ""
                                           << "" << longText;
        QTest::newRow("typing after a long text") << qtDefaultLimit << "append"
                                                  << "bc" << qtDefaultLimit + "bc";
    }
    void noLengthLimit() {
        QFETCH(QString, first);
        QFETCH(QString, how);
        QFETCH(QString, text);
        QFETCH(QString, expected);
        TextWindow window(first.toStdString(), toolkit::TextBox::kNoLimit);
        QVERIFY(ShowActive(window));
        if (how == "append") {
            AppendTo(window.box, text.toStdString());
        } else if (how == "set") {
            window.box.SetText(text.toStdString());
        }
        QCOMPARE(QString::fromStdString(window.box.Text()), expected);
    }

    void textChange_data() {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("raised");
        QTest::newRow("typing") << "type"
                                << "12" << true;
        QTest::newRow("typing the text already there") << "type"
                                                       << "ABCDEF" << true;
        QTest::newRow("typing into a full box") << "append"
                                                << "1" << false;
        QTest::newRow("text from code") << "set"
                                        << "12" << false;
    }
    // Change tells the user's typing from the program's own texts.
    void textChange() {
        QFETCH(QString, how);
        QFETCH(QString, text);
        QFETCH(bool, raised);
        TextWindow window("ABCDEF", 6);
        QVERIFY(ShowActive(window));
        bool changed = false;
        window.box.Change = [&changed] { changed = true; };
        if (how == "type") {
            TypeInto(window.box, text.toStdString());
        } else if (how == "append") {
            AppendTo(window.box, text.toStdString());
        } else {
            window.box.SetText(text.toStdString());
        }
        QCOMPARE(changed, raised);
    }
};

}  // namespace vorn::test

QTEST_MAIN(vorn::test::ControlsTest)
#include "controls_test.moc"
