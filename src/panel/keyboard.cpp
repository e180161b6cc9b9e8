#include "panel/keyboard.h"

#include <algorithm>

#include "panel/placement.h"

namespace panel {

namespace {

// A tenth of the screen's extent, at least one pixel.
int LargeStep(int extent) { return std::max(1, extent / 10); }

// A size one step smaller or larger: never below the floor (a frame smaller already keeps its
// size), never above the ceiling (a frame larger already keeps its size).
int Resized(int size, int step, int floor, int ceiling) {
    const long long wanted = static_cast<long long>(size) + step;
    if (step < 0) return static_cast<int>(std::max<long long>(wanted, std::min(size, floor)));
    return static_cast<int>(std::min<long long>(wanted, std::max(size, ceiling)));
}

}  // namespace

std::optional<os::PixelRect> FrameAfterKey(const os::PixelRect& frame, const os::KeyInput& key,
                                           const std::vector<os::Monitor>& monitors) {
    int dx = 0, dy = 0;
    switch (key.virtualKey) {
    case os::VK_LEFT: dx = -1; break;
    case os::VK_RIGHT: dx = 1; break;
    case os::VK_UP: dy = -1; break;
    case os::VK_DOWN: dy = 1; break;
    default: return std::nullopt;
    }
    if (key.altHeld) return std::nullopt;
    const os::Monitor* screen = ScreenOf(frame, monitors);
    const int stepX = key.shiftHeld && screen ? LargeStep(screen->area.width) : 1;
    const int stepY = key.shiftHeld && screen ? LargeStep(screen->area.height) : 1;

    const os::PixelRect desk = monitors.empty() ? os::PixelRect{0, 0, 1 << 15, 1 << 15} : DesktopBounds(monitors);
    auto stepped = [&](int step) {
        os::PixelRect next = frame;
        if (key.controlHeld) {
            if (dx) next.width = Resized(frame.width, dx * step, kSmallestWidth, desk.width);
            if (dy) next.height = Resized(frame.height, dy * step, kSmallestHeight, desk.height);
        } else {
            next.left += dx * step;
            next.top += dy * step;
        }
        return next;
    };
    // The largest step up to the full one after which the caption can still be taken hold of (a
    // narrower frame shows less of it); a frame that cannot be already (or with no screens known)
    // moves freely, so that the keys bring it back.
    const bool free = monitors.empty() || !Reachable(frame, monitors);
    for (int step = dx ? stepX : stepY; step > 0; --step) {
        const os::PixelRect next = stepped(step);
        if (free || Reachable(next, monitors)) return next;
    }
    return frame;
}

}  // namespace panel
