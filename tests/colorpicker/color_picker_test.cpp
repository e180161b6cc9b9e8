// The picker's behaviour: what GoToColor finds on the displayed field, what the mouse picks on
// the field and the bar, where the marker goes, and when ColorChanged is raised.
#include "colorpicker/color_picker.h"

#include <gtest/gtest.h>

#include "colorpicker/drag_path.h"
#include "colorpicker/picker_host.h"
#include "colorpicker/picker_images.h"
#include "platform/headless/headless.h"
#include "support/fresh_process.h"

namespace {
// A fresh desktop, then the host shown.
struct FreshDesktop {
    FreshDesktop() { FreshProcess(); }
};

class Picker : public ::testing::Test {
protected:
    void SetUp() override { pickerHost->Show(); }
    void TearDown() override { FreshProcess(); }
    // What the screen shows of the field and of the bar.
    os::COLORREF FieldAt(int x, int y) const { return headless::ShownPixel(picker.hWnd(), x, y); }
    os::COLORREF BarAt(int x, int y) const { return headless::ShownPixel(picker.bar.hWnd(), x, y); }
    FreshDesktop fresh;
    ColorPicker& picker = pickerHost->picker;
    int& changes = pickerHost->changes;
};
}  // namespace

TEST_F(Picker, ShownCleanWithAFrameAndTheWhiteGradient) {
    EXPECT_EQ(picker.SelectedColor(), 0);
    EXPECT_EQ(FieldAt(5, 0), 0xA0A0A0u);    // top edge grey
    EXPECT_EQ(FieldAt(0, 50), 0xA0A0A0u);   // left edge grey
    EXPECT_EQ(FieldAt(176, 50), 0xFFFFFFu); // right edge white
    EXPECT_EQ(FieldAt(50, 187), 0xFFFFFFu); // bottom row white
    EXPECT_EQ(FieldAt(1, 1), 0xFFu);
    EXPECT_EQ(BarAt(10, 0), 0xA0A0A0u);     // the bar's frame
    EXPECT_EQ(BarAt(10, 1), 0xFBFBFBu);     // band 1: white less 4
    EXPECT_EQ(BarAt(10, 10), 0xF3F3F3u);    // band 3 covers rows 9-13
    EXPECT_EQ(BarAt(10, 186), 0x434343u);   // band 47: white less 188
    EXPECT_EQ(changes, 0);
}

TEST_F(Picker, GotoPureRedFindsTheRightMostColumn) {
    picker.GoToColor(0xFF);
    EXPECT_EQ(picker.SelectedColor(), 0xFF);
    EXPECT_EQ(changes, 1);
    // Found at column 2, row 1: the marker's corner at (-8, -8), its centre at (1, 1). Its right
    // arm crosses row 1 at columns 6 to 10.
    for (int x = 6; x <= 10; ++x) EXPECT_EQ(FieldAt(x, 1), 0u) << x;
    EXPECT_NE(FieldAt(11, 1), 0u);
    EXPECT_EQ(BarAt(10, 1), 0xFBu);  // red less 4 (green and blue stay at 0)
}

TEST_F(Picker, GotoWhiteFindsTheFrame) {
    picker.GoToColor(0xFFFFFF);
    EXPECT_EQ(changes, 1);
    // Column 176, row 1: the marker is centred one pixel left of an even column: corner at 166.
    EXPECT_EQ(FieldAt(166 + 9, 1 + 5), 0u);  // lower arm of the marker, centre column 175
}

TEST_F(Picker, GotoBlackNeedsAMarker) {
    picker.GoToColor(0);
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(picker.SelectedColor(), 0);
    picker.OnMouseDown(1, 0, 80, 80);
    picker.OnMouseUp(1, 0, 81, 81);  // marker centred on (81, 81)
    const int before = changes;
    picker.GoToColor(0);  // finds the marker's own right arm: column 90, its top row 80
    EXPECT_EQ(changes, before + 1);
    EXPECT_EQ(picker.SelectedColor(), 0);
    // The marker moved there: corner (80, 70), so its lower arm spans columns 88-90, rows 84-88.
    EXPECT_EQ(FieldAt(89, 84), 0u);
    EXPECT_NE(FieldAt(81, 86), 0u);  // the old lower arm is gone
}

