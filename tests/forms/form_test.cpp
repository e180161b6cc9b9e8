// The form layer's promises: single instances loaded on reference, events in their order,
// unload destroying the instance, twips geometry, the mouse on a picture box.
#include "forms/form.h"
#include "support/test_form.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "forms/conversions.h"
#include "platform/headless/headless.h"
#include "support/fresh_process.h"

namespace {
std::vector<std::string> events;

class Probe : public forms::Form {
public:
    Probe() : Form({os::WindowKind::SizableToolWindow, "Probe", 300, 200}) {}
    bool refuse = false;
    os::CloseReason lastReason{};
    int instance = ++created;
    static inline int created = 0;

protected:
    void OnLoad() override { events.push_back("Load"); }
    void OnResize() override { events.push_back("Resize"); }
    void OnActivate() override { events.push_back("Activate"); }
    bool CanUnload(os::CloseReason reason) override {
        events.push_back("QueryUnload");
        lastReason = reason;
        return !refuse;
    }
    void OnUnload() override { events.push_back("Unload"); }
};

TestForm<Probe> probe;

class BoxHost : public forms::Form {
public:
    BoxHost() : Form({os::WindowKind::SizableToolWindow, "Host", 300, 200}), box(*this, {.rect = {10, 20, 32, 32}}) {
        auto record = [](const char* what) {
            return [what](int button, int shift, float x, float y) {
                events.push_back(std::string(what) + " " + std::to_string(button) + " " + std::to_string(shift) + " " +
                                 std::to_string(static_cast<int>(x)) + " " + std::to_string(static_cast<int>(y)));
            };
        };
        box.MouseMove = record("move");
        box.MouseDown = record("down");
        box.MouseUp = record("up");
        box.Click = [] { events.push_back("click"); };
    }
    forms::PictureBox box;
};
TestForm<BoxHost> boxHost;

class FormLayer : public ::testing::Test {
protected:
    void SetUp() override {
        FreshProcess();
        events.clear();
    }
    void TearDown() override { FreshProcess(); }
    static const headless::WindowState& State() { return *headless::Window(probe->hWnd()); }
};
}  // namespace

TEST_F(FormLayer, AReferenceLoadsHiddenOnce) {
    EXPECT_FALSE(probe.Exists());
    const int first = probe->instance;
    EXPECT_EQ(probe->instance, first);
    EXPECT_EQ(events, (std::vector<std::string>{"Load"}));
    EXPECT_FALSE(probe->Visible());
    EXPECT_FALSE(State().visible);
}

TEST_F(FormLayer, ResizeRunsOnFirstShowAndSizeChangesNotOnMoves) {
    probe->Show();
    probe->Show();
    probe->Hide();
    probe->SetVisible(true);
    EXPECT_EQ(events, (std::vector<std::string>{"Load", "Resize", "Activate"}));
    events.pop_back();
    headless::UserMove(probe->hWnd(), 500, 400);
    EXPECT_EQ(events.size(), 2u);
    headless::UserResize(probe->hWnd(), {500, 400, 640, 480});
    EXPECT_EQ(events.back(), "Resize");
    EXPECT_EQ(probe->Width(), 640 * 15);
    EXPECT_EQ(probe->Left(), 500 * 15);
}

TEST_F(FormLayer, UnloadDestroysAndTheNextReferenceIsFresh) {
    probe->Show();
    const os::Hwnd handle = probe->hWnd();
    const int first = probe->instance;
    EXPECT_TRUE(probe->Unload());
    EXPECT_FALSE(probe.Exists());
    EXPECT_EQ(headless::Window(handle), nullptr);
    headless::RunDeferred();
    EXPECT_NE(probe->instance, first);
    EXPECT_EQ(events, (std::vector<std::string>{"Load", "Resize", "Activate", "QueryUnload", "Unload", "Load"}));
}

TEST_F(FormLayer, QueryUnloadCanRefuse) {
    probe->refuse = true;
    headless::UserClose(probe->hWnd());
    EXPECT_TRUE(probe.Exists());
    EXPECT_EQ(probe->lastReason, os::CloseReason::User);
    EXPECT_EQ(events.back(), "QueryUnload");
}

TEST_F(FormLayer, TwipsFollowTheScreen) {
    headless::SetScreen(7.5f, {{0, 0, 3840, 2160}});
    probe->SetWidth(4567.5f);
    EXPECT_EQ(probe->Width(), 4567.5f);  // 609 pixels
    probe->SetLeft(-1203.75f);           // -160.5 pixels: halves to even
    EXPECT_EQ(probe->Left(), -160 * 7.5f);
    EXPECT_THROW(probe->SetTop(1e30f), forms::OverflowError);
}

TEST_F(FormLayer, APictureBoxHearsTheMouseInTwipsWithItsButtonsAndKeys) {
    const os::Hwnd box = boxHost->box.hWnd();
    headless::Mouse(box, os::WM_MOUSEMOVE, 3, 4, os::MK_SHIFT);
    headless::Mouse(box, os::WM_RBUTTONDOWN, -2, -5, os::MK_CONTROL);  // left of and above the box
    headless::Mouse(box, os::WM_MOUSEMOVE, 6, 6, os::MK_ALT);          // on a move, the buttons held
    headless::Mouse(box, os::WM_RBUTTONUP, 7, 8);
    headless::Mouse(box, os::WM_MBUTTONDBLCLK, 1, 1);  // a double-click is not reported
    headless::Mouse(box, os::WM_LBUTTONDOWN, 1, 1);
    headless::Mouse(box, os::WM_LBUTTONUP, 31, 31);  // released on the box: a click
    headless::Mouse(box, os::WM_LBUTTONDOWN, 1, 1);
    headless::Mouse(box, os::WM_LBUTTONUP, 32, 1);  // released beyond it: none
    EXPECT_EQ(events, (std::vector<std::string>{"move 0 1 45 60", "down 2 2 -30 -75", "move 2 4 90 90", "up 2 0 105 120",
                                                "down 1 0 15 15", "up 1 0 465 465", "click", "down 1 0 15 15",
                                                "up 1 0 480 15"}));
}
