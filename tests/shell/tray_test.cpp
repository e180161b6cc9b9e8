// The tray icon of the program: what it shows from start-up, what a person's acts on it do, the
// menu and its commands, and the sample buttons.
#include <set>

#include "info/program_icons.h"
#include "panel/reading_panel.h"
#include "platform/app.h"
#include "shell/shell_window.h"
#include "support/fresh_process.h"

namespace {

class Tray : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        Start();
    }
    static void Act(os::TrayEvent event) { headless::TrayAct(event); }
    static void Choose(const std::string& item) {
        headless::ChooseFromNextMenu(item);
        Act(os::TrayEvent::MenuAsked);
    }
};

}  // namespace

TEST_F(Tray, StartUpShowsTheIconFirst) {
    ASSERT_FALSE(headless::TrayCalls().empty());
    EXPECT_EQ(headless::TrayCalls().front().kind, headless::TrayCall::Show);
    ASSERT_TRUE(headless::TrayIcon());
    EXPECT_EQ(headless::TrayIcon()->tip, "Lisotra v2.0");
    EXPECT_EQ(headless::TrayIcon()->icon, Program().shell->TrayIcon());
    const auto* images = headless::IconImages(headless::TrayIcon()->icon);
    ASSERT_NE(images, nullptr);
    ASSERT_EQ(images->size(), 1u);
    EXPECT_EQ((*images)[0].width, 128);
    EXPECT_EQ((*images)[0].height, 128);
    EXPECT_EQ((*images)[0].bitsPerPixel, 32);
}

TEST_F(Tray, AClickOrARightClickOpensTheMenuADoubleClickTogglesThePanel) {
    Act(os::TrayEvent::Clicked);
    Act(os::TrayEvent::MenuAsked);
    ASSERT_EQ(headless::MenusOpened().size(), 2u);
    for (const auto& menu : headless::MenusOpened()) {
        EXPECT_EQ(menu, (std::vector<std::string>{"&Show/Hide Form", "-", "Settings", "-", "Help", "About", "-",
                                                  "Donate", "-", "E&xit"}));
    }
    EXPECT_FALSE(Program().panel.Exists());  // dismissed: no command ran

    Act(os::TrayEvent::DoubleClicked);
    ASSERT_NE(Panel(), nullptr);
    EXPECT_TRUE(Panel()->visible);
    Act(os::TrayEvent::DoubleClicked);
    EXPECT_EQ(Panel(), nullptr);
    EXPECT_EQ(headless::MenusOpened().size(), 2u);  // a double-click opens no menu
}

TEST_F(Tray, ShowHideTogglesThePanel) {
    Choose("showHide");
    ASSERT_NE(Panel(), nullptr);
    EXPECT_TRUE(Panel()->visible);
    headless::UserMove(Program().panel->hWnd(), 200, 100);
    Choose("showHide");
    EXPECT_EQ(Panel(), nullptr);
    EXPECT_EQ(Stored("window", "left"), " 3000");
    Choose("showHide");  // a new panel from the stored settings
    EXPECT_EQ(Panel()->frame.left, 200);
}

TEST_F(Tray, HelpOpensTheSupportPage) {
    Choose("help");
    EXPECT_EQ(headless::Opened(), std::vector<std::string>{"https://lisotra.org/support/"});
}

TEST_F(Tray, ExitRemovesTheIconStoresThePanelAndEnds) {
    Choose("showHide");
    headless::UserMove(Program().panel->hWnd(), 200, 100);
    Choose("exit");
    EXPECT_TRUE(headless::Ended());
    EXPECT_FALSE(headless::TrayIcon());
    EXPECT_EQ(headless::TrayCalls().back().kind, headless::TrayCall::Remove);
    EXPECT_EQ(Stored("window", "left"), " 3000");
    EXPECT_EQ(Stored("window", "top"), " 1500");
}

TEST_F(Tray, SampleButtons) {
    Program().shell->AddSampleIcon();  // already there: refused
    EXPECT_EQ(headless::TrayIcon()->tip, "Lisotra v2.0");
    EXPECT_FALSE(headless::TrayCalls().back().done);
    Program().shell->ModifySampleIcon();
    EXPECT_EQ(headless::TrayIcon()->tip, "New Icon and Tooltip!");
    EXPECT_EQ(headless::TrayIcon()->icon, Program().shell->SampleIcon());
    Program().shell->RemoveSampleIcon();
    EXPECT_FALSE(headless::TrayIcon());
    Program().shell->ModifySampleIcon();  // nothing to modify
    EXPECT_FALSE(headless::TrayIcon());
    Program().shell->AddSampleIcon();
    EXPECT_EQ(headless::TrayIcon()->tip, "Quenby");
    EXPECT_EQ(headless::TrayIcon()->icon, Program().shell->TrayIcon());
    Act(os::TrayEvent::MenuAsked);  // the icon shown again still opens the menu
    EXPECT_EQ(headless::MenusOpened().size(), 1u);
}

TEST_F(Tray, TheIconGoesWithTheShellWindow) {
    EndProgram();
    EXPECT_FALSE(headless::TrayIcon());
}

TEST(TrayIcons, TheSampleIconKeepsToItsColourDepths) {
    const auto images = program_icons::SampleIcon();
    ASSERT_EQ(images.size(), 2u);
    for (const os::IconImage& image : images) {
        EXPECT_EQ(image.width, 16);
        std::set<std::uint32_t> colours;
        for (std::uint32_t p : image.argb) {
            EXPECT_TRUE(p >> 24 == 0 || p >> 24 == 0xFF);
            if (p >> 24) colours.insert(p);
        }
        EXPECT_LE(colours.size(), image.bitsPerPixel == 4 ? 15u : 255u);
        EXPECT_GE(colours.size(), 3u);
    }
}
