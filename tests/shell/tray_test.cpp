// The tray icon: the record the notification area gets, the decoding of its notifications, the
// menu and its commands.
#include <set>

#include "panel/reading_panel.h"
#include "platform/app.h"
#include "shell/notify_icon.h"
#include "info/program_icons.h"
#include "shell/shell_window.h"
#include "support/fresh_process.h"

namespace {

class Tray : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        Start();
    }
    static os::Hwnd Owner() { return Program().shell->trayOwner.hWnd(); }
    static const os::NotifyIcon* Icon() {
        auto it = headless::TrayIcons().find({Owner(), 1});
        return it == headless::TrayIcons().end() ? nullptr : &it->second;
    }
    static void Click(unsigned mouseMessage) { headless::TrayNotify(Owner(), 1, mouseMessage); }
    static void Choose(const std::string& item) {
        headless::ChooseFromNextMenu(item);
        Click(os::WM_RBUTTONUP);
    }
};

std::uint32_t Dword(const os::NotifyIconRecord& r, size_t at) {
    return r[at] | r[at + 1] << 8 | r[at + 2] << 16 | static_cast<std::uint32_t>(r[at + 3]) << 24;
}

std::string Tip(const os::NotifyIconRecord& r) { return std::string(r.begin() + 24, r.end()); }

}  // namespace

TEST(NotifyIconRecord, AddAndModifyCarryEveryField) {
    const auto owner = reinterpret_cast<os::Hwnd>(0x00012340);
    const auto icon = reinterpret_cast<os::Hicon>(0x0000BEEF);
    const os::NotifyIconRecord r = notify_icon::IconRecord(owner, 1, icon, "Lisotra v2.0");
    EXPECT_EQ(Dword(r, 0), 88u);
    EXPECT_EQ(Dword(r, 4), 0x12340u);
    EXPECT_EQ(Dword(r, 8), 1u);
    EXPECT_EQ(Dword(r, 12), 7u);
    EXPECT_EQ(Dword(r, 16), 0x200u);
    EXPECT_EQ(Dword(r, 20), 0xBEEFu);
    EXPECT_EQ(Tip(r), std::string("Lisotra v2.0") + '\0' + std::string(51, ' '));
}

TEST(NotifyIconRecord, DeleteCarriesOnlySizeOwnerAndId) {
    const os::NotifyIconRecord r = notify_icon::DeleteRecord(reinterpret_cast<os::Hwnd>(0x777), 1);
    EXPECT_EQ(Dword(r, 0), 88u);
    EXPECT_EQ(Dword(r, 4), 0x777u);
    EXPECT_EQ(Dword(r, 8), 1u);
    for (size_t i = 12; i < 88; ++i) EXPECT_EQ(r[i], 0) << i;
}

TEST(NotifyIconRecord, TheTipAlwaysKeepsItsTerminator) {
    const std::string t63(63, 'x');
    EXPECT_EQ(Tip(notify_icon::IconRecord({}, 1, {}, t63)), t63 + '\0');
    for (size_t length : {64u, 65u, 500u}) {
        EXPECT_EQ(Tip(notify_icon::IconRecord({}, 1, {}, std::string(length, 'y'))), std::string(63, 'y') + '\0');
    }
    EXPECT_EQ(Tip(notify_icon::IconRecord({}, 1, {}, "")), '\0' + std::string(63, ' '));
    // In the ANSI code page: é is one byte, a character it cannot hold is "?".
    const std::string tip = Tip(notify_icon::IconRecord({}, 1, {}, "caf\xc3\xa9 \xe2\x82\xac \xe4\xb8\xad"));
    EXPECT_EQ(tip.substr(0, 8), std::string("caf\xe9 \x80 ?", 8));
    EXPECT_EQ(tip[8], '\0');
}

