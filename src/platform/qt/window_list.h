// The program's windows on Qt, by handle: forms, their children, and the hidden windows that are
// only a handle. A handle names one window and is never used again.
#pragma once

#include "platform/native_window.h"

namespace os::qt {

Hwnd AddWindow(NativeWindowEvents& events);
void RemoveWindow(Hwnd handle);
// What hears of what happens to the window; null when the handle names none now.
NativeWindowEvents* WindowEvents(Hwnd handle);

// The session is ending: every window is asked to close, as Windows asks at log-off.
void EndSession();

}  // namespace os::qt
