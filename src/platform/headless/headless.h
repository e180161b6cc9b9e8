// The in-memory desktop that the unit tests drive: it records what the program asked of the
// desktop and injects what a user or the desktop would send.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "platform/app.h"
#include "platform/font.h"
#include "platform/native_window.h"
#include "platform/picture.h"
#include "platform/tray.h"

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
    int opacity = 255;  // what the desktop shows: set by SetOpacity
    const os::PixelSurface* surface = nullptr;  // a child's content, when it draws
    const os::PointerImage* pointer = nullptr;  // the pointer over it, when not the arrow
    // A child's design extras: its border, tool tip, name for a screen reader and focus frame; a
    // form's name and description for a screen reader.
    bool border = false;
    bool focusFrame = false;
    std::string toolTip;
    std::string accessibleName;
    std::string accessibleDescription;
    // A form's controls in Tab's order, and the one with the keyboard focus.
    std::vector<os::Hwnd> tabOrder;
    os::Hwnd focus{};
};

// A fresh desktop: no deferred work, an empty settings store and no log-on entry; one
// 1920 x 1080 screen at 15 twips per pixel; the program file C:\Program Files\Lisotra\lisotra.exe.
// The program's forms go first (tests/support's FreshProcess).
void Reset();
bool Ended();

using SettingsMap = std::map<std::tuple<std::string, std::string, std::string>, std::string>;
SettingsMap& Settings();
// How many times WriteSetting wrote, since Reset.
int SaveCount();

// Screens whose work area is all of them; SetMonitors for screens with bars or docks.
void SetScreen(float twipsPerPixel, const std::vector<os::PixelRect>& screens);
void SetMonitors(float twipsPerPixel, std::vector<os::Monitor> monitors);
// The desktop tells the program that its screens changed (as SetScreen or SetMonitors left them).
void ReportScreensChanged();

// Window inspection and user actions. Each action runs deferred work after it, as a message loop
// would, and catches the end of the process.
const WindowState* Window(os::Hwnd handle);
std::vector<os::Hwnd> Windows();
void UserResize(os::Hwnd handle, os::PixelRect frame);  // drag a border: size and place
void UserMove(os::Hwnd handle, int left, int top);      // drag the caption: place only
void UserClose(os::Hwnd handle);                        // the close button
bool PressHotKey(unsigned modifiers, unsigned virtualKey);
void HoldHotKeyElsewhere(unsigned modifiers, unsigned virtualKey);  // another program's grab
// The program hears a press of what is bound under the id, whatever that is.
void FireHotkey(int id);
void EndSession();                                                   // the user logs off

// The tray: the icon it shows, with its tip, while there is one; and every call the program made
// of it, in order, with whether it did what it asked.
struct TrayIconState {
    os::Hicon icon{};
    std::string tip;
};
const std::optional<TrayIconState>& TrayIcon();
struct TrayCall {
    enum Kind { Show, Set, Remove } kind;
    bool done;
};
const std::vector<TrayCall>& TrayCalls();
// A person acts on the tray icon: the program hears it while the icon is shown.
void TrayAct(os::TrayEvent event);
// The images an icon was made of; null for a handle that names none.
const std::vector<os::IconImage>* IconImages(os::Hicon icon);

// Pop-up menus: what the next menu will do (choose the item of that name, or "" to dismiss),
// and the menus opened so far (their captions).
void ChooseFromNextMenu(const std::string& name);
const std::vector<std::vector<std::string>>& MenusOpened();

// The web addresses opened in the browser.
const std::vector<std::string>& Opened();

void RunDeferred();

// The running executable, as a Windows path ("C:\Tools\app.exe") or any other ("/usr/bin/app").
void SetProgramFile(const std::string& path);

// The log-on entry under the program's name: its command (os::RunCommand for the program file)
// when there is one that starts something, planted by a test or written by the program.
std::optional<std::string> AutostartEntry();
void PlantAutostartEntry(std::optional<std::string> command);
// The writes and removals the program asked for since Reset, whatever they did.
int AutostartWrites();
int AutostartRemovals();
// Writes and removals fail and are logged, as for a desktop that refuses them.
void SetAutostartRefused(bool refused);

