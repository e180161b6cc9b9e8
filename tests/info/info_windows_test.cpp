// The About box and the donate window as a person meets them: opened from the tray, one
// instance each, the keyboard and the picture's clicks, the placement from the screen.
#include "info/about_box.h"
#include "info/donate_window.h"
#include "info/info_images.h"
#include "shell/shell_window.h"
#include "support/fresh_process.h"

namespace {
class InfoWindows : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        Start();
    }
    static void Choose(const std::string& item) {
        headless::ChooseFromNextMenu(item);
        headless::TrayAct(os::TrayEvent::MenuAsked);
    }
    static void ClickOn(os::Hwnd child) {
        headless::Mouse(child, os::WM_LBUTTONDOWN, 5, 5);
        headless::Mouse(child, os::WM_LBUTTONUP, 5, 5);
    }
    static std::string Text(const forms::TextControl& c) { return headless::Control(c.hWnd())->text; }
};
}  // namespace

TEST_F(InfoWindows, AboutShowsTitleVersionAndFocusOnOk) {
    Choose("about");
    ASSERT_TRUE(Program().about.Exists());
    const headless::WindowState* window = headless::Window(Program().about->hWnd());
    EXPECT_TRUE(window->visible);
    EXPECT_EQ(window->kind, os::WindowKind::Dialog);
    EXPECT_EQ(window->caption, "About Lisotra");
    EXPECT_EQ(Text(Program().about->title), "Lisotra");
    EXPECT_EQ(Text(Program().about->versionLabel), "Version 2.0.0");
    EXPECT_EQ(Text(Program().about->description), "Change the background color of what you're reading");
    EXPECT_EQ(window->focus, Program().about->okButton.hWnd());
    const headless::ControlState* link = headless::Control(Program().about->homePage.hWnd());
    EXPECT_EQ(link->kind, os::ControlKind::Link);
    EXPECT_TRUE(link->font.underline);
    EXPECT_EQ(link->foreColor, 0x8000000Du);
    EXPECT_EQ(link->accessibleName, "Lisotra home page");
    // The etched separator: grey, and white a pixel below.
    EXPECT_EQ(headless::ShownPixel(Program().about->etchedDark.hWnd(), 0, 0), 0x808080u);
    EXPECT_EQ(headless::ShownPixel(Program().about->etchedLight.hWnd(), 0, 0), 0xFFFFFFu);
    EXPECT_EQ(headless::Window(Program().about->etchedLight.hWnd())->frame.top,
              headless::Window(Program().about->etchedDark.hWnd())->frame.top + 1);
}

TEST_F(InfoWindows, EnterAndEscapeCloseTheAboutBoxAndAgainOpensOne) {
    Choose("about");
    const os::Hwnd first = Program().about->hWnd();
    Choose("about");
    EXPECT_EQ(Program().about->hWnd(), first);
    headless::PressKey(first, os::VK_ESCAPE);
    EXPECT_FALSE(Program().about.Exists());
    Choose("about");
    headless::PressKey(Program().about->hWnd(), os::VK_RETURN);
    EXPECT_FALSE(Program().about.Exists());
}

TEST_F(InfoWindows, TheLinkOpensTheHomePageByMouseOrKeyboard) {
    Choose("about");
    headless::ClickButton(Program().about->homePage.hWnd());
    const os::Hwnd window = Program().about->hWnd();
    headless::PressKey(window, os::VK_TAB);
    headless::PressKey(window, os::VK_TAB);  // OK, System Info, the link
    headless::PressKey(window, os::VK_RETURN);
    EXPECT_EQ(headless::Opened(), (std::vector<std::string>(2, "https://lisotra.org")));
    EXPECT_TRUE(Program().about.Exists());
}

TEST_F(InfoWindows, SystemInfoWithoutAToolSaysSoAndStaysOpen) {
    Choose("about");
    headless::ClickButton(Program().about->sysInfoButton.hWnd());
    ASSERT_EQ(headless::Messages().size(), 1u);
    EXPECT_EQ(headless::Messages()[0].first, "Lisotra");
    EXPECT_EQ(headless::Messages()[0].second, "System Information Is Unavailable At This Time");
    EXPECT_TRUE(Program().about.Exists());
}

TEST_F(InfoWindows, DonateSitsAtTheBottomRightOfA1920By1080Screen) {
    Choose("donate");
    ASSERT_TRUE(Program().donate.Exists());
    const headless::WindowState* window = headless::Window(Program().donate->hWnd());
    EXPECT_EQ(window->caption, "Lisotra - donate");
    // The in-memory desktop's frame makes the outer size 562 x 209 pixels: its right edge
    // 100 twips (7 pixels) from the screen's, its bottom 1200 twips (80 pixels) above.
    EXPECT_EQ(window->frame.left + window->frame.width, 1920 - 7);
    EXPECT_EQ(window->frame.top + window->frame.height, 1080 - 80);
    const TwipsPoint place = DonatePlace(28800, 16200, 8400, 3300);  // a Windows frame's outer size
    EXPECT_EQ(place.left, 20300);
    EXPECT_EQ(place.top, 11700);
}

TEST_F(InfoWindows, ASmallScreenPutsTheDonateWindowOffItsTopLeft) {
    headless::SetScreen(15, {{0, 0, 400, 150}});
    Choose("donate");
    const headless::WindowState* window = headless::Window(Program().donate->hWnd());
    EXPECT_EQ(window->frame.left, 400 - 7 - window->frame.width);
    EXPECT_EQ(window->frame.top, 150 - 80 - window->frame.height);
    EXPECT_LT(window->frame.left, 0);
    EXPECT_LT(window->frame.top, 0);
}

TEST_F(InfoWindows, OnlyThePictureOpensTheThanksPageEachTime) {
    Choose("donate");
    ClickOn(Program().donate->message.hWnd());
    EXPECT_TRUE(headless::Opened().empty());
    ClickOn(Program().donate->donatePicture.hWnd());
    ClickOn(Program().donate->donatePicture.hWnd());
    headless::PressKey(Program().donate->hWnd(), os::VK_SPACE);  // the picture has the focus
    EXPECT_EQ(headless::Opened(), (std::vector<std::string>(3, "https://lisotra.org/say-thanks")));
    EXPECT_EQ(headless::Window(Program().donate->donatePicture.hWnd())->accessibleName, "Donate now");
}

TEST(InfoImages, TheDonateButtonIsRedWithWhiteCapitalsAndRoundCorners) {
    const os::Bitmap button = info_images::DonateButton(0xF0F0F0);
    ASSERT_EQ(button.width, 179);
    ASSERT_EQ(button.height, 51);
    EXPECT_EQ(button.At(0, 0), 0xF0F0F0u);  // beyond the rounded corner
    EXPECT_EQ(button.At(5, 25), info_images::kDonateRed);
    int white = 0;
    for (os::COLORREF p : button.pixels) white += p == info_images::kDonateText;
    EXPECT_GT(white, 300);  // the lettering
    for (int x = 0; x < 179; ++x) EXPECT_NE(button.At(x, 10), info_images::kDonateText) << x;  // above the text
}
