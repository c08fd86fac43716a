// SPDX-License-Identifier: MIT
#pragma once

#include <functional>

class QLineEdit;
class QObject;
class QString;

namespace vorn::toolkit {

// The keyboard and clipboard rules of every text field of the windows (text boxes and the
// drop-downs' fields), so that input a person did not mean never reaches the ROM:
// - a key pressed with Alt or Meta never inserts text: Alt+F is the File menu, not an "f"
//   (AltGr, which types characters on many keyboards, is not Alt);
// - a paste that does not fit the field's maximum length is refused whole, whichever way it
//   comes (Ctrl+V, Shift+Insert, the middle button, the context menu, a drop), and
//   `refused` is told what was pasted. Typing stays limited by the field as before.
// Returns the guard, an event filter owned by the field, for a widget that forwards its key
// events to the field (a drop-down) to install as well.
QObject* GuardTextField(QLineEdit* field, std::function<void(const QString& pasted)> refused);

}  // namespace vorn::toolkit
