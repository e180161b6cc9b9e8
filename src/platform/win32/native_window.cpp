// Forms as plain Win32 windows. The window class procedure is the form layer's own, and the only
// one: it turns what the desktop does into NativeWindowEvents.
#include "platform/native_window.h"

#include <utility>

#include "platform/system_colors.h"
#include "platform/win32/control_colours.h"
#include "platform/win32/dialog_navigation.h"
#include "platform/win32/realisation.h"
#include "platform/win32/resource_ids.h"
#include "platform/win32/wide.h"
#include "platform/win32/window_scale.h"

namespace os {

namespace {

constexpr wchar_t kFormClass[] = L"LisotraForm";

class Win32Window final : public NativeWindow {
public:
    Win32Window(const WindowDesign& design, NativeWindowEvents& events);
    ~Win32Window() override;

    Hwnd Handle() const override { return reinterpret_cast<Hwnd>(window_); }
    void SetVisible(bool visible) override;
    void BringForward() override;
    PixelRect FrameRect() const override;
    void SetFrameRect(const PixelRect& rect) override;
    void SetBackColor(COLORREF color) override;
    void SetTopmost() override;
    void SetOpacity(unsigned char alpha) override;
    void SetTabOrder(const std::vector<Hwnd>& order) override;
    void SetFocus(Hwnd control) override;

private:
    friend LRESULT CALLBACK win32::ObjectWindowProc<Win32Window>(HWND, UINT, WPARAM, LPARAM);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void CheckSize();
    void MoveToDpi(UINT dpi, const RECT& suggested);

    NativeWindowEvents& events_;
    const WindowKind kind_;
    HWND window_ = nullptr;
    HBRUSH brush_ = nullptr;
    HWND focus_ = nullptr;  // the control that has the focus while the window is active
    bool created_ = false;  // size changes during CreateWindowEx are not the form's to hear
    bool activationAsked_ = false;  // shown or brought forward by the program, not yet activated
    bool annotated_ = false;  // a name or description for screen readers was given
    SIZE size_{};           // the frame size last reported
    UINT dpi_ = 0;          // of the monitor the window is on
};

// The program's icon, at the sizes of a caption and of Alt+Tab, for the forms that can be shown.
// It is not the class's: registering the class for the hidden shell form at start-up would load
// it from the resources and make its small copy, milliseconds before the tray icon is added. The
// image of the size is taken as it is stored; LoadImage only for a size the icon does not hold.
void GiveProgramIcon(HWND window) {
    static const auto load = [](int metricX, int metricY) {
        const int width = GetSystemMetrics(metricX), height = GetSystemMetrics(metricY);
        if (HICON icon = win32::StoredIconImage(LISOTRA_PROGRAM_ICON, width, height)) return icon;
        return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(LISOTRA_PROGRAM_ICON), IMAGE_ICON,
                                             width, height, LR_SHARED));
    };
    static const HICON big = load(SM_CXICON, SM_CYICON);
    static const HICON small = load(SM_CXSMICON, SM_CYSMICON);
    SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
    SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
}

// Whether a window that gave up the activation belongs to the program (its one thread).
bool FromThisProgram(HWND previous) {
    return previous != nullptr && GetWindowThreadProcessId(previous, nullptr) == GetCurrentThreadId();
}

void RegisterFormClass() {
    static const bool registered = [] {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = win32::ObjectWindowProc<Win32Window>;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
        windowClass.lpszClassName = kFormClass;
        return RegisterClassExW(&windowClass) != 0;
    }();
    (void)registered;
}

