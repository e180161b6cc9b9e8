#include "shell/hotkeys.h"

#include "panel/reading_panel.h"
#include "shell/shell_window.h"
#include "support/fresh_process.h"

using HotKeys = ProgramTest;

TEST_F(HotKeys, EmptyStoreRegistersCtrlAltSAndL) {
    Start();
    EXPECT_EQ(Program().shell->Hotkeys().Count(), 2);
    EXPECT_EQ(Program().shell->ShowLetter(), "S");
    EXPECT_EQ(Program().shell->HideLetter(), "L");
    EXPECT_TRUE(headless::PressHotKey(kCtrlAlt, 'S'));
    EXPECT_TRUE(headless::PressHotKey(kCtrlAlt, 'L'));
    EXPECT_FALSE(headless::PressHotKey(kCtrlAlt, 'E'));
    EXPECT_FALSE(headless::PressHotKey(os::MOD_CONTROL, 'S'));
}

TEST_F(HotKeys, TheFirstCharacterOfAStoredLetterTextIsTheKey) {
    Store("default", "key", "AB");
    Store("default", "keystart", "s");  // lower case: the code of F4
    Start();
    EXPECT_EQ(Program().shell->ShowLetter(), "AB");
    EXPECT_TRUE(headless::PressHotKey(kCtrlAlt, 'A'));
    EXPECT_TRUE(Panel()->visible);
    EXPECT_FALSE(headless::PressHotKey(kCtrlAlt, 'S'));
    EXPECT_TRUE(headless::PressHotKey(kCtrlAlt, 0x73));  // VK_F4
    EXPECT_EQ(Panel(), nullptr);
}

TEST_F(HotKeys, AFailedRegistrationStillUsesUpItsId) {
    headless::HoldHotKeyElsewhere(kCtrlAlt, 'S');
    Start();
    EXPECT_EQ(Program().shell->Hotkeys().Count(), 2);
    EXPECT_FALSE(headless::PressHotKey(kCtrlAlt, 'S'));
    headless::Run([] { Program().panel->Show(); });
    EXPECT_TRUE(headless::PressHotKey(kCtrlAlt, 'L'));  // still id 2, still hides
    EXPECT_EQ(Panel(), nullptr);
}

TEST_F(HotKeys, ReRegistrationStartsTheIdsAgain) {
    Start();
    for (int round = 0; round < 2; ++round) {
        Program().shell->Hotkeys().UnregisterAll();
        EXPECT_EQ(Program().shell->Hotkeys().Count(), 0);
        EXPECT_FALSE(headless::PressHotKey(kCtrlAlt, 'S'));
        EXPECT_TRUE(Program().shell->Hotkeys().RegisterNext(kCtrlAlt, 'E'));
        EXPECT_TRUE(Program().shell->Hotkeys().RegisterNext(kCtrlAlt, 'S'));
        EXPECT_EQ(Program().shell->Hotkeys().Count(), 2);
    }
    EXPECT_TRUE(headless::PressHotKey(kCtrlAlt, 'E'));
    EXPECT_TRUE(Panel()->visible);
    EXPECT_TRUE(headless::PressHotKey(kCtrlAlt, 'S'));  // now the hide key
    EXPECT_EQ(Panel(), nullptr);
}

TEST_F(HotKeys, ACodeThatNamesNoKeyFails) {
    Start();
    EXPECT_FALSE(Program().shell->Hotkeys().RegisterNext(kCtrlAlt, -23));
    EXPECT_FALSE(Program().shell->Hotkeys().RegisterNext(kCtrlAlt, 0));
    EXPECT_EQ(Program().shell->Hotkeys().Count(), 4);
}

TEST_F(HotKeys, OnlyIdsOneAndTwoActAndTheShellGivesItsHotkeysBack) {
    Start();
    headless::FireHotkey(1);
    ASSERT_NE(Panel(), nullptr);
    EXPECT_TRUE(Panel()->visible);
    const os::Hwnd panel = Program().panel->hWnd();
    headless::FireHotkey(3);
    headless::FireHotkey(0);
    EXPECT_EQ(Program().panel->hWnd(), panel);
    EXPECT_TRUE(Panel()->visible);
    headless::FireHotkey(2);
    EXPECT_EQ(Panel(), nullptr);

    // The shell window gone, its combinations are free again and a press reaches nobody.
    EndProgram();
    EXPECT_FALSE(headless::PressHotKey(kCtrlAlt, 'S'));
    HotkeyRegistrar other;
    EXPECT_TRUE(other.RegisterNext(kCtrlAlt, 'S'));
    headless::FireHotkey(1);
    EXPECT_FALSE(Program().panel.Exists());
    other.UnregisterAll();
}
