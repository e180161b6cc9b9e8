// The settings dialog as a person uses it: what it shows from the store, what OK stores and
// registers, and what a close, an empty box or a refused hotkey do.
#include "settings/settings_dialog.h"

#include "colorpicker/color_picker_dialog.h"
#include "panel/reading_panel.h"
#include "platform/font.h"
#include "shell/shell_window.h"
#include "support/fresh_process.h"

namespace {
class SettingsDialogTest : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        Start();
    }
    static void Open() { Choose("settings"); }
    static void Choose(const std::string& item) {
        headless::ChooseFromNextMenu(item);
        headless::TrayAct(os::TrayEvent::MenuAsked);
    }
    static SettingsDialog& Dialog() { return Program().settings.Get(); }
    static std::string Shown(const forms::TextControl& c) { return headless::Control(c.hWnd())->text; }
    static void Type(const forms::TextBox& box, const std::string& text) { headless::TypeText(box.hWnd(), text); }
    static void PressOk() { headless::ClickButton(Dialog().okButton.hWnd()); }
    static bool Panel(unsigned key) {
        headless::PressHotKey(kCtrlAlt, key);
        return Program().panel.Exists();
    }
};
}  // namespace

TEST_F(SettingsDialogTest, AnEmptyStoreShowsTheKeysAndColourInForce) {
    Open();
    ASSERT_TRUE(Program().settings.Exists());
    const headless::WindowState* window = headless::Window(Dialog().hWnd());
    EXPECT_TRUE(window->visible);
    EXPECT_EQ(window->kind, os::WindowKind::Dialog);
    EXPECT_EQ(window->caption, "Lisotra Settings.");
    EXPECT_EQ(Shown(Dialog().showLetter), "S");
    EXPECT_EQ(Shown(Dialog().hideLetter), "L");
    EXPECT_EQ(Dialog().onTop.Value(), 0);
    EXPECT_EQ(headless::ShownPixel(Dialog().swatch.hWnd(), 5, 5), 0x00FFFFu);  // the panel's yellow
    EXPECT_FALSE(Dialog().runAtStartup.Registered());
    EXPECT_EQ(headless::SaveCount(), 0);
}

TEST_F(SettingsDialogTest, AColourThePanelDoesNotShowIsShownAsThePanelsYellow) {
    for (const char* stored : {" 99999999999", " 0", "-5", "word"}) {
        Store("default", "backcolor", stored);
        Open();
        EXPECT_EQ(headless::ShownPixel(Dialog().swatch.hWnd(), 5, 5), 0x00FFFFu) << stored;
        headless::UserClose(Dialog().hWnd());
    }
    EXPECT_FALSE(headless::Ended());
}

TEST_F(SettingsDialogTest, OkWithNothingChangedKeepsTheHotkeysAndTheColour) {
    Open();
    PressOk();
    EXPECT_FALSE(Program().settings.Exists());
    EXPECT_EQ(Stored("start", "autoload"), "666");
    EXPECT_EQ(Stored("default", "key"), "S");
    EXPECT_EQ(Stored("default", "keystart"), "L");
    EXPECT_EQ(Stored("default", "ontop"), " 0");
    EXPECT_EQ(Stored("default", "backcolor"), " 65535");
    EXPECT_EQ(Program().shell->Hotkeys().Count(), 2);
    EXPECT_TRUE(Panel('S'));   // id 1 shows
    EXPECT_FALSE(Panel('L'));  // id 2 hides
    EXPECT_TRUE(headless::Messages().empty());
}

TEST_F(SettingsDialogTest, OneLetterInBothBoxesIsRefusedAndNothingChanges) {
    Open();
    Type(Dialog().showLetter, "");   // keeps S
    Type(Dialog().hideLetter, "s");  // the same key
    PressOk();
    ASSERT_EQ(headless::Messages().size(), 1u);
    EXPECT_NE(headless::Messages()[0].second.find("CTRL+Alt+S cannot both show and hide"), std::string::npos);
    EXPECT_TRUE(Program().settings.Exists());  // open to choose again
    EXPECT_EQ(headless::SaveCount(), 0);
    EXPECT_TRUE(Panel('S'));
    EXPECT_FALSE(Panel('L'));
}

TEST_F(SettingsDialogTest, LettersAreUpperCasedAndTheFirstIsTheKey) {
    Store("default", "ontop", " 1");
    Store("default", "backcolor", " 255");
    Open();
    EXPECT_EQ(Dialog().onTop.Value(), 1);
    Type(Dialog().showLetter, "e");
    Type(Dialog().hideLetter, "qw");
    headless::ClickCheckBox(Dialog().onTop.hWnd());
    PressOk();
    EXPECT_EQ(Stored("default", "key"), "E");
    EXPECT_EQ(Stored("default", "keystart"), "QW");
    EXPECT_EQ(Stored("default", "ontop"), " 0");
    EXPECT_EQ(Stored("default", "backcolor"), " 255");
    EXPECT_TRUE(Panel('E'));
    EXPECT_FALSE(Panel('Q'));
}

TEST_F(SettingsDialogTest, LettersBeyondAToZAreUpperCasedToo) {
    Open();
    Type(Dialog().showLetter, "\xC3\xA9");     // é
    Type(Dialog().hideLetter, "\xD0\xB6x");    // жx
    PressOk();
    EXPECT_EQ(Stored("default", "key"), "\xC3\x89");       // É
    EXPECT_EQ(Stored("default", "keystart"), "\xD0\x96X");  // ЖX
}

