// The shell window's replacement window procedure: hotkey 1 shows the reading panel, hotkey 2
// hides and unloads it; every other message goes on to the procedure it replaced.
#pragma once

#include "platform/os_types.h"

namespace mSubClass {

inline constexpr os::WPARAM kShowPanel = 1;
inline constexpr os::WPARAM kHidePanel = 2;

inline os::WNDPROC PreviousWindowProc = nullptr;

os::LRESULT ShellWindowProc(os::Hwnd window, unsigned message, os::WPARAM wParam, os::LPARAM lParam);

// Replaces the window's procedure with ShellWindowProc, keeping the previous one.
void Install(os::Hwnd window);

}  // namespace mSubClass
