// Global hotkeys: shortcuts bound through the desktop portal on Wayland (portal_shortcuts.cpp),
// elsewhere a key grab on the root window for each combination, repeated with CapsLock, NumLock
// and both, so that a lock key does not break them.
#include <QAbstractEventDispatcher>
#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <X11/keysym.h>
#include <xcb/xcb_keysyms.h>

#include <cstdlib>
#include <map>
#include <utility>
#include <vector>

#include "platform/hotkey_bindings.h"
#include "platform/os_types.h"
#include "platform/qt/guard.h"
#include "platform/qt/key_grabs.h"
#include "platform/qt/virtual_keys.h"
#include "platform/qt/x11_hints.h"

namespace os {
namespace {

struct Grab {
    unsigned modifiers;   // MOD_ values
    unsigned virtualKey;
};

// (keycode, X modifier mask) -> the combination as the program registered it.
std::map<std::pair<xcb_keycode_t, uint16_t>, Grab> grabs;

uint16_t XModifiers(unsigned modifiers) {
    uint16_t mask = 0;
    if (modifiers & MOD_ALT) mask |= XCB_MOD_MASK_1;
    if (modifiers & MOD_CONTROL) mask |= XCB_MOD_MASK_CONTROL;
    if (modifiers & MOD_SHIFT) mask |= XCB_MOD_MASK_SHIFT;
    if (modifiers & MOD_WIN) mask |= XCB_MOD_MASK_4;
    return mask;
}

// The modifier bit that NumLock sets on this keyboard (usually Mod2).
uint16_t NumLockMask(xcb_connection_t* c, xcb_key_symbols_t* symbols) {
    uint16_t mask = 0;
    xcb_keycode_t* numLock = xcb_key_symbols_get_keycode(symbols, XK_Num_Lock);
    xcb_get_modifier_mapping_reply_t* mapping =
        xcb_get_modifier_mapping_reply(c, xcb_get_modifier_mapping(c), nullptr);
    if (numLock && mapping) {
        const xcb_keycode_t* codes = xcb_get_modifier_mapping_keycodes(mapping);
        for (int mod = 0; mod < 8 && !mask; ++mod) {
            for (int k = 0; k < mapping->keycodes_per_modifier; ++k) {
                const xcb_keycode_t code = codes[mod * mapping->keycodes_per_modifier + k];
                for (const xcb_keycode_t* n = numLock; *n != XCB_NO_SYMBOL; ++n) {
                    if (code != 0 && code == *n) mask = static_cast<uint16_t>(1u << mod);
                }
            }
        }
    }
    std::free(numLock);
    std::free(mapping);
    return mask ? mask : static_cast<uint16_t>(XCB_MOD_MASK_2);
}

struct Keyboard {
    xcb_connection_t* connection = nullptr;
    xcb_window_t root = XCB_WINDOW_NONE;
    xcb_keycode_t keycode = 0;
    std::vector<uint16_t> lockVariants;  // none, CapsLock, NumLock, both
};

// The key and the lock combinations to grab for a virtual key; keycode 0 when there is none. The
// keyboard's symbols and NumLock bit are read from the server once.
Keyboard Resolve(unsigned virtualKey) {
    static xcb_key_symbols_t* symbols = nullptr;
    static uint16_t numLock = 0;
    Keyboard k;
    k.connection = qt::XConnection();
    const uint32_t keysym = qt::KeysymOfVirtualKey(virtualKey);
    if (!k.connection || !keysym) return k;
    if (!symbols) {
        symbols = xcb_key_symbols_alloc(k.connection);
        numLock = NumLockMask(k.connection, symbols);
    }
    k.root = qt::XRootWindow();
    xcb_keycode_t* codes = xcb_key_symbols_get_keycode(symbols, keysym);
    if (codes && codes[0] != XCB_NO_SYMBOL) k.keycode = codes[0];
    k.lockVariants = {0, XCB_MOD_MASK_LOCK, numLock, static_cast<uint16_t>(XCB_MOD_MASK_LOCK | numLock)};
    std::free(codes);
    return k;
}

class HotKeyFilter final : public QAbstractNativeEventFilter {
public:
    bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override {
        if (type != "xcb_generic_event_t") return false;
        auto* event = static_cast<xcb_generic_event_t*>(message);
        if ((event->response_type & 0x7F) != XCB_KEY_PRESS) return false;
        auto* press = static_cast<xcb_key_press_event_t*>(message);
        const uint16_t relevant = XCB_MOD_MASK_SHIFT | XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1 | XCB_MOD_MASK_4;
        auto it = grabs.find({press->detail, static_cast<uint16_t>(press->state & relevant)});
        if (it == grabs.end()) return false;
        qt::Guarded([&] { DeliverHotKey(it->second.modifiers, it->second.virtualKey); });
        return true;
    }
};

void InstallFilter() {
    static HotKeyFilter* filter = nullptr;
    if (!filter && QCoreApplication::instance()) {
        filter = new HotKeyFilter;
        QCoreApplication::instance()->installNativeEventFilter(filter);
    }
}

void Ungrab(const Keyboard& k, uint16_t mask, size_t variants) {
    for (size_t i = 0; i < variants; ++i) {
        xcb_ungrab_key(k.connection, k.keycode, k.root, static_cast<uint16_t>(mask | k.lockVariants[i]));
    }
}

}  // namespace

bool GrabHotKey(int id, unsigned modifiers, unsigned virtualKey) {
    // A code that names no key fails on every desktop, as on Windows.
    if (!qt::KeysymOfVirtualKey(virtualKey)) return false;
    return qt::PortalTakesHotKey(id, modifiers, virtualKey) || qt::GrabKeys(modifiers, virtualKey);
}

void ReleaseHotKey(int id, unsigned modifiers, unsigned virtualKey) {
    if (!qt::PortalDropsHotKey(id)) qt::UngrabKeys(modifiers, virtualKey);
}

bool qt::GrabKeys(unsigned modifiers, unsigned virtualKey) {
    const Keyboard k = Resolve(virtualKey);
    if (!k.keycode) return false;
    InstallFilter();
    const uint16_t mask = XModifiers(modifiers);
    // All four grabs go out together; their answers come back in one round trip.
    std::vector<xcb_void_cookie_t> cookies;
    for (uint16_t lock : k.lockVariants) {
        cookies.push_back(xcb_grab_key_checked(k.connection, 1, k.root, static_cast<uint16_t>(mask | lock), k.keycode,
                                               XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
    }
    bool refused = false;
    for (xcb_void_cookie_t cookie : cookies) {
        if (xcb_generic_error_t* error = xcb_request_check(k.connection, cookie)) {
            std::free(error);
            refused = true;
        }
    }
    if (refused) {
        // BadAccess: another program holds the combination. This hotkey stays inactive; a grab
        // that did go through is given back (ungrabbing one never held does nothing).
        Ungrab(k, mask, k.lockVariants.size());
        xcb_flush(k.connection);
        return false;
    }
    grabs[{k.keycode, mask}] = Grab{modifiers, virtualKey};
    return true;
}

void qt::UngrabKeys(unsigned modifiers, unsigned virtualKey) {
    const Keyboard k = Resolve(virtualKey);
    if (!k.keycode) return;
    const uint16_t mask = XModifiers(modifiers);
    Ungrab(k, mask, k.lockVariants.size());
    xcb_flush(k.connection);
    grabs.erase({k.keycode, mask});
}

}  // namespace os
