// SPDX-License-Identifier: MIT
#include "tests/support/ui_driver.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QWheelEvent>
#include <QtTest>

#include "ui/toolkit/combo_box.h"
#include "ui/toolkit/controls.h"
#include "ui/toolkit/list_box.h"
#include "ui/toolkit/window.h"

namespace vorn::test {

namespace {

QComboBox* ComboOf(toolkit::ComboBox& combo) {
    return &combo;
}

void TypeIntoEdit(QLineEdit* edit, const std::string& text, bool replace) {
    edit->setFocus();
    if (replace) {
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        if (text.empty()) {
            QTest::keyClick(edit, Qt::Key_Delete);
        }
    } else {
        QTest::keyClick(edit, Qt::Key_End);
    }
    QTest::keyClicks(edit, QString::fromStdString(text));
}

}  // namespace

void TypeInto(toolkit::ComboBox& combo, const std::string& text) {
    TypeIntoEdit(ComboOf(combo)->lineEdit(), text, true);
}

void TypeInto(toolkit::TextBox& box, const std::string& text) {
    TypeIntoEdit(&box, text, true);
}

void AppendTo(toolkit::TextBox& box, const std::string& text) {
    TypeIntoEdit(&box, text, false);
}

void PickWithMouse(toolkit::ComboBox& combo, int position) {
    QComboBox* widget = ComboOf(combo);
    widget->showPopup();
    QAbstractItemView* view = widget->view();
    const QModelIndex index = view->model()->index(position, 0);
    view->scrollTo(index);
    const QPoint centre = view->visualRect(index).center();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, centre);
    if (widget->view()->isVisible()) {
        widget->hidePopup();
    }
}

void PressDown(toolkit::ComboBox& combo) {
    QTest::keyClick(ComboOf(combo), Qt::Key_Down);
}

void PressUp(toolkit::ComboBox& combo) {
    QTest::keyClick(ComboOf(combo), Qt::Key_Up);
}

void TurnWheel(toolkit::ComboBox& combo, int notches) {
    QLineEdit* field = ComboOf(combo)->lineEdit();
    const QPointF centre = QRectF(field->rect()).center();
    QWheelEvent notch(centre, field->mapToGlobal(centre), QPoint(), QPoint(0, 120 * notches),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    // As from the window system: an event the field ignores goes on to the drop-down itself.
    QSpontaneKeyEvent::setSpontaneous(&notch);
    QApplication::instance()->notify(field, &notch);
}

void ClickItem(toolkit::ListBox& list, int position) {
    auto* widget = &list;
    QListWidgetItem* item = widget->item(position);
    widget->scrollToItem(item);
    const QPoint centre = widget->visualItemRect(item).center();
    QTest::mouseClick(widget->viewport(), Qt::LeftButton, Qt::NoModifier, centre);
}

void PressKey(toolkit::ListBox& list, int key) {
    QTest::keyClick(&list, static_cast<Qt::Key>(key));
}

void Click(toolkit::Button& button) {
    QTest::mouseClick(&button, Qt::LeftButton);
}

QWidget& ControlNamed(toolkit::Window& window, const QString& name) {
    for (QWidget* control : window.Controls()) {
        if (control->objectName() == name) {
            return *control;
        }
    }
    qFatal("no control named %s", qPrintable(name));
}

void FlushUnloadedWindows() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

}  // namespace vorn::test
