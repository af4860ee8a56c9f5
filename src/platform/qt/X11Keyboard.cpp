#include "platform/qt/X11Keyboard.h"

#include <QGuiApplication>

#ifdef KLEPSYDRA_HAVE_XCB
#include <QtGui/qguiapplication_platform.h>
#include <xcb/xcb.h>

#include <cstdlib>
#endif

namespace kl {

namespace {

constexpr qint64 kAskEveryMs = 15;

#ifdef KLEPSYDRA_HAVE_XCB
xcb_connection_t* xConnection() {
    auto* app = qGuiApp;
    if (!app) return nullptr;
    auto* x11 = app->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

// The key codes that carry either symbol in the server's keyboard mapping.
std::vector<unsigned char> keycodesOf(xcb_connection_t* c, unsigned lower, unsigned upper) {
    std::vector<unsigned char> codes;
    const xcb_setup_t* setup = xcb_get_setup(c);
    const int first = setup->min_keycode, count = setup->max_keycode - setup->min_keycode + 1;
    xcb_get_keyboard_mapping_reply_t* reply = xcb_get_keyboard_mapping_reply(
        c, xcb_get_keyboard_mapping(c, setup->min_keycode, static_cast<uint8_t>(count)), nullptr);
    if (!reply) return codes;
    const xcb_keysym_t* symbols = xcb_get_keyboard_mapping_keysyms(reply);
    const int perCode = reply->keysyms_per_keycode;
    const int total = xcb_get_keyboard_mapping_keysyms_length(reply);
    for (int k = 0; k < count && (k + 1) * perCode <= total; ++k)
        for (int j = 0; j < perCode; ++j)
            if (symbols[k * perCode + j] == lower || symbols[k * perCode + j] == upper) {
                codes.push_back(static_cast<unsigned char>(first + k));
                break;
            }
    std::free(reply);
    return codes;
}
#endif

} // namespace

X11KeyState::X11KeyState(unsigned lower, unsigned upper) : lower_(lower), upper_(upper) {}

std::optional<bool> X11KeyState::held() {
#ifdef KLEPSYDRA_HAVE_XCB
    xcb_connection_t* c = xConnection();
    if (!c) return std::nullopt;
    if (!looked_) {
        looked_ = true;
        keycodes_ = keycodesOf(c, lower_, upper_);
    }
    if (keycodes_.empty()) return std::nullopt;
    if (sinceAsked_.isValid() && sinceAsked_.elapsed() < kAskEveryMs) return last_;
    sinceAsked_.start();
    last_ = ask();
    return last_;
#else
    return std::nullopt;
#endif
}

bool X11KeyState::ask() {
#ifdef KLEPSYDRA_HAVE_XCB
    xcb_connection_t* c = xConnection();
    xcb_query_keymap_reply_t* reply = xcb_query_keymap_reply(c, xcb_query_keymap(c), nullptr);
    if (!reply) return false;
    bool down = false;
    for (unsigned char code : keycodes_)
        down = down || (reply->keys[code / 8] & (1u << (code % 8))) != 0;
    std::free(reply);
    return down;
#else
    return false;
#endif
}

} // namespace kl
