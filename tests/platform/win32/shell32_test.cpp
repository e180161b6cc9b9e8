// The notification-area icon on the real (wine) shell: the record Windows gets from the program's
// 88-byte one, and icons coming back when the taskbar starts again.
#include "platform/shell32.h"
#include "shell/notify_icon.h"
#include "win32_test.h"

#include <cstring>
#include <string>

namespace {

using Win32Tray = Win32Test;

os::NotifyIconRecord Raw(std::uint32_t owner, std::uint32_t flags, std::string_view tip) {
    os::NotifyIconRecord r{};
    auto put = [&r](size_t at, std::uint32_t value) {
        for (size_t i = 0; i < 4; ++i) r[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
    };
    put(0, 88);
    put(4, owner);
    put(8, 1);
    put(12, flags);
    std::memcpy(r.data() + 24, tip.data(), tip.size());
    return r;
}

}  // namespace

TEST(Win32NotifyIcon, TheNativeRecordCarriesTheFieldsOfThe88Bytes) {
    const auto owner = reinterpret_cast<os::Hwnd>(0x00012340);
    const auto icon = reinterpret_cast<os::Hicon>(0x0000BEEF);
    const NOTIFYICONDATAA add = os::win32::NativeNotifyIcon(notify_icon::IconRecord(owner, 1, icon, "Lisotra v2.0"));
    EXPECT_EQ(add.cbSize, sizeof(NOTIFYICONDATAA));  // this process's layout, not the 88 bytes
    EXPECT_EQ(add.hWnd, reinterpret_cast<HWND>(0x12340));
    EXPECT_EQ(add.uID, 1u);
    EXPECT_EQ(add.uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP));
    EXPECT_EQ(add.uCallbackMessage, static_cast<UINT>(WM_MOUSEMOVE));
    EXPECT_EQ(add.hIcon, reinterpret_cast<HICON>(0xBEEF));  // not one of ours: as it is
    EXPECT_STREQ(add.szTip, "Lisotra v2.0");                 // the blanks after the terminator stay out

    const NOTIFYICONDATAA removal = os::win32::NativeNotifyIcon(notify_icon::DeleteRecord(owner, 1));
    EXPECT_EQ(removal.hWnd, add.hWnd);
    EXPECT_EQ(removal.uID, 1u);
    EXPECT_EQ(removal.uFlags, 0u);
    EXPECT_EQ(removal.hIcon, nullptr);
    EXPECT_STREQ(removal.szTip, "");
}

TEST(Win32NotifyIcon, HandlesWidenWithTheirSignAndTheTipKeepsItsAnsiBytes) {
    // A 32-bit handle with its top bit set is a negative value widened, as Windows widens it.
    const NOTIFYICONDATAA high = os::win32::NativeNotifyIcon(Raw(0x80001234u, 0, ""));
    EXPECT_EQ(reinterpret_cast<LONG_PTR>(high.hWnd), static_cast<LONG_PTR>(static_cast<std::int32_t>(0x80001234u)));

    // Bytes of the ANSI code page go through untouched: no second conversion.
    const NOTIFYICONDATAA accented = os::win32::NativeNotifyIcon(Raw(0x10, NIF_TIP, "caf\xE9"));
    EXPECT_STREQ(accented.szTip, "caf\xE9");

    // A tip that fills all 64 bytes has no terminator in the record; the native one ends anyway.
    const NOTIFYICONDATAA full = os::win32::NativeNotifyIcon(Raw(0x10, NIF_TIP, std::string(64, 'x')));
    EXPECT_EQ(std::string(full.szTip), std::string(64, 'x'));
}

TEST_F(Win32Tray, AnIconTheShellLostComesBackWhenTheTaskbarStartsAgainUntilItIsDeleted) {
    HWND owner = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    const auto handle = reinterpret_cast<os::Hwnd>(owner);
    const os::Hicon icon = reinterpret_cast<os::Hicon>(LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_APPLICATION)));
    ASSERT_EQ(os::Shell_NotifyIconA(NIM_ADD, notify_icon::IconRecord(handle, 1, icon, "kept")), 1);
    ASSERT_TRUE(InShell(owner, 1));

    // The taskbar goes and takes its icons along, as a restarted Explorer does.
    NOTIFYICONDATAA gone = os::win32::NativeNotifyIcon(notify_icon::DeleteRecord(handle, 1));
    Shell_NotifyIconA(NIM_DELETE, &gone);
    ASSERT_FALSE(InShell(owner, 1));
    // The new taskbar tells every top-level window.
    PostMessageW(HWND_BROADCAST, os::win32::TaskbarCreatedMessage(), 0, 0);
    Pump();
    EXPECT_TRUE(InShell(owner, 1));

    // A taskbar that only reloaded still has it: it stays.
    PostMessageW(HWND_BROADCAST, os::win32::TaskbarCreatedMessage(), 0, 0);
    Pump();
    EXPECT_TRUE(InShell(owner, 1));

    EXPECT_EQ(os::Shell_NotifyIconA(NIM_DELETE, notify_icon::DeleteRecord(handle, 1)), 1);
    EXPECT_FALSE(InShell(owner, 1));
    EXPECT_EQ(os::Shell_NotifyIconA(NIM_DELETE, notify_icon::DeleteRecord(handle, 1)), 0);
    PostMessageW(HWND_BROADCAST, os::win32::TaskbarCreatedMessage(), 0, 0);
    Pump();
    EXPECT_FALSE(InShell(owner, 1));  // deleted by the program: not brought back
    DestroyWindow(owner);
}
