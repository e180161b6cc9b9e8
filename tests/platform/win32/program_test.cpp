// The program itself on the Win32 realisation: start-up, the hotkeys as the hotkey window hears
// them, the panel as the desktop shows it, and the end of the session.
#include <string>

#include "panel/reading_panel.h"
#include "platform/app.h"
#include "panel/panel_scenario.h"
#include "shell/shell_window.h"
#include "support/program.h"
#include "win32_test.h"

namespace {

class Win32Program : public Win32Test {
protected:
    static void Start() { Program().shell.Get(); }
    static HWND Shell() { return Native(Program().shell->hWnd()); }
    static HWND Panel() { return Program().panel.Exists() ? Native(Program().panel->hWnd()) : nullptr; }
    static void HotKey(WPARAM id) {
        SendMessageW(os::win32::HotkeyWindow(), WM_HOTKEY, id, 0);
        Pump();
    }
    // Whether another program could still take Ctrl+Alt+key.
    static bool Free(UINT key) {
        HWND probe = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
        const bool free = RegisterHotKey(probe, 99, MOD_CONTROL | MOD_ALT, key);
        DestroyWindow(probe);
        return free;
    }
    // Under wine the new tray icon docks just after start-up, and a window mapped meanwhile may
    // be placed by the window manager instead of where it asked: let the docking finish first.
    static void WaitForTheIconToDock() {
        for (int i = 0; i < 20; ++i) {
            Pump();
            Sleep(50);
        }
    }
    static int Twips(const char* key) { return std::stoi(Stored("window", key)); }
    static void Notify(LPARAM mouseMessage) {
        NotifyFromShell(mouseMessage);
        Pump();
    }
};

}  // namespace

TEST_F(Win32Program, StartBindsTheStoredOrDefaultLettersAndShowsNoWindow) {
    Store("default", "key", "AB");
    Start();
    EXPECT_FALSE(IsWindowVisible(Shell()));
    EXPECT_FALSE(Free('A'));
    EXPECT_FALSE(Free('L'));
    EXPECT_TRUE(Free('S'));
    EXPECT_TRUE(Free('B'));
}

class Win32PanelDesktop : public panel_scenario::Desktop {
public:
    explicit Win32PanelDesktop(void (*hotkey)(WPARAM)) : hotkey_(hotkey) {}
    void PressShow() override { hotkey_(1); }
    void PressHide() override { hotkey_(2); }
    void DragBorder(const os::PixelRect& f) override {
        SetWindowPos(Handle(), nullptr, f.left, f.top, f.width, f.height, SWP_NOZORDER | SWP_NOACTIVATE);
        Win32Test::Pump();
    }
    void DragCaption(int left, int top) override {
        SetWindowPos(Handle(), nullptr, left, top, 0, 0, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOSIZE);
        Win32Test::Pump();
    }
    // As the keyboard sends it, to the window with the focus: the panel, once it is in front.
    void Press(const os::KeyInput& key) override {
        ASSERT_TRUE(Win32Test::PumpUntil([] { return GetForegroundWindow() == Handle(); }));
        std::vector<WORD> held;
        if (key.shiftHeld) held.push_back(VK_SHIFT);
        if (key.controlHeld) held.push_back(VK_CONTROL);
        if (key.altHeld) held.push_back(VK_MENU);
        TypeWith(held, static_cast<WORD>(key.virtualKey));
    }
    bool Until(const std::function<bool()>& done) override { return Win32Test::PumpUntil(done); }
    std::optional<panel_scenario::Seen> Panel() override {
        if (!Program().panel.Exists()) return std::nullopt;
        const HWND panel = Handle();
        const RECT r = WindowRect(panel);
        BYTE alpha = 0;
        GetLayeredWindowAttributes(panel, nullptr, &alpha, nullptr);
        return panel_scenario::Seen{IsWindowVisible(panel) != FALSE,
                                    {r.left, r.top, r.right - r.left, r.bottom - r.top},
                                    Program().panel->BackColor(), alpha,
                                    (ExStyle(panel) & WS_EX_TOPMOST) != 0};
    }
    std::string Stored(const char* key) override { return Win32Test::Stored("window", key); }

private:
    static HWND Handle() { return Native(Program().panel->hWnd()); }
    void (*hotkey_)(WPARAM);
};

