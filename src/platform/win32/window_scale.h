// Each form keeps the scale of the monitor it is on, while the form layer measures in pixels at
// the system DPI (the twips it stores mean twips on that monitor). At one DPI the scale is 1 and
// every size passes through unchanged.
#pragma once

#include "platform/font.h"
#include "platform/os_types.h"

#include <windows.h>

namespace os::win32 {

// The DPI the system was signed in at; fixed for the life of the process.
UINT SystemDpi();
// The DPI of the monitor that `window` (a form or any of its children) is on.
UINT WindowDpi(HWND window);
// What Windows says of a new form (GetDpiForWindow where this Windows has it), and what a form was
// last told (WM_DPICHANGED); remembered on the form until it forgets it.
UINT AskedDpi(HWND form);
void RememberDpi(HWND form, UINT dpi);
void ForgetDpi(HWND form);

// Pixels at the system DPI to pixels of `window`'s monitor, and back.
int ToWindowPixels(HWND window, int pixels);
int ToSystemPixels(HWND window, int pixels);
PixelRect ToWindowPixels(HWND window, const PixelRect& rect);
PixelRect ToSystemPixels(HWND window, const PixelRect& rect);

// A control's font, kept at the DPI of its form: made when given, made again when the form moves
// to another scale, deleted with this object.
class ScaledFont {
public:
    ScaledFont() = default;
    ScaledFont(const ScaledFont&) = delete;
    ScaledFont& operator=(const ScaledFont&) = delete;
    ~ScaledFont();
    void Give(HWND control, const Font& font);
    void Rescale(UINT dpi);
    HFONT Native() const { return native_; }

private:
    HWND control_ = nullptr;
    Font font_{};
    HFONT native_ = nullptr;
};

// A form's children once it moved from `oldDpi` to `newDpi`: every rectangle, at every depth, and
// every ScaledFont scaled by the ratio, and all painted again.
void RescaleChildren(HWND form, UINT newDpi, UINT oldDpi);

}  // namespace os::win32
