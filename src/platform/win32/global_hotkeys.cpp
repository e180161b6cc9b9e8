// Global hotkeys on Windows: one message-only window holds every registration and hears the
// presses. RegisterHotKey takes a second combination under an id the window holds already, so the
// window's ids are kept here and a second binding is refused.
#include "platform/global_hotkeys.h"

#include <windows.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "platform/win32/realisation.h"

namespace os {

namespace {

constexpr wchar_t kHotkeyClass[] = L"LisotraHotkeys";

struct Hotkeys {
    HWND window = nullptr;
    std::vector<int> bound;  // the ids registered on `window`
    std::function<void(int)> handler;
};

Hotkeys& State() {
    static Hotkeys hotkeys;
    return hotkeys;
}

LRESULT CALLBACK HotkeyProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_HOTKEY) return DefWindowProcW(window, message, wParam, lParam);
    // A copy: the handler may set another one while it runs.
    const std::function<void(int)> handler = State().handler;
    const int id = static_cast<int>(wParam);
    if (handler) win32::RunGuarded([&handler, id] { handler(id); });
    return 0;
}

}  // namespace

namespace win32 {

// Made again if it was destroyed, which gave back every combination it held.
HWND HotkeyWindow() {
    Hotkeys& hotkeys = State();
    if (hotkeys.window && IsWindow(hotkeys.window)) return hotkeys.window;
    static const bool registered = [] {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = HotkeyProc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = kHotkeyClass;
        return RegisterClassExW(&windowClass) != 0;
    }();
    (void)registered;
    // Message-only: never shown, never enumerated, hears no broadcasts; a hotkey reaches it all the same.
    hotkeys.window = CreateWindowExW(0, kHotkeyClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, GetModuleHandleW(nullptr),
                                     nullptr);
    hotkeys.bound.clear();
    return hotkeys.window;
}

}  // namespace win32

void SetHotkeyHandler(std::function<void(int id)> handler) { State().handler = std::move(handler); }

bool BindHotkey(int id, unsigned modifiers, unsigned virtualKey) {
    const HWND window = win32::HotkeyWindow();
    std::vector<int>& bound = State().bound;
    if (std::find(bound.begin(), bound.end(), id) != bound.end()) return false;
    // Wine's RegisterHotKey takes a number that names no key.
    if (!NamesAKey(virtualKey)) return false;
    if (!::RegisterHotKey(window, id, modifiers, virtualKey)) return false;
    bound.push_back(id);
    return true;
}

void UnbindHotkey(int id) {
    // Only an id bound on the window there is now: no window is made to give back nothing.
    std::vector<int>& bound = State().bound;
    const auto found = std::find(bound.begin(), bound.end(), id);
    if (found == bound.end() || !IsWindow(State().window)) return;
    bound.erase(found);
    ::UnregisterHotKey(State().window, id);
}

}  // namespace os
