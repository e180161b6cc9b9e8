// The tray menu on real windows: opened at the cursor for a hidden owner, then used with the
// keyboard and the mouse as a person would.
#include "platform/native_window.h"
#include "win32_test.h"

#include <vector>

namespace {

const std::vector<os::MenuItem> kItems{{"show", "&Show/Hide Form", nullptr}, {"s1", "-", nullptr},
                                       {"settings", "Settings", nullptr},     {"s2", "-", nullptr},
                                       {"help", "Help", nullptr},             {"about", "About", nullptr},
                                       {"s3", "-", nullptr},                  {"donate", "Donate", nullptr},
                                       {"s4", "-", nullptr},                  {"exit", "E&xit", nullptr}};

class Win32Menu : public Win32Test {
protected:
    void SetUp() override {
        Win32Test::SetUp();
        owner_ = CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPED, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    }
    void TearDown() override {
        DestroyWindow(owner_);
        Win32Test::TearDown();
    }
    int Open(std::function<void()> person) const {
        WhenMenuIsUp(owner_, std::move(person));
        return os::PopupMenuAtCursor(reinterpret_cast<os::Hwnd>(owner_), kItems);
    }
    HWND owner_ = nullptr;
};

}  // namespace

TEST_F(Win32Menu, AnAccessKeyOrTheArrowsChooseAndTheIndexCountsTheSeparators) {
    EXPECT_EQ(Open([] { Type({'X'}); }), 9);
    EXPECT_EQ(Open([] { Type({VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN}); }), 4);  // separators are stepped over
    EXPECT_EQ(Open([] { Type({'S'}); }), 0);
}

TEST_F(Win32Menu, EscapeDismissesItWithNoChoiceAndItsHiddenOwnerIsTheForegroundWindow) {
    EXPECT_EQ(Open([] { Type({VK_ESCAPE}); }), -1);
    // Else a click elsewhere would not close it.
    EXPECT_EQ(GetForegroundWindow(), owner_);
}

TEST_F(Win32Menu, OnlyTheLeftButtonChooses) {
    EXPECT_EQ(Open([] {
                  ClickMenuItem(2, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);  // Settings: not chosen
                  ClickMenuItem(4, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);    // Help
              }),
              4);
}