// Text metrics of the in-memory desktop, in pixels: every character is round(0.6 x points) wide
// (one more when bold), a line is round(1.6 x points) high. "MS Sans Serif" 8.25 pt: 5 by 13.
// Check boxes as the desktop shows them, and the user's click on one.
struct CheckBoxState {
    os::PixelRect rect;  // in the parent's client pixels
    std::string caption;
    int value = 0;
    int alignment = 0;
    os::COLORREF backColor = 0;  // as set, system colours included
    os::COLORREF foreColor = 0;
    os::COLORREF shownBack = 0;  // as drawn
    os::COLORREF shownFore = 0;
    os::Font font;
    os::Hwnd parent{};
};
const CheckBoxState* CheckBox(os::Hwnd handle);
void ClickCheckBox(os::Hwnd handle);  // toggles it and tells the program, as a user's click

// What a drawing child shows at its client pixel (x, y): its surface, or its background colour
// beyond it.
os::COLORREF ShownPixel(os::Hwnd handle, int x, int y);
// The parts of a child's surface repainted since the last call, in the order asked for.
std::vector<os::PixelRect> TakeRepaints(os::Hwnd handle);
// The user's mouse on a window: the message (WM_LBUTTONDOWN, WM_MOUSEMOVE, ...) at a point in its
// client pixels, which may lie beyond its edges while a button is held, as under capture. The
// buttons held come from the presses and releases sent so far; `keys` adds MK_SHIFT, MK_CONTROL,
// MK_ALT.
void Mouse(os::Hwnd handle, unsigned message, int x, int y, os::WPARAM keys = 0);

// Labels, text boxes and buttons as the desktop shows them, and what a user does with them.
struct ControlState {
    os::ControlKind kind{};
    os::PixelRect rect;  // in the parent's client pixels
    std::string text;
    os::Font font;
    os::COLORREF foreColor = 0;
    std::string accessibleName;
    bool isDefault = false;
    bool isCancel = false;
    os::Hwnd parent{};
};
const ControlState* Control(os::Hwnd handle);
// The controls of a window, in the order they were created.
std::vector<os::Hwnd> ControlsOf(os::Hwnd parent);
void TypeText(os::Hwnd textBox, const std::string& text);  // replaces the text, as typing over it
void ClickButton(os::Hwnd button);
// A key pressed while the window is active, as dialog navigation takes it: Tab moves the focus
// along the tab order, Space presses the focused button or toggles the focused check box, Enter
// presses the focused button or else the default button, Escape presses the cancel button. Space
// and Enter on a focused link press it, and on a focused child window reach it as keys.
// A key no control takes, or one pressed with Shift, Ctrl or Alt, reaches the window itself.
void PressKey(os::Hwnd window, const os::KeyInput& key);
inline void PressKey(os::Hwnd window, unsigned virtualKey) { PressKey(window, os::KeyInput{virtualKey}); }
void PressShiftTab(os::Hwnd window);  // the focus moves back along the tab order, and wraps
// Alt+letter: presses the window's button whose caption marks that letter with "&" ("&&" is a
// plain "&", no access key).
void PressAccessKey(os::Hwnd window, char letter);
// The user clicks into a window of the program: it becomes the active one (an activation when it
// was not).
void Activate(os::Hwnd window);
// The user clicks into another program's window: none of the program's is active any more.
void ActivateAnotherProgram();

// Files of the in-memory disk: only these exist. A program starts when its file exists; the
// programs started so far.
void PlantFile(const std::string& path);
const std::vector<std::string>& StartedPrograms();
// The desktop's system information program: none until one is set.
void SetSystemInfoProgram(const std::string& path);
// What the program wrote to its log since Reset, a line each.
const std::vector<std::string>& LogLines();

// The messages shown so far (title, text), each closed by its OK at once.
const std::vector<std::pair<std::string, std::string>>& Messages();

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
