// SPDX-License-Identifier: MIT
// The layout of the editor's three windows, checked for what it must be rather than against
// a copy of its numbers (the window constructors are the one layout table): every control at
// its place inside its container, opaque controls apart, every caption shown whole, and each
// caption beside the control it names, and named by it for screen readers.

#include <QAccessible>
#include <QLabel>
#include <QtTest>

#include <vector>

#include "tests/support/scripted_desktop.h"
#include "tests/support/ui_driver.h"
#include "tests/ui/main/main_window_session.h"
#include "ui/enemies/form3.h"
#include "ui/main/form1.h"
#include "ui/main/form2.h"

namespace vorn::test {

namespace {

// The three windows as the editor builds them; loaded, their captions are fitted to the font,
// and as made, every control stands where the window's constructor puts it.
struct EditorWindows {
    ScriptedDesktop desktop;
    ui::Form1 main{desktop};
    ui::Form2 about;
    ui::Form3 enemies{desktop, {main.cmdGetTs, main.txtEnTable1}};

    explicit EditorWindows(bool load = true) {
        if (load) {
            main.Load();
            about.Load();
            enemies.Load();
        }
    }
    toolkit::Window& Named(const QString& name) {
        if (name == "Form2") {
            return about;
        }
        return name == "Form3" ? static_cast<toolkit::Window&>(enemies) : main;
    }
};

bool IsOpaque(const QWidget* control) {
    return qobject_cast<const QLabel*>(control) == nullptr;
}

// Where a label's caption shows, as the label itself measures it: one line at its natural
// size, or wrapped within the label's width.
QRect CaptionArea(const QWidget& label) {
    const auto* widget = qobject_cast<const QLabel*>(&label);
    const QRect box = widget->geometry();
    if (widget->wordWrap()) {
        return QRect(box.topLeft(), QSize(box.width(), widget->heightForWidth(box.width())));
    }
    return QRect(box.topLeft(), widget->sizeHint());
}

// What a control covers of its container: an opaque control all of its box, a label only
// its caption.
QRect Covered(const QWidget& control) {
    return IsOpaque(&control) ? control.geometry() : CaptionArea(control);
}

void AddWindowRows() {
    QTest::addColumn<QString>("window");
    for (const char* window : {"Form1", "Form2", "Form3"}) {
        QTest::newRow(window) << QString::fromLatin1(window);
    }
}

}  // namespace

class LayoutTest : public QObject {
    Q_OBJECT

  private slots:
    // Each control's widget stands where the layout puts it, in its container's widget, and
    // inside it. A label keeps its place and height; its width follows its caption.
    void controlsAtTheirPlaces_data() { AddWindowRows(); }
    void controlsAtTheirPlaces() {
        QFETCH(QString, window);
        EditorWindows windows;
        EditorWindows asMade(false);
        const std::vector<QWidget*> loaded = windows.Named(window).Controls();
        const std::vector<QWidget*> made = asMade.Named(window).Controls();
        QCOMPARE(loaded.size(), made.size());
        for (std::size_t i = 0; i < loaded.size(); ++i) {
            const QWidget* widget = loaded[i];
            const QRect place = made[i]->geometry();
            const QByteArray name = widget->objectName().toUtf8();
            QCOMPARE(widget->objectName(), made[i]->objectName());
            QVERIFY2(widget->parentWidget()->rect().contains(place), name);
            QVERIFY2(widget->parentWidget()->rect().contains(widget->geometry()), name);
            QCOMPARE(widget->pos(), place.topLeft());
            QCOMPARE(widget->height(), place.height());
            if (IsOpaque(widget)) {
                QCOMPARE(widget->width(), place.width());
            }
        }
    }

    // No control hides another: opaque controls never overlap, and no caption runs under an
    // opaque control. Captions may share room with other labels' empty parts.
    void nothingCovered_data() { AddWindowRows(); }
    void nothingCovered() {
        QFETCH(QString, window);
        EditorWindows windows;
        const std::vector<QWidget*> controls = windows.Named(window).Controls();
        for (const QWidget* a : controls) {
            for (const QWidget* b : controls) {
                if (a == b || a->parentWidget() != b->parentWidget() || !IsOpaque(b)) {
                    continue;
                }
                QVERIFY2(!Covered(*a).intersects(b->geometry()),
                         qPrintable(a->objectName() + " covers " + b->objectName()));
            }
        }
    }

    // Every caption shows whole within its label; a wrapped one breaks only between words.
    void captionsWhole_data() { AddWindowRows(); }
    void captionsWhole() {
        QFETCH(QString, window);
        EditorWindows windows;
        for (const QWidget* control : windows.Named(window).Controls()) {
            const auto* label = qobject_cast<const QLabel*>(control);
            if (label == nullptr) {
                continue;
            }
            const QByteArray name = control->objectName().toUtf8();
            QVERIFY2(label->geometry().contains(CaptionArea(*control)), name);
            // A wrapped label's narrowest width is that of its longest word.
            QVERIFY2(!label->wordWrap() || label->minimumSizeHint().width() <= label->width(),
                     name);
        }
    }

