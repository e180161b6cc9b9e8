// The program's user32 calls on real windows: subclassing through the 64-bit slots, the extended
// style replaced by exactly WS_EX_LAYERED, topmost, translucency and hotkeys.
#include "platform/user32.h"

#include <vector>

#include "forms/form.h"
#include "win32_test.h"

namespace {

class Panel : public os::Form {
public:
    Panel() : Form({os::WindowKind::SizableToolWindow, "Panel", 300, 200}) {}
    int closeRequests = 0;

protected:
    bool CanUnload(os::CloseReason) override {
        ++closeRequests;
        return false;
    }
};
os::FormRef<Panel> panel;

struct Shell : os::Form {
    Shell() : Form({os::WindowKind::Hidden, "Shell", 300, 200}) {}
};
os::FormRef<Shell> shell;

os::WNDPROC previous = nullptr;
std::vector<os::WPARAM> hotKeys;

os::LRESULT Replacement(os::Hwnd window, unsigned message, os::WPARAM wParam, os::LPARAM lParam) {
    if (message == WM_HOTKEY) {
        hotKeys.push_back(wParam);
        return 0;
    }
    return os::CallWindowProcA(previous, window, message, wParam, lParam);
}

void Press(std::vector<WORD> keys) {
    std::vector<INPUT> inputs;
    for (WORD key : keys) inputs.push_back(INPUT{INPUT_KEYBOARD, {.ki = {key, 0, 0, 0, 0}}});
    for (auto it = keys.rbegin(); it != keys.rend(); ++it) {
        inputs.push_back(INPUT{INPUT_KEYBOARD, {.ki = {*it, 0, KEYEVENTF_KEYUP, 0, 0}}});
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

class Win32User32 : public Win32Test {
protected:
    void SetUp() override {
        Win32Test::SetUp();
        previous = nullptr;
        hotKeys.clear();
    }
};

}  // namespace

TEST_F(Win32User32, AReplacedProcedureGetsEveryMessageAndPassesTheRestToTheFormLayer) {
    const os::Hwnd window = panel->hWnd();
    const os::LONG_PTR formProc = os::GetWindowLongA(window, os::GWL_WNDPROC);
    previous = reinterpret_cast<os::WNDPROC>(
        os::SetWindowLongA(window, os::GWL_WNDPROC, reinterpret_cast<os::LONG_PTR>(&Replacement)));
    ASSERT_NE(previous, nullptr);
    EXPECT_EQ(reinterpret_cast<os::LONG_PTR>(previous), formProc);
    EXPECT_EQ(os::GetWindowLongA(window, os::GWL_WNDPROC), reinterpret_cast<os::LONG_PTR>(&Replacement));

    EXPECT_EQ(os::SendMessageA(window, WM_HOTKEY, 7, 0), 0);
    EXPECT_EQ(hotKeys, std::vector<os::WPARAM>{7});
    os::SendMessageA(window, WM_CLOSE, 0, 0);  // through the replacement to the form layer
    EXPECT_EQ(panel->closeRequests, 1);
    EXPECT_TRUE(IsWindow(Native(window)));
}

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

TEST_F(Win32User32, HotKeysAreHeldByIdAndAPressReachesTheReplacedProcedure) {
    const os::Hwnd window = shell->hWnd();
    previous = reinterpret_cast<os::WNDPROC>(
        os::SetWindowLongA(window, os::GWL_WNDPROC, reinterpret_cast<os::LONG_PTR>(&Replacement)));
    constexpr unsigned kCtrlAlt = MOD_CONTROL | MOD_ALT;
    EXPECT_EQ(os::RegisterHotKey(window, 1, kCtrlAlt, 'S'), 1);
    EXPECT_EQ(os::RegisterHotKey(window, 2, kCtrlAlt, 'S'), 0);  // the combination is taken
    EXPECT_EQ(os::RegisterHotKey(window, 2, kCtrlAlt, 'L'), 1);

    Press({VK_CONTROL, VK_MENU, 'L'});
    Pump();
    EXPECT_EQ(hotKeys, std::vector<os::WPARAM>{2});

    EXPECT_EQ(os::UnregisterHotKey(window, 1), 1);
    EXPECT_EQ(os::UnregisterHotKey(window, 1), 0);
    EXPECT_EQ(os::RegisterHotKey(window, 3, kCtrlAlt, 'S'), 1);  // free again
    EXPECT_EQ(os::UnregisterHotKey(window, 2), 1);
    EXPECT_EQ(os::UnregisterHotKey(window, 3), 1);
}
