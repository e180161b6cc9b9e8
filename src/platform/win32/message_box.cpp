// Messages in the system's message box.
#include "platform/app.h"

#include <windows.h>

#include "platform/win32/wide.h"

namespace os {

namespace {

// The program's other windows are disabled while the box is up, and marked so: only those are
// enabled again.
constexpr wchar_t kHeldByMessage[] = L"LisotraHeldByMessage";

BOOL CALLBACK Hold(HWND window, LPARAM owner) {
    if (window != reinterpret_cast<HWND>(owner) && IsWindowVisible(window) && IsWindowEnabled(window)) {
        SetPropW(window, kHeldByMessage, reinterpret_cast<HANDLE>(1));
        EnableWindow(window, FALSE);
    }
    return TRUE;
}

BOOL CALLBACK Release(HWND window, LPARAM) {
    if (RemovePropW(window, kHeldByMessage)) EnableWindow(window, TRUE);
    return TRUE;
}

}  // namespace

void ShowMessage(const std::string& text, const std::string& title) {
    // Owned by the program's active window, which the box itself disables while it is up.
    const HWND owner = GetActiveWindow();
    EnumThreadWindows(GetCurrentThreadId(), Hold, reinterpret_cast<LPARAM>(owner));
    MessageBoxW(owner, win32::Wide(text).c_str(), win32::Wide(title).c_str(), MB_OK | (owner ? 0 : MB_TASKMODAL));
    EnumThreadWindows(GetCurrentThreadId(), Release, 0);
}

}  // namespace os
