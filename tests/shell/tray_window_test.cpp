#include "shell/tray_window.h"

#include "panel/reading_panel.h"
#include "platform/user32.h"
#include "support/fresh_process.h"

using ShellWindow = ProgramTest;

TEST_F(ShellWindow, StartsHiddenAndStaysHidden) {
    Start();
    const headless::WindowState* shell = headless::Window(ShellHandle());
    ASSERT_NE(shell, nullptr);
    EXPECT_EQ(shell->kind, os::WindowKind::Hidden);
    EXPECT_FALSE(shell->visible);
    EXPECT_FALSE(Form1.Exists());  // no panel until it is asked for
}

TEST_F(ShellWindow, RefusesEveryCloseRequest) {
    Start();
    const os::Hwnd shell = ShellHandle();
    for (int mode : {os::vbFormControlMenu, os::vbFormCode, os::vbAppWindows, os::vbAppTaskManager}) {
        headless::Run([&] { frmTray->Unload(mode); });
        EXPECT_TRUE(frmTray.Exists());
        EXPECT_EQ(frmTray->hWnd(), shell);
        EXPECT_FALSE(headless::Window(shell)->visible);
    }
    EXPECT_TRUE(headless::PressHotKey(kCtrlAlt, 'S'));  // hotkeys still live
}

TEST_F(ShellWindow, ExitStoresThePanelsPlaceAndEnds) {
    Start();
    headless::PressHotKey(kCtrlAlt, 'S');
    headless::UserMove(Form1->hWnd(), 200, 100);
    headless::Run([] { frmTray->mnuPopupMenuExit_Click(); });
    EXPECT_TRUE(headless::Ended());
    EXPECT_EQ(Stored("window", "left"), " 3000");
    EXPECT_EQ(Stored("window", "top"), " 1500");
}

TEST_F(ShellWindow, ExitWithNoPanelStoresNothing) {
    Start();
    headless::Run([] { frmTray->mnuPopupMenuExit_Click(); });
    EXPECT_TRUE(headless::Ended());
    EXPECT_EQ(headless::SaveCount(), 0);
    EXPECT_FALSE(Form1.Exists());
}

TEST_F(ShellWindow, EndOfSessionStoresThePanelAndDoesNotHoldItUp) {
    Start();
    headless::PressHotKey(kCtrlAlt, 'S');
    headless::UserMove(Form1->hWnd(), 200, 100);
    headless::EndSession();
    EXPECT_EQ(os::SendMessageA(ShellHandle(), os::WM_QUERYENDSESSION, 0, 0), 1);
    EXPECT_EQ(Stored("window", "left"), " 3000");
    EXPECT_TRUE(frmTray.Exists());
}
