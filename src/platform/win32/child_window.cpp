// Controls' windows: real child windows of their form. Their procedure reports the mouse to the
// form layer as Windows gives it (the message, the buttons and keys held, client pixels), which is
// also how the notification area's callback (WM_MOUSEMOVE with the mouse message in lParam)
// reaches the tray icon's owner: as a move whose X is the message.
#include "platform/native_window.h"
#include "platform/mouse_message.h"

#include <windowsx.h>

#include <algorithm>
#include <vector>

#include "platform/system_colors.h"
#include "platform/win32/control_colours.h"
#include "platform/win32/realisation.h"
#include "platform/win32/wide.h"
#include "platform/win32/window_scale.h"

#include <commctrl.h>

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
    // In the parent's client pixels, at the system DPI.
    PixelRect FrameRect() const override;
    void SetFrameRect(const PixelRect& rect) override {
        const PixelRect r = win32::ToWindowPixels(window_, rect);
        ::SetWindowPos(window_, nullptr, r.left, r.top, r.width, r.height, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    void SetBackColor(COLORREF color) override;
    void ShowSurface(PixelSurface& surface) override;
    void SetPointer(const PointerImage& pointer) override;


private:
    friend LRESULT CALLBACK win32::ObjectWindowProc<Win32Child>(HWND, UINT, WPARAM, LPARAM);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void Paint();
    void PaintFocusFrame();
    void Draw(HDC dc, const RECT& area);
    void AddToolTip(const std::string& text);

    NativeWindowEvents& events_;
    HWND window_ = nullptr;
    HWND toolTip_ = nullptr;
    HBRUSH brush_ = nullptr;
    PixelSurface* surface_ = nullptr;
    HCURSOR pointer_ = nullptr;
    bool focusFrame_ = false;
};

void RegisterChildClass() {
    static const bool registered = [] {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.style = CS_DBLCLKS;  // a double-click comes as one, as the form layer reports it
        windowClass.lpfnWndProc = win32::ObjectWindowProc<Win32Child>;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
        windowClass.lpszClassName = kChildClass;
        return RegisterClassExW(&windowClass) != 0;
    }();
    (void)registered;
}

Win32Child::Win32Child(NativeWindow& parent, const ChildDesign& design, NativeWindowEvents& events)
    : events_(events), focusFrame_(design.focusFrame) {
    RegisterChildClass();
    brush_ = CreateSolidBrush(GetSysColor(COLOR_BTNFACE));
    const HWND parentWindow = reinterpret_cast<HWND>(parent.Handle());
    const PixelRect r = win32::ToWindowPixels(parentWindow, design.rect);
    // A window of this class is a plain window to a screen reader, which speaks its text.
    CreateWindowExW(design.border ? WS_EX_CLIENTEDGE : 0, kChildClass, win32::Wide(design.accessibleName).c_str(),
                    WS_CHILD | WS_CLIPSIBLINGS | (design.visible ? WS_VISIBLE : 0), r.left, r.top, r.width, r.height,
                    parentWindow, nullptr, GetModuleHandleW(nullptr), this);
    if (window_ && !design.toolTip.empty()) AddToolTip(design.toolTip);
}

// The tool tip is a window of its own, owned by the form; it watches the mouse over the child.
void Win32Child::AddToolTip(const std::string& text) {
    const INITCOMMONCONTROLSEX classes{sizeof classes, ICC_BAR_CLASSES};  // cheap once registered
    win32::InitCommonControlsEx(&classes);
    const HWND parent = GetParent(window_);
    toolTip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, GetAncestor(parent, GA_ROOT),
                               nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!toolTip_) return;
    std::wstring wide = win32::Wide(text);
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = parent;
    tool.uId = reinterpret_cast<UINT_PTR>(window_);
    tool.lpszText = wide.data();
    SendMessageW(toolTip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

Win32Child::~Win32Child() {
    if (surface_) surface_->Changed = nullptr;
    if (toolTip_ && IsWindow(toolTip_)) DestroyWindow(toolTip_);
    if (pointer_) DestroyCursor(pointer_);
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
    return win32::ToSystemPixels(window_, {r.left, r.top, r.right - r.left, r.bottom - r.top});
}

void Win32Child::SetBackColor(COLORREF color) {
    HBRUSH brush = CreateSolidBrush(ResolveColor(color));
    if (!brush) return;
    if (brush_) DeleteObject(brush_);
    brush_ = brush;
    InvalidateRect(window_, nullptr, TRUE);
}

void Win32Child::ShowSurface(PixelSurface& surface) {
    surface_ = &surface;
    surface.Changed = [this](const PixelRect& r) {
        if (!window_) return;
        // Every window pixel the changed surface pixels are drawn on, also when stretched.
        const int dpi = static_cast<int>(win32::WindowDpi(window_)), system = static_cast<int>(win32::SystemDpi());
        const auto lower = [&](int v) { return v * dpi / system; };
        const auto upper = [&](int v) { return (v * dpi + system - 1) / system; };
        const RECT area{lower(r.left), lower(r.top), upper(r.left + r.width), upper(r.top + r.height)};
        InvalidateRect(window_, &area, FALSE);  // painted with the next WM_PAINT, merged with others
    };
    InvalidateRect(window_, nullptr, FALSE);
}

void Win32Child::SetPointer(const PointerImage& pointer) {
    // The AND plane leaves the screen where it is 1; the XOR plane then sets white where it is 1.
    BYTE andPlane[32 * 4], xorPlane[32 * 4];
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const BYTE bit = static_cast<BYTE>(0x80 >> (x % 8));
            BYTE& a = andPlane[y * 4 + x / 8];
            BYTE& o = xorPlane[y * 4 + x / 8];
            if (x % 8 == 0) a = 0, o = 0;
            if (pointer.pixels[y][x] == 0) a |= bit;
            if (pointer.pixels[y][x] == 2) o |= bit;
        }
    }
    HCURSOR cursor = CreateCursor(GetModuleHandleW(nullptr), pointer.hotX, pointer.hotY, 32, 32, andPlane, xorPlane);
    if (!cursor) return;  // the arrow stays
    if (pointer_) DestroyCursor(pointer_);
    pointer_ = cursor;
}

