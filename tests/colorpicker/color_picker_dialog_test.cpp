// The colour picker dialog: red on every activation from another of the program's windows, the swatch following each pick, and the
// hand-off of the swatch's colour into the settings dialog, loaded hidden when it is closed.
#include "colorpicker/color_picker_dialog.h"

#include "colorpicker/drag_path.h"
#include "settings/number_text.h"
#include "settings/settings_dialog.h"
#include "shell/shell_window.h"
#include "support/fresh_process.h"

namespace {
class PickerDialog : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        Start();
        headless::Run([] { Program().settings->Show(); });
        headless::ClickButton(Program().settings->colorButton.hWnd());
    }
    static ColorPickerDialog& Dialog() { return Program().picker.Get(); }
    static os::COLORREF Swatch() { return headless::ShownPixel(Dialog().swatch.hWnd(), 10, 10); }
    static os::COLORREF SettingsSwatch() { return headless::ShownPixel(Program().settings->swatch.hWnd(), 10, 10); }
    static void PickOnTheField(int x, int y) {
        headless::Mouse(Dialog().picker.hWnd(), os::WM_LBUTTONDOWN, x, y);
        headless::Mouse(Dialog().picker.hWnd(), os::WM_LBUTTONUP, x, y);
    }
};
}  // namespace

TEST_F(PickerDialog, OpensRedWithoutATaskbarButton) {
    const headless::WindowState* window = headless::Window(Dialog().hWnd());
    EXPECT_EQ(window->kind, os::WindowKind::DialogNoTaskbar);
    EXPECT_EQ(window->caption, "Color Picker");
    EXPECT_EQ(window->frame.width - 8, 434);
    EXPECT_EQ(Swatch(), 0x0000FFu);
    EXPECT_EQ(Dialog().picker.SelectedColor(), 0xFF);
    // The picker shows red too: its bar in red's shades, its marker on red at the field's corner.
    EXPECT_EQ(headless::ShownPixel(Dialog().picker.bar.hWnd(), 10, 2), static_cast<os::COLORREF>(drag_path::Bar(0xFF, 2)));
    EXPECT_EQ(headless::ShownPixel(Dialog().picker.hWnd(), 8, 1), 0u);  // the marker's right arm
    EXPECT_EQ(headless::Window(Dialog().swatch.hWnd())->toolTip, "Click and select color");
    EXPECT_EQ(headless::Window(Dialog().swatch.hWnd())->frame, (os::PixelRect{256, 32, 148, 110}));
    EXPECT_EQ(headless::Window(Dialog().picker.hWnd())->frame, (os::PixelRect{24, 24, 204, 188}));
}

TEST_F(PickerDialog, TheSwatchFollowsPicksAndSetHandsItOver) {
    PickOnTheField(100, 60);
    const os::COLORREF picked = drag_path::Field(100, 60);
    EXPECT_EQ(Swatch(), picked);
    EXPECT_EQ(SettingsSwatch(), 0x00FFFFu);  // nothing handed over yet: the panel's yellow
    headless::ClickButton(Dialog().setButton.hWnd());
    EXPECT_FALSE(Program().picker.Exists());
    EXPECT_EQ(SettingsSwatch(), picked);
    EXPECT_EQ(Stored("default", "backcolor"), "<absent>");  // stored only by the settings' OK
    headless::ClickButton(Program().settings->okButton.hWnd());
    EXPECT_EQ(Stored("default", "backcolor"), settings::FormatSettingNumber(static_cast<std::int32_t>(picked)));
}

TEST_F(PickerDialog, ClosingItHandsNothingOver) {
    PickOnTheField(100, 60);
    headless::UserClose(Dialog().hWnd());
    EXPECT_FALSE(Program().picker.Exists());
    EXPECT_EQ(SettingsSwatch(), 0x00FFFFu);
}

TEST_F(PickerDialog, ActivationFromTheProgramStartsAgainFromRedAndLookingAwayDoesNot) {
    PickOnTheField(100, 60);
    headless::ActivateAnotherProgram();  // the page being read
    headless::Activate(Dialog().hWnd());
    EXPECT_EQ(Swatch(), static_cast<os::COLORREF>(drag_path::Field(100, 60)));
    headless::Activate(Program().settings->hWnd());
    EXPECT_NE(Swatch(), 0x0000FFu);  // going away changes nothing
    headless::Activate(Dialog().hWnd());
    EXPECT_EQ(Swatch(), 0x0000FFu);
    headless::ClickButton(Dialog().setButton.hWnd());
    EXPECT_EQ(SettingsSwatch(), 0x0000FFu);
}

TEST_F(PickerDialog, AShadeFromTheBarIsNotFoundOnTheFieldByTheSwatch) {
    headless::Mouse(Dialog().picker.bar.hWnd(), os::WM_LBUTTONDOWN, 10, 40);
    headless::Mouse(Dialog().picker.bar.hWnd(), os::WM_LBUTTONUP, 10, 40);
    const os::COLORREF shade = Swatch();
    EXPECT_EQ(shade, static_cast<os::COLORREF>(drag_path::Bar(0xFF, 40)));
    headless::Mouse(Dialog().swatch.hWnd(), os::WM_LBUTTONDOWN, 5, 5);
    headless::Mouse(Dialog().swatch.hWnd(), os::WM_LBUTTONUP, 5, 5);
    EXPECT_EQ(Swatch(), shade);
    EXPECT_EQ(Dialog().picker.SelectedColor(), static_cast<std::int32_t>(shade));
}

TEST_F(PickerDialog, TheSwatchClickFindsAFieldColourAgain) {
    PickOnTheField(100, 60);
    const os::COLORREF picked = Swatch();
    headless::Mouse(Dialog().picker.bar.hWnd(), os::WM_LBUTTONDOWN, 10, 100);  // a darker shade
    headless::Mouse(Dialog().picker.bar.hWnd(), os::WM_LBUTTONUP, 10, 100);
    EXPECT_NE(Dialog().picker.SelectedColor(), static_cast<std::int32_t>(picked));
    headless::Run([&] { Dialog().swatch.SetBackColor(picked); });
    headless::Mouse(Dialog().swatch.hWnd(), os::WM_LBUTTONDOWN, 5, 5);
    headless::Mouse(Dialog().swatch.hWnd(), os::WM_LBUTTONUP, 5, 5);
    EXPECT_EQ(Dialog().picker.SelectedColor(), static_cast<std::int32_t>(picked));
}

TEST_F(PickerDialog, SetLoadsAClosedSettingsDialogHidden) {
    headless::UserClose(Program().settings->hWnd());
    ASSERT_FALSE(Program().settings.Exists());
    Store("default", "key", "J");
    PickOnTheField(100, 60);
    headless::ClickButton(Dialog().setButton.hWnd());
    ASSERT_TRUE(Program().settings.Exists());
    EXPECT_FALSE(headless::Window(Program().settings->hWnd())->visible);
    EXPECT_EQ(headless::Control(Program().settings->showLetter.hWnd())->text, "J");  // its load ran
    Store("default", "key", "M");
    headless::Run([] { Program().shell->OpenSettings(); });
    EXPECT_TRUE(headless::Window(Program().settings->hWnd())->visible);
    EXPECT_EQ(headless::Control(Program().settings->showLetter.hWnd())->text, "J");  // not read again
    EXPECT_EQ(SettingsSwatch(), static_cast<os::COLORREF>(drag_path::Field(100, 60)));
}
