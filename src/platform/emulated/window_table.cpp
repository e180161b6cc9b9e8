#include "platform/emulated/window_table.h"

#include <cstdint>
#include <map>

#include "platform/emulated/hotkeys.h"
#include "platform/user32.h"

namespace os::emu {

namespace {
// The tables of the emulated desktop are never destroyed. A process can end from inside a library
// (Qt calls exit() when the X server goes) while windows are still open; destructors run then, in
// an order nobody chose, would touch tables already gone. The process's end frees them.
std::map<Hwnd, WindowEntry>& Table() {
    static auto* table = new std::map<Hwnd, WindowEntry>;
    return *table;
}
std::uintptr_t nextHandle = 0x10000;
}  // namespace

Hwnd AddWindow(NativeWindowEvents& events, EmulatedWindow& window, LONG_PTR exStyle) {
    nextHandle += 0x10;  // never reused, so a stale handle finds nothing
    const auto handle = reinterpret_cast<Hwnd>(nextHandle);
    Table()[handle] = WindowEntry{&FormWindowProc, exStyle, &events, &window};
    return handle;
}

void RemoveWindow(Hwnd handle) {
    Table().erase(handle);
}

WindowEntry* FindWindow(Hwnd handle) {
    auto it = Table().find(handle);
    return it == Table().end() ? nullptr : &it->second;
}

std::vector<Hwnd> AllWindows() {
    std::vector<Hwnd> handles;
    for (const auto& [handle, entry] : Table()) handles.push_back(handle);
    return handles;
}

LRESULT FormWindowProc(Hwnd window, unsigned message, WPARAM wParam, LPARAM lParam) {
    WindowEntry* entry = FindWindow(window);
    if (!entry) return 0;
    switch (message) {
    case WM_CLOSE:
        entry->events->OnCloseRequest(CloseReason::User);
        return 0;
    case WM_QUERYENDSESSION:
        entry->events->OnCloseRequest(CloseReason::SessionEnd);
        return 1;  // never hold up the end of the session
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
        entry->events->OnMouse(message, wParam, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return 0;
    default:
        return 0;
    }
}

void EndSession() {
    for (Hwnd handle : AllWindows()) {
        if (FindWindow(handle)) SendMessageA(handle, WM_QUERYENDSESSION, 0, 0);
    }
}

}  // namespace os::emu
