// The application services: deferred work, the screen from the system, End and the message loop.
#include "platform/app.h"

#include <cstdio>
#include <stdexcept>
#include <thread>
#include <string>
#include <vector>

#include "forms/form.h"
#include "support/test_form.h"
#include "platform/global_hotkeys.h"
#include "platform/settings_store.h"
#include "win32_test.h"

namespace {

using Win32App = Win32Test;
using Win32AppDeathTest = Win32Test;

struct Unloading : forms::Form {
    Unloading() : Form({os::WindowKind::SizableToolWindow, "Unloading", 100, 100}) {}
    void OnUnload() override { os::WriteSetting("window", "unloaded", "yes"); }
};
TestForm<Unloading> unloading;

}  // namespace

TEST_F(Win32App, DeferredWorkRunsAfterTheCurrentMessageInOrder) {
    std::vector<std::string> ran;
    os::PostDeferred([&] {
        ran.push_back("first");
        os::PostDeferred([&] { ran.push_back("posted by first"); });
    });
    os::PostDeferred([&] { ran.push_back("second"); });
    EXPECT_TRUE(ran.empty());

    MSG message;
    ASSERT_TRUE(PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE));
    DispatchMessageW(&message);
    EXPECT_EQ(ran, (std::vector<std::string>{"first", "second"}));
    Pump();
    EXPECT_EQ(ran.back(), "posted by first");
}

TEST_F(Win32App, TheScreenIsTheSystemsDpiAndEveryMonitorsWorkAreaPrimaryFirst) {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    const os::ScreenInfo info = os::Screen();
    EXPECT_FLOAT_EQ(info.twipsPerPixelX, 1440.0f / static_cast<float>(dpi));
    EXPECT_FLOAT_EQ(os::TwipsPerPixelX(), info.twipsPerPixelX);
    EXPECT_EQ(info.widthPixels, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(info.heightPixels, GetSystemMetrics(SM_CYSCREEN));

    ASSERT_EQ(info.monitors.size(), static_cast<size_t>(GetSystemMetrics(SM_CMONITORS)));
    MONITORINFO primary{};
    primary.cbSize = sizeof primary;
    GetMonitorInfoW(MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY), &primary);
    const RECT& work = primary.rcWork;
    EXPECT_EQ(info.monitors[0].workArea, (os::PixelRect{work.left, work.top, work.right - work.left, work.bottom - work.top}));
    EXPECT_EQ(info.monitors[0].area, (os::PixelRect{0, 0, info.widthPixels, info.heightPixels}));
}

TEST_F(Win32App, ScreensChangingIsHeardOnceAfterTheMessagesThatTellOfIt) {
    int heard = 0;
    os::SetScreensChangedHandler([&] { ++heard; });
    const HWND host = os::win32::HostWindow();
    SendMessageW(host, WM_SETTINGCHANGE, SPI_SETDESKWALLPAPER, 0);  // no change of the screens
    Pump();
    EXPECT_EQ(heard, 0);
    SendMessageW(host, WM_DISPLAYCHANGE, 32, MAKELPARAM(1024, 768));
    SendMessageW(host, WM_SETTINGCHANGE, SPI_SETWORKAREA, 0);
    EXPECT_EQ(heard, 0);
    Pump();
    EXPECT_EQ(heard, 1);
    os::SetScreensChangedHandler(nullptr);
}

TEST_F(Win32AppDeathTest, EndEndsTheProcessAtOnceWithoutUnloadingForms) {
    EXPECT_EXIT(
        {
            unloading->Show();
            os::End();
        },
        ::testing::ExitedWithCode(0), "");
    EXPECT_EQ(Stored("window", "unloaded"), "<absent>");
}

TEST_F(Win32AppDeathTest, TheMessageLoopRunsUntilEnd) {
    EXPECT_EXIT(os::RunApplication(0, nullptr, [] { os::PostDeferred([] { os::End(); }); }),
                ::testing::ExitedWithCode(0), "");
}

// The person reads the box that tells of the error, then presses its OK: what it says goes to the
// standard error, where the test can see it.
void ReadTheErrorBoxAndPressOk() {
    std::thread([] {
        for (int i = 0; i < 500; ++i) {
            if (HWND box = FindWindowW(L"#32770", L"Lisotra")) {
                wchar_t text[256] = {};
                GetDlgItemTextW(box, 0xFFFF, text, 256);  // a message box's text
                std::fprintf(stderr, "%ls\n", text);
                std::fflush(stderr);
                PostMessageW(box, WM_COMMAND, IDOK, 0);
                return;
            }
            Sleep(20);
        }
    }).detach();
}

TEST_F(Win32AppDeathTest, AnErrorTheProgramDidNotHandleEndsItInsteadOfUnwindingThroughTheSystem) {
    EXPECT_EXIT(
        {
            ReadTheErrorBoxAndPressOk();
            os::RunApplication(0, nullptr, [] { os::PostDeferred([] { throw std::runtime_error("x"); }); });
        },
        ::testing::ExitedWithCode(1), "Run-time error not handled, the program ends: x");
}

TEST_F(Win32AppDeathTest, AnErrorInTheHotkeyHandlerEndsItTheSameWay) {
    EXPECT_EXIT(
        {
            ReadTheErrorBoxAndPressOk();
            os::RunApplication(0, nullptr, [] {
                os::SetHotkeyHandler([](int id) { throw std::runtime_error("hotkey " + std::to_string(id)); });
                PostMessageW(os::win32::HotkeyWindow(), WM_HOTKEY, 2, 0);
            });
        },
        ::testing::ExitedWithCode(1), "Run-time error not handled, the program ends: hotkey 2");
}
