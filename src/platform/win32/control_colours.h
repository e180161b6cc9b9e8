// What a window that holds controls answers when a static text on it (a label) asks for its
// colours: its own background brush, so the label shows the window's colour.
#pragma once

#include <windows.h>

namespace os::win32 {

LRESULT StaticColours(HDC dc, HBRUSH background);

}  // namespace os::win32
