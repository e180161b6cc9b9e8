#include "platform/shell32.h"

#include <cstring>

#include "platform/text.h"

namespace os {

namespace {
std::uint32_t Dword(const NotifyIconRecord& r, std::size_t at) {
    return static_cast<std::uint32_t>(r[at]) | static_cast<std::uint32_t>(r[at + 1]) << 8 |
           static_cast<std::uint32_t>(r[at + 2]) << 16 | static_cast<std::uint32_t>(r[at + 3]) << 24;
}
}  // namespace

NotifyIcon ReadNotifyIconRecord(const NotifyIconRecord& record) {
    NotifyIcon icon;
    icon.cbSize = Dword(record, 0);
    // Window and icon handles are 32-bit values on every Windows, also in a 64-bit process.
    icon.hWnd = reinterpret_cast<Hwnd>(static_cast<std::uintptr_t>(Dword(record, 4)));
    icon.uID = Dword(record, 8);
    icon.uFlags = Dword(record, 12);
    icon.uCallbackMessage = Dword(record, 16);
    icon.hIcon = reinterpret_cast<Hicon>(static_cast<std::uintptr_t>(Dword(record, 20)));
    const char* tip = reinterpret_cast<const char*>(record.data() + 24);
    icon.tip = FromAnsi(std::string_view(tip, strnlen(tip, 64)));
    return icon;
}

}  // namespace os
