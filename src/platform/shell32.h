// The shell services the program calls by their Windows names: the notification-area icon.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "platform/os_types.h"
#include "platform/picture.h"

namespace os {

inline constexpr unsigned NIM_ADD = 0;
inline constexpr unsigned NIM_MODIFY = 1;
inline constexpr unsigned NIM_DELETE = 2;
inline constexpr std::uint32_t NIF_MESSAGE = 1;
inline constexpr std::uint32_t NIF_ICON = 2;
inline constexpr std::uint32_t NIF_TIP = 4;

// The ANSI notify-icon record in its 32-bit layout: 88 bytes, little-endian.
inline constexpr std::size_t kNotifyIconRecordSize = 88;
using NotifyIconRecord = std::array<std::uint8_t, kNotifyIconRecordSize>;

// Its fields, as a realisation reads them.
struct NotifyIcon {
    std::uint32_t cbSize = 0;
    Hwnd hWnd{};
    std::uint32_t uID = 0;
    std::uint32_t uFlags = 0;
    std::uint32_t uCallbackMessage = 0;
    Hicon hIcon{};
    std::string tip;  // UTF-8, up to the terminator (all 64 bytes when there is none)
};
NotifyIcon ReadNotifyIconRecord(const NotifyIconRecord& record);

// Defined by each realisation. Returns non-zero on success.
int Shell_NotifyIconA(unsigned message, const NotifyIconRecord& record);


}  // namespace os
