// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>

class QWindow;

namespace vorn::toolkit {

// Whether the window system has destroyed the window's native window behind the program's
// back: on X11 any client may destroy any window. False where that cannot happen, and for a
// window that is merely hidden or minimised.
bool NativeWindowDestroyed(const QWindow& window);

// The bits of a key event's native modifiers (QKeyEvent::nativeModifiers) that stand for a
// modifier making a key a command: on X11, every one of the eight modifiers but Shift, Lock
// and those whose keys only lock (Num Lock, Scroll Lock) or choose a level or group of the
// keyboard (AltGr, Mode_switch). So Hyper counts wherever the keyboard map puts it, also
// where Qt reports it as no modifier at all. 0 where there is no such information.
std::uint32_t CommandModifierBits();

}  // namespace vorn::toolkit
