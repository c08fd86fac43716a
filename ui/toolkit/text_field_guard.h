// SPDX-License-Identifier: MIT
#pragma once

#include <functional>

class QLineEdit;
class QObject;
class QString;

namespace vorn::toolkit {

// Keeps input a person did not mean out of a text field (a text box, a drop-down's field):
// - a key with a modifier other than Shift and the AltGr levels never types: Alt+F is the
//   File menu, not an "f";
// - the blanks around a pasted or dropped text do not count (a line copied from a terminal
//   pastes without its line end);
// - a paste that does not fit the field's maximum length is refused whole, however it comes
//   (keys, middle button, context menu), and `refused` is told; a drop that would not fit is
//   refused from the drag's entry, so that its source keeps the text.
// Returns the guard, an event filter the field owns, for a widget that forwards key events
// to the field to install as well.
QObject* GuardTextField(QLineEdit* field, std::function<void(const QString& pasted)> refused);

}  // namespace vorn::toolkit
