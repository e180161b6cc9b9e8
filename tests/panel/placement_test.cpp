#include "panel/placement.h"

#include <gtest/gtest.h>

#include <cmath>

using panel::PlaceOnScreens;

namespace {
const os::PixelRect kDesign{0, 0, 312, 227};
// Two screens without bars.
const std::vector<os::Monitor> kTwo{{{0, 0, 1920, 1080}, {0, 0, 1920, 1080}},
                                    {{-1280, 0, 1280, 1024}, {-1280, 0, 1280, 1024}}};
os::PixelRect Place(double l, double t, double w, double h, const std::vector<os::Monitor>& m = kTwo) {
    return PlaceOnScreens({l, t, w, h}, kDesign, m, 15, 15);
}
}  // namespace

TEST(Placement, AGrabbableCaptionKeepsThePlace) {
    EXPECT_EQ(Place(-15000, 1500, 6000, 4500), (os::PixelRect{-1000, 100, 400, 300}));  // left monitor
    EXPECT_EQ(Place(28200, 1500, 6000, 4500), (os::PixelRect{1880, 100, 400, 300}));    // 40 px showing
    EXPECT_EQ(Place(1500, -150, 6000, 4500), (os::PixelRect{100, -10, 400, 300}));     // 10 px of caption
    EXPECT_EQ(Place(0, 0, 45000, 30000), (os::PixelRect{0, 0, 3000, 1080}));          // taller than the screens
}

TEST(Placement, NeverLargerThanTheScreensTogether) {
    // The two screens span 3200 x 1080 pixels.
    EXPECT_EQ(Place(0, 0, 1500000, 1500000), (os::PixelRect{0, 0, 3200, 1080}));
    EXPECT_EQ(Place(-19200, 0, 60000, 30000), (os::PixelRect{-1280, 0, 3200, 1080}));
    for (double size : {1e5, 1e6, 1.5e7, 1.4e10}) {
        for (double place : {-1e9, -19200.0, 0.0, 1e6}) {
            const os::PixelRect r = Place(place, place, size, size);
            EXPECT_LE(r.width, 3200) << size << " at " << place;
            EXPECT_LE(r.height, 1080) << size << " at " << place;
        }
    }
}

TEST(Placement, NoGrabbablePartGoesToTheNearestScreen) {
    EXPECT_EQ(Place(28650, 1500, 6000, 4500), (os::PixelRect{1520, 100, 400, 300}));   // 10 px showing
    EXPECT_EQ(Place(1500, -3000, 6000, 4500), (os::PixelRect{100, 0, 400, 300}));      // caption above
    EXPECT_EQ(Place(-30000, 1500, 6000, 4500), (os::PixelRect{-1280, 100, 400, 300})); // beyond the left one
    EXPECT_EQ(Place(1500, 30000, 6000, 4500), (os::PixelRect{100, 780, 400, 300}));    // below
}

TEST(Placement, ACaptionOverABarIsOnTheScreen) {
    // A 40 px bar along the top and a 48 px taskbar along the bottom.
    const std::vector<os::Monitor> barred{{{0, 0, 1920, 1080}, {0, 40, 1920, 992}}};
    EXPECT_EQ(Place(1500, 150, 6000, 4500, barred), (os::PixelRect{100, 10, 400, 300}));      // over the top bar
    EXPECT_EQ(Place(1500, 15750, 6000, 4500, barred), (os::PixelRect{100, 1050, 400, 300}));  // over the taskbar
    // Truly lost: rescued into the work area, not under the bar.
    EXPECT_EQ(Place(1500, -3000, 6000, 4500, barred), (os::PixelRect{100, 40, 400, 300}));
    EXPECT_EQ(Place(1500, 30000, 6000, 4500, barred), (os::PixelRect{100, 732, 400, 300}));
}

TEST(Placement, UnusableSizes) {
    EXPECT_EQ(Place(0, 0, 1e12, 1e12), (os::PixelRect{0, 0, 312, 227}));  // no usable number
    EXPECT_EQ(Place(60000, 0, 60000, 30000), (os::PixelRect{0, 0, 1920, 1080}));  // moved and cut
    EXPECT_EQ(Place(0, 0, 15, 15), (os::PixelRect{0, 0, 312, 227}));  // too small to hold
}

TEST(Placement, NonFiniteValues) {
    EXPECT_EQ(Place(NAN, INFINITY, 6000, 4500), (os::PixelRect{0, 0, 400, 300}));
    EXPECT_EQ(Place(1500, 1500, INFINITY, NAN), (os::PixelRect{100, 100, 312, 227}));
}

TEST(Placement, NoScreenKnownKeepsTheStoredValues) {
    EXPECT_EQ(Place(-15000, 1500, 6000, 4500, {}), (os::PixelRect{-1000, 100, 400, 300}));
}
