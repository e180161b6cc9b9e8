// The desktop's system colours, which the program names by their Windows indexes. Each
// realisation defines GetSysColor: win32 asks Windows, qt takes its palette, headless has a fixed one.
#pragma once

#include "platform/os_types.h"

namespace os {

// The colour of a system colour index (COLOR_BTNFACE 15, COLOR_BTNTEXT 18, ...) on this desktop;
// 0 for an index that names none.
COLORREF GetSysColor(int index);

// A colour as drawn: a system colour 0x800000nn becomes the desktop's colour for index nn.
inline COLORREF ResolveColor(COLORREF color) {
    return (color & 0xFFFFFF00u) == 0x80000000u ? GetSysColor(static_cast<int>(color & 0xFF)) : color & 0xFFFFFFu;
}

}  // namespace os
