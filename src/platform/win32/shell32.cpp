// The notification-area icon and opening web pages, forwarded to shell32. The program's record is
// the 32-bit ANSI layout; this process hands Windows its own. The icons the program keeps are
// remembered, so that a taskbar that starts again (Explorer restarted, or started after the
// program) shows them again.
#include "platform/shell32.h"

#include "platform/app.h"
#include "platform/browser.h"

#include <cstring>
#include <map>
#include <utility>

#include "platform/win32/realisation.h"
#include "platform/win32/wide.h"

namespace os {

namespace {

// Window and icon handles are 32-bit values that a 64-bit process widens with their sign.
template <typename Handle>
Handle Widened(const void* handle) {
    const auto low = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(handle));
    return reinterpret_cast<Handle>(static_cast<LONG_PTR>(static_cast<std::int32_t>(low)));
}

using IconKey = std::pair<HWND, UINT>;

std::map<IconKey, NOTIFYICONDATAA>& KeptIcons() {
    static std::map<IconKey, NOTIFYICONDATAA> icons;
    return icons;
}

void Remember(unsigned message, const NOTIFYICONDATAA& data, bool done) {
    auto& icons = KeptIcons();
    const IconKey key{data.hWnd, data.uID};
    auto it = icons.find(key);
    switch (message) {
    case NIM_ADD:
        // Also when the add failed for want of a taskbar: it comes when the taskbar does.
        if (done || it == icons.end()) icons[key] = data;
        break;
    case NIM_MODIFY:
        if (it == icons.end()) break;
        if (data.uFlags & NIF_MESSAGE) it->second.uCallbackMessage = data.uCallbackMessage;
        if (data.uFlags & NIF_ICON) it->second.hIcon = data.hIcon;
        if (data.uFlags & NIF_TIP) std::memcpy(it->second.szTip, data.szTip, sizeof data.szTip);
        it->second.uFlags |= data.uFlags;
        break;
    case NIM_DELETE:
        icons.erase(key);
        break;
    default:
        break;
    }
}

}  // namespace

namespace win32 {

NOTIFYICONDATAA NativeNotifyIcon(const std::array<std::uint8_t, 88>& record) {
    const NotifyIcon fields = ReadNotifyIconRecord(record);
    NOTIFYICONDATAA data{};
    data.cbSize = sizeof data;
    data.hWnd = Widened<HWND>(fields.hWnd);
    data.uID = fields.uID;
    data.uFlags = fields.uFlags;
    data.uCallbackMessage = fields.uCallbackMessage;
    data.hIcon = NotificationAreaIcon(Widened<HICON>(fields.hIcon));
    // The tip's bytes as they are, already in the ANSI code page. The native field is twice as
    // long, so a tip that fills all 64 bytes still ends with a terminator here.
    const char* tip = reinterpret_cast<const char*>(record.data() + 24);
    std::memcpy(data.szTip, tip, strnlen(tip, 64));
    return data;
}

bool IsIconNotification(HWND owner, UINT message, WPARAM id) {
    auto it = KeptIcons().find({owner, static_cast<UINT>(id)});
    return it != KeptIcons().end() && (it->second.uFlags & NIF_MESSAGE) && it->second.uCallbackMessage == message;
}

UINT TaskbarCreatedMessage() {
    static const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
    return message;
}

void AddTrayIconsAgain() {
    auto& icons = KeptIcons();
    for (auto it = icons.begin(); it != icons.end();) {
        if (!IsWindow(it->first.first)) {  // its owner is gone, and the icon with it
            it = icons.erase(it);
            continue;
        }
        // A taskbar that only reloaded may still have the icon: then it is brought up to date.
        if (!::Shell_NotifyIconA(NIM_ADD, &it->second)) ::Shell_NotifyIconA(NIM_MODIFY, &it->second);
        ++it;
    }
}

}  // namespace win32

int Shell_NotifyIconA(unsigned message, const NotifyIconRecord& record) {
    if (ReadNotifyIconRecord(record).cbSize != kNotifyIconRecordSize) return 0;
    NOTIFYICONDATAA data = win32::NativeNotifyIcon(record);
    if (!IsWindow(data.hWnd)) return 0;
    win32::HostWindow();  // it hears the taskbar start again
    const bool done = ::Shell_NotifyIconA(message, &data) != FALSE;
    Remember(message, data, done);
    return done ? 1 : 0;
}

bool OpenInBrowser(const std::string& address) {
    // What opens the page may be a shell extension, which expects COM on the calling thread.
    win32::InitializeCom();
    // SW_SHOWNORMAL: the browser's window must come up, not stay hidden. Above 32 is success.
    const auto result = reinterpret_cast<std::intptr_t>(
        ::ShellExecuteW(nullptr, L"open", win32::Wide(address).c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    if (result > 32) return true;
    Log("could not open " + address + " in the browser (error " + std::to_string(result) + ")");
    return false;
}

}  // namespace os