// Copies the part of the surface that needs painting; beyond the surface, the background brush.
void Win32Child::Paint() {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window_, &paint);
    if (!dc) return;
    Draw(dc, paint.rcPaint);
    EndPaint(window_, &paint);
}

// A box without a surface: its background (erased before), with the dotted frame while it has the
// focus.
void Win32Child::PaintFocusFrame() {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window_, &paint);
    if (!dc) return;
    if (GetFocus() == window_) {
        RECT frame;
        GetClientRect(window_, &frame);
        InflateRect(&frame, -1, -1);
        DrawFocusRect(dc, &frame);
    }
    EndPaint(window_, &paint);
}

// The surface holds pixels at the system DPI: on a monitor of another scale it is drawn stretched
// to its size there, whole, and the paint area clips it.
void Win32Child::Draw(HDC dc, const RECT& p) {
    const int dpi = static_cast<int>(win32::WindowDpi(window_)), system = static_cast<int>(win32::SystemDpi());
    const int shownWidth = MulDiv(surface_->Width(), dpi, system);
    const int shownHeight = MulDiv(surface_->Height(), dpi, system);
    if (p.right > shownWidth || p.bottom > shownHeight) FillRect(dc, &p, brush_);  // beyond it
    const bool stretched = dpi != system;
    const int left = stretched ? 0 : std::max<int>(p.left, 0), top = stretched ? 0 : std::max<int>(p.top, 0);
    const int right = stretched ? surface_->Width() : std::min<int>(p.right, surface_->Width());
    const int bottom = stretched ? surface_->Height() : std::min<int>(p.bottom, surface_->Height());
    if (right <= left || bottom <= top) return;
    // A top-down 32-bit DIB holds 0x00RRGGBB; the surface holds 0x00BBGGRR.
    const int w = right - left, h = bottom - top;
    std::vector<DWORD> bits(static_cast<size_t>(w) * static_cast<size_t>(h));
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const COLORREF c = surface_->Pixel(left + x, top + y);
            bits[static_cast<size_t>(y * w + x)] = ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
        }
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    if (stretched) {
        SetStretchBltMode(dc, COLORONCOLOR);  // each pixel repeated or dropped: no blur on the picker's marks
        StretchDIBits(dc, 0, 0, shownWidth, shownHeight, 0, 0, w, h, bits.data(), &info, DIB_RGB_COLORS, SRCCOPY);
    } else {
        SetDIBitsToDevice(dc, left, top, static_cast<DWORD>(w), static_cast<DWORD>(h), 0, 0, 0, static_cast<UINT>(h),
                          bits.data(), &info, DIB_RGB_COLORS);
    }
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
        // A box that Tab stops at takes the focus when clicked, as a control does.
        if (message == WM_LBUTTONDOWN && (GetWindowLongPtrW(window, GWL_STYLE) & WS_TABSTOP)) ::SetFocus(window);
        if (up && !(wParam & kButtons) && GetCapture() == window) ReleaseCapture();
        // Windows leaves Alt out of a mouse message; the form layer's Shift argument has it.
        const WPARAM keys = wParam | (GetKeyState(VK_MENU) < 0 ? MK_ALT : 0);
        const int x = win32::ToSystemPixels(window, GET_X_LPARAM(lParam));
        const int y = win32::ToSystemPixels(window, GET_Y_LPARAM(lParam));
        const std::optional<MouseInput> mouse = ReadMouseMessage(message, keys, x, y);
        NativeWindowEvents& events = events_;
        win32::RunGuarded([&events, &mouse] { events.OnMouse(*mouse); });
        return 0;
    }
    case WM_GETDLGCODE:
        // Enter belongs to the form's default button where it has one; else a focused box hears it.
        if (lParam && reinterpret_cast<const MSG*>(lParam)->message == WM_KEYDOWN && wParam == VK_RETURN &&
            HIWORD(SendMessageW(GetAncestor(window, GA_ROOT), DM_GETDEFID, 0, 0)) != DC_HASDEFID) {
            return DLGC_WANTMESSAGE;
        }
        break;
    case WM_KEYDOWN:
        if (wParam == VK_SPACE || wParam == VK_RETURN) {
            const auto key = static_cast<unsigned>(wParam);
            NativeWindowEvents& events = events_;
            win32::RunGuarded([&events, key] { events.OnKey(key); });
            return 0;
        }
        break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        if (focusFrame_) InvalidateRect(window, nullptr, TRUE);
        break;
    case WM_PAINT:
        if (surface_) {
            Paint();
            return 0;
        }
        if (!focusFrame_) break;
        PaintFocusFrame();
        return 0;
    case WM_SETCURSOR:
        if (pointer_ && LOWORD(lParam) == HTCLIENT) {
            SetCursor(pointer_);
            return TRUE;
        }
        break;
    case WM_ERASEBKGND: {
        if (surface_) return 1;  // painted whole with the surface, without a flicker of background
        RECT client;
        GetClientRect(window, &client);
        FillRect(reinterpret_cast<HDC>(wParam), &client, brush_);
        return 1;
    }
    case WM_CTLCOLORSTATIC:
        // Labels on a user control show its background.
        return win32::StaticColours(reinterpret_cast<HDC>(wParam), brush_);
    case WM_PARENTNOTIFY:
        // A window that holds controls: Tab goes through them, and access keys reach them.
        if (LOWORD(wParam) == WM_CREATE) {
            SetWindowLongPtrW(window, GWL_EXSTYLE, GetWindowLongPtrW(window, GWL_EXSTYLE) | WS_EX_CONTROLPARENT);
        }
        break;
    case WM_NCDESTROY:
        // Gone with its form: the handle may be another window's by the time this object goes.
        window_ = nullptr;
        if (toolTip_ && IsWindow(toolTip_)) DestroyWindow(toolTip_);
        toolTip_ = nullptr;
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
