// What the files of the headless realisation share: the one in-memory desktop, which Reset makes
// anew for each test.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/app.h"
#include "platform/headless/headless.h"

namespace headless {

class HeadlessCheckBox;
class HeadlessControl;

struct Desktop {
    // app.cpp
    os::ScreenInfo screen;
    std::deque<std::function<void()>> deferred;
    bool ended = false;
    std::string programFile = "C:\\Program Files\\Lisotra\\lisotra.exe";
    std::vector<std::pair<std::string, std::string>> messages;
    std::set<std::string> files;
    std::vector<std::string> started;
    std::string systemInfoProgram;
    std::optional<std::string> autostart;
    int autostartWrites = 0;
    int autostartRemovals = 0;
    bool autostartRefused = false;
    std::vector<std::string> log;
    // settings_store.cpp
    SettingsMap settings;
    int saveCount = 0;
    // hotkeys.cpp: combinations another program holds, and those this one grabbed
    std::set<std::pair<unsigned, unsigned>> heldElsewhere;
    std::set<std::pair<unsigned, unsigned>> grabbed;
    // native_window.cpp
    int placed = 0;  // windows placed so far, for the window system's cascade
    bool anotherProgramActive = false;  // the active window is none of the program's
    os::WPARAM buttonsHeld = 0;
    // check_box.cpp, controls.cpp
    std::map<os::Hwnd, HeadlessCheckBox*> checkBoxes;
    std::uintptr_t nextCheckBox = 0x70000000;
    std::map<os::Hwnd, HeadlessControl*> controls;
    std::vector<os::Hwnd> controlOrder;
    // tray.cpp
    std::optional<TrayIconState> trayIcon;
    std::vector<TrayCall> trayCalls;
    std::function<void(os::TrayEvent)> trayHandler;
    std::deque<std::string> menuChoices;
    std::vector<std::vector<std::string>> menusOpened;
    // browser.cpp
    std::vector<std::string> opened;
};

Desktop& D();

// native_window.cpp: what hears of what happens to a window, null when the handle names none now.
os::NativeWindowEvents* WindowEvents(os::Hwnd handle);

// controls.cpp: the user presses a control (a button, or a check box, which it toggles);
// whether it is one that can be pressed.
bool PressControl(os::Hwnd control);
// The window's default (or cancel) button, if it has one.
os::Hwnd SpecialButton(os::Hwnd window, bool cancel);

}  // namespace headless
