// SPDX-License-Identifier: MIT
// Windows: loading once, showing, hiding, the close box, the Tab order, the client area, the
// window slot that unloads on close, and the font that makes every caption fit.

#include <QApplication>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QLabel>
#include <QMenuBar>
#include <QPointer>
#include <QtTest>

#include <functional>
#include <memory>

#include "tests/support/ui_driver.h"
#include "tests/ui/toolkit/on_screen.h"
#include "ui/toolkit/combo_box.h"
#include "ui/toolkit/controls.h"
#include "ui/toolkit/form_slot.h"
#include "ui/toolkit/list_box.h"
#include "ui/toolkit/menu.h"
#include "ui/toolkit/window.h"

namespace vorn::test {

namespace {

// Counts how many exist and their loads, remembers whether it was on the screen while
// loading, and closes itself from its own button.
class SlotForm : public toolkit::Window {
  public:
    SlotForm()
        : Window("Slot", 120, 70),
          text(*this, "text", {8, 8, 100, 19}, "fresh"),
          closeButton(*this, "closeButton", {8, 36, 60, 25}, "Close") {
        ++alive;
        // The window is gone after close(): the handler then reads only its own copy of the
        // hook, which lives as long as the handler runs.
        closeButton.Click = [this, hook = afterClose] {
            close();
            if (hook) {
                hook();
            }
        };
    }
    ~SlotForm() override { --alive; }
    toolkit::TextBox text;
    toolkit::Button closeButton;
    static inline int alive = 0;
    static inline int loads = 0;
    static inline bool visibleWhileLoading = false;
    static inline std::function<void()> afterClose;

  protected:
    void Form_Load() override {
        ++loads;
        visibleWhileLoading = visibleWhileLoading || isVisible();
    }
};

// Five controls named a to e, in the given Tab order; a capital letter disables one.
class TabWindow : public toolkit::Window {
  public:
    explicit TabWindow(const QString& order)
        : Window("Tab", 200, 160),
          a(*this, "a", {8, 8, 80, 19}, ""),
          b(*this, "b", {8, 36, 60, 25}, "B"),
          c(*this, "c", {8, 70, 60, 21}),
          d(*this, "d", {100, 8, 80, 100}),
          e(*this, "e", {8, 100, 17, 13}) {
        std::vector<QWidget*> controls;
        for (const QChar name : order) {
            controls.push_back(Named(name.toLower()));
            controls.back()->setEnabled(name.isLower());
        }
        SetTabOrder(controls);
    }
    QWidget* Named(QChar name) {
        QWidget* all[] = {&a, &b, &c, &d, &e};
        return all[name.unicode() - 'a'];
    }
    QChar Focused() {
        for (QChar name : QString("abcde")) {
            if (Named(name)->hasFocus()) {
                return name;
            }
        }
        return '?';
    }
    toolkit::TextBox a;
    toolkit::Button b;
    toolkit::ComboBox c;
    toolkit::ListBox d;
    toolkit::CheckBox e;
};

class MenuWindow : public toolkit::Window {
  public:
    MenuWindow()
        : Window("Menu", 200, 100), file(*this, "file", "&File"), open(file, "open", "&Open") {}
    toolkit::Menu file;
    toolkit::MenuItem open;
};

// A label in the client area or in a frame, with a button and another label that may stand
// in its row.
class CaptionWindow : public toolkit::Window {
  public:
    CaptionWindow(const QString& caption, bool wrap, bool inFrame, QRect place, QRect blockerPlace,
                  QRect neighbourPlace)
        : Window("Captions", 240, 200),
          frame(*this, "frame", {8, 100, 224, 90}, "Frame"),
          label(inFrame ? static_cast<QWidget&>(frame) : toolkit::ClientArea(*this), "label", place,
                caption.toStdString(),
                wrap ? toolkit::Label::Wrap::Words : toolkit::Label::Wrap::None),
          blocker(*this, "blocker", blockerPlace, "Go"),
          neighbour(*this, "neighbour", neighbourPlace, "N:") {}
    toolkit::Frame frame;
    toolkit::Label label;
    toolkit::Button blocker;
    toolkit::Label neighbour;
};

// The font size of a window whose captions all have room to spare: the size no window
// exceeds.
double RoomyFontSize() {
    CaptionWindow window("X", false, false, {8, 8, 60, 17}, {180, 70, 50, 25}, {180, 40, 50, 17});
    window.Load();
    return window.label.font().pointSizeF();
}

void Step(toolkit::Window& window, const QString& step) {
    if (step == "load") {
        window.Load();
    } else if (step == "show") {
        window.Show();
    } else if (step == "hide") {
        window.Hide();
    } else if (step == "close") {
        window.close();
    } else if (step == "closeevent") {
        QCloseEvent event;
        QApplication::sendEvent(&window, &event);
    } else {
        QFAIL(qPrintable("unknown step " + step));
    }
}

int WindowsTitled(const QString& title) {
    int count = 0;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        count += widget->windowTitle() == title ? 1 : 0;
    }
    return count;
}

}  // namespace