Win32Window::Win32Window(const WindowDesign& design, NativeWindowEvents& events) : events_(events), kind_(design.kind) {
    RegisterFormClass();
    DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;  // the fixed single border of a form
    DWORD exStyle = 0;
    HWND owner = nullptr;
    if (kind_ == WindowKind::SizableToolWindow) {
        // Thin caption with a close button only, resizable; owned by a hidden window, so it has no
        // taskbar button whatever its extended style.
        style |= WS_THICKFRAME;
        exStyle = WS_EX_TOOLWINDOW;
        owner = win32::HostWindow();
    } else if (kind_ == WindowKind::Dialog) {
        exStyle = WS_EX_APPWINDOW;
    } else if (kind_ == WindowKind::DialogNoTaskbar) {
        owner = win32::HostWindow();  // an owned window has no taskbar button
    }
    RECT frame{0, 0, design.clientWidth, design.clientHeight};
    AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    brush_ = CreateSolidBrush(ResolveColor(design.backColor));
    // The window system chooses the first place.
    window_ = CreateWindowExW(exStyle, kFormClass, win32::Wide(design.caption).c_str(), style, CW_USEDEFAULT, CW_USEDEFAULT,
                              frame.right - frame.left, frame.bottom - frame.top, owner, nullptr,
                              GetModuleHandleW(nullptr), this);
    // A tool window's caption shows no icon: it gets the program's once it is on screen, after
    // the show hotkey's window has appeared rather than before. A dialog's caption shows it at once.
    if (window_ && (kind_ == WindowKind::Dialog || kind_ == WindowKind::DialogNoTaskbar)) GiveProgramIcon(window_);
    if (window_) {
        // Made at the system DPI's size; on a monitor of another scale, grown or shrunk to it.
        dpi_ = win32::AskedDpi(window_);
        win32::RememberDpi(window_, dpi_);
        if (dpi_ != win32::SystemDpi()) {
            const PixelRect scaled = win32::ToWindowPixels(window_, FrameRect());
            ::SetWindowPos(window_, nullptr, 0, 0, scaled.width, scaled.height,
                           SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
        }
    }
    created_ = true;
    if (window_ && (kind_ == WindowKind::Dialog || kind_ == WindowKind::DialogNoTaskbar)) win32::MarkAsDialog(window_);
    if (window_ && (!design.accessibleName.empty() || !design.accessibleDescription.empty())) {
        win32::SetAccessibleText(window_, design.accessibleName, design.accessibleDescription);
        annotated_ = true;
    }
    const PixelRect rect = FrameRect();
    size_ = {rect.width, rect.height};
}

Win32Window::~Win32Window() {
    if (window_) {
        // Messages sent while it goes find no form behind it.
        SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
        win32::UnmarkDialog(window_);
        if (annotated_) win32::ForgetAccessibleText(window_);
        win32::ForgetDpi(window_);
        DestroyWindow(window_);
    }
    if (brush_) DeleteObject(brush_);
}

void Win32Window::SetVisible(bool visible) {
    if (kind_ == WindowKind::Hidden) return;  // never shown
    activationAsked_ = visible && GetActiveWindow() != window_;
    ShowWindow(window_, visible ? SW_SHOW : SW_HIDE);
    if (visible && kind_ == WindowKind::SizableToolWindow && !SendMessageW(window_, WM_GETICON, ICON_SMALL, 0)) {
        GiveProgramIcon(window_);
    }
}

void Win32Window::BringForward() {
    if (kind_ == WindowKind::Hidden || !IsWindowVisible(window_)) return;
    // Asked for only when it is not the active window already: no activation would use it up.
    activationAsked_ = GetActiveWindow() != window_;
    if (!SetForegroundWindow(window_)) BringWindowToTop(window_);
}

// The place in the screen's pixels; the size in pixels at the system DPI, whatever the monitor's.
PixelRect Win32Window::FrameRect() const {
    RECT r{};
    if (!GetWindowRect(window_, &r)) return {};
    return {r.left, r.top, win32::ToSystemPixels(window_, r.right - r.left),
            win32::ToSystemPixels(window_, r.bottom - r.top)};
}

void Win32Window::SetFrameRect(const PixelRect& rect) {
    // A size change comes back at once as WM_SIZE, which reports it.
    ::SetWindowPos(window_, nullptr, rect.left, rect.top, win32::ToWindowPixels(window_, rect.width),
                   win32::ToWindowPixels(window_, rect.height), SWP_NOZORDER | SWP_NOACTIVATE);
}

// Moved to a monitor of another scale (or its scale changed): the window takes the place Windows
// suggests, its children and fonts follow, and the form hears no resize: its size in its own
// measure is what it was, and the person did not resize it.
void Win32Window::MoveToDpi(UINT dpi, const RECT& suggested) {
    const UINT old = dpi_;
    dpi_ = dpi;
    win32::RememberDpi(window_, dpi_);
    const bool created = std::exchange(created_, false);
    ::SetWindowPos(window_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                   suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    if (old != dpi_) win32::RescaleChildren(window_, dpi_, old);
    created_ = created;
    const PixelRect rect = FrameRect();
    size_ = {rect.width, rect.height};
}

void Win32Window::SetBackColor(COLORREF color) {
    HBRUSH brush = CreateSolidBrush(ResolveColor(color));
    if (!brush) return;
    if (brush_) DeleteObject(brush_);
    brush_ = brush;
    InvalidateRect(window_, nullptr, TRUE);
}

void Win32Window::SetTopmost() { ::SetWindowPos(window_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE); }

void Win32Window::SetOpacity(unsigned char alpha) {
    SetWindowLongPtrW(window_, GWL_EXSTYLE, GetWindowLongPtrW(window_, GWL_EXSTYLE) | WS_EX_LAYERED);
    SetLayeredWindowAttributes(window_, 0, alpha, LWA_ALPHA);
}

void Win32Window::SetTabOrder(const std::vector<Hwnd>& order) { win32::ArrangeTabOrder(window_, order); }

void Win32Window::SetFocus(Hwnd control) {
    focus_ = reinterpret_cast<HWND>(control);
    if (GetActiveWindow() == window_ && IsChild(window_, focus_)) ::SetFocus(focus_);
}

void Win32Window::CheckSize() {
    const PixelRect rect = FrameRect();
    if (rect.width == size_.cx && rect.height == size_.cy) return;
    size_ = {rect.width, rect.height};
    win32::RunGuarded([this] { events_.OnSizeChanged(); });
}

// A close request may unload the form and destroy this object: nothing of it is touched after.
LRESULT Win32Window::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    HWND window = window_;
    NativeWindowEvents& events = events_;
    switch (message) {
    case WM_SIZE:
        if (created_ && wParam != SIZE_MINIMIZED) CheckSize();
        return 0;
    case WM_DPICHANGED:
        if (LOWORD(wParam) > 0) MoveToDpi(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_ACTIVATE:
        // As a dialog box does, the window keeps which of its controls had the focus while it was
        // inactive, and gives the focus back to it: the default procedure would take it itself.
        if (LOWORD(wParam) == WA_INACTIVE) {
            const HWND focus = GetFocus();
            if (focus && IsChild(window, focus)) focus_ = focus;
            return 0;
        }
        if (focus_ && IsChild(window, focus_) && !HIWORD(wParam)) {
            ::SetFocus(focus_);
        } else {
            DefWindowProcW(window, message, wParam, lParam);
        }
        // Every activation the program asked for or another of its windows handed over, not only
        // the first; the person coming back from another program (lParam is its window, or none)
        // is not one.
        if (std::exchange(activationAsked_, false) || FromThisProgram(reinterpret_cast<HWND>(lParam))) {
            win32::RunGuarded([&events] { events.OnActivated(); });
        }
        return 0;
    case WM_SETFOCUS:
        if (focus_ && IsChild(window, focus_)) ::SetFocus(focus_);
        return 0;
    case WM_NEXTDLGCTL:
        win32::MoveDialogFocus(window, wParam, lParam);
        return 0;
    case WM_CTLCOLORSTATIC:
        // Labels show the form's background.
        return win32::StaticColours(reinterpret_cast<HDC>(wParam), brush_);
    case WM_KEYDOWN: {
        // Only a key no control took: a dialog's controls have the focus and take their own. The
        // form may unload and destroy this object.
        const KeyInput key{static_cast<unsigned>(wParam), GetKeyState(VK_SHIFT) < 0, GetKeyState(VK_CONTROL) < 0,
                           GetKeyState(VK_MENU) < 0};
        win32::RunGuarded([&events, key] { events.OnKeyPressed(key); });
        return 0;
    }
    case WM_CLOSE:
        win32::RunGuarded([&events] { events.OnCloseRequest(CloseReason::User); });
        return 0;
    case WM_QUERYENDSESSION:
        // The form is asked as for any close request (it may refuse to unload), but the answer to
        // Windows is always yes: refusing would hold up the log-off or shutdown.
        win32::RunGuarded([&events] { events.OnCloseRequest(CloseReason::SessionEnd); });
        return TRUE;
    case WM_ERASEBKGND: {
        RECT client;
        GetClientRect(window, &client);
        FillRect(reinterpret_cast<HDC>(wParam), &client, brush_);
        return 1;
    }
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

std::unique_ptr<NativeWindow> CreateNativeWindow(const WindowDesign& design, NativeWindowEvents& events) {
    return std::make_unique<Win32Window>(design, events);
}

}  // namespace os
