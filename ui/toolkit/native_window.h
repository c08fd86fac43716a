// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>

class QWindow;

namespace vorn::toolkit {

// Whether the window system destroyed the window behind the program's back (on X11 any
// client may); false for a hidden or minimised window, and where that cannot happen.
bool NativeWindowDestroyed(const QWindow& window);

// The bits of QKeyEvent::nativeModifiers that make a key a command: on X11 every modifier but
// Shift, Lock and those whose keys lock or choose a level or group (Num Lock, AltGr), so that
// Hyper counts wherever the keyboard map puts it, also where Qt sees no modifier at all; 0
// elsewhere.
std::uint32_t CommandModifierBits();

}  // namespace vorn::toolkit
