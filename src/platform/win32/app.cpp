// The application services on Win32: the message loop, End, deferred work and the screen.
#include "platform/app.h"

#include <cstdlib>
#include <deque>
#include <exception>
#include <string>
#include <utility>

#include "platform/win32/dialog_navigation.h"
#include "platform/win32/realisation.h"
#include "platform/win32/wide.h"

namespace os {

namespace win32 {

namespace {

constexpr wchar_t kHostClass[] = L"LisotraHost";
constexpr UINT kRunDeferred = WM_APP + 1;

struct Deferred {
    std::deque<std::function<void()>> queue;
    bool posted = false;  // a kRunDeferred message is on its way
};

Deferred& Pending() {
    static Deferred deferred;
    return deferred;
}

void RunPending() {
    Deferred& pending = Pending();
    pending.posted = false;
    // Work posted while this batch runs waits for the next message, as it should.
    std::deque<std::function<void()>> batch = std::exchange(pending.queue, {});
    for (auto& work : batch) RunGuarded(work);
}

LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kRunDeferred) {
        RunPending();
        return 0;
    }
    if (message == kTrayMessage) {
        OnTrayMessage(lParam);
        return 0;
    }
    if (message == TaskbarCreatedMessage()) {
        ShowTrayIconAgain();
        return 0;
    }
    // A screen came, went or changed its resolution; a bar or dock changed the work area.
    if (message == WM_DISPLAYCHANGE || (message == WM_SETTINGCHANGE && wParam == SPI_SETWORKAREA)) {
        ReportScreensChanged();
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

HWND HostWindow() {
    static HWND host = [] {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = HostProc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = kHostClass;
        RegisterClassExW(&windowClass);
        // Top-level (an owner must be, and only top-level windows hear the taskbar's and the
        // display's broadcasts), never shown, nameless so no one takes it for a form.
        HWND window = CreateWindowExW(0, kHostClass, L"", WS_OVERLAPPED, 0, 0, 0, 0, nullptr, nullptr,
                                      GetModuleHandleW(nullptr), nullptr);
        // Run elevated, the program would not hear the taskbar of the user's own rights otherwise,
        // nor its tray icon's notifications.
        ChangeWindowMessageFilterEx(window, TaskbarCreatedMessage(), MSGFLT_ALLOW, nullptr);
        ChangeWindowMessageFilterEx(window, kTrayMessage, MSGFLT_ALLOW, nullptr);
        return window;
    }();
    return host;
}

void RunGuarded(const std::function<void()>& work) noexcept {
    const char* what = "an exception of unknown type";
    try {
        work();
        return;
    } catch (const std::exception& error) {
        what = error.what();
    } catch (...) {
    }
    // A Windows program has no console to write to: the person is told in a box, then it ends.
    const std::wstring text = L"Run-time error not handled, the program ends: " + Wide(what);
    MessageBoxW(nullptr, text.c_str(), L"Lisotra", MB_OK | MB_ICONERROR | MB_TASKMODAL);
    ExitProcess(EXIT_FAILURE);
}

}  // namespace win32

int RunApplication(int, char**, const std::function<void()>& startup, const std::function<void()>& teardown) {
    win32::HostWindow();
    win32::RunGuarded(startup);
    // Nothing wakes this loop but messages: no timer, no polling.
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) win32::HandleMessage(message);
    if (teardown) win32::RunGuarded(teardown);
    return static_cast<int>(message.wParam);
}

void End() { ExitProcess(0); }

void Log(const std::string& what) {
    const std::wstring line = L"Lisotra: " + win32::Wide(what) + L"\n";
    OutputDebugStringW(line.c_str());
}

void PostDeferred(std::function<void()> work) {
    win32::Deferred& pending = win32::Pending();
    pending.queue.push_back(std::move(work));
    if (!pending.posted) pending.posted = PostMessageW(win32::HostWindow(), win32::kRunDeferred, 0, 0) != 0;
}

namespace {

float SystemTwipsPerPixel(int axis) {
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, axis) : 0;
    if (screen) ReleaseDC(nullptr, screen);
    return 1440.0f / static_cast<float>(dpi > 0 ? dpi : USER_DEFAULT_SCREEN_DPI);
}

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
    auto& monitors = *reinterpret_cast<std::vector<Monitor>*>(data);
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoW(monitor, &info)) return TRUE;
    auto pixels = [](const RECT& r) { return PixelRect{r.left, r.top, r.right - r.left, r.bottom - r.top}; };
    const Monitor found{pixels(info.rcMonitor), pixels(info.rcWork)};
    if (info.dwFlags & MONITORINFOF_PRIMARY) {
        monitors.insert(monitors.begin(), found);
    } else {
        monitors.push_back(found);
    }
    return TRUE;
}

}  // namespace

// The system DPI is fixed for the life of the process, so it is read once. Twips are measured at it;
// a form on a monitor of another scale converts its sizes (window_scale.h).
float TwipsPerPixelX() {
    static const float twips = SystemTwipsPerPixel(LOGPIXELSX);
    return twips;
}

float TwipsPerPixelY() {
    static const float twips = SystemTwipsPerPixel(LOGPIXELSY);
    return twips;
}

ScreenInfo Screen() {
    ScreenInfo screen;
    screen.twipsPerPixelX = TwipsPerPixelX();
    screen.twipsPerPixelY = TwipsPerPixelY();
    screen.widthPixels = GetSystemMetrics(SM_CXSCREEN);
    screen.heightPixels = GetSystemMetrics(SM_CYSCREEN);
    EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&screen.monitors));
    if (screen.monitors.empty()) {
        const PixelRect whole{0, 0, screen.widthPixels, screen.heightPixels};
        screen.monitors.push_back({whole, whole});
    }
    return screen;
}

}  // namespace os
