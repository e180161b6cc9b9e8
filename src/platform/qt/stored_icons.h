// The tray icon's pixels, drawn while the program is built (tools/draw_icons.cpp): 0xAARRGGBB,
// straight alpha, row by row, kStoredTrayIconSize square.
#pragma once

#include <cstdint>

namespace os::qt {
extern const int kStoredTrayIconSize;
extern const std::uint32_t kStoredTrayIcon[];
}  // namespace os::qt
