// SPDX-License-Identifier: MIT
#pragma once

class QWindow;

namespace vorn::toolkit {

// Whether the window system has destroyed the window's native window behind the program's
// back: on X11 any client may destroy any window. False where that cannot happen, and for a
// window that is merely hidden or minimised.
bool NativeWindowDestroyed(const QWindow& window);

}  // namespace vorn::toolkit
