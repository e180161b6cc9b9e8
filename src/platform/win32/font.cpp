// Fonts and text extents through GDI, and the desktop's system colours.
#include "platform/font.h"
#include "platform/system_colors.h"

#include <windows.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "platform/win32/native_font.h"
#include "platform/win32/window_scale.h"
#include "platform/win32/wide.h"

namespace os {

namespace win32 {

HFONT CreateNativeFont(const Font& font, unsigned atDpi) {
    const unsigned dpi = atDpi ? atDpi : SystemDpi();
    // A negative height asks for the character height (points), not the cell height.
    const int height = -static_cast<int>(std::lround(font.size * dpi / 72.0));
    LOGFONTW logFont{};
    logFont.lfHeight = height;
    logFont.lfWeight = font.weight;
    logFont.lfItalic = font.italic ? TRUE : FALSE;
    logFont.lfUnderline = font.underline ? TRUE : FALSE;
    logFont.lfStrikeOut = font.strikethrough ? TRUE : FALSE;
    logFont.lfCharSet = static_cast<BYTE>(font.charset);
    logFont.lfOutPrecision = OUT_DEFAULT_PRECIS;
    logFont.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    logFont.lfQuality = DEFAULT_QUALITY;
    logFont.lfPitchAndFamily = DEFAULT_PITCH | FF_SWISS;  // a missing face falls back to a sans one
    const std::wstring face = Wide(font.name);
    face.copy(logFont.lfFaceName, LF_FACESIZE - 1);
    return CreateFontIndirectW(&logFont);
}

}  // namespace win32

COLORREF GetSysColor(int index) {
    // Qualified: unqualified, the name would be this function.
    return static_cast<COLORREF>(::GetSysColor(index));
}

TextExtent MeasureText(const Font& font, std::string_view text) {
    TextExtent extent;
    HDC screen = GetDC(nullptr);
    if (!screen) return extent;
    HFONT native = win32::CreateNativeFont(font);
    HGDIOBJ previous = native ? SelectObject(screen, native) : nullptr;
    TEXTMETRICW metrics{};
    GetTextMetricsW(screen, &metrics);
    // One line at a time: GDI does not break lines when it measures.
    size_t start = 0;
    for (;;) {
        const size_t end = text.find('\n', start);
        std::string_view line = text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        const std::wstring wide = win32::Wide(line);
        SIZE size{};
        if (!wide.empty()) GetTextExtentPoint32W(screen, wide.c_str(), static_cast<int>(wide.size()), &size);
        extent.width = std::max(extent.width, static_cast<int>(size.cx));
        extent.height += std::max(static_cast<int>(size.cy), static_cast<int>(metrics.tmHeight));
        if (end == std::string_view::npos) break;
        start = end + 1;
    }
    if (native) {
        SelectObject(screen, previous);
        DeleteObject(native);
    }
    ReleaseDC(nullptr, screen);
    return extent;
}

}  // namespace os
