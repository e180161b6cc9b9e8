#include "shell/shell_window.h"

#include "panel/reading_panel.h"
#include "support/fresh_process.h"

using ShellWindowTest = ProgramTest;

TEST_F(ShellWindowTest, StartsHiddenAndStaysHidden) {
    Start();
    const headless::WindowState* shell = headless::Window(ShellHandle());
    ASSERT_NE(shell, nullptr);
    EXPECT_EQ(shell->kind, os::WindowKind::Hidden);
    EXPECT_FALSE(shell->visible);
    EXPECT_FALSE(Program().panel.Exists());  // no panel until it is asked for
}

TEST_F(ShellWindowTest, RefusesEveryCloseRequest) {
    Start();
    const os::Hwnd shell = ShellHandle();
    for (os::CloseReason mode : {os::CloseReason::User, os::CloseReason::Program, os::CloseReason::SessionEnd, os::CloseReason::OtherProgram}) {
        headless::Run([&] { Program().shell->Unload(mode); });
        EXPECT_TRUE(Program().shell.Exists());
        EXPECT_EQ(Program().shell->hWnd(), shell);
        EXPECT_FALSE(headless::Window(shell)->visible);
    }
    headless::UserClose(shell);  // as the desktop asks
    EXPECT_EQ(Program().shell->hWnd(), shell);
    EXPECT_TRUE(headless::PressHotKey(kCtrlAlt, 'S'));  // hotkeys still live
}

TEST_F(ShellWindowTest, ExitWithNoPanelStoresNothing) {
    Start();
    headless::Run([] { Program().shell->Exit(); });
    EXPECT_TRUE(headless::Ended());
    EXPECT_EQ(headless::SaveCount(), 0);
    EXPECT_FALSE(Program().panel.Exists());
}

TEST_F(ShellWindowTest, EndOfSessionStoresThePanelAndKeepsTheShell) {
    Start();
    headless::PressHotKey(kCtrlAlt, 'S');
    headless::UserMove(Program().panel->hWnd(), 200, 100);
    headless::EndSession();
    EXPECT_EQ(Stored("window", "left"), " 3000");
    EXPECT_FALSE(Program().panel.Exists());
    EXPECT_TRUE(Program().shell.Exists());
}
