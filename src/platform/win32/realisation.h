// What the files of the Win32 realisation share with each other and with its tests.
#pragma once

#include <windows.h>
#include <shellapi.h>
#include <commctrl.h>

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace os::win32 {

// The realisation's own hidden top-level window: it owns every tool window, which keeps them off
// the taskbar whatever their extended style becomes, it receives the deferred work, and it holds
// the tray icon.
HWND HostWindow();

// The message-only window that holds the global hotkeys and hears their presses (made when first
// asked for).
HWND HotkeyWindow();

// Runs program code on behalf of a window procedure or the message loop. A C++ exception must not
// unwind through the system's frames; one that the program did not handle ends the process, as an
// unhandled run-time error ends a program.
void RunGuarded(const std::function<void()>& work) noexcept;

// The class procedure of a window made for an object (its `this` in CreateWindowEx's last
// argument): from WM_NCCREATE on, messages go to the object's OnMessage, and its window_ is set.
// Before that, and once the object let go of the window (user data 0), the default procedure.
template <class Owner>
LRESULT CALLBACK ObjectWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<Owner*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<Owner*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    return self ? self->OnMessage(message, wParam, lParam) : DefWindowProcW(window, message, wParam, lParam);
}

// Common controls and COM are loaded the first time they are needed, not at start-up (see
// loaded_later.cpp). LoadCommonControls loads comctl32 (version 6, as the manifest asks) before a
// control of its classes is made; the subclass calls are comctl32's own; InitializeCom is
// CoInitializeEx for this thread as a single-threaded apartment, once; CreateComObject is
// CoCreateInstance of an in-process server, COM initialised first.
bool LoadCommonControls();
BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* classes);
BOOL SetWindowSubclass(HWND window, SUBCLASSPROC procedure, UINT_PTR id, DWORD_PTR data);
BOOL RemoveWindowSubclass(HWND window, SUBCLASSPROC procedure, UINT_PTR id);
LRESULT DefSubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
HRESULT InitializeCom();
HRESULT CreateComObject(REFCLSID type, REFIID kind, void** object);

// What a screen reader says a window is, and what it tells of it on request, given to the desktop's
// accessibility layer for the window's client area; ForgetAccessibleText takes it back before the
// window goes.
void SetAccessibleText(HWND window, const std::string& name, const std::string& description);
void ForgetAccessibleText(HWND window);

// The text of a REG_SZ value of an open key, up to its first terminator; empty for a value of any
// other type, one that is missing, or one that would not hold still while it was read. `query` is
// RegQueryValueExW, or a test's stand-in for it.
using RegistryQuery = ::LSTATUS(WINAPI*)(::HKEY, LPCWSTR, LPDWORD, LPDWORD, LPBYTE, LPDWORD);
std::wstring ReadRegistryText(::HKEY key, const std::wstring& name, RegistryQuery query = RegQueryValueExW);

// The per-user Run key's entry for the executable `baseName` in `folder`; os::AutostartRegistered,
// RegisterAutostart and UnregisterAutostart are these for the running executable.
bool RunEntryRegistered(const std::string& baseName);
void WriteRunEntry(const std::string& folder, const std::string& baseName, const std::string& argument);
void RemoveRunEntry(const std::string& baseName);

// A value of at most 1024 bytes that names the system information program: a string's text (a
// final NUL left out), a 32-bit number as "&h" and its bytes in hexadecimal, most significant
// first, the empty text for any other type; nothing when the key or the value is missing, or the
// value is longer.
std::optional<std::string> ReadToolValue(::HKEY root, const char* key, const char* name);
// The program's path from the two registry locations that name it, read through `read`; empty
// when neither gives one.
using ToolValueReader = std::function<std::optional<std::string>(const char* key, const char* name)>;
std::string SystemInfoPath(const ToolValueReader& read, const std::function<bool(const std::string&)>& exists);

// AnsiCharCode, ToAnsi and FromAnsi for a given code page.
int AnsiCharCodeIn(unsigned codePage, std::string_view utf8);
std::string ToAnsiIn(unsigned codePage, std::string_view utf8);
std::string FromAnsiIn(unsigned codePage, std::string_view ansi);

// The program's tray icon lives on the host window: the shell sends it kTrayMessage with the
// icon's id in wParam and the mouse message in lParam.
inline constexpr UINT kTrayMessage = WM_APP + 2;
inline constexpr UINT kTrayIconId = 1;
// What the shell was last handed for the icon, while the program shows one (null otherwise): an
// icon made by CreateIconFromImages replaced by its small image, the tip cut to fit its field.
const NOTIFYICONDATAW* TrayIconRecord();

// The message the shell broadcasts when its taskbar (re)starts; the host window hears it and has
// the program's icon, if it shows one, added again.
UINT TaskbarCreatedMessage();
void ShowTrayIconAgain();

// A notification of the icon, handled by the host window: the program hears a left release as a
// click, a right release as asking for the menu, a left double-click as one; nothing else. A
// double-click on the icon stays one although the first release opened a menu:
// - a double-click while the icon's menu is up closes the menu first, then arrives;
// - the release that ends a double-click opens no second menu.
void OnTrayMessage(LPARAM mouseMessage);
// A new icon, or none: no double-click of an earlier one is pending.
void ForgetTrayClicks();
// For menus: the mouse message of the notification being handled (0 when none; a menu opened
// while there is one is the icon's menu); that the icon's menu is up or gone; and that its menu
// took the second press of the icon's double-click, which the program then hears as the
// double-click.
UINT TrayMouseMessage();
void SetTrayMenuUp(bool up);
void TrayMenuTookDoubleClick();

// The icon to show in the notification area for an icon made by CreateIconFromImages: the same
// picture drawn at the small-icon size. Any other icon is given back as it is.
HICON NotificationAreaIcon(HICON icon);

// The image of exactly width x height in the program's icon resource `id` made into an icon, or
// null. Found in the resource itself rather than by LoadImage, which first asks the display for
// its colour depth (milliseconds under wine) and stretches an image of another size.
HICON StoredIconImage(int id, int width, int height);

}  // namespace os::win32
