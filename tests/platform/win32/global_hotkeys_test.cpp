// Global hotkeys on the real desktop: held by id on the hotkey window, with the modifiers given,
// and a press reaches the handler with its id.
#include "platform/global_hotkeys.h"

#include <vector>

#include "win32_test.h"

namespace {

constexpr unsigned kCtrlAlt = MOD_CONTROL | MOD_ALT;

// Whether another window could still take the combination.
bool Free(UINT modifiers, UINT key) {
    HWND probe = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    const bool free = RegisterHotKey(probe, 99, modifiers, key);
    DestroyWindow(probe);
    return free;
}

class Win32Hotkeys : public Win32Test {
protected:
    void SetUp() override {
        Win32Test::SetUp();
        os::SetHotkeyHandler([this](int id) { pressed.push_back(id); });
    }
    std::vector<int> pressed;
};

}  // namespace

TEST_F(Win32Hotkeys, ACombinationIsHeldByItsIdUntilUnbound) {
    EXPECT_TRUE(os::BindHotkey(1, kCtrlAlt, 'S'));
    EXPECT_FALSE(os::BindHotkey(1, kCtrlAlt, 'K'));  // the id is bound already
    EXPECT_FALSE(os::BindHotkey(2, kCtrlAlt, 'S'));  // the combination is taken
    EXPECT_TRUE(os::BindHotkey(3, kCtrlAlt | MOD_SHIFT, 'K'));
    EXPECT_FALSE(Free(kCtrlAlt, 'S'));
    EXPECT_FALSE(Free(kCtrlAlt | MOD_SHIFT, 'K'));
    EXPECT_TRUE(Free(kCtrlAlt, 'K'));
    EXPECT_FALSE(os::BindHotkey(4, kCtrlAlt, 0));  // codes that name no key
    EXPECT_FALSE(os::BindHotkey(4, kCtrlAlt, 0xFF));
    EXPECT_FALSE(os::BindHotkey(4, kCtrlAlt, 'S' + 0x100));
    EXPECT_TRUE(os::BindHotkey(4, kCtrlAlt, VK_F24));

    os::UnbindHotkey(1);
    os::UnbindHotkey(1);
    os::UnbindHotkey(2);  // never bound
    EXPECT_TRUE(Free(kCtrlAlt, 'S'));
    EXPECT_TRUE(os::BindHotkey(2, kCtrlAlt, 'S'));
    EXPECT_TRUE(os::BindHotkey(1, kCtrlAlt, 'L'));
}

TEST_F(Win32Hotkeys, ACombinationAnotherWindowHoldsIsRefused) {
    HWND other = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    ASSERT_TRUE(RegisterHotKey(other, 1, kCtrlAlt, 'S'));
    EXPECT_FALSE(os::BindHotkey(1, kCtrlAlt, 'S'));
    EXPECT_TRUE(os::BindHotkey(1, kCtrlAlt, 'L'));  // the refused one left the id free
    DestroyWindow(other);
}

TEST_F(Win32Hotkeys, APressReachesTheHandlerWithItsId) {
    ASSERT_TRUE(os::BindHotkey(1, kCtrlAlt, 'S'));
    ASSERT_TRUE(os::BindHotkey(2, kCtrlAlt, 'L'));
    PostMessageW(os::win32::HotkeyWindow(), WM_HOTKEY, 2, 0);
    Pump();
    EXPECT_EQ(pressed, std::vector<int>{2});

    // The keys themselves, as the person presses them.
    INPUT keys[6] = {};
    const WORD codes[6] = {VK_CONTROL, VK_MENU, 'S', 'S', VK_MENU, VK_CONTROL};
    for (int i = 0; i < 6; ++i) {
        keys[i].type = INPUT_KEYBOARD;
        keys[i].ki.wVk = codes[i];
        keys[i].ki.dwFlags = i < 3 ? 0 : KEYEVENTF_KEYUP;
    }
    SendInput(6, keys, sizeof(INPUT));
    EXPECT_TRUE(PumpUntil([this] { return pressed.size() == 2; }));
    EXPECT_EQ(pressed, (std::vector<int>{2, 1}));
}
