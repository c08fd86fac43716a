// SPDX-License-Identifier: MIT
#pragma once

#include <functional>

class QLineEdit;
class QObject;
class QString;

namespace vorn::toolkit {

// The keyboard and clipboard rules of every text field of the windows (text boxes and the
// drop-downs' fields), so that input a person did not mean never reaches the ROM:
// - a key pressed with any modifier but Shift and the AltGr levels (Ctrl, Alt, Meta, Super,
//   Hyper) never inserts text: Alt+F is the File menu, not an "f";
// - the blanks around a pasted or dropped text (space, tab, line ends) do not count: a line
//   copied from a terminal pastes without its line end;
// - a paste that does not fit the field's maximum length is refused whole, whichever way it
//   comes (Ctrl+V, Shift+Insert, the middle button, the context menu), and `refused` is told
//   what was pasted; a drop that would not fit is refused from the moment the drag enters
//   the field, so that the drag's source keeps its text. Typing stays limited by the field.
// Returns the guard, an event filter owned by the field, for a widget that forwards its key
// events to the field (a drop-down) to install as well.
QObject* GuardTextField(QLineEdit* field, std::function<void(const QString& pasted)> refused);

}  // namespace vorn::toolkit
