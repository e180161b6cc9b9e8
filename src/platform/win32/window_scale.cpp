// Sizes between the system DPI and the DPI of a form's monitor; fonts kept at the latter.
#include "platform/win32/window_scale.h"

#include <utility>

#include "platform/win32/native_font.h"

namespace os::win32 {

namespace {

constexpr wchar_t kDpiProperty[] = L"LisotraDpi";
constexpr wchar_t kFontProperty[] = L"LisotraFont";

// Found at run time: Windows before 10 (1607) has no such function, and the program still starts.
UINT DpiWindowsGives(HWND window) {
    using Function = UINT(WINAPI*)(HWND);
    static const Function ask = [] {
        const HMODULE user32 = GetModuleHandleW(L"user32.dll");
        return user32 ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(user32, "GetDpiForWindow")))
                      : nullptr;
    }();
    return ask ? ask(window) : 0;
}

BOOL CALLBACK RescaleChild(HWND child, LPARAM data) {
    const auto& [newDpi, oldDpi] = *reinterpret_cast<const std::pair<UINT, UINT>*>(data);
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    auto scale = [&](LONG v) { return MulDiv(v, static_cast<int>(newDpi), static_cast<int>(oldDpi)); };
    ::SetWindowPos(child, nullptr, scale(r.left), scale(r.top), scale(r.right - r.left), scale(r.bottom - r.top),
                   SWP_NOZORDER | SWP_NOACTIVATE);
    if (auto* font = static_cast<ScaledFont*>(GetPropW(child, kFontProperty))) font->Rescale(newDpi);
    InvalidateRect(child, nullptr, TRUE);
    return TRUE;
}

}  // namespace

UINT SystemDpi() {
    static const UINT dpi = [] {
        HDC screen = GetDC(nullptr);
        const int found = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
        if (screen) ReleaseDC(nullptr, screen);
        return found > 0 ? static_cast<UINT>(found) : static_cast<UINT>(USER_DEFAULT_SCREEN_DPI);
    }();
    return dpi;
}

UINT AskedDpi(HWND form) {
    const UINT dpi = DpiWindowsGives(form);
    return dpi ? dpi : SystemDpi();
}

void RememberDpi(HWND form, UINT dpi) {
    SetPropW(form, kDpiProperty, reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(dpi)));
}

void ForgetDpi(HWND form) { RemovePropW(form, kDpiProperty); }

UINT WindowDpi(HWND window) {
    const HWND form = GetAncestor(window, GA_ROOT);
    const auto dpi = static_cast<UINT>(reinterpret_cast<UINT_PTR>(GetPropW(form ? form : window, kDpiProperty)));
    return dpi ? dpi : SystemDpi();
}

int ToWindowPixels(HWND window, int pixels) {
    const UINT dpi = WindowDpi(window);
    return dpi == SystemDpi() ? pixels : MulDiv(pixels, static_cast<int>(dpi), static_cast<int>(SystemDpi()));
}

int ToSystemPixels(HWND window, int pixels) {
    const UINT dpi = WindowDpi(window);
    return dpi == SystemDpi() ? pixels : MulDiv(pixels, static_cast<int>(SystemDpi()), static_cast<int>(dpi));
}

PixelRect ToWindowPixels(HWND window, const PixelRect& r) {
    return {ToWindowPixels(window, r.left), ToWindowPixels(window, r.top), ToWindowPixels(window, r.width),
            ToWindowPixels(window, r.height)};
}

PixelRect ToSystemPixels(HWND window, const PixelRect& r) {
    return {ToSystemPixels(window, r.left), ToSystemPixels(window, r.top), ToSystemPixels(window, r.width),
            ToSystemPixels(window, r.height)};
}

ScaledFont::~ScaledFont() {
    if (control_ && IsWindow(control_)) RemovePropW(control_, kFontProperty);
    if (native_) DeleteObject(native_);
}

void ScaledFont::Give(HWND control, const Font& font) {
    control_ = control;
    font_ = font;
    SetPropW(control_, kFontProperty, this);
    Rescale(WindowDpi(control_));
}

void ScaledFont::Rescale(UINT dpi) {
    HFONT native = CreateNativeFont(font_, dpi);
    if (!native) return;
    SendMessageW(control_, WM_SETFONT, reinterpret_cast<WPARAM>(native), TRUE);
    if (native_) DeleteObject(native_);
    native_ = native;
}

void RescaleChildren(HWND form, UINT newDpi, UINT oldDpi) {
    std::pair<UINT, UINT> dpis{newDpi, oldDpi};
    EnumChildWindows(form, RescaleChild, reinterpret_cast<LPARAM>(&dpis));
}

}  // namespace os::win32
