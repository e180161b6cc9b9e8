// The tray of the in-memory desktop: the tray's rules, and the record of calls the program's
// tests read.
#include <vector>

#include "platform/tray.h"
#include "platform/tray_scenario.h"
#include "support/fresh_process.h"

namespace {

class HeadlessTrayDesktop final : public tray_scenario::Desktop {
public:
    void Act(os::TrayEvent event) override { headless::TrayAct(event); }
    void ActOtherwise() override {}  // this desktop reports nothing but the events
    std::optional<std::string> ShownTip() override {
        return headless::TrayIcon() ? std::optional(headless::TrayIcon()->tip) : std::nullopt;
    }
};

class HeadlessTray : public ::testing::Test {
protected:
    void SetUp() override { FreshProcess(); }
    void TearDown() override { FreshProcess(); }
};

}  // namespace

TEST_F(HeadlessTray, KeepsToTheTraysRules) {
    HeadlessTrayDesktop desktop;
    tray_scenario::Play(desktop, reinterpret_cast<os::Hicon>(1), reinterpret_cast<os::Hicon>(2));
}

TEST_F(HeadlessTray, RecordsEveryCallAndTheIconAndHearsNoActWithoutAnIcon) {
    int heard = 0;
    os::SetTrayHandler([&heard](os::TrayEvent) { ++heard; });
    headless::TrayAct(os::TrayEvent::Clicked);  // no icon: nobody to click
    EXPECT_EQ(heard, 0);
    os::ShowTrayIcon(reinterpret_cast<os::Hicon>(7), "tip");
    os::ShowTrayIcon(reinterpret_cast<os::Hicon>(8), "other");
    os::SetTrayIcon(reinterpret_cast<os::Hicon>(9), "changed");
    ASSERT_TRUE(headless::TrayIcon());
    EXPECT_EQ(headless::TrayIcon()->icon, reinterpret_cast<os::Hicon>(9));
    EXPECT_EQ(headless::TrayIcon()->tip, "changed");
    headless::TrayAct(os::TrayEvent::DoubleClicked);
    EXPECT_EQ(heard, 1);
    os::RemoveTrayIcon();
    const auto& calls = headless::TrayCalls();
    ASSERT_EQ(calls.size(), 4u);  // every call, whatever it did
    EXPECT_TRUE(calls[0].kind == headless::TrayCall::Show && calls[0].done);
    EXPECT_TRUE(calls[1].kind == headless::TrayCall::Show && !calls[1].done);
    EXPECT_TRUE(calls[2].kind == headless::TrayCall::Set && calls[2].done);
    EXPECT_TRUE(calls[3].kind == headless::TrayCall::Remove && calls[3].done);

    os::ShowTrayIcon(reinterpret_cast<os::Hicon>(7), "tip");
    FreshProcess();  // a new process: no icon, no calls, no handler
    EXPECT_FALSE(headless::TrayIcon());
    EXPECT_TRUE(headless::TrayCalls().empty());
    os::ShowTrayIcon(reinterpret_cast<os::Hicon>(7), "tip");
    headless::TrayAct(os::TrayEvent::Clicked);
    EXPECT_EQ(heard, 1);
}