TEST_F(Win32Program, ShowDragHideAndShowAgain) {
    Start();
    WaitForTheIconToDock();
    Win32PanelDesktop desktop(&HotKey);
    panel_scenario::Play(desktop);
}

TEST_F(Win32Program, ThePanelIsALayeredToolWindowOutOfTheTopmostBand) {
    Start();
    HotKey(1);
    ASSERT_NE(Panel(), nullptr);
    EXPECT_EQ(ExStyle(Panel()) & (WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_TOPMOST), WS_EX_LAYERED | WS_EX_TOOLWINDOW);
}

TEST_F(Win32Program, StoredValuesTakeEffectWhenThePanelIsCreated) {
    const float tpp = os::TwipsPerPixelX();
    Store("default", "backcolor", " 255");
    Store("default", "ontop", " 1");
    Store("window", "width", " " + std::to_string(static_cast<int>(400 * tpp)));
    Store("window", "height", " " + std::to_string(static_cast<int>(150 * tpp)));
    Store("window", "left", " " + std::to_string(static_cast<int>(40 * tpp)));
    Store("window", "top", " " + std::to_string(static_cast<int>(30 * tpp)));
    Start();
    WaitForTheIconToDock();
    HotKey(1);
    ASSERT_NE(Panel(), nullptr);
    const RECT frame = WindowRect(Panel());
    // All four: the size change of the first reports a resize, which must not store over the rest.
    EXPECT_EQ(frame.left, 40);
    EXPECT_EQ(frame.top, 30);
    EXPECT_EQ(frame.right - frame.left, 400);
    EXPECT_EQ(frame.bottom - frame.top, 150);
    EXPECT_TRUE(ExStyle(Panel()) & WS_EX_TOPMOST);
    EXPECT_EQ(Program().panel->BackColor(), 0x0000FFu);
}

// Moved to a monitor at 150 %, the panel is as large in inches there: its stored size in twips
// stays what it was, then and when it is hidden; only its new place is stored.
TEST_F(Win32Program, ThePanelMovedToAMonitorOfAnotherScaleKeepsItsStoredSize) {
    const float tpp = os::TwipsPerPixelX();
    Store("window", "width", " " + std::to_string(static_cast<int>(400 * tpp)));
    Store("window", "height", " " + std::to_string(static_cast<int>(150 * tpp)));
    Start();
    WaitForTheIconToDock();
    HotKey(1);
    ASSERT_NE(Panel(), nullptr);
    const std::string width = Stored("window", "width"), height = Stored("window", "height");
    const RECT there{700, 100, 700 + 600, 100 + 225};
    SendMessageW(Panel(), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&there));
    const RECT frame = WindowRect(Panel());
    EXPECT_EQ(frame.right - frame.left, 600);
    EXPECT_EQ(frame.bottom - frame.top, 225);
    // The window manager confirms the move a while later.
    EXPECT_TRUE(PumpUntil([this] { return WindowRect(Panel()).left == 700; }));
    EXPECT_EQ(Stored("window", "width"), width);
    EXPECT_EQ(Stored("window", "height"), height);
    HotKey(2);
    EXPECT_EQ(Stored("window", "width"), width);
    EXPECT_EQ(Stored("window", "height"), height);
    EXPECT_EQ(Twips("left"), static_cast<int>(700 * tpp));
}

