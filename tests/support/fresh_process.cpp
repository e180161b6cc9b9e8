#include "support/fresh_process.h"

#include "panel/reading_panel.h"
#include "platform/app.h"
#include "shell/mHotKey.h"
#include "shell/mSubClass.h"
#include "shell/tray_window.h"

void ProgramTest::SetUp() {
    headless::Reset();
    mHotKey::HotKeyCount = 0;
    mSubClass::PreviousWindowProc = nullptr;
}

void ProgramTest::TearDown() { headless::Reset(); }

void ProgramTest::Start() {
    os::RunApplication(0, nullptr, [] { frmTray.Get(); });
}

std::string ProgramTest::Stored(const std::string& section, const std::string& key) {
    auto& map = headless::Settings();
    auto it = map.find({"Lisotra", section, key});
    return it == map.end() ? std::string("<absent>") : it->second;
}

void ProgramTest::Store(const std::string& section, const std::string& key, const std::string& value) {
    headless::Settings()[{"Lisotra", section, key}] = value;
}

const headless::WindowState* ProgramTest::Panel() {
    return Form1.Exists() ? headless::Window(Form1->hWnd()) : nullptr;
}

os::Hwnd ProgramTest::ShellHandle() { return frmTray->hWnd(); }
