// The run-at-startup box and the desktop's log-on entry: what counts as registered, what is
// written for which executable, and that a box already in line with the entry touches nothing.
#include <gtest/gtest.h>

#include "platform/headless/headless.h"
#include "startup/startup_host.h"
#include "support/fresh_process.h"

namespace {
constexpr const char* kOurs = "\"C:\\Program Files\\Lisotra\\lisotra.exe\" ";

class LogOnEntry : public ::testing::Test {
protected:
    void SetUp() override {
        FreshProcess();
        StartupHost::nextSaved.reset();
    }
    void TearDown() override { FreshProcess(); }
    static RunAtStartupBox& Control() { return startupHost->runAtStartup; }
    static void Click() { headless::ClickCheckBox(Control().checkBox.hWnd()); }
    static int Changes() { return headless::AutostartWrites() + headless::AutostartRemovals(); }
};
}  // namespace

TEST_F(LogOnEntry, ABoxInLineWithTheEntryWritesAndRemovesNothing) {
    EXPECT_FALSE(Control().Query());
    EXPECT_FALSE(Control().Query());
    EXPECT_EQ(Control().checkBox.Value(), 0);
    EXPECT_EQ(Changes(), 0);
    Click();
    EXPECT_EQ(headless::AutostartEntry(), kOurs);
    EXPECT_TRUE(Control().Query());
    EXPECT_TRUE(Control().Query());
    EXPECT_EQ(headless::AutostartWrites(), 1);
    EXPECT_EQ(headless::AutostartRemovals(), 0);
}

TEST_F(LogOnEntry, ACopyElsewhereCountsAndIsRewrittenWhenTheBoxTurnsSet) {
    headless::PlantAutostartEntry("\"D:\\Old\\lisotra.exe\" /tray");
    StartupHost::nextSaved = forms::PropertyBag();
    StartupHost::nextSaved->WriteProperty("prbCmd_Line_arg", "/saved", "");
    // Created while registered: set, and rewritten before the saved argument text is read.
    EXPECT_TRUE(Control().Registered());
    EXPECT_EQ(headless::AutostartEntry(), kOurs);
    EXPECT_EQ(Control().CommandLineArgument(), "/saved");
    EXPECT_EQ(headless::AutostartWrites(), 1);
}

TEST_F(LogOnEntry, AnEntryGoneWhileTheBoxIsSetClearsTheBoxAndIsRemoved) {
    Control().checkBox.SetValue(1);  // writes our entry
    headless::PlantAutostartEntry(std::nullopt);  // as an entry that starts nothing reads
    const int changes = startupHost->runAtStartupChanged;
    EXPECT_FALSE(Control().Query());
    EXPECT_EQ(Control().checkBox.Value(), 0);
    EXPECT_EQ(headless::AutostartRemovals(), 1);
    EXPECT_EQ(startupHost->runAtStartupChanged, changes + 1);
}

TEST_F(LogOnEntry, TheEntryForEachKindOfFolder) {
    for (const auto& [file, data] : std::vector<std::pair<const char*, const char*>>{
             {"C:\\Tools\\app.exe", "\"C:\\Tools\\app.exe\" "},
             {"D:\\app.exe", "\"D:\\app.exe\" "},
             {"D:\\a\\app.exe", "\"D:\\a\\app.exe\" "},
             {"C:\\Tools\\App.Setup.EXE", "\"C:\\Tools\\App.Setup.exe\" "},
             {"/usr/bin/lisotra", "\"/usr/bin\\lisotra.exe\" "},
             {"/ab/lisotra", "\"/ab\\lisotra.exe\" "},
             {"/lisotra", "\"/lisotra.exe\" "}}) {
        FreshProcess();
        headless::SetProgramFile(file);
        startupHost->runAtStartup.SetCommandLineArgument("");
        startupHost->runAtStartup.SetRegistered(true);
        EXPECT_EQ(headless::AutostartEntry(), data) << file;
    }
}

TEST_F(LogOnEntry, AFailedChangeIsLoggedAndTheNextQueryShowsWhatIsThere) {
    headless::SetAutostartRefused(true);
    Click();
    EXPECT_EQ(Control().checkBox.Value(), 1);
    EXPECT_FALSE(Control().Query());  // nothing was written: the box clears
    EXPECT_EQ(Control().checkBox.Value(), 0);
    ASSERT_EQ(headless::LogLines().size(), 1u);  // the click's write; removing no entry is no failure
    EXPECT_NE(headless::LogLines()[0].find("lisotra.exe"), std::string::npos);

    headless::SetAutostartRefused(false);
    Click();  // registered
    headless::SetAutostartRefused(true);
    Click();  // the removal fails
    EXPECT_EQ(headless::LogLines().size(), 2u);
    EXPECT_TRUE(Control().Query());  // still registered, and the box says so again
}

TEST_F(LogOnEntry, ANewArgumentReachesTheEntryOnlyWhenTheBoxNextTurnsSet) {
    Click();
    Control().SetCommandLineArgument("/min");
    EXPECT_EQ(headless::AutostartEntry(), kOurs);
    Click();
    Click();
    EXPECT_EQ(headless::AutostartEntry(), std::string(kOurs) + "/min");
}
