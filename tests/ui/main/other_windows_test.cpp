// SPDX-License-Identifier: MIT
// The windows the main window opens: Help > About, and the enemy editor behind
// "Follow Offset1" (only what the main window hands it, and where they open).

#include <QApplication>
#include <QRegularExpression>
#include <QScreen>
#include <QtTest>

#include "tests/support/ui_driver.h"
#include "tests/ui/main/main_window_session.h"

namespace vorn::test {

namespace {

// The visible top-level windows captioned `caption`.
int VisibleWindowsCaptioned(const QString& caption) {
    int count = 0;
    for (const QWidget* widget : QApplication::topLevelWidgets()) {
        count += widget->isVisible() && widget->windowTitle() == caption ? 1 : 0;
    }
    return count;
}

}  // namespace

class MainWindowOtherWindowsTest : public QObject {
    Q_OBJECT

  private slots:
    void about() {
        MainWindowSession session;
        session.form.mnuAbout.trigger();
        QVERIFY(session.form.AboutWindow().IsLoaded());
        ui::Form2* about = session.form.AboutWindow().Get();
        QVERIFY(about->isVisible());
        const QString credits = QString::fromStdString(about->Label1.Caption());
        QVERIFY2(credits.contains("the Vorn Header Editor authors"), qPrintable(credits));
        // No person is named: the only capitalised words are the program's name and the
        // first word of a sentence.
        const QStringList allowed = {"Vorn", "Header", "Editor", "Thanks"};
        QRegularExpressionMatchIterator words =
            QRegularExpression(QStringLiteral("\\b[A-Z]\\w*")).globalMatch(credits);
        while (words.hasNext()) {
            const QString word = words.next().captured();
            QVERIFY2(allowed.contains(word), qPrintable(word));
        }

        // About again shows the same window, not a second one.
        session.form.mnuAbout.trigger();
        QCOMPARE(session.form.AboutWindow().Get(), about);
        QCOMPARE(VisibleWindowsCaptioned("Form2"), 1);
        QVERIFY(session.form.isVisible());
    }

    void closeAbout_data() {
        QTest::addColumn<bool>("killMe");
        QTest::newRow("Kill me") << true;
        QTest::newRow("close box") << false;
    }
    // Closing the about window unloads it, leaves the main window up, and About makes it anew.
    void closeAbout() {
        QFETCH(bool, killMe);
        MainWindowSession session;
        session.form.mnuAbout.trigger();
        ui::Form2* about = session.form.AboutWindow().Get();
        if (killMe) {
            Click(about->Command1);
        } else {
            about->close();
        }
        FlushUnloadedWindows();
        QVERIFY(!session.form.AboutWindow().IsLoaded());
        QCOMPARE(VisibleWindowsCaptioned("Form2"), 0);
        QVERIFY(session.form.isVisible());
        QVERIFY(session.desktop.Messages.empty());

        session.form.mnuAbout.trigger();
        QVERIFY(session.form.AboutWindow().IsLoaded());
        QVERIFY(session.form.AboutWindow().Get()->isVisible());
        QCOMPARE(VisibleWindowsCaptioned("Form2"), 1);
    }

    // The about window is not modal: Open, Load and Save work while it is up.
    void commandsWhileAboutShown() {
        MainWindowSession session;
        session.form.mnuAbout.trigger();
        ImageBuilder image = GameImage();
        image.Room8(2, 0x00, 0x21);
        const std::string path = session.Write(image);
        session.Open(path);
        QCOMPARE(session.desktop.Messages, std::vector<std::string>{"Rom Loaded"});
        session.PickRoom(2);
        Click(session.form.cmdGetTs);
        QCOMPARE(session.form.cboTileset.ListIndex(), 0x21);
        TypeInto(session.form.cboTileset, "22");
        Click(session.form.cmdSave);
        QCOMPARE(ChangedOffsets(image.Bytes(), ReadFileBytes(path)),
                 std::vector<std::size_t>{RoomAt(2)});
        QVERIFY(session.form.AboutWindow().Get()->isVisible());
    }

    // The enemy editor and the about window open wholly inside the screen's free area,
    // wherever the main window is (flush with each edge, one pixel past it, halfway, far
    // outside): beside it where there is room on its right, else on its left.
    void placedOnTheScreen() {
        MainWindowSession session;
        QWidget* main = &session.form;
        const QRect area = main->screen()->availableGeometry();
        const QPoint last = area.bottomRight() - QPoint(main->width(), main->height());
        const int middle = area.center().x();
        for (const int x :
             {-3000, area.left() - 1, area.left(), middle, last.x() + 1, last.x() + 2, 3000}) {
            for (const int y :
                 {-3000, area.top() - 1, area.top(), last.y() + 1, last.y() + 2, 3000}) {
                main->move(x, y);
                const QRect anchor = main->frameGeometry();
                Click(session.form.cmdRepoint1);  // no ROM: the editor opens empty, with a word
                session.form.mnuAbout.trigger();
                for (toolkit::Window* placed : std::initializer_list<toolkit::Window*>{
                         session.form.EnemyEditor().Get(), session.form.AboutWindow().Get()}) {
                    const QRect frame = placed->frameGeometry();
                    // Room to spare for the window and a gap between the two.
                    const bool right = anchor.right() + frame.width() + 16 < area.right();
                    const bool left = anchor.left() - frame.width() - 16 > area.left();
                    const QByteArray where = QByteArray::number(x) + ',' + QByteArray::number(y);
                    QVERIFY2(area.contains(frame), where.constData());
                    QVERIFY2(!frame.intersects(anchor) || !(right || left), where.constData());
                    QVERIFY2(frame.left() > anchor.right() || !right, where.constData());
                    placed->close();
                }
                FlushUnloadedWindows();
            }
        }
    }

    void followOffset1_data() {
        QTest::addColumn<int>("opened");  // 0 nothing, 1 the game, 2 the game then another file
        QTest::newRow("nothing opened") << 0;
        QTest::newRow("game opened") << 1;
        QTest::newRow("another file opened after the game") << 2;
    }
    // "Follow Offset1" hands the ROM path to the enemy editor through the Load button's tag.
    void followOffset1() {
        QFETCH(int, opened);
        MainWindowSession session;
        if (opened >= 1) {
            session.Open(session.Write(GameImage()));
        }
        if (opened >= 2) {
            session.Open(session.Write(ImageBuilder(4 * kMiB), "other.gba"));
        }
        Click(session.form.cmdRepoint1);
        QCOMPARE(toolkit::Tag(session.form.cmdGetTs), session.form.RomPath);
        QCOMPARE(toolkit::Tag(session.form.cmdGetTs).empty(), opened == 0);
        QVERIFY(session.form.EnemyEditor().IsLoaded());
        QVERIFY(session.form.EnemyEditor().Get()->isVisible());
        QVERIFY(session.form.isVisible());
    }
};

}  // namespace vorn::test

QTEST_MAIN(vorn::test::MainWindowOtherWindowsTest)
#include "other_windows_test.moc"
