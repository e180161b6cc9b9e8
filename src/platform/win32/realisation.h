// What the files of the Win32 realisation share with each other and with its tests.
#pragma once

#include <windows.h>

#include <functional>
#include <string_view>

namespace os::win32 {

// The realisation's own hidden top-level window: it owns every tool window, which keeps them off
// the taskbar whatever their extended style becomes, and it receives the deferred work.
HWND HostWindow();

// Runs program code on behalf of a window procedure or the message loop. A C++ exception must not
// unwind through the system's frames; one that the program did not handle ends the process, as an
// unhandled run-time error ends a program.
void RunGuarded(const std::function<void()>& work) noexcept;

// AnsiCharCode for a given code page.
int AnsiCharCodeIn(unsigned codePage, std::string_view utf8);

}  // namespace os::win32
