// Window handles and window procedures for the realisations that have no native ones (qt and
// headless): every form gets a handle whose procedure is the form layer's own, and SetWindowLongA
// and SendMessageA work on it as on Windows.
#pragma once

#include <vector>

#include "platform/native_window.h"

namespace os::emu {

// What an emulated window must carry out of the user32 calls made on its handle.
class EmulatedWindow : public NativeWindow {
public:
    virtual void ApplyTopmost() = 0;
    virtual void ApplyExStyle(LONG_PTR exStyle) = 0;
    virtual void ApplyOpacity(unsigned char alpha) = 0;
};

struct WindowEntry {
    WNDPROC proc = nullptr;
    LONG_PTR exStyle = 0;
    NativeWindowEvents* events = nullptr;
    EmulatedWindow* window = nullptr;
};

Hwnd AddWindow(NativeWindowEvents& events, EmulatedWindow& window, LONG_PTR exStyle);
void RemoveWindow(Hwnd handle);
WindowEntry* FindWindow(Hwnd handle);
std::vector<Hwnd> AllWindows();

// The form layer's window procedure: close requests and session end become unload requests.
LRESULT FormWindowProc(Hwnd window, unsigned message, WPARAM wParam, LPARAM lParam);

// The session is ending: every window is asked, as Windows asks with WM_QUERYENDSESSION.
void EndSession();

}  // namespace os::emu
