#include "platform/qt/window_list.h"

#include <cstdint>
#include <map>
#include <vector>

namespace os::qt {

namespace {
// The realisation's tables are never destroyed. A process can end from inside a library (Qt calls
// exit() when the X server goes) while windows are still open; destructors run then, in an order
// nobody chose, would touch tables already gone. The process's end frees them.
std::map<Hwnd, NativeWindowEvents*>& Windows() {
    static auto* windows = new std::map<Hwnd, NativeWindowEvents*>;
    return *windows;
}
std::uintptr_t nextHandle = 0x10000;
}  // namespace

Hwnd AddWindow(NativeWindowEvents& events) {
    nextHandle += 0x10;  // never reused, so a stale handle finds nothing
    const auto handle = reinterpret_cast<Hwnd>(nextHandle);
    Windows()[handle] = &events;
    return handle;
}

void RemoveWindow(Hwnd handle) { Windows().erase(handle); }

NativeWindowEvents* WindowEvents(Hwnd handle) {
    const auto it = Windows().find(handle);
    return it == Windows().end() ? nullptr : it->second;
}

void EndSession() {
    std::vector<Hwnd> handles;
    for (const auto& [handle, events] : Windows()) handles.push_back(handle);
    // Each only while it still exists: an unload may take others with it.
    for (Hwnd handle : handles) {
        if (NativeWindowEvents* events = WindowEvents(handle)) events->OnCloseRequest(CloseReason::SessionEnd);
    }
}

}  // namespace os::qt