TEST_F(Picker, GotoAShadeFromTheBarFindsNothing) {
    picker.GoToColor(0xFF);
    const int before = changes;
    picker.GoToColor(0xFB);  // red less 4: only on the bar
    EXPECT_EQ(changes, before);
    EXPECT_EQ(picker.SelectedColor(), 0xFF);
}

TEST_F(Picker, DraggingOnTheFieldPicksAndPaintsTheBar) {
    picker.OnMouseDown(1, 0, 60, 3);
    EXPECT_EQ(picker.SelectedColor(), 0x00FF00);
    EXPECT_EQ(BarAt(10, 1), 0x00FB00u);
    picker.OnMouseMove(1, 0, 118, 3);
    EXPECT_EQ(picker.SelectedColor(), 0xFF0000);
    EXPECT_EQ(changes, 2);
    picker.OnMouseMove(0, 0, 1000, 3);  // buttons are not looked at while dragging
    EXPECT_EQ(picker.SelectedColor(), static_cast<std::int32_t>(FieldAt(175, 3)));
    picker.OnMouseUp(1, 0, 118, 3);
    EXPECT_EQ(changes, 3);  // no pick on release
    picker.OnMouseMove(1, 0, 60, 3);
    EXPECT_EQ(changes, 3);  // not dragging any more
}

TEST_F(Picker, TheMoveAndReleaseClampsDiffer) {
    picker.OnMouseDown(1, 0, 176, 50);
    EXPECT_EQ(picker.SelectedColor(), 0xFFFFFF);  // at 176 the white frame line is picked
    picker.OnMouseMove(1, 0, 177, 50);  // 177 and up: column 175 (the drag path goes farther)
    EXPECT_EQ(picker.SelectedColor(), static_cast<std::int32_t>(FieldAt(175, 50)));
    picker.OnMouseUp(1, 0, 176, 176);  // released beyond: the marker centres at 175
    EXPECT_EQ(FieldAt(175, 175 - 9), 0u);
    EXPECT_EQ(FieldAt(175, 175 + 5), 0u);
}

TEST_F(Picker, APressOnTheOldMarkerPicksBlackFirst) {
    picker.OnMouseDown(1, 0, 81, 81);
    picker.OnMouseUp(1, 0, 81, 81);
    picker.OnMouseDown(1, 0, 81, 73);  // on the marker's upper arm
    EXPECT_EQ(picker.SelectedColor(), 0);
    EXPECT_EQ(BarAt(10, 1), 0u);
    EXPECT_NE(FieldAt(81, 73), 0u);  // then the old marker is gone
}

TEST_F(Picker, TheMarkerCornerForEvenAndOddPositions) {
    picker.OnMouseDown(1, 0, 100, 100);
    picker.OnMouseUp(1, 0, 100, 100);  // even: corner 90, centre column 99
    EXPECT_EQ(FieldAt(99, 90), 0u);
    EXPECT_NE(FieldAt(101, 90), 0u);
    picker.OnMouseDown(1, 0, 101, 101);
    picker.OnMouseUp(1, 0, 101, 101);  // odd: corner 92, centre column 101
    EXPECT_EQ(FieldAt(101, 92), 0u);
    EXPECT_EQ(FieldAt(100, 92), 0u);
    EXPECT_EQ(FieldAt(102, 92), 0u);
    EXPECT_NE(FieldAt(99, 92), 0u);
    picker.OnMouseUp(1, 0, 100.5f, 100.5f);  // 100.5 - 9.5 is 91 exactly: centre column 100
    EXPECT_EQ(FieldAt(100, 91), 0u);
    EXPECT_NE(FieldAt(98, 91), 0u);
}

