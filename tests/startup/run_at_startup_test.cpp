// The run-at-startup control: its click handling, properties, layout from its font, and its
// saved properties with their defaults.
#include "startup/run_at_startup.h"

#include <gtest/gtest.h>

#include "forms/conversions.h"
#include "platform/headless/headless.h"
#include "platform/system_colors.h"
#include "settings/form_descriptions.h"
#include "startup/startup_host.h"
#include "support/fresh_process.h"

namespace {
class RunAtStartUpControl : public ::testing::Test {
protected:
    void SetUp() override {
        FreshProcess();
        StartupHost::nextSaved.reset();
        StartupHost::nextFont.reset();
    }
    void TearDown() override { FreshProcess(); }
    static RunAtStartupBox& Control() { return startupHost->runAtStartup; }
    static const headless::CheckBoxState& Shown() { return *headless::CheckBox(Control().checkBox.hWnd()); }
    // Saves the control as the host would, then loads it afresh from the saved text.
    static forms::PropertyBag SaveAndReload() {
        forms::FormDescription description;
        description.SetInstance("Run_At_StartUp1", Control().SaveProperties());
        const std::string text = description.Text();
        FreshProcess();
        StartupHost::nextSaved = forms::FormDescription::Parse(text).Instance("run_at_startup1");
        return *StartupHost::nextSaved;
    }
};

os::Font MsSansSerif() { return {"MS Sans Serif", 8.25, 400, 0, false, false, false}; }
}  // namespace

TEST_F(RunAtStartUpControl, ClickingSetThenClearWritesThenDeletesAndTellsEachTime) {
    headless::ClickCheckBox(Control().checkBox.hWnd());
    EXPECT_EQ(Shown().value, 1);
    EXPECT_TRUE(Control().Registered());
    EXPECT_TRUE(headless::AutostartEntry());
    headless::ClickCheckBox(Control().checkBox.hWnd());
    EXPECT_FALSE(headless::AutostartEntry());
    EXPECT_EQ(startupHost->runAtStartupChanged, 2);
}

TEST_F(RunAtStartUpControl, SettingTheStateItHasRunsNothingButStillTellsTheHost) {
    Control().SetRegistered(true);
    const int writes = headless::AutostartWrites();
    startupHost->changed.clear();
    Control().SetRegistered(true);
    EXPECT_EQ(headless::AutostartWrites(), writes);
    EXPECT_EQ(headless::AutostartRemovals(), 0);
    EXPECT_EQ(startupHost->runAtStartupChanged, 1);
    EXPECT_EQ(startupHost->changed, std::vector<std::string>{""});
    EXPECT_THROW(Control().checkBox.SetValue(2), forms::InvalidPropertyValue);
    EXPECT_EQ(Control().checkBox.Value(), 1);
}

TEST_F(RunAtStartUpControl, Alignment) {
    Control().SetAlignment(1);
    EXPECT_EQ(Control().Alignment(), 1);
    EXPECT_EQ(Shown().alignment, 1);  // the box at the right of the caption
    Control().SetAlignment(2);
    EXPECT_EQ(Control().Alignment(), 0);
    EXPECT_EQ(Shown().alignment, 0);
    Control().SetAlignment(-5);  // handed over as it is
    EXPECT_EQ(Control().Alignment(), -5);
    // Outside 16 bits: an overflow error for the caller, and nothing changed or reported.
    startupHost->changed.clear();
    EXPECT_THROW(Control().SetAlignment(32768), forms::OverflowError);
    EXPECT_THROW(Control().SetAlignment(-32769), forms::OverflowError);
    EXPECT_EQ(Control().Alignment(), -5);
    EXPECT_TRUE(startupHost->changed.empty());
}

TEST_F(RunAtStartUpControl, ColoursChangeOnlyTheCheckBoxAndFollowTheDesktop) {
    EXPECT_EQ(Control().BackColor(), 0x8000000Fu);
    EXPECT_EQ(Control().ForeColor(), 0x80000012u);
    EXPECT_EQ(Shown().shownBack, os::GetSysColor(15));
    Control().SetBackColor(0x0000FF);
    Control().SetForeColor(0x80000008);
    EXPECT_EQ(Shown().shownBack, 0x0000FFu);
    EXPECT_EQ(Shown().foreColor, 0x80000008u);
    EXPECT_EQ(Shown().shownFore, os::GetSysColor(8));
}

TEST_F(RunAtStartUpControl, TheLayoutFollowsTheCaptionAndTheFont) {
    // The in-memory desktop's MS Sans Serif 8.25: 5 pixels a character, 13 a line.
    Control().SetCaption("Run At StartUp");
    EXPECT_EQ(Control().checkBox.Width(), 75 + 14 * 75 + 210);
    EXPECT_EQ(Control().checkBox.Height(), 195);
    EXPECT_EQ(Control().Width(), Control().checkBox.Width());
    EXPECT_EQ(Control().Height(), 195);
    EXPECT_EQ(headless::Window(Control().hWnd())->frame, (os::PixelRect{24, 32, 89, 13}));

    Control().SetCaption("");
    EXPECT_EQ(Control().checkBox.Width(), 210);
    EXPECT_EQ(Control().Width(), 210);
    EXPECT_EQ(Control().Height(), 195);

    startupHost->changed.clear();
    os::Font big = MsSansSerif();
    big.size = 12;  // 7 pixels a character, 19 a line
    big.weight = 700;  // bold: 8
    Control().SetCaption("Go");
    Control().SetFont(big);
    EXPECT_EQ(Control().Font(), big);
    EXPECT_EQ(Shown().font, big);
    EXPECT_EQ(Control().checkBox.Width(), (8 + 2 * 8) * 15 + 210);
    EXPECT_EQ(Control().Height(), 19 * 15);
    EXPECT_EQ(startupHost->changed.back(), "Font");
}

