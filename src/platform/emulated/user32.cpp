// user32 on a window table: the calls act on the emulated window behind the handle.
#include "platform/user32.h"

#include <utility>

#include "platform/emulated/window_table.h"

namespace os {

LONG_PTR SetWindowLongA(Hwnd window, int index, LONG_PTR value) {
    emu::WindowEntry* entry = emu::FindWindow(window);
    if (!entry) return 0;
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
    if (index == GWL_EXSTYLE) return entry->exStyle;
    return 0;
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