TEST_F(Picker, PickingOnTheBar) {
    picker.GoToColor(0xFF);
    const int before = changes;
    picker.OnBarMouseDown(1, 0, 10, 10);
    EXPECT_EQ(picker.SelectedColor(), 0xF3);
    picker.OnBarMouseMove(1, 0, 50, 500);  // beyond: column 18, row 186
    EXPECT_EQ(picker.SelectedColor(), static_cast<std::int32_t>(BarAt(18, 186)));
    picker.OnBarMouseMove(2, 0, 10, 10);   // only with the left button
    EXPECT_EQ(changes, before + 2);
    picker.OnBarMouseUp(2, 0, 10, 10);     // any release ends it
    picker.OnBarMouseMove(1, 0, 10, 10);
    EXPECT_EQ(changes, before + 2);
    EXPECT_EQ(BarAt(10, 10), 0xF3u);           // the bar was not redrawn
}

TEST_F(Picker, RightButtonsDoNothingOnTheField) {
    picker.OnMouseDown(2, 0, 60, 3);
    picker.OnMouseUp(2, 0, 60, 3);
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(picker.SelectedColor(), 0);
}

TEST_F(Picker, GradientUpwardsPaintsFromTheBottom) {
    os::PixelSurface bar(20, 188, 0x123456);
    picker.DrawGradient(bar, 0x808080, false);
    EXPECT_EQ(bar.Pixel(10, 185), 0x808080u);  // first band: rows 184-185, the next overlapping 184
    EXPECT_EQ(bar.Pixel(10, 184), 0x7C7C7Cu);  // next band up: rows 180-184
    EXPECT_EQ(bar.Pixel(10, 186), 0x123456u);  // below the first band: not painted
}

// The user's mouse, through the form layer, in the surfaces' pixels.
TEST_F(Picker, ADragThroughTheDesktopPicksEachStepsColour) {
    for (const drag_path::Step& step : drag_path::Steps()) {
        headless::Mouse(step.onBar ? picker.bar.hWnd() : picker.hWnd(), step.message, step.x, step.y);
        EXPECT_EQ(picker.SelectedColor(), step.selected) << step.x << "," << step.y << (step.onBar ? " on the bar" : "");
    }
    EXPECT_EQ(FieldAt(drag_path::kMarkerArmX, drag_path::kMarkerArmY), 0u);
    EXPECT_EQ(changes, 10);  // each press and move picks; releases do not
}

TEST_F(Picker, OnlyWhatChangedIsRepainted) {
    headless::TakeRepaints(picker.hWnd());
    headless::TakeRepaints(picker.bar.hWnd());
    headless::Mouse(picker.hWnd(), os::WM_LBUTTONDOWN, 50, 50);
    headless::TakeRepaints(picker.hWnd());
    headless::TakeRepaints(picker.bar.hWnd());
    headless::Mouse(picker.hWnd(), os::WM_MOUSEMOVE, 60, 50);  // a drag step repaints the bar only
    EXPECT_TRUE(headless::TakeRepaints(picker.hWnd()).empty());
    EXPECT_FALSE(headless::TakeRepaints(picker.bar.hWnd()).empty());
    headless::Mouse(picker.bar.hWnd(), os::WM_MOUSEMOVE, 10, 10);  // a move without a button: nothing
    headless::Mouse(picker.hWnd(), os::WM_LBUTTONUP, 60, 50);
    // The release redraws the field and the marker; the bar stays.
    EXPECT_FALSE(headless::TakeRepaints(picker.hWnd()).empty());
    EXPECT_TRUE(headless::TakeRepaints(picker.bar.hWnd()).empty());
}

TEST_F(Picker, TheControlKeepsItsSizeAndTheBarItsEyedropper) {
    const headless::WindowState& control = *headless::Window(picker.hWnd());
    EXPECT_EQ(control.frame, (os::PixelRect{8, 8, 204, 188}));  // placed at 120 twips, 1500 x 900: it keeps 3060 x 2820
    EXPECT_EQ(headless::Window(picker.bar.hWnd())->frame, (os::PixelRect{181, 0, 20, 188}));
    EXPECT_EQ(headless::Window(picker.bar.hWnd())->pointer, &picker_images::Eyedropper());
    EXPECT_EQ(control.pointer, nullptr);  // the field keeps the arrow
    EXPECT_EQ(FieldAt(190, 50), 0xF0F0F0u);  // between the field and the bar: the control's face
}