TEST_F(SettingsDialogTest, AnEmptyLetterBoxKeepsTheLetterAndItsHotkey) {
    Store("default", "key", "K");
    Open();
    Type(Dialog().showLetter, "");
    Type(Dialog().hideLetter, "");
    PressOk();
    EXPECT_FALSE(headless::Ended());
    EXPECT_EQ(Stored("default", "key"), "K");
    EXPECT_EQ(Stored("default", "keystart"), "<absent>");
    EXPECT_TRUE(Panel('K'));
    EXPECT_TRUE(headless::PressHotKey(kCtrlAlt, 'L'));  // the hide hotkey the program started with
    EXPECT_FALSE(Program().panel.Exists());
    EXPECT_TRUE(headless::Messages().empty());
}

TEST_F(SettingsDialogTest, ARefusedCombinationIsStoredAndReported) {
    headless::HoldHotKeyElsewhere(kCtrlAlt, 'Z');
    Open();
    Type(Dialog().showLetter, "z");
    PressOk();
    EXPECT_EQ(Stored("default", "key"), "Z");
    ASSERT_EQ(headless::Messages().size(), 1u);
    EXPECT_EQ(headless::Messages()[0].first, "Lisotra Settings.");
    EXPECT_NE(headless::Messages()[0].second.find("CTRL+Alt+Z could not be registered"), std::string::npos);
    EXPECT_FALSE(headless::PressHotKey(kCtrlAlt, 'Z'));
    headless::Run([] { Program().panel->Show(); });
    EXPECT_TRUE(headless::PressHotKey(kCtrlAlt, 'L'));  // the hide hotkey is still id 2
    EXPECT_FALSE(Program().panel.Exists());
}

TEST_F(SettingsDialogTest, TheCloseBoxStoresNothingAndKeepsTheHotkeys) {
    Open();
    Type(Dialog().showLetter, "X");
    headless::UserClose(Dialog().hWnd());
    EXPECT_FALSE(Program().settings.Exists());
    EXPECT_EQ(Stored("default", "key"), "<absent>");
    EXPECT_TRUE(Panel('S'));
    EXPECT_FALSE(headless::PressHotKey(kCtrlAlt, 'X'));
}

TEST_F(SettingsDialogTest, OneInstanceBroughtForward) {
    Open();
    const os::Hwnd first = Dialog().hWnd();
    Type(Dialog().showLetter, "Q");
    headless::Activate(Program().shell->hWnd());
    Open();
    EXPECT_EQ(Dialog().hWnd(), first);
    EXPECT_TRUE(headless::Window(first)->active);
    EXPECT_EQ(Shown(Dialog().showLetter), "Q");  // not read again
}

TEST_F(SettingsDialogTest, KeyboardAloneFromOkAlongTheFocusOrder) {
    Open();
    const os::Hwnd window = Dialog().hWnd();
    const SettingsDialog& d = Dialog();
    EXPECT_EQ(headless::Window(window)->focus, d.okButton.hWnd());
    const std::vector<os::Hwnd> order{d.okButton.hWnd(), d.hideLetter.hWnd(), d.showLetter.hWnd(),
                                      d.runAtStartup.checkBox.hWnd(), d.onTop.hWnd(), d.colorButton.hWnd(),
                                      d.swatch.hWnd()};
    EXPECT_EQ(headless::Window(window)->tabOrder, order);
    for (int i = 0; i < 4; ++i) headless::PressKey(window, os::VK_TAB);
    headless::PressKey(window, os::VK_SPACE);  // ticks Always on top
    EXPECT_EQ(d.onTop.Value(), 1);
    headless::PressKey(window, os::VK_TAB);
    headless::PressKey(window, os::VK_SPACE);  // the colour button
    EXPECT_TRUE(Program().picker.Exists());
    headless::PressKey(window, os::VK_TAB);     // the swatch
    headless::PressKey(window, os::VK_RETURN);  // OK is the default button
    EXPECT_FALSE(Program().settings.Exists());
    EXPECT_EQ(Stored("default", "ontop"), " 1");
}

TEST_F(SettingsDialogTest, LayoutNamesAndTheLetterBoxesOverTheE) {
    Open();
    const SettingsDialog& d = Dialog();
    const headless::WindowState* window = headless::Window(d.hWnd());
    EXPECT_EQ(window->frame.width - 8, forms::TwipsToPixelsX(7170));  // the in-memory desktop's border
    for (const auto* pair : {&d.showLetter, &d.hideLetter}) {
        const headless::ControlState* box = headless::Control(pair->hWnd());
        const headless::ControlState* label = headless::Control((pair == &d.showLetter ? d.showLabel : d.hideLabel).hWnd());
        const int before = os::MeasureText(label->font, "Press CTRL+Alt+  ").width;
        const int e = os::MeasureText(label->font, "E").width;
        EXPECT_EQ(box->rect.top, label->rect.top);
        EXPECT_LE(box->rect.left, label->rect.left + before);                // covers the E
        EXPECT_GE(box->rect.left + box->rect.width, label->rect.left + before + e);
        EXPECT_EQ(label->font.size, 13.5);
    }
    EXPECT_EQ(headless::Control(d.showLetter.hWnd())->accessibleName, "show hotkey letter");
    EXPECT_EQ(headless::Control(d.hideLetter.hWnd())->accessibleName, "hide hotkey letter");
    EXPECT_EQ(headless::Control(d.okButton.hWnd())->rect, (os::PixelRect{392, 232, 73, 25}));
    EXPECT_EQ(headless::Window(d.swatch.hWnd())->frame, (os::PixelRect{256, 112, 129, 25}));
}
