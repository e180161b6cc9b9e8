// The About box and the donate window on the in-memory desktop: the info scenario, and what only
// this desktop shows (one instance each, the link's look, a small screen, the keyboard on the link
// and the picture).
#include "info/about_box.h"
#include "info/donate_window.h"
#include "info/info_images.h"
#include "info/info_scenario.h"
#include "shell/shell_window.h"
#include "support/fresh_process.h"

namespace {
class HeadlessInfoDesktop final : public info_scenario::Desktop {
public:
    void Start(bool systemInfoProgram) override {
        if (systemInfoProgram) {
            headless::SetSystemInfoProgram("C:\\Tools\\info.exe");
            headless::PlantFile("C:\\Tools\\info.exe");
        }
        os::RunApplication(0, nullptr, [] { Program().Start(); });
    }
    void OpenFromTray(const char* item) override {
        headless::ChooseFromNextMenu(item);
        headless::TrayAct(os::TrayEvent::MenuAsked);
    }
    std::optional<info_scenario::About> AboutBox() override {
        if (!Program().about.Exists()) return std::nullopt;
        const ::AboutBox& about = Program().about.Get();
        auto text = [](const forms::TextControl& c) { return headless::Control(c.hWnd())->text; };
        return info_scenario::About{headless::Window(about.hWnd())->caption, text(about.title), text(about.versionLabel),
                                    text(about.homePage)};
    }
    void Press(info_scenario::Key key) override {
        headless::PressKey(Program().about->hWnd(), key == info_scenario::Key::Enter ? os::VK_RETURN : os::VK_ESCAPE);
    }
    void ClickLink() override { headless::ClickButton(Program().about->homePage.hWnd()); }
    std::vector<std::string> ClickSystemInfo() override {
        const std::size_t before = headless::Messages().size();
        headless::ClickButton(Program().about->sysInfoButton.hWnd());
        std::vector<std::string> told;
        for (std::size_t i = before; i < headless::Messages().size(); ++i) {
            EXPECT_EQ(headless::Messages()[i].first, "Lisotra");
            told.push_back(headless::Messages()[i].second);
        }
        return told;
    }
    bool SystemInfoStarted() override { return headless::StartedPrograms() == std::vector<std::string>{"C:\\Tools\\info.exe"}; }
    std::vector<std::string> Opened() override { return headless::Opened(); }
    std::optional<os::PixelRect> Donate() override {
        if (!Program().donate.Exists()) return std::nullopt;
        return headless::Window(Program().donate->hWnd())->frame;
    }
    os::PixelRect Screen() override { return {0, 0, 1920, 1080}; }
    void ClickDonate(bool picture) override {
        const os::Hwnd child = picture ? Program().donate->donatePicture.hWnd() : Program().donate->message.hWnd();
        headless::Mouse(child, os::WM_LBUTTONDOWN, 5, 5);
        headless::Mouse(child, os::WM_LBUTTONUP, 5, 5);
    }
    bool Until(const std::function<bool()>& done) override { return done(); }
};

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
    static std::string Text(const forms::TextControl& c) { return headless::Control(c.hWnd())->text; }
};
}  // namespace

using InfoScenario = ProgramTest;

TEST_F(InfoScenario, TheAboutBoxWithoutASystemInformationProgram) {
    HeadlessInfoDesktop desktop;
    info_scenario::PlayAbout(desktop, false);
}

TEST_F(InfoScenario, TheAboutBoxWithASystemInformationProgram) {
    HeadlessInfoDesktop desktop;
    info_scenario::PlayAbout(desktop, true);
}

TEST_F(InfoScenario, TheDonateWindow) {
    HeadlessInfoDesktop desktop;
    info_scenario::PlayDonate(desktop, 15);
}

TEST_F(InfoWindows, AboutShowsItsTextsAndTheFocusIsOnOk) {
    Choose("about");
    ASSERT_TRUE(Program().about.Exists());
    const headless::WindowState* window = headless::Window(Program().about->hWnd());
    EXPECT_TRUE(window->visible);
    EXPECT_EQ(window->kind, os::WindowKind::Dialog);
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

TEST_F(InfoWindows, OneAboutBoxAndTheKeyboardReachesTheLink) {
    Choose("about");
    const os::Hwnd window = Program().about->hWnd();
    Choose("about");
    EXPECT_EQ(Program().about->hWnd(), window);
    headless::PressKey(window, os::VK_TAB);
    headless::PressKey(window, os::VK_TAB);  // OK, System Info, the link
    headless::PressKey(window, os::VK_RETURN);
    EXPECT_EQ(headless::Opened(), std::vector<std::string>{"https://lisotra.org"});
    EXPECT_TRUE(Program().about.Exists());
}

TEST_F(InfoWindows, DonatesCaptionAndPlaceOnAWindowsFrame) {
    Choose("donate");
    EXPECT_EQ(headless::Window(Program().donate->hWnd())->caption, "Lisotra - donate");
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

TEST_F(InfoWindows, SpaceOnThePictureOpensTheThanksPage) {
    Choose("donate");
    headless::PressKey(Program().donate->hWnd(), os::VK_SPACE);  // the picture has the focus
    EXPECT_EQ(headless::Opened(), std::vector<std::string>{"https://lisotra.org/say-thanks"});
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
