#include "panel/reading_panel.h"

#include "settings/number_text.h"
#include "shell/hotkeys.h"
#include "shell/shell_window.h"
#include "support/fresh_process.h"
#include "panel/panel_scenario.h"

namespace {
class ReadingPanelTest : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        Start();
    }
    static void PressShow() { headless::PressHotKey(kCtrlAlt, 'S'); }
    static void PressHide() { headless::PressHotKey(kCtrlAlt, 'L'); }
    static void StoreGeometry(const char* w, const char* h, const char* l, const char* t) {
        Store("window", "width", w);
        Store("window", "height", h);
        Store("window", "left", l);
        Store("window", "top", t);
    }
};
}  // namespace

class HeadlessPanelDesktop : public panel_scenario::Desktop {
public:
    void PressShow() override { headless::PressHotKey(kCtrlAlt, 'S'); }
    void PressHide() override { headless::PressHotKey(kCtrlAlt, 'L'); }
    void DragBorder(const os::PixelRect& frame) override { headless::UserResize(Program().panel->hWnd(), frame); }
    void DragCaption(int left, int top) override { headless::UserMove(Program().panel->hWnd(), left, top); }
    void Press(const os::KeyInput& key) override { headless::PressKey(Program().panel->hWnd(), key); }
    std::optional<panel_scenario::Seen> Panel() override {
        const headless::WindowState* panel = ProgramTest::Panel();
        if (!panel) return std::nullopt;
        return panel_scenario::Seen{panel->visible, panel->frame, panel->backColor, panel->opacity, panel->topmost};
    }
    std::string Stored(const char* key) override { return ProgramTest::Stored("window", key); }
};

TEST_F(ReadingPanelTest, ShowDragHideAndShowAgain) {
    HeadlessPanelDesktop desktop;
    panel_scenario::Play(desktop);
}

TEST_F(ReadingPanelTest, EmptyStoreGivesAToolWindowOfTheDesignSize) {
    PressShow();
    const headless::WindowState* panel = Panel();
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->kind, os::WindowKind::SizableToolWindow);
    EXPECT_EQ(panel->caption, "Lisotra");
    EXPECT_EQ(panel->accessibleName, "Lisotra reading panel");
    EXPECT_NE(panel->accessibleDescription.find("Escape hides it"), std::string::npos);
    // The design client area, 4560 x 3015 twips, inside the frame.
    EXPECT_GT(Program().panel->Width(), 4560);
    EXPECT_GT(Program().panel->Height(), 3015);
    EXPECT_EQ(Stored("window", "width").substr(0, 1), " ");
}

TEST_F(ReadingPanelTest, StoredColourAndOnTopTakeEffectAtCreation) {
    Store("default", "backcolor", " 255");
    Store("default", "ontop", " 1");
    PressShow();
    EXPECT_EQ(Panel()->backColor, 255u);
    EXPECT_TRUE(Panel()->topmost);
    // Nothing is cached: a changed choice shows on the next panel, not this one.
    Store("default", "backcolor", " 65280");
    Store("default", "ontop", " 0");
    EXPECT_EQ(Panel()->backColor, 255u);
    PressHide();
    PressShow();
    EXPECT_EQ(Panel()->backColor, 65280u);
    EXPECT_FALSE(Panel()->topmost);
}

TEST_F(ReadingPanelTest, StoredGeometryIsRestoredWhole) {
    // Applying the width reports a resize at once; the other three must survive it.
    StoreGeometry(" 6000", " 4500", "-1200", " 750");
    PressShow();
    EXPECT_EQ(Panel()->frame, (os::PixelRect{-80, 50, 400, 300}));
    EXPECT_EQ(Stored("window", "height"), " 4500");
    EXPECT_EQ(Stored("window", "left"), "-1200");
    EXPECT_EQ(Stored("window", "top"), " 750");
}

TEST_F(ReadingPanelTest, ANonPositiveWidthAppliesNoneOfTheFour) {
    PressShow();
    const os::PixelRect design = Panel()->frame;
    PressHide();
    FreshProcess();
    Start();
    StoreGeometry(" 0", " 4500", " 3000", " 3000");
    PressShow();
    EXPECT_EQ(Panel()->frame, design);
}

TEST_F(ReadingPanelTest, ClosingThePanelUnloadsAndStores) {
    PressShow();
    const os::Hwnd handle = Program().panel->hWnd();
    headless::UserMove(handle, 640, 360);
    headless::UserClose(handle);
    EXPECT_EQ(Panel(), nullptr);
    EXPECT_EQ(Stored("window", "left"), " 9600");
}

TEST_F(ReadingPanelTest, APanelWithNoGrabbablePartComesBackOnTheNearestScreen) {
    headless::SetScreen(15, {{0, 0, 1920, 1080}, {1920, 0, 1280, 1024}});
    // Stored while on a right-hand monitor that is gone now.
    StoreGeometry(" 6000", " 4500", " 60000", " 1500");
    headless::SetScreen(15, {{0, 0, 1920, 1080}});
    PressShow();
    EXPECT_EQ(Panel()->frame, (os::PixelRect{1520, 100, 400, 300}));
}

