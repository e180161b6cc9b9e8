// The form layer's promises: single instances loaded on reference, events in their order,
// unload destroying the instance, twips geometry.
#include "forms/form.h"
#include "support/test_form.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "forms/conversions.h"
#include "platform/headless/headless.h"
#include "platform/user32.h"
#include "support/fresh_process.h"

namespace {
std::vector<std::string> events;

class Probe : public os::Form {
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
    EXPECT_THROW(probe->SetTop(1e30f), os::OverflowError);
}

