// A GDI font made from the form layer's font, shared by text measuring and the controls.
#pragma once

#include <windows.h>

#include "platform/font.h"

namespace os::win32 {

// At `dpi`, or at the system DPI when 0. The caller deletes it (DeleteObject). Null when GDI could
// not make one.
HFONT CreateNativeFont(const Font& font, unsigned dpi = 0);

}  // namespace os::win32