TEST_F(Win32Program, TheSessionEndsWithThePanelStoredAndTheShellRefusingWithoutHoldingItUp) {
    Start();
    HotKey(1);
    const HWND panel = Panel();
    SetWindowPos(panel, nullptr, 91, 92, 0, 0, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOSIZE);
    EXPECT_EQ(SendMessageW(panel, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), TRUE);
    EXPECT_EQ(SendMessageW(Shell(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), TRUE);
    Pump();
    EXPECT_FALSE(IsWindow(panel));
    EXPECT_EQ(Twips("left"), static_cast<int>(91 * os::TwipsPerPixelX()));
    EXPECT_TRUE(IsWindow(Shell()));
    EXPECT_FALSE(IsWindowVisible(Shell()));

    SendMessageW(Shell(), WM_CLOSE, 0, 0);  // an ordinary close request is still refused
    Pump();
    EXPECT_TRUE(IsWindow(Shell()));
}

TEST_F(Win32Program, StartPutsTheIconInTheShellAndItsDoubleClickTogglesThePanel) {
    Start();
    EXPECT_TRUE(InShell());
    Notify(WM_LBUTTONDBLCLK);
    ASSERT_NE(Panel(), nullptr);
    EXPECT_TRUE(IsWindowVisible(Panel()));
    Notify(WM_LBUTTONDBLCLK);
    EXPECT_FALSE(Program().panel.Exists());
    Notify(WM_LBUTTONDOWN);  // a press alone does nothing
    EXPECT_FALSE(Program().panel.Exists());

    Program().shell->RemoveSampleIcon();
    EXPECT_FALSE(InShell());
    Program().shell->AddSampleIcon();
    EXPECT_TRUE(InShell());
}

TEST_F(Win32Program, AReleaseOnTheIconOpensTheMenuAtTheCursorWhoseShowHideShowsThePanel) {
    Start();
    SetCursorPos(400, 300);
    RECT opened{};
    WhenMenuIsUp(Shell(), [&opened] {
        GetWindowRect(FindWindowW(L"#32768", nullptr), &opened);
        ClickMenuItem(0, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
    });
    Notify(WM_RBUTTONUP);
    ASSERT_NE(Panel(), nullptr);
    EXPECT_TRUE(IsWindowVisible(Panel()));
    EXPECT_EQ(opened.left, 400);  // its corner at the cursor
    EXPECT_EQ(opened.top, 300);

    // A click elsewhere dismisses it and runs nothing.
    WhenMenuIsUp(Shell(), [] { ClickAt({1000, 100}, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP); });
    SetCursorPos(400, 300);
    Notify(WM_LBUTTONUP);
    EXPECT_NE(Panel(), nullptr);
}

// The first release of a double-click opens the menu; the double-click must still toggle the
// panel once, and its second release open no menu again.
TEST_F(Win32Program, ADoubleClickWhoseSecondPressLandsInTheMenuTogglesThePanel) {
    Start();
    bool secondMenu = false;
    SetCursorPos(400, 300);
    WhenMenuIsUp(Shell(), [&secondMenu] {
        WhenMenuIsUp(Shell(), [&secondMenu] {
            secondMenu = true;
            EndMenu();
        });
        // The second press comes where the menu opened, under the icon.
        ClickAt({400, 300}, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
    });
    Notify(WM_LBUTTONUP);
    Notify(WM_LBUTTONUP);  // the shell reports the second release
    ASSERT_NE(Panel(), nullptr);
    EXPECT_TRUE(IsWindowVisible(Panel()));
    EXPECT_FALSE(secondMenu);
}

TEST_F(Win32Program, ADoubleClickTheIconReportsWhileItsMenuIsUpClosesItAndTogglesThePanel) {
    Start();
    bool secondMenu = false;
    WhenMenuIsUp(Shell(), [&secondMenu] {
        WhenMenuIsUp(Shell(), [&secondMenu] {
            secondMenu = true;
            EndMenu();
        });
        NotifyFromShell(WM_LBUTTONDBLCLK);
        NotifyFromShell(WM_LBUTTONUP);
    });
    Notify(WM_LBUTTONUP);
    Pump();
    ASSERT_NE(Panel(), nullptr);
    EXPECT_TRUE(IsWindowVisible(Panel()));
    EXPECT_FALSE(secondMenu);
}
