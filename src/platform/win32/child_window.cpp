// Controls' windows: real child windows of their form. Their procedure reports the mouse to the
// form layer as the message, wParam and client pixels Windows gives, which is also how the
// notification area's callback (WM_MOUSEMOVE with the mouse message in lParam) reaches the tray
// icon's owner: as a move whose X is the message.
#include "platform/native_window.h"

#include <windowsx.h>

#include "platform/win32/realisation.h"

namespace os {

namespace {

constexpr wchar_t kChildClass[] = L"LisotraChild";

class Win32Child final : public NativeWindow {
public:
    Win32Child(NativeWindow& parent, const ChildDesign& design, NativeWindowEvents& events);
    ~Win32Child() override;

    Hwnd Handle() const override { return reinterpret_cast<Hwnd>(window_); }
    void SetVisible(bool visible) override { ShowWindow(window_, visible ? SW_SHOWNA : SW_HIDE); }
    void BringForward() override {}
    // In the parent's client pixels.
    PixelRect FrameRect() const override;
    void SetFrameRect(const PixelRect& rect) override {
        ::SetWindowPos(window_, nullptr, rect.left, rect.top, rect.width, rect.height, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    void SetBackColor(COLORREF color) override;

    static LRESULT CALLBACK ClassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

private:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);

    NativeWindowEvents& events_;
    HWND window_ = nullptr;
    HBRUSH brush_ = nullptr;
};

void RegisterChildClass() {
    static const bool registered = [] {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.style = CS_DBLCLKS;  // a double-click comes as one, as the form layer reports it
        windowClass.lpfnWndProc = Win32Child::ClassProc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
        windowClass.lpszClassName = kChildClass;
        return RegisterClassExW(&windowClass) != 0;
    }();
    (void)registered;
}

Win32Child::Win32Child(NativeWindow& parent, const ChildDesign& design, NativeWindowEvents& events) : events_(events) {
    RegisterChildClass();
    brush_ = CreateSolidBrush(GetSysColor(COLOR_BTNFACE));
    const PixelRect& r = design.rect;
    CreateWindowExW(0, kChildClass, L"", WS_CHILD | WS_CLIPSIBLINGS | (design.visible ? WS_VISIBLE : 0), r.left, r.top,
                    r.width, r.height, reinterpret_cast<HWND>(parent.Handle()), nullptr, GetModuleHandleW(nullptr), this);
}

Win32Child::~Win32Child() {
    if (window_) {
        SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
        DestroyWindow(window_);
    }
    if (brush_) DeleteObject(brush_);
}

PixelRect Win32Child::FrameRect() const {
    RECT r{};
    if (!GetWindowRect(window_, &r)) return {};
    MapWindowPoints(nullptr, GetParent(window_), reinterpret_cast<POINT*>(&r), 2);
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

void Win32Child::SetBackColor(COLORREF color) {
    // 0x800000nn names a system colour.
    HBRUSH brush = CreateSolidBrush((color & 0x80000000) ? GetSysColor(static_cast<int>(color & 0xFF)) : color);
    if (!brush) return;
    if (brush_) DeleteObject(brush_);
    brush_ = brush;
    InvalidateRect(window_, nullptr, TRUE);
}

LRESULT CALLBACK Win32Child::ClassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<Win32Child*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<Win32Child*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    return self ? self->OnMessage(message, wParam, lParam) : DefWindowProcW(window, message, wParam, lParam);
}

LRESULT Win32Child::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    HWND window = window_;
    switch (message) {
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN: case WM_LBUTTONUP: case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN: case WM_RBUTTONUP: case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN: case WM_MBUTTONUP: case WM_MBUTTONDBLCLK: {
        // The surface keeps the mouse while a button is held, so a drag past its edge still
        // reports (and its release comes back here).
        constexpr WPARAM kButtons = MK_LBUTTON | MK_RBUTTON | MK_MBUTTON;
        const bool down = message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN;
        const bool up = message == WM_LBUTTONUP || message == WM_RBUTTONUP || message == WM_MBUTTONUP;
        if (down) SetCapture(window);
        if (up && !(wParam & kButtons) && GetCapture() == window) ReleaseCapture();
        // Windows leaves Alt out of a mouse message; the form layer's Shift argument has it.
        const WPARAM keys = wParam | (GetKeyState(VK_MENU) < 0 ? MK_ALT : 0);
        const int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
        NativeWindowEvents& events = events_;
        // A tray icon's notification is a mouse move too (the icon's callback message).
        win32::DeliverNotification(window, message, wParam, lParam, [&events, message, keys, x, y] {
            win32::RunGuarded([&] { events.OnMouse(message, keys, x, y); });
        });
        return 0;
    }
    case WM_ERASEBKGND: {
        RECT client;
        GetClientRect(window, &client);
        FillRect(reinterpret_cast<HDC>(wParam), &client, brush_);
        return 1;
    }
    case WM_NCDESTROY:
        // Gone with its form: the handle may be another window's by the time this object goes.
        window_ = nullptr;
        break;
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

std::unique_ptr<NativeWindow> CreateNativeChild(NativeWindow& parent, const ChildDesign& design, NativeWindowEvents& events) {
    return std::make_unique<Win32Child>(parent, design, events);
}

}  // namespace os
