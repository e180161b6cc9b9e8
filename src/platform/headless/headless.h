// The in-memory desktop that the unit tests drive: it records what the program asked of the
// desktop and injects what a user or the desktop would send.
#pragma once

#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "platform/native_window.h"
#include "platform/picture.h"
#include "platform/shell32.h"

namespace headless {

// Thrown by os::End so that the end of the process is observable and does not end the test.
struct ProcessEnded {};

struct WindowState {
    os::WindowKind kind{};
    std::string caption;
    bool visible = false;
    bool topmost = false;
    bool active = false;
    os::PixelRect frame;
    os::COLORREF backColor = 0;
    int opacity = 255;  // what the desktop shows: set by SetLayeredWindowAttributes
};

// A fresh process on a fresh desktop: no forms, windows, hotkeys or deferred work; an empty
// settings store; one 1920 x 1080 screen at 15 twips per pixel.
void Reset();
bool Ended();

using SettingsMap = std::map<std::tuple<std::string, std::string, std::string>, std::string>;
SettingsMap& Settings();
// How many times SaveSetting wrote, since Reset.
int SaveCount();

void SetScreen(float twipsPerPixel, std::vector<os::PixelRect> monitors);

// Window inspection and user actions. Each action runs deferred work after it, as a message loop
// would, and catches the end of the process.
const WindowState* Window(os::Hwnd handle);
std::vector<os::Hwnd> Windows();
void UserResize(os::Hwnd handle, os::PixelRect frame);  // drag a border: size and place
void UserMove(os::Hwnd handle, int left, int top);      // drag the caption: place only
void UserClose(os::Hwnd handle);                        // the close button
bool PressHotKey(unsigned modifiers, unsigned virtualKey);
void HoldHotKeyElsewhere(unsigned modifiers, unsigned virtualKey);  // another program's grab
void EndSession();                                                   // the user logs off

// The notification area: the icons it shows, by owner and id.
std::map<std::pair<os::Hwnd, std::uint32_t>, os::NotifyIcon>& TrayIcons();
// Every Shell_NotifyIconA call: the message and the record's bytes.
struct NotifyCall {
    unsigned message;
    os::NotifyIconRecord record;
};
const std::vector<NotifyCall>& NotifyCalls();
// The user acts on a tray icon: the notification area sends its callback message with the mouse
// message (WM_LBUTTONUP, ...) to the owner.
void TrayNotify(os::Hwnd owner, std::uint32_t id, unsigned mouseMessage);
const std::vector<os::IconImage>* IconImages(os::Hicon icon);

// Pop-up menus: what the next menu will do (choose the item of that name, or "" to dismiss),
// and the menus opened so far (their captions).
void ChooseFromNextMenu(const std::string& name);
const std::vector<std::vector<std::string>>& MenusOpened();

// Addresses opened through ShellExecuteA, with their show commands.
const std::vector<std::pair<std::string, int>>& Opened();

void RunDeferred();

// Runs a step as the message loop would: deferred work after it, End caught.
template <class Step>
void Run(Step&& step) {
    try {
        step();
    } catch (const ProcessEnded&) {
    }
    RunDeferred();
}

}  // namespace headless
