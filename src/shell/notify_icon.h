// The tray icon: add, modify and delete, each one call to Shell_NotifyIconA with the notify-icon
// record filled as the notification area expects it.
#pragma once

#include <cstdint>
#include <string>

#include "platform/picture.h"
#include "platform/shell32.h"

namespace notify_icon {

// Notifications come back to the owner as this message, with the mouse message in lParam.
inline constexpr std::uint32_t kCallbackMessage = os::WM_MOUSEMOVE;

// The record for an add or a modify: all fields set, the tip in the ANSI code page. A tip of 64
// characters or more is cut to 63 so that the record always holds its terminator.
os::NotifyIconRecord IconRecord(os::Hwnd owner, std::uint32_t id, os::Hicon icon, const std::string& tip);
// The record for a delete: size, owner and id only.
os::NotifyIconRecord DeleteRecord(os::Hwnd owner, std::uint32_t id);

void Add(os::Hwnd owner, std::uint32_t id, os::Hicon icon, const std::string& tip);
void Modify(os::Hwnd owner, std::uint32_t id, os::Hicon icon, const std::string& tip);
void Delete(os::Hwnd owner, std::uint32_t id);

}  // namespace notify_icon
