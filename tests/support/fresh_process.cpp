#include "support/fresh_process.h"

#include "panel/reading_panel.h"
#include "platform/app.h"
#include "shell/shell_window.h"

void FreshProcess() {
    headless::RunDeferred();  // forms unloaded by the last step are destroyed first
    os::DiscardAllForms();
    headless::Reset();
}

void ProgramTest::SetUp() { FreshProcess(); }

void ProgramTest::TearDown() { FreshProcess(); }

void ProgramTest::Start() {
    os::RunApplication(0, nullptr, [] { shellWindow.Get(); });
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
    return readingPanel.Exists() ? headless::Window(readingPanel->hWnd()) : nullptr;
}

os::Hwnd ProgramTest::ShellHandle() { return shellWindow->hWnd(); }