TEST_F(ReadingPanelTest, APartlyOffScreenPanelStaysWhereItWas) {
    StoreGeometry(" 6000", " 4500", "-4500", " 600");  // 300 px off the left
    PressShow();
    EXPECT_EQ(Panel()->frame.left, -300);
    PressHide();
    StoreGeometry(" 6000", " 4500", "-4500", " 15000");  // caption 80 px above the bottom
    PressShow();
    EXPECT_EQ(Panel()->frame, (os::PixelRect{-300, 1000, 400, 300}));
}

TEST_F(ReadingPanelTest, AbsurdStoredGeometryNeverEndsTheProgram) {
    const char* absurd[][4] = {
        {" 1e400", " 4500", " 0", " 0"},
        {"99999999999999999999999999999999999999999", "99999999999999999999999999999999999999999",
         "-99999999999999999999999999999999999999999", " 5"},
        {" 6000", "-4500", "\xff\xfe", "NaN"},
        {" 3", " 2", " 1e9", "-1e9"},
    };
    for (const auto& g : absurd) {
        StoreGeometry(g[0], g[1], g[2], g[3]);
        PressShow();
        ASSERT_NE(Panel(), nullptr);
        const os::PixelRect f = Panel()->frame;
        EXPECT_GE(f.left, 0);
        EXPECT_GE(f.top, 0);
        EXPECT_LE(f.left + f.width, 1920);
        EXPECT_LE(f.top + f.height, 1080);
        EXPECT_GE(f.width, 16);
        PressHide();
    }
}

TEST_F(ReadingPanelTest, ShowingAVisiblePanelChangesNothing) {
    PressShow();
    const os::Hwnd handle = Program().panel->hWnd();
    const int saves = headless::SaveCount();
    PressShow();
    EXPECT_EQ(Program().panel->hWnd(), handle);
    EXPECT_EQ(headless::SaveCount(), saves);
}

TEST_F(ReadingPanelTest, HideWithNoPanelLoadsAndStoresTheStoredGeometry) {
    StoreGeometry(" 6000", " 4500", " 1500", " 750");
    PressHide();
    EXPECT_EQ(Panel(), nullptr);
    EXPECT_EQ(Stored("window", "width"), " 6000");
    EXPECT_EQ(Stored("window", "left"), " 1500");
}

TEST_F(ReadingPanelTest, AShownPanelStaysReachableWhileTheScreensChange) {
    headless::SetScreen(15, {{0, 0, 1920, 1080}, {1920, 0, 1280, 1024}});
    StoreGeometry(" 6000", " 4500", " 36000", " 1500");  // on the right-hand screen
    PressShow();
    ASSERT_EQ(Panel()->frame, (os::PixelRect{2400, 100, 400, 300}));
    const int saves = headless::SaveCount();

    // A screen added, and one that leaves the panel's caption where it can be taken hold of,
    // move nothing and store nothing.
    headless::SetScreen(15, {{0, 0, 1920, 1080}, {1920, 0, 1280, 1024}, {-1024, 0, 1024, 768}});
    headless::ReportScreensChanged();
    headless::SetScreen(15, {{0, 0, 1920, 1080}, {1920, 0, 520, 1024}});
    headless::ReportScreensChanged();
    EXPECT_EQ(Panel()->frame, (os::PixelRect{2400, 100, 400, 300}));
    EXPECT_EQ(headless::SaveCount(), saves);

    // The screen shrinks under it: it moves to the screen's edge, and its place is stored.
    headless::SetScreen(15, {{0, 0, 1920, 1080}, {1920, 0, 400, 1024}});
    headless::ReportScreensChanged();
    EXPECT_EQ(Panel()->frame, (os::PixelRect{1920, 100, 400, 300}));
    EXPECT_EQ(Stored("window", "left"), " 28800");

    // The screen is unplugged: the panel moves whole onto the one left.
    headless::SetScreen(15, {{0, 0, 1920, 1080}});
    headless::ReportScreensChanged();
    EXPECT_EQ(Panel()->frame, (os::PixelRect{1520, 100, 400, 300}));
    EXPECT_EQ(Stored("window", "left"), " 22800");
    EXPECT_EQ(Stored("window", "top"), " 1500");
    EXPECT_EQ(Stored("window", "width"), " 6000");
    EXPECT_EQ(Stored("window", "height"), " 4500");
}

TEST_F(ReadingPanelTest, AHiddenPanelIsPlacedAtItsNextShow) {
    headless::SetScreen(15, {{0, 0, 1920, 1080}, {1920, 0, 1280, 1024}});
    PressShow();
    headless::UserMove(Program().panel->hWnd(), 2400, 100);
    PressHide();
    headless::SetScreen(15, {{0, 0, 1920, 1080}});
    headless::ReportScreensChanged();
    EXPECT_EQ(Panel(), nullptr);
    EXPECT_EQ(Stored("window", "left"), " 36000");
    PressShow();
    EXPECT_EQ(Panel()->frame.left, 1920 - Panel()->frame.width);
    EXPECT_EQ(Panel()->frame.top, 100);
}
