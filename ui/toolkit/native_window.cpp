// SPDX-License-Identifier: MIT
#include "ui/toolkit/native_window.h"

#include <QGuiApplication>
#include <QWindow>

#ifdef VORN_HAVE_XCB
#include <xcb/xcb.h>

#include <cstdlib>
#endif

namespace vorn::toolkit {

bool NativeWindowDestroyed(const QWindow& window) {
#ifdef VORN_HAVE_XCB
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (QGuiApplication::platformName() != QLatin1String("xcb") || x11 == nullptr ||
        x11->connection() == nullptr || window.handle() == nullptr) {
        return false;
    }
    xcb_connection_t* connection = x11->connection();
    const auto id = static_cast<xcb_window_t>(window.winId());
    xcb_generic_error_t* error = nullptr;
    xcb_get_window_attributes_reply_t* reply = xcb_get_window_attributes_reply(
        connection, xcb_get_window_attributes(connection, id), &error);
    const bool destroyed = reply == nullptr && error != nullptr && error->error_code == XCB_WINDOW;
    std::free(reply);
    std::free(error);
    return destroyed;
#else
    static_cast<void>(window);
    return false;
#endif
}

}  // namespace vorn::toolkit