class WindowTest : public QObject {
    Q_OBJECT

  private slots:
    void loading_data() {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<bool>("visible");
        QTest::addColumn<int>("closeBoxes");
        QTest::newRow("load then show") << "load;show" << true << 0;
        QTest::newRow("show loads first") << "show" << true << 0;
        QTest::newRow("load twice") << "load;load" << false << 0;
        QTest::newRow("hide keeps it loaded") << "show;hide" << false << 0;
        QTest::newRow("show after hide") << "show;hide;show" << true << 0;
        QTest::newRow("close raises the close box") << "show;close" << true << 1;
        QTest::newRow("close event raises the close box") << "show;closeevent" << true << 1;
        QTest::newRow("close box of a hidden window") << "show;hide;closeevent" << false << 1;
    }
    void loading() {
        QFETCH(QString, steps);
        QFETCH(bool, visible);
        QFETCH(int, closeBoxes);
        SlotForm::loads = 0;
        SlotForm::visibleWhileLoading = false;
        SlotForm window;
        int raised = 0;
        window.CloseBox = [&raised] { ++raised; };
        const QPointer<QWidget> top = &window;
        for (const QString& step : steps.split(';', Qt::SkipEmptyParts)) {
            Step(window, step);
            window.text.SetText("edited");
        }
        QCOMPARE(SlotForm::loads, 1);
        QVERIFY(!SlotForm::visibleWhileLoading);
        QCOMPARE(window.isVisible(), visible);
        QCOMPARE(raised, closeBoxes);
        // Nothing went away with the close box or the hiding.
        QVERIFY(!top.isNull());
        QCOMPARE(window.text.Text(), std::string("edited"));
        QVERIFY(QApplication::activeModalWidget() == nullptr);
        QCOMPARE(top->windowModality(), Qt::NonModal);
    }

    // The focus starts on the first enabled control of the order and Tab follows the order.
    // "order>focus": the controls a to e in Tab order, a capital letter for a disabled one,
    // then the control that has the focus when shown and after each Tab.
    void tabOrder_data() {
        QTest::addColumn<QString>("steps");
        QTest::newRow("order as given") << "cadb>cadbc";
        QTest::newRow("disabled first control") << "Cadb>adba";
        QTest::newRow("disabled in the middle") << "aBcDe>acea";
        QTest::newRow("controls left out") << "db>dbd";
        QTest::newRow("reverse of making") << "edcba>edcbae";
    }
    void tabOrder() {
        QFETCH(QString, steps);
        const QString order = steps.section('>', 0, 0);
        const QString focus = steps.section('>', 1);
        TabWindow window(order);
        QVERIFY(ShowActive(window));
        QString seen(window.Focused());
        while (seen.size() < focus.size()) {
            QWidget* focused = QApplication::focusWidget();
            QVERIFY(focused != nullptr);
            QTest::keyClick(focused, Qt::Key_Tab);
            seen += window.Focused();
        }
        QCOMPARE(seen, focus);
    }

