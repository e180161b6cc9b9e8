// A picture box on a real child window: the mouse messages its window gets reach the form layer,
// in twips.
#include "platform/app.h"
#include "forms/controls.h"
#include "forms/form.h"
#include "support/test_form.h"
#include "win32_test.h"

#include <string>
#include <vector>

namespace {

std::vector<std::string> heard;

class Host : public forms::Form {
public:
    Host() : Form({os::WindowKind::Hidden, "Host", 300, 200}), box(*this, {.rect = {10, 20, 32, 32}, .visible = false}) {
        auto record = [](const char* what) {
            return [what](int button, int shift, float x, float y) {
                heard.push_back(std::string(what) + " " + std::to_string(button) + " " + std::to_string(shift) + " " +
                                std::to_string(static_cast<int>(x)) + " " + std::to_string(static_cast<int>(y)));
            };
        };
        box.MouseMove = record("move");
        box.MouseDown = record("down");
        box.MouseUp = record("up");
    }
    forms::PictureBox box;
};
TestForm<Host> host;

class Win32PictureBox : public Win32Test {
protected:
    void SetUp() override {
        Win32Test::SetUp();
        heard.clear();
    }
    static HWND Box() { return Native(host->box.hWnd()); }
    static int Twips(int pixels) { return static_cast<int>(static_cast<float>(pixels) * os::TwipsPerPixelX()); }
};

}  // namespace

TEST_F(Win32PictureBox, ItIsAHiddenChildOfItsFormWhereItWasPlaced) {
    const HWND box = Box();
    ASSERT_TRUE(IsWindow(box));
    EXPECT_EQ(GetParent(box), Native(host->hWnd()));
    EXPECT_TRUE(GetWindowLongPtrW(box, GWL_STYLE) & WS_CHILD);
    EXPECT_FALSE(IsWindowVisible(box));
    RECT r = WindowRect(box);
    MapWindowPoints(nullptr, Native(host->hWnd()), reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.left, 10);
    EXPECT_EQ(r.top, 20);
    EXPECT_EQ(r.right - r.left, 32);
    EXPECT_EQ(r.bottom - r.top, 32);

    host->Unload();  // the box goes with its form
    EXPECT_FALSE(IsWindow(box));
}

TEST_F(Win32PictureBox, MouseMessagesReachTheFormLayerInTwipsWithTheirButtonsAndKeys) {
    const HWND box = Box();
    SendMessageW(box, WM_MOUSEMOVE, MK_SHIFT, MAKELPARAM(3, 4));
    SendMessageW(box, WM_RBUTTONDOWN, MK_RBUTTON | MK_CONTROL, MAKELPARAM(-2, -5));  // left of and above the box
    SendMessageW(box, WM_RBUTTONUP, 0, MAKELPARAM(7, 8));
    SendMessageW(box, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 1));
    EXPECT_EQ(heard, (std::vector<std::string>{
                         "move 0 1 " + std::to_string(Twips(3)) + " " + std::to_string(Twips(4)),
                         "down 2 2 " + std::to_string(Twips(-2)) + " " + std::to_string(Twips(-5)),
                         "up 2 0 " + std::to_string(Twips(7)) + " " + std::to_string(Twips(8)),
                         "down 1 0 " + std::to_string(Twips(1)) + " " + std::to_string(Twips(1)),
                     }));
    // A held button keeps the mouse with the box until it is released.
    EXPECT_EQ(GetCapture(), box);
    SendMessageW(box, WM_LBUTTONUP, 0, MAKELPARAM(1, 1));
    EXPECT_NE(GetCapture(), box);
}
