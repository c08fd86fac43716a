// SPDX-License-Identifier: MIT
#pragma once

// Drives the windows' controls the way a person does, with real key and mouse events on the
// real widgets, for window tests on the offscreen platform.

#include <QWidget>

#include <string>

namespace vorn::toolkit {
class ComboBox;
class ListBox;
class TextBox;
class Button;
class Window;
}  // namespace vorn::toolkit

namespace vorn::test {

// Selects all of the text field's text and types `text` over it, key by key.
void TypeInto(toolkit::ComboBox& combo, const std::string& text);
void TypeInto(toolkit::TextBox& box, const std::string& text);
// Types at the end of what the field holds, without selecting first.
void AppendTo(toolkit::TextBox& box, const std::string& text);
// Opens the drop-down's list and clicks the item at `position` with the mouse.
void PickWithMouse(toolkit::ComboBox& combo, int position);
// Presses Down (or Up) in the closed drop-down, as a person steps through the values.
void PressDown(toolkit::ComboBox& combo);
void PressUp(toolkit::ComboBox& combo);
// Turns the mouse wheel by `notches` (negative: towards the user) with the pointer over the
// drop-down's text field, whether or not it has the focus.
void TurnWheel(toolkit::ComboBox& combo, int notches);
// Clicks the list box's item at `position` with the mouse.
void ClickItem(toolkit::ListBox& list, int position);
// Presses a key (Qt::Key) in the list box, e.g. Qt::Key_Down.
void PressKey(toolkit::ListBox& list, int key);
// Clicks the button with the mouse.
void Click(toolkit::Button& button);
// A control of the window by its name, cast to its kind; fails the test when there is none.
QWidget& ControlNamed(toolkit::Window& window, const QString& name);
template <class Kind>
Kind& Named(toolkit::Window& window, const QString& name) {
    return dynamic_cast<Kind&>(ControlNamed(window, name));
}
// A control's name, as the windows name it.
inline std::string NameOf(const QWidget& control) {
    return control.objectName().toStdString();
}
// Deletes windows that were unloaded from inside their own events.
void FlushUnloadedWindows();

}  // namespace vorn::test
