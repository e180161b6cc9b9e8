// Windows-shaped values shared by every realisation: the program names OS services the way
// Windows does, and each realisation maps these values onto its own desktop.
#pragma once

#include <cstdint>

namespace os {

struct HwndTag;
using Hwnd = HwndTag*;  // opaque window handle, as HWND
using WPARAM = std::uintptr_t;

// Mouse messages.
inline constexpr unsigned WM_MOUSEMOVE = 0x0200;
inline constexpr unsigned WM_LBUTTONDOWN = 0x0201;
inline constexpr unsigned WM_LBUTTONUP = 0x0202;
inline constexpr unsigned WM_LBUTTONDBLCLK = 0x0203;
inline constexpr unsigned WM_RBUTTONDOWN = 0x0204;
inline constexpr unsigned WM_RBUTTONUP = 0x0205;
inline constexpr unsigned WM_RBUTTONDBLCLK = 0x0206;
inline constexpr unsigned WM_MBUTTONDOWN = 0x0207;
inline constexpr unsigned WM_MBUTTONUP = 0x0208;
inline constexpr unsigned WM_MBUTTONDBLCLK = 0x0209;

// Mouse message wParam: the buttons and keys held.
inline constexpr WPARAM MK_LBUTTON = 0x01;
inline constexpr WPARAM MK_RBUTTON = 0x02;
inline constexpr WPARAM MK_SHIFT = 0x04;
inline constexpr WPARAM MK_CONTROL = 0x08;
inline constexpr WPARAM MK_MBUTTON = 0x10;
inline constexpr WPARAM MK_ALT = 0x8000;  // not Windows', which leaves Alt out: the realisations add it

// RegisterHotKey modifiers.
inline constexpr unsigned MOD_ALT = 1;
inline constexpr unsigned MOD_CONTROL = 2;
inline constexpr unsigned MOD_SHIFT = 4;
inline constexpr unsigned MOD_WIN = 8;

// Why a window is asked to close, and so its form to unload.
enum class CloseReason {
    User = 0,         // the user, through the window's close button
    Program = 1,      // the program's own Unload
    SessionEnd = 2,   // the session is ending
    OtherProgram = 3  // another program asked it to close
};

// Colours are 0x00BBGGRR; 0x800000nn names the desktop's system colour nn.
using COLORREF = std::uint32_t;
inline constexpr COLORREF kButtonFace = 0x8000000F;
inline constexpr COLORREF kButtonText = 0x80000012;

struct PixelRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const PixelRect&) const = default;
};

}  // namespace os
