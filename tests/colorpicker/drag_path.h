// One drag across the field and one down the bar, as a person makes them, with the colour each
// step selects. Every realisation's test plays the same steps, so each must pick the same colours.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

#include "colorpicker/picker_images.h"
#include "platform/os_types.h"

namespace drag_path {

struct Step {
    bool onBar;        // false: the field (the control's own surface)
    unsigned message;  // os::WM_LBUTTONDOWN, os::WM_MOUSEMOVE or os::WM_LBUTTONUP
    int x, y;          // client pixels of the surface pressed on; beyond its edges while held
    std::int32_t selected;  // SelectedColor after the step
};

inline std::int32_t Field(int x, int y) { return static_cast<std::int32_t>(picker_images::ColorField().At(x, y)); }

// The bar's shade at row y: band k (k >= 1) covers rows 1 + 4(k - 1) to 1 + 4k, each channel
// darker by 4k and never below 0; a later band covers the row it shares with the one before.
inline std::int32_t Bar(std::int32_t color, int y) {
    const int k = y <= 0 ? 0 : (y - 1) / 4 + 1;
    std::int32_t shade = 0;
    for (int shift = 0; shift <= 16; shift += 8) shade |= std::max(0, ((color >> shift) & 0xFF) - 4 * k) << shift;
    return shade;
}

inline std::vector<Step> Steps() {
    const std::int32_t last = Field(90, 175);
    return {
        {false, os::WM_LBUTTONDOWN, 20, 30, Field(20, 30)},
        {false, os::WM_MOUSEMOVE, 60, 90, Field(60, 90)},
        {false, os::WM_MOUSEMOVE, 120, 150, Field(120, 150)},
        {false, os::WM_MOUSEMOVE, 176, 100, 0xFFFFFF},         // the frame's white right edge
        {false, os::WM_MOUSEMOVE, 250, 100, Field(175, 100)},  // beyond the control: column 175
        {false, os::WM_MOUSEMOVE, -30, -30, Field(1, 1)},      // beyond the top-left corner: pure red
        {false, os::WM_MOUSEMOVE, 90, 400, last},              // far below: row 175
        {false, os::WM_LBUTTONUP, 90, 400, last},              // no pick; the marker goes to (90, 175)
        {true, os::WM_LBUTTONDOWN, 10, 10, Bar(last, 10)},
        {true, os::WM_MOUSEMOVE, 10, 500, Bar(last, 186)},     // below the bar: row 186
        {true, os::WM_MOUSEMOVE, -50, 50, Bar(last, 50)},      // left of it: column 1
        {true, os::WM_LBUTTONUP, -50, 50, Bar(last, 50)},
    };
}

// After the steps, the marker's upper arm: for the even X 90 its centre column is 89.
inline constexpr int kMarkerArmX = 89, kMarkerArmY = 166;

}  // namespace drag_path
