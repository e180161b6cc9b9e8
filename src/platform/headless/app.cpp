// The application on the in-memory desktop: a fresh process for each test, the message loop's
// deferred work, End that a test can see, the screen and the program file.
#include <utility>

#include "platform/app.h"
#include "platform/headless/desktop.h"
#include "platform/headless/headless.h"
#include "platform/system_info.h"

namespace headless {

Desktop& D() {
    static Desktop desktop;
    return desktop;
}

void Reset() {
    D() = Desktop{};
    os::SetScreensChangedHandler(nullptr);
    D().screen.twipsPerPixelX = D().screen.twipsPerPixelY = 15;
    D().screen.widthPixels = 1920;
    D().screen.heightPixels = 1080;
    D().screen.monitors = {{{0, 0, 1920, 1080}, {0, 0, 1920, 1080}}};
}

bool Ended() { return D().ended; }

const std::vector<std::pair<std::string, std::string>>& Messages() { return D().messages; }
void PlantFile(const std::string& path) { D().files.insert(path); }
const std::vector<std::string>& StartedPrograms() { return D().started; }
void SetSystemInfoProgram(const std::string& path) { D().systemInfoProgram = path; }
const std::vector<std::string>& LogLines() { return D().log; }

void SetMonitors(float twipsPerPixel, std::vector<os::Monitor> monitors) {
    D().screen.twipsPerPixelX = D().screen.twipsPerPixelY = twipsPerPixel;
    D().screen.widthPixels = monitors.at(0).area.width;
    D().screen.heightPixels = monitors.at(0).area.height;
    D().screen.monitors = std::move(monitors);
}

void SetScreen(float twipsPerPixel, const std::vector<os::PixelRect>& screens) {
    std::vector<os::Monitor> monitors;
    for (const os::PixelRect& whole : screens) monitors.push_back({whole, whole});
    SetMonitors(twipsPerPixel, std::move(monitors));
}

void ReportScreensChanged() {
    Run([] { os::ReportScreensChanged(); });
}

void SetProgramFile(const std::string& path) { D().programFile = path; }

void RunDeferred() {
    while (!D().deferred.empty()) {
        auto work = std::move(D().deferred.front());
        D().deferred.pop_front();
        work();
    }
}

}  // namespace headless

namespace os {

int RunApplication(int, char**, const std::function<void()>& startup, const std::function<void()>&) {
    // The message loop is the test's: the program's teardown is the test's too.
    headless::Run(startup);
    return 0;
}

void End() {
    headless::D().ended = true;
    throw headless::ProcessEnded{};
}

void PostDeferred(std::function<void()> work) { headless::D().deferred.push_back(std::move(work)); }

void Log(const std::string& what) { headless::D().log.push_back(what); }

ScreenInfo Screen() { return headless::D().screen; }
float TwipsPerPixelX() { return headless::D().screen.twipsPerPixelX; }
float TwipsPerPixelY() { return headless::D().screen.twipsPerPixelY; }

namespace {
// The program file split at its last separator, "\\" or "/".
std::pair<std::string, std::string> ProgramFileParts() {
    const std::string& file = headless::D().programFile;
    const size_t slash = file.find_last_of("\\/");
    if (slash == std::string::npos) return {std::string(), file};
    std::string folder = file.substr(0, slash);
    // At the root the separator stays: "C:\\", "/".
    if (folder.empty() || (folder.size() == 2 && folder[1] == ':')) folder += file[slash];
    return {folder, file.substr(slash + 1)};
}
}  // namespace

std::string AppPath() { return ProgramFileParts().first; }

std::string AppEXEName() {
    const std::string name = ProgramFileParts().second;
    const size_t dot = name.rfind('.');
    return dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
}

void ShowMessage(const std::string& text, const std::string& title) { headless::D().messages.emplace_back(title, text); }

bool FileExists(const std::string& path) { return headless::D().files.count(path) != 0; }

std::string SystemInfoProgram() { return headless::D().systemInfoProgram; }

bool StartProgram(const std::string& path) {
    if (!FileExists(path)) return false;
    headless::D().started.push_back(path);
    return true;
}

}  // namespace os