    // Screen readers hear each window as a window and every control by name: a captioned one
    // by its caption (to which it is also related), a button by its text, a frame by its title.
    void namedForScreenReaders_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("control");
        EditorWindows windows;
        for (const QString window : {"Form1", "Form2", "Form3"}) {
            for (const QWidget* control : windows.Named(window).Controls()) {
                const QString name = control->objectName();
                QTest::newRow(qPrintable(window + "/" + name)) << window << name;
            }
        }
    }
    void namedForScreenReaders() {
        QFETCH(QString, window);
        QFETCH(QString, control);
        EditorWindows windows;
        QWidget* top = &windows.Named(window);
        QCOMPARE(QAccessible::queryAccessibleInterface(top)->role(), QAccessible::Window);
        QWidget* widget = &ControlNamed(windows.Named(window), control);
        const QString name = QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
        const auto captions = QAccessible::queryAccessibleInterface(widget)->relations();
        for (QLabel* label : top->findChildren<QLabel*>()) {
            if (label->buddy() == widget) {
                QVERIFY(std::count(captions.begin(), captions.end(),
                                   qMakePair(QAccessible::queryAccessibleInterface(label),
                                             QAccessible::Relation(QAccessible::Label))) == 1);
                QCOMPARE(name, label->text());
            }
        }
        const char* own = widget->inherits("QGroupBox") ? "title" : "text";  // a button's caption
        QVERIFY((!widget->inherits("QAbstractButton") && !widget->inherits("QGroupBox")) ||
                widget->property(own).toString().isEmpty() || name == widget->property(own));
        // Named on purpose, not by its value: a caption, a name given, or a button's text.
        QVERIFY(widget->inherits("QLabel") || !widget->accessibleName().isEmpty() ||
                (widget->inherits("QPushButton") && !name.isEmpty()));
    }

    // Each label stands on the row of the control it names, to its left; "X:", "Y:" and
    // "Offset after Switch:" stand above theirs.
    void captionsBesideTheirControls_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("control");
        QTest::addColumn<bool>("above");
        const auto row = [](const char* window, const char* label, const char* control,
                            bool above = false) {
            QTest::newRow(control) << window << label << control << above;
        };
        row("Form1", "Label3", "cboRoom");
        row("Form1", "lblTileset", "cboTileset");
        row("Form1", "lblBG0", "chkBG0");
        row("Form1", "lblBG1", "chkBG1");
        row("Form1", "lblBG2", "chkBG2");
        row("Form1", "lblBG3", "chkBG3");
        row("Form1", "lblForeground", "txtForeground");
        row("Form1", "lblBackground", "txtBG");
        row("Form1", "lblTiledata", "txtTileData");
        row("Form1", "lblClipdata", "txtClipdata");
        row("Form1", "Label2", "cboMX", true);
        row("Form1", "Label5", "cboMY", true);
        row("Form1", "lblTide", "cboTide");
        row("Form1", "lblBehavior", "cboBehavior");
        row("Form1", "lblMusic", "cboMusic");
        row("Form1", "Label4", "cboSwitch");
        row("Form1", "Label6", "cboEn1");
        row("Form1", "Label7", "txtEnTable1");
        row("Form1", "Label8", "cboEn2");
        row("Form1", "Label9", "txtEnTable2");
        row("Form1", "Label10", "txtEnTable3", true);
        row("Form3", "Label1", "cboX");
        row("Form3", "Label2", "cboY");
        row("Form3", "Label3", "cboEnemy");
    }
    void captionsBesideTheirControls() {
        QFETCH(QString, window);
        QFETCH(QString, label);
        QFETCH(QString, control);
        QFETCH(bool, above);
        EditorWindows windows;
        const QWidget& caption = ControlNamed(windows.Named(window), label);
        const QWidget& named = ControlNamed(windows.Named(window), control);
        QCOMPARE(caption.parentWidget(), named.parentWidget());
        const QRect text = CaptionArea(caption);
        const QRect box = named.geometry();
        if (above) {
            QVERIFY(text.bottom() < box.top());
            QVERIFY(text.left() >= box.left() && text.left() <= box.right());
        } else {
            QVERIFY(text.right() < box.left());
            QVERIFY(text.top() <= box.bottom() && text.bottom() >= box.top());
        }
    }
};

}  // namespace vorn::test

QTEST_MAIN(vorn::test::LayoutTest)
#include "layout_test.moc"
