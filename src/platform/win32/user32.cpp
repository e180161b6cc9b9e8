// The user32 calls of the program, forwarded to the real ones. The values are Windows' own, so a
// handle or flag passes through unchanged.
#include "platform/user32.h"

#include <windows.h>

namespace os {

namespace {
HWND Native(Hwnd window) { return reinterpret_cast<HWND>(window); }
}  // namespace

LONG_PTR SetWindowLongA(Hwnd window, int index, LONG_PTR value) { return ::SetWindowLongPtrA(Native(window), index, value); }

LONG_PTR GetWindowLongA(Hwnd window, int index) { return ::GetWindowLongPtrA(Native(window), index); }

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
