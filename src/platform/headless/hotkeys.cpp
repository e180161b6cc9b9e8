// Global hotkeys on the in-memory desktop: a test presses them, and may have another program hold
// a combination first.
#include "platform/hotkey_bindings.h"
#include "platform/headless/desktop.h"
#include "platform/headless/headless.h"

namespace headless {

bool PressHotKey(unsigned modifiers, unsigned virtualKey) {
    bool delivered = false;
    if (D().grabbed.count({modifiers, virtualKey})) {
        Run([&] { delivered = os::DeliverHotKey(modifiers, virtualKey); });
    }
    return delivered;
}

void FireHotkey(int id) {
    Run([&] { os::RunHotkeyHandler(id); });
}

void HoldHotKeyElsewhere(unsigned modifiers, unsigned virtualKey) {
    D().heldElsewhere.insert({modifiers, virtualKey});
}

}  // namespace headless

namespace os {

bool GrabHotKey(int, unsigned modifiers, unsigned virtualKey) {
    if (headless::D().heldElsewhere.count({modifiers, virtualKey})) return false;
    headless::D().grabbed.insert({modifiers, virtualKey});
    return true;
}

void ReleaseHotKey(int, unsigned modifiers, unsigned virtualKey) {
    headless::D().grabbed.erase({modifiers, virtualKey});
}

}  // namespace os
