// The mouse as a window hears it in Windows messages (WM_MOUSEMOVE, WM_LBUTTONDOWN, ...: the
// message, the buttons and keys held, client pixels), read as the input the form layer takes. For
// the realisations that hear it so: win32's windows, and the in-memory desktop a test drives.
#pragma once

#include <optional>

#include "platform/native_window.h"

namespace os {

// Nothing for a message that is not the mouse's.
inline std::optional<MouseInput> ReadMouseMessage(unsigned message, WPARAM keys, int x, int y) {
    MouseInput mouse;
    switch (message) {
    case WM_MOUSEMOVE: break;
    case WM_LBUTTONDOWN: mouse = {MouseAction::Press, MouseButton::Left}; break;
    case WM_LBUTTONUP: mouse = {MouseAction::Release, MouseButton::Left}; break;
    case WM_LBUTTONDBLCLK: mouse = {MouseAction::DoubleClick, MouseButton::Left}; break;
    case WM_RBUTTONDOWN: mouse = {MouseAction::Press, MouseButton::Right}; break;
    case WM_RBUTTONUP: mouse = {MouseAction::Release, MouseButton::Right}; break;
    case WM_RBUTTONDBLCLK: mouse = {MouseAction::DoubleClick, MouseButton::Right}; break;
    case WM_MBUTTONDOWN: mouse = {MouseAction::Press, MouseButton::Middle}; break;
    case WM_MBUTTONUP: mouse = {MouseAction::Release, MouseButton::Middle}; break;
    case WM_MBUTTONDBLCLK: mouse = {MouseAction::DoubleClick, MouseButton::Middle}; break;
    default: return std::nullopt;
    }
    mouse.leftHeld = (keys & MK_LBUTTON) != 0;
    mouse.rightHeld = (keys & MK_RBUTTON) != 0;
    mouse.middleHeld = (keys & MK_MBUTTON) != 0;
    mouse.shiftHeld = (keys & MK_SHIFT) != 0;
    mouse.controlHeld = (keys & MK_CONTROL) != 0;
    mouse.altHeld = (keys & MK_ALT) != 0;
    mouse.x = x;
    mouse.y = y;
    return mouse;
}

}  // namespace os
