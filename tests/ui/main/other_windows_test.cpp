// SPDX-License-Identifier: MIT
// The windows the main window opens: Help > About, and the enemy editor behind
// "Follow Offset1" (only what the main window hands it, and where they open).

#include <QApplication>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QScreen>
#include <QtTest>

#include "tests/support/qtest_main.h"
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

// Where the main window's top left corner is put in the placement property: every corner and
// edge of the screen's free area, flush and one pixel past, halfway, far outside, and some
// random places.
std::vector<QPoint> MainWindowPlaces(const QRect& area, QSize main) {
    const int right = area.right() + 1 - main.width();
    const int bottom = area.bottom() + 1 - main.height();
    const int xs[] = {-3000,
                      area.left() - main.width() + 5,
                      area.left() - 1,
                      area.left(),
                      area.center().x() - main.width() / 2,
                      right,
                      right + 1,
                      area.right() - 5,
                      area.right() + 3000};
    const int ys[] = {-3000,  area.top() - 1, area.top(),        area.center().y(),
                      bottom, bottom + 1,     area.bottom() - 5, area.bottom() + 3000};
    std::vector<QPoint> places;
    for (const int x : xs) {
        for (const int y : ys) {
            places.emplace_back(x, y);
        }
    }
    QRandomGenerator random(20);
    for (int i = 0; i < 30; ++i) {
        places.emplace_back(random.bounded(area.left() - main.width(), area.right() + 1),
                            random.bounded(area.top() - main.height(), area.bottom() + 1));
    }
    return places;
}

}  // namespace

class MainWindowOtherWindowsTest : public QObject {
    Q_OBJECT

  private slots:
    void about() {
        MainWindowSession session;
        session.form.mnuAbout.Choose();
        QVERIFY(session.form.AboutWindow().IsLoaded());
        ui::Form2* about = session.form.AboutWindow().Get();
        QVERIFY(about->IsVisible());
        QCOMPARE(about->Caption(), std::string("Form2"));
        QCOMPARE(about->Command1.Caption(), std::string("Kill me"));
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

        about->Command1.Tag = "first about window";
        session.form.mnuAbout.Choose();
        QCOMPARE(session.form.AboutWindow().Get(), about);
        QCOMPARE(about->Command1.Tag, std::string("first about window"));
        QCOMPARE(VisibleWindowsCaptioned("Form2"), 1);
        QVERIFY(session.form.IsVisible());
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
        session.form.mnuAbout.Choose();
        ui::Form2* about = session.form.AboutWindow().Get();
        if (killMe) {
            Click(about->Command1);
        } else {
            about->Close();
        }
        FlushUnloadedWindows();
        QVERIFY(!session.form.AboutWindow().IsLoaded());
        QCOMPARE(VisibleWindowsCaptioned("Form2"), 0);
        QVERIFY(session.form.IsVisible());
        QVERIFY(session.desktop.Messages.empty());

        session.form.mnuAbout.Choose();
        QVERIFY(session.form.AboutWindow().IsLoaded());
        QVERIFY(session.form.AboutWindow().Get()->IsVisible());
        QCOMPARE(VisibleWindowsCaptioned("Form2"), 1);
    }

    // The about window is not modal: Open, Load and Save work while it is up.
    void commandsWhileAboutShown() {
        MainWindowSession session;
        session.form.mnuAbout.Choose();
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
        QVERIFY(session.form.AboutWindow().Get()->IsVisible());
    }

    // The enemy editor and the about window open wholly inside the screen's free area,
    // wherever the main window is: beside it where there is room on its right, else on its
    // left where there is room there.
    void placedOnTheScreen() {
        MainWindowSession session;
        QWidget* main = session.form.TopWidget();
        const QRect area = main->screen()->availableGeometry();
        for (const QPoint& place : MainWindowPlaces(area, main->frameGeometry().size())) {
            main->move(place);
            const QRect anchor = main->frameGeometry();
            Click(session.form.cmdRepoint1);  // no ROM: the editor opens empty, with a word
            session.form.mnuAbout.Choose();
            for (toolkit::Window* placed : std::initializer_list<toolkit::Window*>{
                     session.form.EnemyEditor().Get(), session.form.AboutWindow().Get()}) {
                const QRect frame = placed->TopWidget()->frameGeometry();
                const QString where = QStringLiteral("%1 beside the main window at %2,%3: %4,%5")
                                          .arg(QString::fromStdString(placed->Caption()))
                                          .arg(place.x())
                                          .arg(place.y())
                                          .arg(frame.x())
                                          .arg(frame.y());
                QVERIFY2(area.contains(frame), qPrintable(where));
                const bool roomRight = anchor.right() + frame.width() < area.right();
                const bool roomLeft = anchor.left() - frame.width() > area.left();
                if (roomRight || roomLeft) {
                    QVERIFY2(!frame.intersects(anchor), qPrintable(where));
                    QVERIFY2(frame.left() > anchor.right() || !roomRight, qPrintable(where));
                }
                placed->Close();
            }
            FlushUnloadedWindows();
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
        QCOMPARE(session.form.cmdGetTs.Tag, session.form.RomPath);
        QCOMPARE(session.form.cmdGetTs.Tag.empty(), opened == 0);
        QVERIFY(session.form.EnemyEditor().IsLoaded());
        QVERIFY(session.form.EnemyEditor().Get()->IsVisible());
        QVERIFY(session.form.IsVisible());
    }
};

}  // namespace vorn::test

using vorn::test::MainWindowOtherWindowsTest;
VORN_TEST_CLASS(MainWindowOtherWindowsTest)

#include "other_windows_test.moc"
