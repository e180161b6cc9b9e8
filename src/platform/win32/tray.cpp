// The program's icon in the notification area, on the realisation's host window, which hears
// the icon's notifications (tray_notifications.cpp) and the taskbar starting again. The icon the
// program shows is kept, so that a taskbar that starts again (Explorer restarted, or started after
// the program) shows it again.
#include "platform/tray.h"

#include <algorithm>
#include <iterator>
#include <optional>

#include "platform/win32/realisation.h"
#include "platform/win32/wide.h"

namespace os {

namespace {

std::optional<NOTIFYICONDATAW>& Kept() {
    static std::optional<NOTIFYICONDATAW> kept;
    return kept;
}

NOTIFYICONDATAW Record(Hicon icon, const std::string& tip) {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = win32::HostWindow();
    data.uID = win32::kTrayIconId;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = win32::kTrayMessage;
    data.hIcon = win32::NotificationAreaIcon(reinterpret_cast<HICON>(icon));
    // Cut to the field, its terminator kept, never between the halves of a surrogate pair.
    const std::wstring wide = win32::Wide(tip);
    size_t length = std::min(wide.size(), std::size(data.szTip) - 1);
    if (length < wide.size() && length > 0 && IS_HIGH_SURROGATE(wide[length - 1])) --length;
    wide.copy(data.szTip, length);
    return data;
}

}  // namespace

namespace win32 {

const NOTIFYICONDATAW* TrayIconRecord() { return Kept() ? &*Kept() : nullptr; }

UINT TaskbarCreatedMessage() {
    static const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
    return message;
}

void ShowTrayIconAgain() {
    if (!Kept()) return;
    // A taskbar that only reloaded may still have the icon: then it is brought up to date.
    if (!::Shell_NotifyIconW(NIM_ADD, &*Kept())) ::Shell_NotifyIconW(NIM_MODIFY, &*Kept());
}

}  // namespace win32

bool ShowTrayIcon(Hicon icon, const std::string& tip) {
    if (Kept()) return false;
    const NOTIFYICONDATAW data = Record(icon, tip);
    if (!data.hWnd) return false;
    Kept() = data;
    win32::ForgetTrayClicks();
    // Also when the add fails for want of a taskbar: the icon comes when the taskbar does.
    ::Shell_NotifyIconW(NIM_ADD, &*Kept());
    return true;
}

bool SetTrayIcon(Hicon icon, const std::string& tip) {
    if (!Kept()) return false;
    Kept() = Record(icon, tip);
    ::Shell_NotifyIconW(NIM_MODIFY, &*Kept());
    return true;
}

bool RemoveTrayIcon() {
    if (!Kept()) return false;
    ::Shell_NotifyIconW(NIM_DELETE, &*Kept());
    Kept().reset();
    win32::ForgetTrayClicks();
    return true;
}

}  // namespace os
