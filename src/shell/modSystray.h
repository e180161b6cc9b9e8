// The tray icon: add, modify and delete, each one call to Shell_NotifyIconA with the notify-icon
// record filled as the notification area expects it.
#pragma once

#include <cstdint>
#include <string>

#include "platform/picture.h"
#include "platform/shell32.h"

namespace modSystray {

// Notifications come back to the owner as this message, with the mouse message in lParam.
inline constexpr std::uint32_t kCallbackMessage = os::WM_MOUSEMOVE;

// The record for an add or a modify: all fields set, the tip in the ANSI code page. A tip of 64
// characters or more is cut to 63 so that the record always holds its terminator.
os::NotifyIconRecord IconRecord(os::Hwnd owner, std::int32_t id, os::Hicon icon, const std::string& tip);
// The record for a delete: size, owner and id only.
os::NotifyIconRecord DeleteRecord(os::Hwnd owner, std::int32_t id);

void AddTrayIcon(os::Hwnd owner, std::int32_t id, os::Hicon icon, const std::string& tip);
void DeleteTrayIcon(os::Hwnd owner, std::int32_t id);

}  // namespace modSystray

namespace mdlSystemTray {

void ModifyTrayIcon(os::Hwnd owner, std::int32_t id, os::Hicon icon, const std::string& tip);

}  // namespace mdlSystemTray