TEST_F(Tray, StartUpAddsTheIconFirst) {
    ASSERT_FALSE(headless::NotifyCalls().empty());
    EXPECT_EQ(headless::NotifyCalls().front().message, os::NIM_ADD);
    const os::NotifyIcon* icon = Icon();
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(icon->tip, "Lisotra v2.0");
    EXPECT_EQ(icon->uCallbackMessage, 0x200u);
    const auto* images = headless::IconImages(icon->hIcon);
    ASSERT_NE(images, nullptr);
    ASSERT_EQ(images->size(), 1u);
    EXPECT_EQ((*images)[0].width, 128);
    EXPECT_EQ((*images)[0].height, 128);
    EXPECT_EQ((*images)[0].bitsPerPixel, 32);
}

TEST_F(Tray, ReleasesOpenTheMenuPressesAndMovesDoNothing) {
    for (unsigned message : {os::WM_MOUSEMOVE, os::WM_LBUTTONDOWN, os::WM_RBUTTONDOWN, os::WM_MBUTTONUP,
                             os::WM_RBUTTONDBLCLK, 0x0400u}) {
        Click(message);
    }
    EXPECT_TRUE(headless::MenusOpened().empty());
    Click(os::WM_LBUTTONUP);
    Click(os::WM_RBUTTONUP);
    ASSERT_EQ(headless::MenusOpened().size(), 2u);
    EXPECT_EQ(headless::MenusOpened()[0],
              (std::vector<std::string>{"&Show/Hide Form", "-", "Settings", "-", "Help", "About", "-", "Donate", "-",
                                        "E&xit"}));
    EXPECT_FALSE(Program().panel.Exists());  // dismissed: no command ran
}

TEST_F(Tray, TheDecoderWorksAtAnyTwipsPerPixel) {
    for (float twipsPerPixel : {15.0f, 12.0f, 10.0f, 7.5f, 1440.0f / 168, 1440.0f / 120}) {
        headless::SetScreen(twipsPerPixel, {{0, 0, 1920, 1080}});
        const size_t menus = headless::MenusOpened().size();
        Click(os::WM_LBUTTONUP);
        Click(os::WM_RBUTTONUP);
        EXPECT_EQ(headless::MenusOpened().size(), menus + 2) << twipsPerPixel;
        Click(os::WM_LBUTTONDBLCLK);
        EXPECT_TRUE(Panel() && Panel()->visible) << twipsPerPixel;
        Click(os::WM_LBUTTONDBLCLK);
        EXPECT_EQ(Panel(), nullptr) << twipsPerPixel;
    }
}

TEST_F(Tray, TheDecoderComparesTheQuotientExactly) {
    Program().shell->OnTrayNotification(7710);  // 514 pixels at 15 twips per pixel
    EXPECT_EQ(headless::MenusOpened().size(), 1u);
    Program().shell->OnTrayNotification(7711);
    EXPECT_EQ(headless::MenusOpened().size(), 1u);
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
    EXPECT_TRUE(headless::TrayIcons().empty());
    EXPECT_EQ(headless::NotifyCalls().back().message, os::NIM_DELETE);
    EXPECT_EQ(Stored("window", "left"), " 3000");
}

TEST_F(Tray, SampleButtons) {
    Program().shell->AddSampleIcon();  // already there: refused
    EXPECT_EQ(Icon()->tip, "Lisotra v2.0");
    Program().shell->ModifySampleIcon();
    EXPECT_EQ(Icon()->tip, "New Icon and Tooltip!");
    EXPECT_EQ(Icon()->hIcon, Program().shell->SampleIcon());
    Program().shell->RemoveSampleIcon();
    EXPECT_EQ(Icon(), nullptr);
    Program().shell->ModifySampleIcon();  // nothing to modify
    EXPECT_EQ(Icon(), nullptr);
    Program().shell->AddSampleIcon();
    EXPECT_EQ(Icon()->tip, "Quenby");
    EXPECT_EQ(Icon()->hIcon, Program().shell->TrayIcon());
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