TEST_F(RunAtStartUpControl, TheSettingsDialogsSavedInstance) {
    StartupHost::nextSaved = settings::SettingsDialogDescription().Instance("Run_At_StartUp1");
    ASSERT_TRUE(StartupHost::nextSaved);
    EXPECT_EQ(Control().Caption(), "Run At StartUp");
    EXPECT_EQ(Control().Font(), MsSansSerif());
    EXPECT_EQ(Control().CommandLineArgument(), "");
    EXPECT_EQ(Control().BackColor(), 0x8000000Fu);
    EXPECT_EQ(Control().ForeColor(), 0x80000012u);
    EXPECT_EQ(Control().Alignment(), 0);
    // Saved again, it holds what it was loaded from, and nothing that equals its default.
    const forms::PropertyBag saved = Control().SaveProperties();
    EXPECT_EQ(saved.ReadProperty("PRBCAPTION", "none"), "Run At StartUp");
    EXPECT_EQ(saved.ReadProperty("font", os::Font{"none"}), MsSansSerif());
    for (const char* key : {"prbCmd_Line_arg", "prbBackColor", "prbForeColor", "prbAlignment"}) {
        EXPECT_FALSE(saved.Holds(key)) << key;
    }
}

TEST_F(RunAtStartUpControl, TheSavedExtentGivesTheSizeUntilTheLayout) {
    forms::PropertyBag bag;
    bag.SetEntry("_extentx", "2487");
    bag.SetEntry("_extenty", "344");
    struct Bare : forms::Form {
        Bare() : Form({os::WindowKind::SizableToolWindow, "Bare", 100, 100}) {}
    } form;
    forms::UserControl plain(form, {0, 0, 1365, 195}, bag);
    EXPECT_EQ(plain.Width(), 1410);
    EXPECT_EQ(plain.Height(), 195);
    const forms::PropertyBag saved = plain.SaveProperties();
    EXPECT_EQ(saved.ReadProperty("_ExtentX", 0), 2487);
    EXPECT_EQ(saved.ReadProperty("_ExtentY", 0), 344);
}

TEST_F(RunAtStartUpControl, ACaptionEqualToTheWritingDefaultComesBackAsTheReadingDefault) {
    StartupHost::nextSaved = forms::PropertyBag();
    Control().SetCaption("Run At Startup");
    EXPECT_FALSE(SaveAndReload().Holds("prbCaption"));
    EXPECT_EQ(Control().Caption(), "Run At StartUp");
}

TEST_F(RunAtStartUpControl, ANewInstanceTakesTheAmbientFontAndSavesTheDesignCaption) {
    const os::Font tahoma{"Tahoma", 9, 400, 0, false, false, false};
    StartupHost::nextFont = tahoma;
    EXPECT_EQ(Control().Caption(), "Run at Startup");
    EXPECT_EQ(Control().Font(), tahoma);
    EXPECT_EQ(Shown().font, tahoma);
    const forms::PropertyBag saved = SaveAndReload();
    EXPECT_EQ(saved.ReadProperty("font", os::Font{}), tahoma);  // saved though it is the ambient font
    EXPECT_EQ(saved.ReadProperty("prbCaption", ""), "Run at Startup");
    EXPECT_EQ(Control().Caption(), "Run at Startup");
}

TEST_F(RunAtStartUpControl, EveryPropertyRoundTripsThroughTheSavedText) {
    StartupHost::nextSaved = forms::PropertyBag();
    const os::Font font{"Courier \"New\"", 10.5, 700, 204, true, false, true};
    Control().SetCaption("Start \\ with\n\"log-on\"");
    Control().SetCommandLineArgument("/tray \"x\"");
    Control().SetBackColor(0x00FF8000);
    Control().SetForeColor(0x80000008);
    Control().SetAlignment(1);
    Control().SetFont(font);
    const forms::PropertyBag saved = SaveAndReload();
    EXPECT_TRUE(saved.Holds("prbBackColor"));
    EXPECT_EQ(Control().Caption(), "Start \\ with\n\"log-on\"");
    EXPECT_EQ(Control().CommandLineArgument(), "/tray \"x\"");
    EXPECT_EQ(Control().BackColor(), 0x00FF8000u);
    EXPECT_EQ(Control().ForeColor(), 0x80000008u);
    EXPECT_EQ(Control().Alignment(), 1);
    EXPECT_EQ(Control().Font(), font);
    EXPECT_EQ(Shown().font, font);
    EXPECT_EQ(Shown().caption, "Start \\ with\n\"log-on\"");
}

TEST_F(RunAtStartUpControl, ReadingAppliesEveryPropertyInOrderAndTellsTheHost) {
    forms::PropertyBag bag;
    bag.SetEntry("PrbAlignment", "70000");  // beyond 16 bits: read as the default
    bag.SetEntry("prbBackColor", "0x80000005");
    bag.SetEntry("prbforecolor", "not a number");
    StartupHost::nextSaved = bag;
    EXPECT_EQ(Control().Alignment(), 0);
    EXPECT_EQ(Control().BackColor(), 0x80000005u);
    EXPECT_EQ(Control().ForeColor(), 0x80000012u);
    EXPECT_EQ(startupHost->changed, (std::vector<std::string>{"Font", "", "", "", ""}));
}
