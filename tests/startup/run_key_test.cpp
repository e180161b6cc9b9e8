// The Run entry against the in-memory registry: what counts as registered, what is written for
// which executable, and that a box already in line with the registry touches nothing.
#include "startup/run_key.h"

#include <gtest/gtest.h>

#include "platform/headless/headless.h"
#include "platform/registry.h"
#include "startup/startup_host.h"

namespace {
class RunKey : public ::testing::Test {
protected:
    void SetUp() override {
        headless::Reset();
        StartupHost::nextSaved.reset();
    }
    void TearDown() override { headless::Reset(); }
    static RunAtStartupBox& Control() { return startupHost->runAtStartup; }
    static void Plant(const std::vector<unsigned char>& bytes, os::DWORD type = os::REG_SZ) {
        headless::PlantRegistryValue(os::HKEY_CURRENT_USER, kRunKey, "lisotra.exe", type, bytes);
    }
    static void Click() { headless::ClickCheckBox(Control().checkBox.hWnd()); }
};
}  // namespace

TEST_F(RunKey, NoKeyOrNoValueIsNotRegisteredAndTouchesNothing) {
    EXPECT_FALSE(Control().Query());
    EXPECT_EQ(Control().checkBox.Value(), 0);
    EXPECT_FALSE(headless::RegistryKeyExists(os::HKEY_CURRENT_USER, kRunKey));
    EXPECT_EQ(headless::RegistryWrites() + headless::RegistryDeletes(), 0);
    // A click creates the key with the entry.
    Click();
    EXPECT_EQ(RunValue("lisotra.exe"), "\"C:\\Program Files\\Lisotra\\lisotra.exe\" ");
    EXPECT_EQ(headless::RegistryValue(os::HKEY_CURRENT_USER, kRunKey, "lisotra.exe")->type, os::REG_SZ);
    EXPECT_TRUE(Control().Query());
}

TEST_F(RunKey, EmptyNulOnlyAndOtherTypesAreNotRegistered) {
    for (const auto& [bytes, type] : std::vector<std::pair<std::vector<unsigned char>, os::DWORD>>{
             {{}, os::REG_SZ}, {{0}, os::REG_SZ}, {{0, 'x', 0}, os::REG_SZ}, {{'x', 0}, os::REG_BINARY}}) {
        Plant(bytes, type);
        EXPECT_FALSE(Control().Query());
    }
    EXPECT_EQ(headless::RegistryWrites() + headless::RegistryDeletes(), 0);
}

TEST_F(RunKey, AnExpandStringUnderTheNameClearsASetBoxAndIsDeleted) {
    Control().checkBox.SetValue(1);  // writes our entry
    headless::PlantRegistryText(os::HKEY_CURRENT_USER, kRunKey, "LISOTRA.EXE", "%ProgramFiles%\\x.exe", os::REG_EXPAND_SZ);
    const int changes = startupHost->runAtStartupChanged;
    EXPECT_FALSE(Control().Query());
    EXPECT_EQ(Control().checkBox.Value(), 0);
    EXPECT_EQ(RunValue("lisotra.exe"), "<absent>");
    EXPECT_EQ(startupHost->runAtStartupChanged, changes + 1);
}

TEST_F(RunKey, AnotherProgramsPathCountsAndIsRewrittenWhenTheBoxTurnsSet) {
    headless::PlantRegistryText(os::HKEY_CURRENT_USER, kRunKey, "lisotra.exe", "\"D:\\Old\\lisotra.exe\" /tray");
    StartupHost::nextSaved = os::PropertyBag();
    StartupHost::nextSaved->WriteProperty("prbCmd_Line_arg", "/saved", "");
    // Created while registered: set, and rewritten before the saved argument text is read.
    EXPECT_TRUE(Control().Registered());
    EXPECT_EQ(RunValue("lisotra.exe"), "\"C:\\Program Files\\Lisotra\\lisotra.exe\" ");
    EXPECT_EQ(Control().CommandLineArgument(), "/saved");
    EXPECT_EQ(headless::RegistryWrites(), 1);
}

TEST_F(RunKey, DataWithoutANulAreReadWholeAndUpToTheFirstNul) {
    Plant({'a', 'b', 'c'});
    EXPECT_EQ(run_key::QueryStringValue(os::HKEY_CURRENT_USER, run_key::kRunKeyPath, "lisotra.exe"), "abc");
    Plant({'a', 'b', 0, 'c', 0});
    EXPECT_EQ(run_key::QueryStringValue(os::HKEY_CURRENT_USER, run_key::kRunKeyPath, "lisotra.exe"), "ab");
    Plant({'C', ':', '\\', 0xE9, 0});  // the ANSI code page's é comes back as UTF-8
    EXPECT_EQ(run_key::QueryStringValue(os::HKEY_CURRENT_USER, run_key::kRunKeyPath, "lisotra.exe"), "C:\\\xc3\xa9");
}

