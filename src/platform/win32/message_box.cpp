// Messages in the system's message box.
#include "platform/app.h"

#include <windows.h>

#include <vector>

#include "platform/win32/wide.h"

namespace os {

namespace {

BOOL CALLBACK CollectEnabled(HWND window, LPARAM data) {
    auto& found = *reinterpret_cast<std::vector<HWND>*>(data);
    if (IsWindowVisible(window) && IsWindowEnabled(window)) found.push_back(window);
    return TRUE;
}

}  // namespace

void ShowMessage(const std::string& text, const std::string& title) {
    // Owned by the program's active window, which the box disables while it is up; the program's
    // other windows take no input meanwhile either.
    const HWND owner = GetActiveWindow();
    std::vector<HWND> others;
    EnumThreadWindows(GetCurrentThreadId(), CollectEnabled, reinterpret_cast<LPARAM>(&others));
    for (HWND window : others) {
        if (window != owner) EnableWindow(window, FALSE);
    }
    MessageBoxW(owner, win32::Wide(text).c_str(), win32::Wide(title).c_str(), MB_OK | (owner ? 0 : MB_TASKMODAL));
    for (HWND window : others) {
        if (window != owner && IsWindow(window)) EnableWindow(window, TRUE);
    }
}

}  // namespace os
