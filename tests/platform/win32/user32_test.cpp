// The program's user32 calls on real windows: the extended style replaced by exactly
// WS_EX_LAYERED, topmost and translucency.
#include "platform/user32.h"

#include "forms/form.h"
#include "support/test_form.h"
#include "win32_test.h"

namespace {

struct Panel : os::Form {
    Panel() : Form({os::WindowKind::SizableToolWindow, "Panel", 300, 200}) {}
};
TestForm<Panel> panel;

struct Shell : os::Form {
    Shell() : Form({os::WindowKind::Hidden, "Shell", 300, 200}) {}
};
TestForm<Shell> shell;

using Win32User32 = Win32Test;

}  // namespace

TEST_F(Win32User32, APanelWhoseExtendedStyleIsReplacedStaysAThinTopmostToolWindow) {
    panel->Show();
    const HWND window = Native(panel->hWnd());
    auto captionHeight = [window] {
        RECT frame = WindowRect(window), client{};
        GetClientRect(window, &client);
        return (frame.bottom - frame.top) - client.bottom;
    };
    const int thinFrame = captionHeight();

    EXPECT_EQ(os::SetWindowPos(panel->hWnd(), reinterpret_cast<os::Hwnd>(HWND_TOPMOST), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE), 1);
    const os::LONG_PTR before = os::SetWindowLongA(panel->hWnd(), GWL_EXSTYLE, WS_EX_LAYERED);
    EXPECT_TRUE(before & WS_EX_TOOLWINDOW);
    EXPECT_EQ(os::SetLayeredWindowAttributes(panel->hWnd(), 0, 140, LWA_ALPHA), 1);

    const LONG_PTR after = ExStyle(window);
    EXPECT_TRUE(after & WS_EX_LAYERED);
    EXPECT_TRUE(after & WS_EX_TOOLWINDOW);
    EXPECT_TRUE(after & WS_EX_TOPMOST);
    EXPECT_FALSE(after & WS_EX_APPWINDOW);
    // The frame is recomputed, as any later style change would: the caption stays thin.
    SetWindowPos(window, nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
    EXPECT_EQ(captionHeight(), thinFrame);
    BYTE alpha = 0;
    DWORD flags = 0;
    ASSERT_TRUE(GetLayeredWindowAttributes(window, nullptr, &alpha, &flags));
    EXPECT_EQ(alpha, 140);
    EXPECT_EQ(flags, static_cast<DWORD>(LWA_ALPHA));

    // Other windows get exactly what they are given.
    os::SetWindowLongA(shell->hWnd(), GWL_EXSTYLE, WS_EX_LAYERED);
    EXPECT_EQ(ExStyle(Native(shell->hWnd())) & (WS_EX_LAYERED | WS_EX_TOOLWINDOW), WS_EX_LAYERED);
}
