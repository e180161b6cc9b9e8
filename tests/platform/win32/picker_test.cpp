// The colour picker on real child windows: a drag made with the system's mouse input, leaving the
// control and its window while the button is held, picks the same colours as on every desktop,
// and the windows paint exactly what the control drew.
#include "colorpicker/drag_path.h"
#include "colorpicker/picker_host.h"
#include "colorpicker/picker_images.h"
#include "win32_test.h"

#include <string>

namespace {

class Win32Picker : public Win32Test {
protected:
    void SetUp() override {
        Win32Test::SetUp();
        pickerHost->Show();
        SetWindowPos(Native(pickerHost->hWnd()), HWND_TOPMOST, 100, 100, 0, 0, SWP_NOSIZE);
        Pump();
    }
    static HWND Field() { return Native(pickerHost->picker.hWnd()); }
    static HWND Bar() { return Native(pickerHost->picker.bar.hWnd()); }

    // The mouse moves to a point of a window's client area, then a button changes (or none); the
    // input is handled when the call returns.
    static void MouseAt(HWND window, POINT at, DWORD button) {
        ClientToScreen(window, &at);
        const POINT target = at;
        const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
        INPUT inputs[2]{};
        inputs[0].type = inputs[1].type = INPUT_MOUSE;
        // Rounded up: the system takes the whole pixel below, and wine's two conversions agree then.
        inputs[0].mi.dx = (at.x * 65536 + width - 1) / width;
        inputs[0].mi.dy = (at.y * 65536 + height - 1) / height;
        inputs[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
        inputs[1].mi.dwFlags = button;
        SendInput(button ? 2 : 1, inputs, sizeof(INPUT));
        const bool release = button == MOUSEEVENTF_LEFTUP;
        PumpUntil([&] {
            POINT now{};
            GetCursorPos(&now);
            return now.x == target.x && now.y == target.y && GetQueueStatus(QS_INPUT) == 0 &&
                   (!release || GetCapture() == nullptr);
        });
    }
    // Input arrives through the system queue: handle it until `done`, for a second at most.
    template <class Done>
    static void PumpUntil(Done done) {
        for (int i = 0; i < 100 && !done(); ++i) {
            Pump();
            Sleep(10);
        }
        Pump();
    }
    // Pixels the window shows that differ from the surface, but for what its children cover.
    static int Differences(HWND window, const os::PixelSurface& surface) {
        UpdateWindow(window);
        HDC dc = GetDC(window);
        int differ = 0;
        for (int y = 0; y < surface.Height(); ++y) {
            for (int x = 0; x < surface.Width(); ++x) {
                if (ChildWindowFromPointEx(window, POINT{x, y}, CWP_SKIPINVISIBLE) != window) continue;
                if (GetPixel(dc, x, y) != surface.Pixel(x, y)) ++differ;
            }
        }
        ReleaseDC(window, dc);
        return differ;
    }
};

}  // namespace

TEST_F(Win32Picker, ADragWithTheSystemsMousePicksEachStepsColour) {
    ColorPicker& picker = pickerHost->picker;
    for (const drag_path::Step& step : drag_path::Steps()) {
        const DWORD button = step.message == WM_LBUTTONDOWN ? MOUSEEVENTF_LEFTDOWN
                             : step.message == WM_LBUTTONUP ? MOUSEEVENTF_LEFTUP
                                                            : 0;
        const int before = pickerHost->changes;
        MouseAt(step.onBar ? Bar() : Field(), POINT{step.x, step.y}, button);
        const std::string where = std::to_string(step.x) + "," + std::to_string(step.y) + (step.onBar ? " on the bar" : "");
        EXPECT_EQ(picker.SelectedColor(), step.selected) << where;
        if (button == MOUSEEVENTF_LEFTUP) {
            EXPECT_EQ(pickerHost->changes, before) << where;  // a release picks nothing
            EXPECT_EQ(GetCapture(), nullptr) << where;
        } else {
            // The system may report a move more than once; each picks again.
            EXPECT_GT(pickerHost->changes, before) << where;
            // A held button keeps the mouse with the window it was pressed on.
            EXPECT_EQ(GetCapture(), step.onBar ? Bar() : Field()) << where;
        }
    }
    EXPECT_EQ(picker.Surface()->Pixel(drag_path::kMarkerArmX, drag_path::kMarkerArmY), 0u);
    EXPECT_EQ(Differences(Field(), *picker.Surface()), 0);
    EXPECT_EQ(Differences(Bar(), *picker.bar.Surface()), 0);
}

TEST_F(Win32Picker, TheBarShowsTheEyedropperAndTheFieldTheArrow) {
    MouseAt(Bar(), POINT{10, 50}, 0);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(GetCursor(), &info));
    EXPECT_FALSE(info.fIcon);
    EXPECT_EQ(info.xHotspot, 3u);
    EXPECT_EQ(info.yHotspot, 16u);
    if (info.hbmMask) DeleteObject(info.hbmMask);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    MouseAt(Field(), POINT{50, 50}, 0);
    EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW)));
}
