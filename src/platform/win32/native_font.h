// A GDI font made from the form layer's font, shared by text measuring and the controls.
#pragma once

#include <windows.h>

#include "platform/font.h"

namespace os::win32 {

// The caller deletes it (DeleteObject). Null when GDI could not make one.
HFONT CreateNativeFont(const Font& font);

}  // namespace os::win32