TEST_F(RunKey, TheEntryForEachKindOfFolder) {
    struct Case {
        const char* file;
        const char* name;
        const char* data;
    };
    for (const Case& c : {Case{"C:\\Tools\\app.exe", "app.exe", "\"C:\\Tools\\app.exe\" "},
                          Case{"D:\\app.exe", "app.exe", "\"D:\\app.exe\" "},
                          Case{"D:\\a\\app.exe", "app.exe", "\"D:\\a\\app.exe\" "},
                          Case{"C:\\Tools\\App.Setup.EXE", "App.Setup.exe", "\"C:\\Tools\\App.Setup.exe\" "},
                          Case{"/usr/bin/lisotra", "lisotra.exe", "\"/usr/bin\\lisotra.exe\" "},
                          Case{"/ab/lisotra", "lisotra.exe", "\"/ab\\lisotra.exe\" "},
                          Case{"/lisotra", "lisotra.exe", "\"/lisotra.exe\" "}}) {
        headless::Reset();
        headless::SetProgramFile(c.file);
        startupHost->runAtStartup.SetCommandLineArgument("");
        startupHost->runAtStartup.SetRegistered(true);
        EXPECT_EQ(RunValue(c.name), c.data) << c.file;
    }
}

TEST_F(RunKey, ABoxInLineWithTheRegistryWritesAndDeletesNothing) {
    EXPECT_FALSE(Control().Query());
    EXPECT_FALSE(Control().Query());
    EXPECT_EQ(headless::RegistryWrites() + headless::RegistryDeletes(), 0);
    Click();
    EXPECT_EQ(headless::RegistryWrites(), 1);
    EXPECT_TRUE(Control().Query());
    EXPECT_TRUE(Control().Query());
    EXPECT_EQ(headless::RegistryWrites(), 1);
    EXPECT_EQ(headless::RegistryDeletes(), 0);
}

TEST_F(RunKey, APathTheCodePageCannotHoldIsWrittenWideAndIntact) {
    headless::SetProgramFile("C:\\\xe6\x97\xa5\xe6\x9c\xac\\lisotra.exe");  // C:\日本\lisotra.exe
    Click();
    const auto value = headless::RegistryValue(os::HKEY_CURRENT_USER, kRunKey, "lisotra.exe");
    ASSERT_TRUE(value);
    EXPECT_TRUE(value->wide);
    const std::u16string expected = u"\"C:\\\u65e5\u672c\\lisotra.exe\" ";
    EXPECT_EQ(value->data.size(), (expected.size() + 1) * 2);
    EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(value->data.data()), expected.size()), expected);
    EXPECT_TRUE(Control().Query());
}

TEST_F(RunKey, ANameTheCodePageCannotHoldIsNotWritten) {
    headless::SetProgramFile("C:\\Tools\\\xe6\x97\xa5.exe");
    Click();
    EXPECT_EQ(headless::RegistryWrites(), 0);
    EXPECT_FALSE(Control().Query());
    EXPECT_EQ(Control().checkBox.Value(), 0);
}

TEST_F(RunKey, WhatCouldNotBeChangedIsLogged) {
    Click();  // registered
    headless::SetRegistryReadOnly(true);
    Click();  // the delete fails
    ASSERT_EQ(headless::LogLines().size(), 1u);
    EXPECT_EQ(headless::LogLines()[0].rfind("could not remove lisotra.exe", 0), 0u) << headless::LogLines()[0];
    headless::SetRegistryReadOnly(false);
    EXPECT_TRUE(Control().Query());  // still registered, and the box says so again
    Click();
    Click();
    EXPECT_EQ(headless::LogLines().size(), 1u);  // nothing failed since
}

TEST_F(RunKey, AFailedWriteLeavesTheBoxSetUntilTheNextQuery) {
    headless::SetRegistryReadOnly(true);
    Click();
    EXPECT_EQ(Control().checkBox.Value(), 1);
    EXPECT_FALSE(headless::RegistryKeyExists(os::HKEY_CURRENT_USER, kRunKey));
    EXPECT_FALSE(Control().Query());
    EXPECT_EQ(Control().checkBox.Value(), 0);
    ASSERT_EQ(headless::LogLines().size(), 1u);  // the box's click, not the query's
    EXPECT_NE(headless::LogLines()[0].find("lisotra.exe"), std::string::npos);
}

TEST_F(RunKey, ANewArgumentReachesTheEntryOnlyWhenTheBoxNextTurnsSet) {
    Click();
    Control().SetCommandLineArgument("/min");
    EXPECT_EQ(RunValue("lisotra.exe"), "\"C:\\Program Files\\Lisotra\\lisotra.exe\" ");
    Click();
    Click();
    EXPECT_EQ(RunValue("lisotra.exe"), "\"C:\\Program Files\\Lisotra\\lisotra.exe\" /min");
}
