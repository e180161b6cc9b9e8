// A form moved to a monitor of another scale, as Windows tells it (WM_DPICHANGED: the new DPI and
// the place it suggests). Wine gives every monitor one DPI, so the tests tell it themselves.
#include "forms/controls.h"
#include "platform/app.h"
#include "forms/dialog_keys_scenario.h"
#include "support/test_form.h"
#include "win32_test.h"

#include <cmath>
#include <string>
#include <vector>

namespace {

int resizes = 0;
std::vector<std::string> heard;

struct Scaled final : forms::Form {
    Scaled()
        : Form({os::WindowKind::Dialog, "Scaled", 360, 240}),
          name(*this, dialog_keys::Designed({1200, 150, 2250, 360}, "")),
          keep(*this, {.rect = {150, 1200, 2250, 360}, .caption = "&Keep"}),
          box(*this, {.rect = {10, 100, 40, 40}}, forms::ScaleMode::Pixels) {
        box.MouseDown = [](int, int, float x, float y) {
            heard.push_back(std::to_string(static_cast<int>(x)) + " " + std::to_string(static_cast<int>(y)));
        };
    }
    forms::TextBox name;
    forms::CheckBox keep;
    forms::PictureBox box;

protected:
    void OnResize() override { ++resizes; }
};
TestForm<Scaled> scaled;

HWND Form() { return Native(scaled->hWnd()); }

// Every child's rectangle in its parent's client area, in the order Windows lists them.
std::vector<RECT> ChildRects() {
    std::vector<RECT> rects;
    EnumChildWindows(
        Form(),
        [](HWND child, LPARAM data) {
            RECT r = WindowRect(child);
            MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
            reinterpret_cast<std::vector<RECT>*>(data)->push_back(r);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&rects));
    return rects;
}

LONG FontHeight(os::Hwnd control) {
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(Native(control), WM_GETFONT, 0, 0)), sizeof font, &font);
    return font.lfHeight;
}

std::string Text(const RECT& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + " " + std::to_string(r.right) + "," +
           std::to_string(r.bottom);
}

// Under wine the window manager confirms a move a while later, and until then the window may be
// reported at its earlier place: the place is waited for, the size is there at once.
void TellDpi(UINT dpi, RECT suggested) {
    SendMessageW(Form(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    const RECT now = WindowRect(Form());
    EXPECT_EQ(now.right - now.left, suggested.right - suggested.left);
    EXPECT_EQ(now.bottom - now.top, suggested.bottom - suggested.top);
    EXPECT_TRUE(Win32Test::PumpUntil([&] { return Text(WindowRect(Form())) == Text(suggested); }))
        << Text(WindowRect(Form())) << " is not " << Text(suggested);
}

// Shown, and the active window.
void ShowAndWait() {
    scaled->Show();
    ASSERT_TRUE(Win32Test::PumpUntil([] { return GetForegroundWindow() == Form(); }));
}

// What the box shows at a point of its window, once painted.
COLORREF Shown(int x, int y) {
    const HWND box = Native(scaled->box.hWnd());
    RedrawWindow(box, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    HDC dc = GetDC(box);
    const COLORREF colour = GetPixel(dc, x, y);
    ReleaseDC(box, dc);
    return colour;
}

class Win32MonitorScale : public Win32Test {
protected:
    void SetUp() override {
        Win32Test::SetUp();
        resizes = 0;
        heard.clear();
    }
};

}  // namespace

TEST_F(Win32MonitorScale, AFormTakesThePlaceSuggestedAndItsChildrenAndFontsFollowTheScale) {
    ShowAndWait();
    const RECT at96 = WindowRect(Form());
    const std::vector<RECT> children = ChildRects();
    const LONG nameFont = FontHeight(scaled->name.hWnd()), keepFont = FontHeight(scaled->keep.hWnd());
    const float width = scaled->Width(), height = scaled->Height();
    ASSERT_EQ(children.size(), 3u);
    resizes = 0;

    const RECT suggested{at96.left + 40, at96.top + 30, at96.left + 40 + (at96.right - at96.left) * 3 / 2,
                         at96.top + 30 + (at96.bottom - at96.top) * 3 / 2};
    TellDpi(144, suggested);
    const std::vector<RECT> at144 = ChildRects();
    ASSERT_EQ(at144.size(), children.size());
    for (size_t i = 0; i < children.size(); ++i) {
        const RECT& was = children[i];
        const RECT expected{MulDiv(was.left, 3, 2), MulDiv(was.top, 3, 2),
                            MulDiv(was.left, 3, 2) + MulDiv(was.right - was.left, 3, 2),
                            MulDiv(was.top, 3, 2) + MulDiv(was.bottom - was.top, 3, 2)};
        EXPECT_EQ(Text(at144[i]), Text(expected)) << "child " << i;
    }
    EXPECT_NEAR(FontHeight(scaled->name.hWnd()), nameFont * 1.5, 1.0);
    EXPECT_NEAR(FontHeight(scaled->keep.hWnd()), keepFont * 1.5, 1.0);
    // In the form's own measure nothing changed, and no one resized it.
    EXPECT_EQ(scaled->Width(), width);
    EXPECT_EQ(scaled->Height(), height);
    EXPECT_EQ(resizes, 0);

    // Back on a monitor at the system's scale, all is as it was.
    TellDpi(96, at96);
    const std::vector<RECT> back = ChildRects();
    for (size_t i = 0; i < children.size(); ++i) EXPECT_EQ(Text(back[i]), Text(children[i])) << "child " << i;
    EXPECT_EQ(FontHeight(scaled->name.hWnd()), nameFont);
    EXPECT_EQ(resizes, 0);
}

TEST_F(Win32MonitorScale, AtAnotherScaleSizesMouseAndPicturesAreMeasuredAtTheSystemScale) {
    ShowAndWait();
    const RECT at96 = WindowRect(Form());
    const int frameWidth = at96.right - at96.left;
    TellDpi(144, {at96.left, at96.top, at96.left + frameWidth * 3 / 2, at96.top + (at96.bottom - at96.top) * 3 / 2});
    resizes = 0;

    // A size the program sets is a size at the system's scale.
    scaled->SetWidth(scaled->Width() + 20 * os::TwipsPerPixelX());
    const RECT wider = WindowRect(Form());
    EXPECT_EQ(wider.right - wider.left, MulDiv(MulDiv(frameWidth * 3 / 2, 2, 3) + 20, 3, 2));
    EXPECT_EQ(resizes, 1);

    // The mouse at (30, 45) of the window is at (20, 30) of the box.
    SendMessageW(Native(scaled->box.hWnd()), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 45));
    SendMessageW(Native(scaled->box.hWnd()), WM_LBUTTONUP, 0, MAKELPARAM(30, 45));
    EXPECT_EQ(heard, std::vector<std::string>{"20 30"});

    // The box's picture is drawn half as large again: its pixel 20 is the window's 30 and 31.
    forms::PixelSurface& surface = scaled->box.MakeSurface(0xFFFFFF);
    surface.FillRect(20, 20, 39, 39, 0x0000FF);
    EXPECT_EQ(Shown(28, 28), 0xFFFFFFu);
    EXPECT_EQ(Shown(31, 31), 0x0000FFu);
    EXPECT_EQ(Shown(59, 59), 0x0000FFu);
}