    void clientArea_data() {
        QTest::addColumn<bool>("withMenu");
        QTest::addColumn<QSize>("size");
        QTest::newRow("without a menu bar") << false << QSize(120, 70);
        QTest::newRow("with a menu bar") << true << QSize(200, 100);
    }
    void clientArea() {
        QFETCH(bool, withMenu);
        QFETCH(QSize, size);
        std::unique_ptr<toolkit::Window> window;
        if (withMenu) {
            window = std::make_unique<MenuWindow>();
        } else {
            window = std::make_unique<SlotForm>();
        }
        QVERIFY(ShowActive(*window));
        const QRect client = window->centralWidget()->geometry();
        QCOMPARE(client.size(), size);
        int menuBottom = 0;
        if (withMenu) {
            const QMenuBar* bar = window->MenuBar();
            QVERIFY(bar->isVisible());
            QVERIFY(bar->height() >= bar->sizeHint().height());
            menuBottom = bar->geometry().bottom() + 1;
            QVERIFY(menuBottom > 0);
        }
        QCOMPARE(client.top(), menuBottom);
        const QWidget* top = window.get();
        QCOMPARE(top->minimumSize(), QSize(size.width(), menuBottom + size.height()));
        QCOMPARE(top->maximumSize(), top->minimumSize());
        QCOMPARE(top->size(), top->minimumSize());
    }

    void formSlot_data() {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<bool>("loaded");
        QTest::addColumn<int>("loads");
        QTest::addColumn<bool>("visible");
        QTest::addColumn<QString>("text");
        QTest::newRow("nothing yet") << "" << false << 0 << false << "";
        QTest::newRow("show loads") << "show" << true << 1 << true << "fresh";
        QTest::newRow("show twice") << "show;edit;show" << true << 1 << true << "edited";
        QTest::newRow("hide keeps it loaded") << "show;edit;hide" << true << 1 << false << "edited";
        QTest::newRow("show after hide") << "show;edit;hide;show" << true << 1 << true << "edited";
        QTest::newRow("hide before loading") << "hide" << false << 0 << false << "";
        QTest::newRow("close unloads") << "show;close" << false << 1 << false << "";
        QTest::newRow("close event unloads") << "show;closeevent" << false << 1 << false << "";
        QTest::newRow("own button closes it") << "show;button" << false << 1 << false << "";
        QTest::newRow("show after close loads a fresh one")
            << "show;edit;close;show" << true << 2 << true << "fresh";
        QTest::newRow("show after own button loads a fresh one")
            << "show;edit;button;show" << true << 2 << true << "fresh";
    }
    void formSlot() {
        QFETCH(QString, steps);
        QFETCH(bool, loaded);
        QFETCH(int, loads);
        QFETCH(bool, visible);
        QFETCH(QString, text);
        SlotForm::loads = 0;
        {
            toolkit::FormSlot<SlotForm> slot([] { return std::make_unique<SlotForm>(); });
            QVERIFY(!slot.IsLoaded());
            QString afterClose;
            SlotForm::afterClose = [&slot, &afterClose] {
                afterClose += slot.IsLoaded() ? "loaded;" : "unloaded;";
            };
            for (const QString& step : steps.split(';', Qt::SkipEmptyParts)) {
                if (step == "show") {
                    slot.Load().Show();
                } else if (step == "hide") {
                    slot.Hide();
                } else if (step == "edit") {
                    slot.Get()->text.SetText("edited");
                } else if (step == "button") {
                    QVERIFY(QTest::qWaitForWindowActive(slot.Get()));
                    Click(slot.Get()->closeButton);
                    FlushUnloadedWindows();
                } else {
                    Step(*slot.Get(), step);
                    FlushUnloadedWindows();
                }
            }
            SlotForm::afterClose = nullptr;
            QCOMPARE(afterClose, QString("unloaded;").repeated(steps.count("button")));
            QCOMPARE(slot.IsLoaded(), loaded);
            QCOMPARE(SlotForm::loads, loads);
            QCOMPARE(SlotForm::alive, loaded ? 1 : 0);
            QCOMPARE(WindowsTitled("Slot"), loaded ? 1 : 0);
            if (loaded) {
                QCOMPARE(slot.Get()->isVisible(), visible);
                QCOMPARE(QString::fromStdString(slot.Get()->text.Text()), text);
            }
        }
        FlushUnloadedWindows();
        QCOMPARE(SlotForm::alive, 0);
        QCOMPARE(WindowsTitled("Slot"), 0);
    }

