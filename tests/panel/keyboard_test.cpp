#include "panel/keyboard.h"

#include <gtest/gtest.h>

using panel::FrameAfterKey;

namespace {
// A 1920 x 1080 screen, and a 1280 x 1024 one to its left.
const std::vector<os::Monitor> kTwo{{{0, 0, 1920, 1080}, {0, 0, 1920, 1040}},
                                    {{-1280, 0, 1280, 1024}, {-1280, 0, 1280, 1024}}};
os::KeyInput Arrow(unsigned key, bool shift = false, bool control = false) {
    return {.virtualKey = key, .shiftHeld = shift, .controlHeld = control};
}
os::PixelRect After(const os::PixelRect& frame, const os::KeyInput& key) { return FrameAfterKey(frame, key, kTwo).value(); }
}  // namespace

TEST(PanelKeys, ShiftStepsAreATenthOfTheScreenThePanelIsOn) {
    const os::PixelRect onMain{100, 100, 400, 300}, onLeft{-1000, 100, 400, 300};
    EXPECT_EQ(After(onMain, Arrow(os::VK_RIGHT, true)), (os::PixelRect{292, 100, 400, 300}));
    EXPECT_EQ(After(onMain, Arrow(os::VK_UP, true)), (os::PixelRect{100, -8, 400, 300}));  // the whole screen counts
    EXPECT_EQ(After(onLeft, Arrow(os::VK_LEFT, true)), (os::PixelRect{-1128, 100, 400, 300}));
    EXPECT_EQ(After(onLeft, Arrow(os::VK_DOWN, true, true)), (os::PixelRect{-1000, 100, 400, 402}));
    EXPECT_EQ(After(onMain, Arrow(os::VK_LEFT, false, true)), (os::PixelRect{100, 100, 399, 300}));
}

TEST(PanelKeys, AMoveOrNarrowingStopsWhereTheCaptionWouldLeaveEveryScreen) {
    // 32 pixels of the caption's width and 8 of its height must stay on a screen.
    const os::PixelRect atRight{1888, 100, 400, 300}, nearBottom{100, 1030, 400, 300};
    EXPECT_EQ(After(atRight, Arrow(os::VK_RIGHT)), atRight);
    EXPECT_EQ(After(atRight, Arrow(os::VK_RIGHT, true)), atRight);
    EXPECT_EQ(After(nearBottom, Arrow(os::VK_DOWN, true)), (os::PixelRect{100, 1072, 400, 300}));  // part of a step
    // Across to the other screen, and on along it.
    EXPECT_EQ(After({-20, 100, 400, 300}, Arrow(os::VK_LEFT, true)), (os::PixelRect{-212, 100, 400, 300}));
    // Narrowing a frame whose right part is all a screen shows stops the same way.
    EXPECT_EQ(After({-1500, 100, 260, 300}, Arrow(os::VK_LEFT, true, true)), (os::PixelRect{-1500, 100, 252, 300}));
    EXPECT_EQ(After({-1500, 100, 252, 300}, Arrow(os::VK_LEFT, false, true)), (os::PixelRect{-1500, 100, 252, 300}));
    // A frame that no screen shows moves freely, so that the keys can bring it back.
    EXPECT_EQ(After({5000, 100, 400, 300}, Arrow(os::VK_LEFT)), (os::PixelRect{4999, 100, 400, 300}));
}

TEST(PanelKeys, SizesStayBetweenTheFloorAndTheScreensTogether) {
    EXPECT_EQ(After({0, 0, 100, 40}, Arrow(os::VK_LEFT, true, true)), (os::PixelRect{0, 0, panel::kSmallestWidth, 40}));
    EXPECT_EQ(After({0, 0, 100, 40}, Arrow(os::VK_UP, true, true)), (os::PixelRect{0, 0, 100, panel::kSmallestHeight}));
    // A frame smaller than the floor already is not grown by a shrink.
    EXPECT_EQ(After({0, 0, 20, 20}, Arrow(os::VK_LEFT, false, true)), (os::PixelRect{0, 0, 20, 20}));
    // The two screens span 3200 x 1080 pixels.
    EXPECT_EQ(After({0, 0, 3100, 300}, Arrow(os::VK_RIGHT, true, true)), (os::PixelRect{0, 0, 3200, 300}));
    EXPECT_EQ(After({0, 0, 3100, 1080}, Arrow(os::VK_DOWN, false, true)), (os::PixelRect{0, 0, 3100, 1080}));
}

TEST(PanelKeys, OtherKeysAndAltLeaveThePanelAlone) {
    const os::PixelRect frame{100, 100, 400, 300};
    EXPECT_FALSE(FrameAfterKey(frame, {.virtualKey = os::VK_RIGHT, .altHeld = true}, kTwo));
    EXPECT_FALSE(FrameAfterKey(frame, {.virtualKey = os::VK_TAB}, kTwo));
    EXPECT_FALSE(FrameAfterKey(frame, {.virtualKey = os::VK_ESCAPE}, kTwo));
}
