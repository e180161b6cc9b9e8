#include "panel/placement.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

#include "forms/conversions.h"

namespace panel {

namespace {

// The caption band that a user can take hold of: this much of it must be on a screen.
constexpr int kGrabWidth = 32;
constexpr int kGrabHeight = 8;
constexpr int kCaptionHeight = 20;
constexpr int kMinSize = 16;

// A coordinate in pixels, or nothing when it is no usable number.
std::optional<long long> ToPixels(double twips, double twipsPerPixel) {
    const double pixels = twips / twipsPerPixel;
    if (!std::isfinite(pixels) || std::fabs(pixels) > 1e9) return std::nullopt;
    return static_cast<long long>(forms::RoundHalfEven(pixels));
}

long long Overlap(long long a0, long long a1, long long b0, long long b1) {
    return std::max(0LL, std::min(a1, b1) - std::max(a0, b0));
}

bool Grabbable(long long left, long long top, long long width, const os::PixelRect& m) {
    return Overlap(left, left + width, m.left, static_cast<long long>(m.left) + m.width) >= std::min<long long>(kGrabWidth, width) &&
           Overlap(top, top + kCaptionHeight, m.top, static_cast<long long>(m.top) + m.height) >= kGrabHeight;
}

// Distance from a point to a rectangle, squared.
double DistanceSquared(double x, double y, const os::PixelRect& m) {
    const double dx = std::max({m.left - x, 0.0, x - (m.left + m.width)});
    const double dy = std::max({m.top - y, 0.0, y - (m.top + m.height)});
    return dx * dx + dy * dy;
}

}  // namespace

bool Reachable(const os::PixelRect& frame, const std::vector<os::Monitor>& monitors) {
    return std::any_of(monitors.begin(), monitors.end(),
                       [&](const os::Monitor& m) { return Grabbable(frame.left, frame.top, frame.width, m.area); });
}

const os::Monitor* ScreenOf(const os::PixelRect& frame, const std::vector<os::Monitor>& monitors) {
    const os::Monitor* nearest = monitors.empty() ? nullptr : &monitors.front();
    double best = std::numeric_limits<double>::infinity();
    for (const os::Monitor& m : monitors) {
        const double d = DistanceSquared(frame.left + frame.width / 2.0, frame.top, m.area);
        if (d < best) best = d, nearest = &m;
    }
    return nearest;
}

os::PixelRect DesktopBounds(const std::vector<os::Monitor>& monitors) {
    if (monitors.empty()) return {};
    long long deskLeft = monitors.front().area.left, deskTop = monitors.front().area.top;
    long long deskRight = deskLeft + monitors.front().area.width, deskBottom = deskTop + monitors.front().area.height;
    for (const os::Monitor& m : monitors) {
        deskLeft = std::min<long long>(deskLeft, m.area.left);
        deskTop = std::min<long long>(deskTop, m.area.top);
        deskRight = std::max<long long>(deskRight, static_cast<long long>(m.area.left) + m.area.width);
        deskBottom = std::max<long long>(deskBottom, static_cast<long long>(m.area.top) + m.area.height);
    }
    return {static_cast<int>(deskLeft), static_cast<int>(deskTop), static_cast<int>(deskRight - deskLeft),
            static_cast<int>(deskBottom - deskTop)};
}

os::PixelRect PlaceOnScreens(const TwipsRect& stored, const os::PixelRect& design,
                             const std::vector<os::Monitor>& monitors, double twipsPerPixelX,
                             double twipsPerPixelY) {
    auto size = [](std::optional<long long> pixels, int fallback) {
        return pixels && *pixels >= kMinSize ? *pixels : fallback;
    };
    long long width = size(ToPixels(stored.width, twipsPerPixelX), design.width);
    long long height = size(ToPixels(stored.height, twipsPerPixelY), design.height);
    const std::optional<long long> left = ToPixels(stored.left, twipsPerPixelX);
    const std::optional<long long> top = ToPixels(stored.top, twipsPerPixelY);

    if (monitors.empty()) {
        return {static_cast<int>(left.value_or(design.left)), static_cast<int>(top.value_or(design.top)),
                static_cast<int>(std::min<long long>(width, 1 << 15)),
                static_cast<int>(std::min<long long>(height, 1 << 15))};
    }
    // Never larger than all the screens together: a frame beyond them serves no one and costs its
    // size in memory.
    const os::PixelRect desk = DesktopBounds(monitors);
    width = std::min<long long>(width, desk.width);
    height = std::min<long long>(height, desk.height);
    // Places within 1e9 pixels, sizes within the screens: the frame fits in int.
    const os::PixelRect asked{static_cast<int>(left.value_or(0)), static_cast<int>(top.value_or(0)), static_cast<int>(width),
                              static_cast<int>(height)};
    if (left && top && Reachable(asked, monitors)) return asked;
    // The nearest screen to where the window's caption would be; the primary for a place that is
    // no number.
    const os::Monitor* nearest = left && top ? ScreenOf(asked, monitors) : &monitors.front();
    const os::PixelRect& m = nearest->workArea;
    width = std::min<long long>(width, m.width);
    height = std::min<long long>(height, m.height);
    const long long x = std::clamp<long long>(left.value_or(m.left), m.left, m.left + m.width - width);
    const long long y = std::clamp<long long>(top.value_or(m.top), m.top, m.top + m.height - height);
    return {static_cast<int>(x), static_cast<int>(y), static_cast<int>(width), static_cast<int>(height)};
}

}  // namespace panel
