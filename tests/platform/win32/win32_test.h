// A fresh run of the program's state on the real (wine) desktop, for each test. Include it after
// the program's headers: the macros of <windows.h> share names with os:: values (WM_CLOSE,
// MOD_ALT, ...), so below it tests use the Windows names.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/native_window.h"
#include "platform/win32/realisation.h"

class Win32Test : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

public:
    // Handles every message waiting, as the message loop would.
    static void Pump();
    // Pumps until `done` holds, or gives up after a few seconds (input from SendInput and the
    // window manager arrive after a while); returns whether it holds.
    static bool PumpUntil(const std::function<bool()>& done);
    // The program's stored text, read straight from the registry; "<absent>" when there is none.
    static std::string Stored(const std::string& section, const std::string& key);
    static void Store(const std::string& section, const std::string& key, const std::string& value);
};

// A native window's events, for a test that does not listen to them.
struct QuietWindow : os::NativeWindowEvents {
    void OnSizeChanged() override {}
    void OnActivated() override {}
    void OnCloseRequest(os::CloseReason) override {}
};

inline HWND Native(os::Hwnd window) { return reinterpret_cast<HWND>(window); }
inline HWND H(os::Hwnd window) { return Native(window); }
// A window's text (a caption, a control's text) as UTF-8.
std::string WindowText(HWND window);
inline LONG_PTR ExStyle(HWND window) { return GetWindowLongPtrW(window, GWL_EXSTYLE); }
inline RECT WindowRect(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return r;
}

// Keys pressed and released one after the other, as the keyboard sends them.
void Type(const std::vector<WORD>& keys);
// `key` pressed and released while `modifier` (VK_MENU, VK_SHIFT, ...) is held, or all of
// `modifiers`.
void TypeWith(WORD modifier, WORD key);
void TypeWith(const std::vector<WORD>& modifiers, WORD key);
// Whether the shell holds the program's tray icon: only then does it accept a change.
bool InShell();
// A notification of the program's tray icon as the shell sends it: the icon's callback message to
// the host window from another thread, without waiting (it reaches the window procedure even
// during a menu, which would take a posted mouse message for its own).
void NotifyFromShell(LPARAM mouseMessage);
// A press and release of a mouse button (MOUSEEVENTF_LEFTDOWN, ...) at a screen point, or at the
// middle of item `index` of the menu that is up.
void ClickAt(POINT at, DWORD down, DWORD up);
void ClickMenuItem(UINT index, DWORD down, DWORD up);
// Presses a button while a person reads each message box captioned `title` that comes up and
// presses its OK; gives the texts read, in order.
std::vector<std::string> PressReadingMessages(os::Hwnd button, const wchar_t* title);
// Runs `person` once, when the next menu that `owner` opens is up and waits for input; `person`
// may watch for the next menu in turn.
void WhenMenuIsUp(HWND owner, std::function<void()> person);
