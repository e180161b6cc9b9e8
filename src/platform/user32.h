// The window-manager services the program calls by their Windows names. Each realisation defines
// them: win32 forwards to user32, qt maps them onto Qt and X11, headless records them.
// None of them throws; a failure is a zero result, as on Windows.
#pragma once

#include "platform/os_types.h"

namespace os {

// GWL_EXSTYLE replaces the extended style and returns the previous one.
LONG_PTR SetWindowLongA(Hwnd window, int index, LONG_PTR value);
LONG_PTR GetWindowLongA(Hwnd window, int index);
LRESULT SendMessageA(Hwnd window, unsigned message, WPARAM wParam, LPARAM lParam);

int SetWindowPos(Hwnd window, Hwnd insertAfter, int x, int y, int cx, int cy, unsigned flags);
int SetLayeredWindowAttributes(Hwnd window, COLORREF key, unsigned char alpha, unsigned flags);

// The colour of a system colour index (COLOR_BTNFACE 15, COLOR_BTNTEXT 18, ...) on this desktop;
// 0 for an index that names none.
COLORREF GetSysColor(int index);

// A colour as drawn: a system colour 0x800000nn becomes the desktop's colour for index nn.
inline COLORREF ResolveColor(COLORREF color) {
    return (color & 0xFFFFFF00u) == 0x80000000u ? GetSysColor(static_cast<int>(color & 0xFF)) : color & 0xFFFFFFu;
}

}  // namespace os
