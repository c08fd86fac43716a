// SPDX-License-Identifier: MIT
// The main window as it comes up, before and right after a ROM is opened: text limits, the
// keyboard order (which passes over every disabled control), and the commands that do
// nothing (its layout is in layout_test.cpp).

#include <QWidget>
#include <QtTest>

#include "tests/support/ui_driver.h"
#include "tests/ui/main/main_window_session.h"

namespace vorn::test {

class MainWindowStartupTest : public QObject {
    Q_OBJECT

  private slots:
    void pointerBoxLimits_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("shown");  // after typing "1234567" at the end
        for (const char* name : {"txtForeground", "txtBG", "txtTileData", "txtClipdata"}) {
            QTest::newRow(name) << QString::fromLatin1(name) << "123456";
        }
        for (const char* name : {"txtEnTable1", "txtEnTable2"}) {
            QTest::newRow(name) << QString::fromLatin1(name) << "1234567";
        }
    }
    // The graphics pointers take six digits at most; the enemy tables take more.
    void pointerBoxLimits() {
        QFETCH(QString, box);
        QFETCH(QString, shown);
        MainWindowSession session;
        auto& text = Named<toolkit::TextBox>(session.form, box);
        QCOMPARE(text.Text(), std::string("000000"));
        TypeInto(text, "12345");
        AppendTo(text, "67");
        QCOMPARE(QString::fromStdString(text.Text()), shown);
    }

    void tabOrder_data() {
        QTest::addColumn<bool>("romOpened");
        QTest::addColumn<QStringList>("order");
        const QStringList start = {
            "cboMY",       "cboMX",  "cboMusic",      "cboBehavior", "cboTide",    "txtClipdata",
            "txtTileData", "txtBG",  "txtForeground", "cboTileset",  "cboRoom",    "cboEn1",
            "txtEnTable1", "cboEn2", "txtEnTable2",   "cmdRepoint1", "cmdRepoint2"};
        QStringList opened = start;
        opened.insert(opened.indexOf("cboRoom") + 1, "cmdGetTs");
        opened.insert(opened.indexOf("cmdGetTs") + 1, "cmdSave");
        QTest::newRow("at start") << false << start;
        QTest::newRow("after a ROM is opened") << true << opened;
    }
    // Tab walks the enabled controls in the window's order, which holds every control: the
    // check boxes, the switch and the third enemy table, all disabled, are never reached, nor
    // Load and Save before a ROM is opened.
    void tabOrder() {
        QFETCH(bool, romOpened);
        QFETCH(QStringList, order);
        MainWindowSession session;
        QCOMPARE(FocusedControl(session.form), QStringLiteral("cboMY"));
        if (romOpened) {
            // Every layer set, so that every pointer box is enabled.
            session.Open(session.Write(GameImage().Room32(0, 0x00, 0x01010100).Room8(0, 0x04, 1)));
            QVERIFY(session.form.cmdSave.isEnabled());
            session.form.cboMY.setFocus();
        }
        QStringList visited = {FocusedControl(session.form)};
        for (int i = 1; i < order.size(); ++i) {
            QTest::keyClick(session.form.focusWidget(), Qt::Key_Tab);
            visited << FocusedControl(session.form);
        }
        QCOMPARE(visited, order);
    }

    void inertCommands_data() {
        QTest::addColumn<QString>("command");
        QTest::newRow("File > Save") << "mnuSave";
        QTest::newRow("Follow Offset2") << "cmdRepoint2";
    }
    // File > Save and "Follow Offset2" are there but do nothing at all.
    void inertCommands() {
        QFETCH(QString, command);
        MainWindowSession session;
        const std::string path = session.Write(GameImage().Room8(0, 0x00, 0x22));
        session.Open(path);
        TypeInto(session.form.cboTileset, "5");
        const ByteVector before = ReadFileBytes(path);
        const QStringList shown = Snapshot(session.form);
        const std::size_t messages = session.desktop.Messages.size();

        if (command == "mnuSave") {
            session.form.mnuSave.trigger();
        } else {
            Click(session.form.cmdRepoint2);
        }

        QCOMPARE(ChangedOffsets(before, ReadFileBytes(path)), std::vector<std::size_t>());
        QCOMPARE(session.desktop.Messages.size(), messages);
        QCOMPARE(Snapshot(session.form), shown);
        QVERIFY(!session.form.EnemyEditor().IsLoaded());
    }
};

}  // namespace vorn::test

QTEST_MAIN(vorn::test::MainWindowStartupTest)
#include "startup_test.moc"
