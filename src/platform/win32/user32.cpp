// The user32 calls of the program, forwarded to the real ones. The values are Windows' own, so a
// handle or flag passes through unchanged.
#include "platform/user32.h"

#include <windows.h>

namespace os {

namespace {
HWND Native(Hwnd window) { return reinterpret_cast<HWND>(window); }

// The program's indices are the 32-bit ones; GWL_WNDPROC names the pointer-sized slot.
int NativeIndex(int index) { return index == GWL_WNDPROC ? GWLP_WNDPROC : index; }
}  // namespace

int RegisterHotKey(Hwnd window, int id, unsigned modifiers, unsigned virtualKey) {
    return ::RegisterHotKey(Native(window), id, modifiers, virtualKey) ? 1 : 0;
}

int UnregisterHotKey(Hwnd window, int id) { return ::UnregisterHotKey(Native(window), id) ? 1 : 0; }

LONG_PTR SetWindowLongA(Hwnd window, int index, LONG_PTR value) {
    return ::SetWindowLongPtrA(Native(window), NativeIndex(index), value);
}

LONG_PTR GetWindowLongA(Hwnd window, int index) { return ::GetWindowLongPtrA(Native(window), NativeIndex(index)); }

LRESULT CallWindowProcA(WNDPROC previous, Hwnd window, unsigned message, WPARAM wParam, LPARAM lParam) {
    // The previous procedure may be a handle that only CallWindowProcA understands (a procedure
    // of the other character set), never call it directly.
    return ::CallWindowProcA(reinterpret_cast<::WNDPROC>(previous), Native(window), message, wParam, lParam);
}

LRESULT SendMessageA(Hwnd window, unsigned message, WPARAM wParam, LPARAM lParam) {
    return ::SendMessageA(Native(window), message, wParam, lParam);
}

int SetWindowPos(Hwnd window, Hwnd insertAfter, int x, int y, int cx, int cy, unsigned flags) {
    return ::SetWindowPos(Native(window), Native(insertAfter), x, y, cx, cy, flags) ? 1 : 0;
}

int SetLayeredWindowAttributes(Hwnd window, COLORREF key, unsigned char alpha, unsigned flags) {
    return ::SetLayeredWindowAttributes(Native(window), key, alpha, flags) ? 1 : 0;
}

}  // namespace os
