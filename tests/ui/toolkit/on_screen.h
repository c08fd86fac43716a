// SPDX-License-Identifier: MIT
#pragma once

// Puts a test window on the (offscreen) screen as the active window, so that keyboard focus
// and Tab behave as they do for a person.

#include <QApplication>
#include <QtTest>

#include "ui/toolkit/window.h"

namespace vorn::test {

inline bool ShowActive(toolkit::Window& window) {
    window.Show();
    return QTest::qWaitForWindowActive(&window);
}

}  // namespace vorn::test
