// user32 on a window table: the calls act on the emulated window behind the handle.
#include "platform/user32.h"

#include <map>
#include <utility>

#include "platform/emulated/hotkeys.h"
#include "platform/emulated/window_table.h"

namespace os {

namespace {
struct HotKey {
    unsigned modifiers;
    unsigned virtualKey;
};
// (window, id) -> combination, as Windows keeps them. Never destroyed: when the desktop ends the
// process (Qt exits when the X server goes), windows held in statics are destroyed after any
// static made later, and still give back their hotkeys.
std::map<std::pair<Hwnd, int>, HotKey>& HotKeys() {
    static auto* hotKeys = new std::map<std::pair<Hwnd, int>, HotKey>;
    return *hotKeys;
}
bool Held(unsigned modifiers, unsigned virtualKey) {
    for (const auto& [key, hotKey] : HotKeys()) {
        if (hotKey.modifiers == modifiers && hotKey.virtualKey == virtualKey) return true;
    }
    return false;
}
}  // namespace

int RegisterHotKey(Hwnd window, int id, unsigned modifiers, unsigned virtualKey) {
    if (!emu::FindWindow(window) || HotKeys().count({window, id}) || Held(modifiers, virtualKey)) return 0;
    if (!emu::GrabHotKey(id, modifiers, virtualKey)) return 0;
    HotKeys()[{window, id}] = HotKey{modifiers, virtualKey};
    return 1;
}

int UnregisterHotKey(Hwnd window, int id) {
    auto it = HotKeys().find({window, id});
    if (it == HotKeys().end()) return 0;
    const HotKey hotKey = it->second;
    HotKeys().erase(it);
    emu::ReleaseHotKey(id, hotKey.modifiers, hotKey.virtualKey);
    return 1;
}

bool emu::DeliverHotKey(unsigned modifiers, unsigned virtualKey) {
    for (const auto& [key, hotKey] : HotKeys()) {
        if (hotKey.modifiers == modifiers && hotKey.virtualKey == virtualKey) {
            const auto [window, id] = key;  // copied: the handler may re-register hotkeys
            const auto lParam = static_cast<LPARAM>(modifiers | (virtualKey << 16));
            SendMessageA(window, WM_HOTKEY, static_cast<WPARAM>(id), lParam);
            return true;
        }
    }
    return false;
}

void emu::UnregisterWindowHotKeys(Hwnd window) {
    for (auto it = HotKeys().begin(); it != HotKeys().end();) {
        if (it->first.first == window) {
            emu::ReleaseHotKey(it->first.second, it->second.modifiers, it->second.virtualKey);
            it = HotKeys().erase(it);
        } else {
            ++it;
        }
    }
}

LONG_PTR SetWindowLongA(Hwnd window, int index, LONG_PTR value) {
    emu::WindowEntry* entry = emu::FindWindow(window);
    if (!entry) return 0;
    if (index == GWL_WNDPROC) {
        return reinterpret_cast<LONG_PTR>(std::exchange(entry->proc, reinterpret_cast<WNDPROC>(value)));
    }
    if (index == GWL_EXSTYLE) {
        const LONG_PTR previous = std::exchange(entry->exStyle, value);
        entry->window->ApplyExStyle(value);
        return previous;
    }
    return 0;
}

LONG_PTR GetWindowLongA(Hwnd window, int index) {
    emu::WindowEntry* entry = emu::FindWindow(window);
    if (!entry) return 0;
    if (index == GWL_WNDPROC) return reinterpret_cast<LONG_PTR>(entry->proc);
    if (index == GWL_EXSTYLE) return entry->exStyle;
    return 0;
}

LRESULT CallWindowProcA(WNDPROC previous, Hwnd window, unsigned message, WPARAM wParam, LPARAM lParam) {
    return previous ? previous(window, message, wParam, lParam) : 0;
}

LRESULT SendMessageA(Hwnd window, unsigned message, WPARAM wParam, LPARAM lParam) {
    emu::WindowEntry* entry = emu::FindWindow(window);
    return entry ? entry->proc(window, message, wParam, lParam) : 0;
}

int SetWindowPos(Hwnd window, Hwnd insertAfter, int, int, int, int, unsigned flags) {
    emu::WindowEntry* entry = emu::FindWindow(window);
    // Only what the program asks for: into the topmost band, keeping size and place.
    if (!entry || insertAfter != HWND_TOPMOST || (flags & (SWP_NOMOVE | SWP_NOSIZE)) != (SWP_NOMOVE | SWP_NOSIZE)) {
        return 0;
    }
    entry->window->ApplyTopmost();
    return 1;
}

int SetLayeredWindowAttributes(Hwnd window, COLORREF, unsigned char alpha, unsigned flags) {
    emu::WindowEntry* entry = emu::FindWindow(window);
    if (!entry || !(entry->exStyle & WS_EX_LAYERED) || !(flags & LWA_ALPHA)) return 0;
    entry->window->ApplyOpacity(alpha);
    return 1;
}

}  // namespace os
