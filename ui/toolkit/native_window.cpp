// SPDX-License-Identifier: MIT
#include <QGuiApplication>
#include <QWindow>

#include "ui/toolkit/window.h"

#ifdef VORN_HAVE_XCB
#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>
#endif

namespace vorn::toolkit {

#ifdef VORN_HAVE_XCB
namespace {

xcb_connection_t* X11Connection() {
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    const bool onX11 = QGuiApplication::platformName() == QLatin1String("xcb") && x11 != nullptr;
    return onX11 ? x11->connection() : nullptr;
}

// xcb's replies are malloc'ed.
struct FreeReply {
    void operator()(void* reply) const { std::free(reply); }
};
template <class Reply>
using ReplyPtr = std::unique_ptr<Reply, FreeReply>;

// Key symbols that lock or pick a level or group: the Shift keys, Caps, Shift, Num and Scroll
// Lock, Mode_switch, and the ISO keys from ISO_Lock to ISO_Level5_Lock.
bool ChoosesCharacters(xcb_keysym_t s) {
    return s == 0xFFE1 || s == 0xFFE2 || s == 0xFFE5 || s == 0xFFE6 || s == 0xFF7F || s == 0xFF14 ||
           s == 0xFF7E || (s >= 0xFE01 && s <= 0xFE13);
}

}  // namespace
#endif

bool NativeWindowDestroyed(const QWindow& window) {
#ifdef VORN_HAVE_XCB
    xcb_connection_t* connection = X11Connection();
    if (connection == nullptr || window.handle() == nullptr) {
        return false;
    }
    xcb_generic_error_t* error = nullptr;
    const ReplyPtr<xcb_get_window_attributes_reply_t> reply(xcb_get_window_attributes_reply(
        connection,
        xcb_get_window_attributes(connection, static_cast<xcb_window_t>(window.winId())), &error));
    const ReplyPtr<xcb_generic_error_t> failure(error);
    return reply == nullptr && failure != nullptr && failure->error_code == XCB_WINDOW;
#else
    static_cast<void>(window);
    return false;
#endif
}

std::uint32_t CommandModifierBits() {
#ifdef VORN_HAVE_XCB
    // Asked anew for each key: the keyboard map can change at any time (xmodmap).
    xcb_connection_t* connection = X11Connection();
    if (connection == nullptr) {
        return 0;
    }
    const xcb_keycode_t first = xcb_get_setup(connection)->min_keycode;
    const int codes = xcb_get_setup(connection)->max_keycode - first + 1;
    const ReplyPtr<xcb_get_modifier_mapping_reply_t> modifiers(
        xcb_get_modifier_mapping_reply(connection, xcb_get_modifier_mapping(connection), nullptr));
    const ReplyPtr<xcb_get_keyboard_mapping_reply_t> keyboard(xcb_get_keyboard_mapping_reply(
        connection, xcb_get_keyboard_mapping(connection, first, static_cast<std::uint8_t>(codes)),
        nullptr));
    if (modifiers == nullptr || keyboard == nullptr) {
        return 0;
    }
    const xcb_keycode_t* keys = xcb_get_modifier_mapping_keycodes(modifiers.get());
    const xcb_keysym_t* symbols = xcb_get_keyboard_mapping_keysyms(keyboard.get());
    const int perModifier = modifiers->keycodes_per_modifier;
    const int perKey = keyboard->keysyms_per_keycode;
    // Bit i of the state is modifier i: Shift, Lock, Control, Mod1 to Mod5. A key is what its
    // first symbol says (some maps put Hyper_L on a second level).
    std::uint32_t command = XCB_MOD_MASK_CONTROL;
    for (int modifier = 3; modifier < 8; ++modifier) {
        for (int k = 0; k < perModifier; ++k) {
            const int key = keys[modifier * perModifier + k] - first;
            if (key < 0 || key >= codes) {
                continue;
            }
            const xcb_keysym_t* level = symbols + key * perKey;
            const xcb_keysym_t* const end = level + perKey;
            while (level != end && *level == 0) {
                ++level;
            }
            if (level != end && !ChoosesCharacters(*level)) {
                command |= 1u << modifier;
            }
        }
    }
    return command;
#else
    return 0;
#endif
}

}  // namespace vorn::toolkit
