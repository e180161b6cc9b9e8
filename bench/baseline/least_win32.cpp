// The least Win32 program that does what Lisotra's start-up and hotkeys do: a hidden window, a
// notification-area icon, two hotkeys (Ctrl+Alt+S, Ctrl+Alt+L), and one layered tool window shown
// and taken away by them. Plain Win32, no manifest, nothing loaded that this does not call.
// Lisotra's start-up, memory and wakeup budgets under wine are measured against it
// (bench/windows_startup.sh).
#include <windows.h>

#include <shellapi.h>

namespace {

constexpr UINT kTrayMessage = WM_APP + 1;
constexpr int kShow = 1, kHide = 2;
HWND panel = nullptr;

// A 16 x 16 yellow square with a dark frame, drawn here: no resource, no file.
HICON MakeIcon() {
    DWORD colour[16 * 16];
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            const bool frame = x == 0 || y == 0 || x == 15 || y == 15;
            colour[y * 16 + x] = frame ? 0xFF303030 : 0xFFFFD000;
        }
    }
    BYTE mask[16 * 2] = {};  // all shown
    ICONINFO info{};
    info.fIcon = TRUE;
    info.hbmColor = CreateBitmap(16, 16, 1, 32, colour);
    info.hbmMask = CreateBitmap(16, 16, 1, 1, mask);
    HICON icon = CreateIconIndirect(&info);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return icon;
}

LRESULT CALLBACK PanelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE) {
        DestroyWindow(window);
        return 0;
    }
    if (message == WM_DESTROY && window == panel) panel = nullptr;
    return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK HiddenProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_HOTKEY && wParam == kShow) {
        if (!panel) {
            panel = CreateWindowExW(WS_EX_LAYERED | WS_EX_TOOLWINDOW, L"LeastPanel", L"least", WS_OVERLAPPEDWINDOW,
                                    CW_USEDEFAULT, CW_USEDEFAULT, 304, 201, window, nullptr,
                                    GetModuleHandleW(nullptr), nullptr);
            SetLayeredWindowAttributes(panel, 0, 140, LWA_ALPHA);
        }
        ShowWindow(panel, SW_SHOW);
        return 0;
    }
    if (message == WM_HOTKEY && wParam == kHide) {
        if (panel) DestroyWindow(panel);
        return 0;
    }
    if (message == kTrayMessage) return 0;
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    WNDCLASSW hidden{};
    hidden.lpfnWndProc = HiddenProc;
    hidden.hInstance = instance;
    hidden.lpszClassName = L"LeastHidden";
    RegisterClassW(&hidden);
    WNDCLASSW panelClass{};
    panelClass.lpfnWndProc = PanelProc;
    panelClass.hInstance = instance;
    panelClass.hbrBackground = CreateSolidBrush(RGB(255, 255, 0));
    panelClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // the arrow
    panelClass.lpszClassName = L"LeastPanel";
    RegisterClassW(&panelClass);
    HWND window = CreateWindowExW(0, L"LeastHidden", L"least", WS_OVERLAPPED, 0, 0, 0, 0, nullptr, nullptr,
                                  instance, nullptr);

    // The same order as Lisotra: the icon first, then the hotkeys.
    NOTIFYICONDATAW icon{};
    icon.cbSize = sizeof icon;
    icon.hWnd = window;
    icon.uID = 1;
    icon.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    icon.uCallbackMessage = kTrayMessage;
    icon.hIcon = MakeIcon();
    lstrcpyW(icon.szTip, L"least");
    Shell_NotifyIconW(NIM_ADD, &icon);
    RegisterHotKey(window, kShow, MOD_CONTROL | MOD_ALT, 'S');
    RegisterHotKey(window, kHide, MOD_CONTROL | MOD_ALT, 'L');

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
    Shell_NotifyIconW(NIM_DELETE, &icon);
    return 0;
}
