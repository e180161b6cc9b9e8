// The application services of the form layer: the message loop, End, the screen.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/native_window.h"

namespace os {

// Runs the start-up step, then the message loop until End. Should the loop end otherwise, the
// teardown step runs while the desktop is still there. Returns the exit code.
int RunApplication(int argc, char** argv, const std::function<void()>& startup,
                   const std::function<void()>& teardown = nullptr);

// Ends the process at once: no unload step of any form runs.
[[noreturn]] void End();

// Runs work once the current message has been handled (never at once, never on a timer).
void PostDeferred(std::function<void()> work);

// A screen, in pixels: all of it, and the part that bars and docks leave to windows.
struct Monitor {
    PixelRect area;
    PixelRect workArea;
};

struct ScreenInfo {
    float twipsPerPixelX = 15;
    float twipsPerPixelY = 15;
    int widthPixels = 0;   // the primary screen
    int heightPixels = 0;
    std::vector<Monitor> monitors;  // the primary first
};
ScreenInfo Screen();
// The primary screen's twips per pixel, without the rest of ScreenInfo.
float TwipsPerPixelX();
float TwipsPerPixelY();

// Who hears that the screens changed: one came or went, or its size or work area changed. It hears
// once the message that told of it has been handled, and once for changes told together. Null: no one.
void SetScreensChangedHandler(std::function<void()> handler);
// How a realisation tells of such a change.
void ReportScreensChanged();

// A message in a modal box with an OK button and `title` as its caption; returns once the user
// has closed it. The program's other windows take no input meanwhile.
void ShowMessage(const std::string& text, const std::string& title);

// One line in the program's log (standard error on Linux, the debugger's output on Windows): what
// the program could not do, in words a person reads. The program goes on.
void Log(const std::string& what);

// Whether a file exists at the path.
bool FileExists(const std::string& path);
// Starts the program at the path in a normal window that takes the focus; false when it cannot.
bool StartProgram(const std::string& path);

// The running executable, as App.Path and App.EXEName give it: the folder that holds it (no
// trailing separator, except at the root: "C:\", "/") and its file name without the extension.
std::string AppPath();
std::string AppEXEName();

}  // namespace os
