// Where a restored panel goes: the stored place, unless no grabbable part of it would be on any
// screen (a monitor unplugged, a hand-edited file); then the nearest screen's work area. A caption
// over a bar or a dock is on the screen: the person moved it there, and can move it away.
#pragma once

#include <vector>

#include "platform/app.h"

namespace panel {

struct TwipsRect {
    double left, top, width, height;
};

// Whether a person can take hold of the frame: enough of its caption on one of the screens.
bool Reachable(const os::PixelRect& frame, const std::vector<os::Monitor>& monitors);
// The screen nearest the middle of the frame's caption: the one it is on, for a frame on a
// screen. Null when there are no screens.
const os::Monitor* ScreenOf(const os::PixelRect& frame, const std::vector<os::Monitor>& monitors);
// The smallest rectangle that holds every screen; empty when there are none.
os::PixelRect DesktopBounds(const std::vector<os::Monitor>& monitors);

// The frame in pixels for a stored geometry. `design` is the window's frame before restoring,
// used for a size that is not a usable number. Partly off-screen places stay as stored; the size
// is never larger than the screens together.
os::PixelRect PlaceOnScreens(const TwipsRect& stored, const os::PixelRect& design,
                             const std::vector<os::Monitor>& monitors, double twipsPerPixelX,
                             double twipsPerPixelY);

}  // namespace panel