    // Every caption fits where it stands in the chosen font; labels may widen into free room.
    void captions_data() {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<bool>("wrap");
        QTest::addColumn<bool>("inFrame");
        QTest::addColumn<QRect>("place");
        QTest::addColumn<QRect>("blocker");
        // When not 0, the button moves right beside the label, leaving just the room the
        // caption takes in this font size.
        QTest::addColumn<double>("roomFor");
        QTest::addColumn<QRect>("neighbour");
        QTest::addColumn<double>("smallest");
        QTest::addColumn<double>("largest");
        const QString caption = "Offset after Switch:";
        const QRect away(180, 40, 50, 17);
        const QRect below(180, 70, 50, 25);
        // A caption that fits keeps the size of captions with room to spare; one that does
        // not takes the largest size in which it fits (8 points, where the button leaves room
        // for it in 8 points).
        const double roomy = RoomyFontSize();
        const double under = roomy - 0.01;
        QTest::newRow("short caption") << "Room:" << false << false << QRect(8, 8, 60, 17) << below
                                       << 0.0 << away << roomy << roomy;
        QTest::newRow("widened into free room") << caption << false << false << QRect(8, 8, 20, 17)
                                                << below << 0.0 << away << roomy << roomy;
        QTest::newRow("widened across a label")
            << caption << false << false << QRect(8, 8, 20, 17) << below << 0.0
            << QRect(40, 8, 30, 17) << roomy << roomy;
        QTest::newRow("widened in a frame") << caption << false << true << QRect(8, 20, 20, 17)
                                            << below << 0.0 << away << roomy << roomy;
        QTest::newRow("button beside it") << caption << false << false << QRect(8, 8, 20, 17)
                                          << below << 8.0 << away << 8.0 << under;
        QTest::newRow("ampersand in the caption")
            << "Tiles & Palette:" << false << false << QRect(8, 8, 20, 17) << below << 8.0 << away
            << 6.0 << under;
        QTest::newRow("wrapped caption")
            << "Must click save when you finish editing an enemy" << true << false
            << QRect(8, 8, 57, 65) << below << 0.0 << away << 6.0 << roomy;
        QTest::newRow("wrapped caption under a control")
            << "Enemy sheet 1:" << true << false << QRect(8, 48, 49, 33) << QRect(48, 48, 41, 21)
            << 0.0 << away << 6.0 << roomy;
    }
    void captions() {
        QFETCH(QString, caption);
        QFETCH(bool, wrap);
        QFETCH(bool, inFrame);
        QFETCH(QRect, place);
        QFETCH(QRect, blocker);
        QFETCH(double, roomFor);
        QFETCH(QRect, neighbour);
        QFETCH(double, smallest);
        QFETCH(double, largest);
        if (roomFor > 0) {
            QFont font = QApplication::font();
            font.setPointSizeF(roomFor);
            blocker.moveTopLeft(
                {place.x() + QFontMetrics(font).horizontalAdvance(caption) + 1, place.y()});
        }
        CaptionWindow window(caption, wrap, inFrame, place, blocker, neighbour);
        window.Load();
        const QList<QLabel*> labels = window.findChildren<QLabel*>();
        QCOMPARE(labels.size(), 2);
        for (const QLabel* label : labels) {
            const QRect box = label->geometry();
            const double size = label->font().pointSizeF();
            QVERIFY2(size >= smallest && size <= largest, qPrintable(QString::number(size)));
            // The label's own measure of what its caption needs: wrapped, its longest word
            // and the height at its width; on one line, its natural size.
            const QSize needed = label->wordWrap() ? QSize(label->minimumSizeHint().width(),
                                                           label->heightForWidth(box.width()))
                                                   : label->sizeHint();
            QVERIFY2(needed.width() <= box.width() && needed.height() <= box.height(),
                     qPrintable(label->text()));
            QVERIFY(label->parentWidget()->rect().contains(box));
            for (const QWidget* sibling :
                 label->parentWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
                if (qobject_cast<const QLabel*>(sibling) == nullptr) {
                    QVERIFY2(!sibling->geometry().intersects(box),
                             qPrintable(label->text() + " covers " + sibling->objectName()));
                }
            }
        }
    }
};

}  // namespace vorn::test

QTEST_MAIN(vorn::test::WindowTest)
#include "window_test.moc"
