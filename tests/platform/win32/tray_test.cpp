// The tray icon on the real (wine) shell: the tray's rules, what the shell is handed, and the icon
// coming back when the taskbar starts again.
#include "info/program_icons.h"
#include "platform/tray.h"
#include "platform/tray_scenario.h"
#include "win32_test.h"
#include "platform/win32/wide.h"

#include <string>

namespace {

using Win32Tray = Win32Test;

class Win32TrayDesktop final : public tray_scenario::Desktop {
public:
    void Act(os::TrayEvent event) override {
        switch (event) {
        case os::TrayEvent::Clicked: Notify(WM_LBUTTONUP); break;
        case os::TrayEvent::MenuAsked: Notify(WM_RBUTTONUP); break;
        case os::TrayEvent::DoubleClicked: Notify(WM_LBUTTONDBLCLK); break;
        }
    }
    void ActOtherwise() override {
        for (LPARAM message : {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_RBUTTONDBLCLK, WM_MBUTTONDOWN,
                               WM_MBUTTONUP, WM_MBUTTONDBLCLK}) {
            Notify(message);
        }
    }
    std::optional<std::string> ShownTip() override {
        const NOTIFYICONDATAW* handed = os::win32::TrayIconRecord();
        if (!InShell() || !handed) return std::nullopt;
        return os::win32::Utf8(handed->szTip);
    }

private:
    static void Notify(LPARAM mouseMessage) {
        NotifyFromShell(mouseMessage);
        Win32Test::Pump();
    }
};

os::Hicon Made(std::vector<os::IconImage> (*draw)()) { return os::CreateIconFromImages(draw()); }

}  // namespace

TEST_F(Win32Tray, KeepsToTheTraysRules) {
    Win32TrayDesktop desktop;
    tray_scenario::Play(desktop, Made(program_icons::TrayIcon), Made(program_icons::SampleIcon));
}

TEST_F(Win32Tray, TheShellGetsTheSmallImageAndTheTipCutToItsField) {
    const os::Hicon icon = Made(program_icons::TrayIcon);
    ASSERT_TRUE(os::ShowTrayIcon(icon, "caf\xc3\xa9 " + std::string(200, 'x')));
    const NOTIFYICONDATAW* handed = os::win32::TrayIconRecord();
    ASSERT_NE(handed, nullptr);
    EXPECT_EQ(handed->cbSize, sizeof(NOTIFYICONDATAW));
    EXPECT_EQ(handed->hWnd, os::win32::HostWindow());
    EXPECT_EQ(handed->uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP));
    EXPECT_EQ(handed->uCallbackMessage, os::win32::kTrayMessage);
    EXPECT_EQ(handed->hIcon, os::win32::NotificationAreaIcon(reinterpret_cast<HICON>(icon)));
    EXPECT_NE(handed->hIcon, reinterpret_cast<HICON>(icon));  // the small image, not the 128-pixel one
    EXPECT_EQ(std::wstring(handed->szTip), L"caf\u00e9 " + std::wstring(122, L'x'));  // 127 and the terminator

    // A cut that would fall inside a character outside the basic plane leaves all of it out.
    const std::string face = "\xf0\x9f\x98\x80";  // two UTF-16 units
    ASSERT_TRUE(os::SetTrayIcon(icon, std::string(126, 'y') + face));
    EXPECT_EQ(std::wstring(os::win32::TrayIconRecord()->szTip), std::wstring(126, L'y'));
    ASSERT_TRUE(os::SetTrayIcon(icon, std::string(125, 'y') + face));
    EXPECT_EQ(os::win32::Utf8(os::win32::TrayIconRecord()->szTip), std::string(125, 'y') + face);
    os::RemoveTrayIcon();
}

TEST_F(Win32Tray, AnIconTheShellLostComesBackWhenTheTaskbarStartsAgainUntilItIsRemoved) {
    const os::Hicon icon = reinterpret_cast<os::Hicon>(LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_APPLICATION)));
    ASSERT_TRUE(os::ShowTrayIcon(icon, "kept"));
    ASSERT_TRUE(InShell());

    // The taskbar goes and takes its icons along, as a restarted Explorer does.
    NOTIFYICONDATAW gone = *os::win32::TrayIconRecord();
    Shell_NotifyIconW(NIM_DELETE, &gone);
    ASSERT_FALSE(InShell());
    // The new taskbar tells every top-level window.
    PostMessageW(HWND_BROADCAST, os::win32::TaskbarCreatedMessage(), 0, 0);
    Pump();
    EXPECT_TRUE(InShell());

    // A taskbar that only reloaded still has it: it stays.
    PostMessageW(HWND_BROADCAST, os::win32::TaskbarCreatedMessage(), 0, 0);
    Pump();
    EXPECT_TRUE(InShell());

    EXPECT_TRUE(os::RemoveTrayIcon());
    EXPECT_FALSE(InShell());
    PostMessageW(HWND_BROADCAST, os::win32::TaskbarCreatedMessage(), 0, 0);
    Pump();
    EXPECT_FALSE(InShell());  // removed by the program: not brought back
}
