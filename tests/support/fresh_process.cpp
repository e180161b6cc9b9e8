#include "support/fresh_process.h"

#include "platform/app.h"
#include "support/program.h"
#include "support/test_form.h"

void FreshProcess() {
    headless::RunDeferred();  // forms unloaded by the last step are destroyed first
    EndProgram();
    DiscardTestForms();
    headless::Reset();
}

void ProgramTest::SetUp() { FreshProcess(); }

void ProgramTest::TearDown() { FreshProcess(); }

void ProgramTest::Start() {
    os::RunApplication(0, nullptr, [] { Program().Start(); });
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
    return Program().panel.Exists() ? headless::Window(Program().panel->hWnd()) : nullptr;
}

os::Hwnd ProgramTest::ShellHandle() { return Program().shell->hWnd(); }
