#include "platform/qt/window_list.h"

#include <cstdint>
#include <map>
#include <vector>

namespace os::qt {

namespace {
// The windows open now. The program's windows belong to its app, which is never torn down by the
// process's end (End and exit() end it at once), so nothing reaches this table after it is gone.
std::map<Hwnd, NativeWindowEvents*>& Windows() {
    static std::map<Hwnd, NativeWindowEvents*> windows;
    return windows;
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
