// Pop-up menus at the mouse cursor, as a tray icon opens them.
#include "platform/native_window.h"

#include <cstdlib>

#include "platform/win32/realisation.h"
#include "platform/win32/wide.h"

namespace os {

namespace {

// A menu that a tray icon opened, watched for the second press of the icon's double-click: it
// comes where the menu opened (the menu's corner lies under the icon), within the double-click
// time.
struct DoubleClickWatch {
    POINT at{};
    DWORD since = 0;
    bool taken = false;
};
DoubleClickWatch watch;

LRESULT CALLBACK TakeDoubleClick(int code, WPARAM wParam, LPARAM lParam) {
    const auto* message = reinterpret_cast<const MSG*>(lParam);
    if (code == MSGF_MENU && !watch.taken &&
        (message->message == WM_LBUTTONDOWN || message->message == WM_LBUTTONDBLCLK)) {
        const bool onTheSpot = std::abs(message->pt.x - watch.at.x) <= GetSystemMetrics(SM_CXDOUBLECLK) / 2 &&
                          std::abs(message->pt.y - watch.at.y) <= GetSystemMetrics(SM_CYDOUBLECLK) / 2;
        // Signed: a press queued before the menu came counts too.
        const bool inTime = static_cast<LONG>(message->time - watch.since) <= static_cast<LONG>(GetDoubleClickTime());
        if (onTheSpot && inTime) {
            watch.taken = true;
            EndMenu();
            return TRUE;  // the icon's press, not the menu's
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

int PopupMenuAtCursor(Hwnd owner, const std::vector<MenuItem>& items) {
    HMENU menu = CreatePopupMenu();
    if (!menu) return -1;
    // Command ids start at 1: TrackPopupMenu returns 0 for a dismissed menu.
    for (size_t i = 0; i < items.size(); ++i) {
        if (items[i].caption == "-") {
            AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        } else {
            AppendMenuW(menu, MF_STRING, i + 1, win32::Wide(items[i].caption).c_str());
        }
    }
    HWND window = reinterpret_cast<HWND>(owner);
    POINT cursor{};
    GetCursorPos(&cursor);

    const UINT trayMouse = win32::TrayMouseMessage();
    HHOOK hook = nullptr;
    if (trayMouse) {
        win32::SetTrayMenuUp(true);
        // Only a left release can be the first half of a double-click.
        if (trayMouse == WM_LBUTTONUP) {
            watch = {cursor, GetTickCount(), false};
            hook = SetWindowsHookExW(WH_MSGFILTER, TakeDoubleClick, nullptr, GetCurrentThreadId());
        }
    }
    // The menu closes on a click elsewhere only while its owner is the foreground window, and the
    // owner of a tray icon's menu is a hidden window that never became it by itself.
    SetForegroundWindow(window);
    // Left edge at the cursor; only the left button chooses; the choice comes back here instead
    // of as a WM_COMMAND the owner would not know.
    const BOOL chosen = TrackPopupMenuEx(menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON | TPM_RETURNCMD, cursor.x,
                                         cursor.y, window, nullptr);
    // The owner must handle a message before its menu can open again: without it the next click
    // on the icon opens a menu that vanishes at once.
    PostMessageW(window, WM_NULL, 0, 0);
    DestroyMenu(menu);
    if (trayMouse) win32::SetTrayMenuUp(false);
    if (hook) {
        UnhookWindowsHookEx(hook);
        if (watch.taken) win32::TrayMenuTookDoubleClick();
    }
    return chosen > 0 && static_cast<size_t>(chosen) <= items.size() ? chosen - 1 : -1;
}

}  // namespace os
