// The seam between the form layer and a realisation: a realisation creates one native window per
// form and reports what the desktop did to it through NativeWindowEvents.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/font.h"
#include "platform/os_types.h"
#include "platform/surface.h"

namespace os {

enum class WindowKind {
    Hidden,             // never shown: the start-up window that owns the tray icon and the hotkeys
    SizableToolWindow,  // thin caption with a close button only, resizable, no taskbar button
    Dialog,             // fixed single border, caption with a close button only, taskbar button
    DialogNoTaskbar     // the same without a taskbar button
};

struct WindowDesign {
    WindowKind kind = WindowKind::Hidden;
    std::string caption;
    int clientWidth = 0;  // pixels
    int clientHeight = 0;
    COLORREF backColor = 0x8000000F;  // a system colour until the form sets its own
    // What a screen reader says the window is, and what it tells of it on request; the caption's
    // text stands for the name when it is empty.
    std::string accessibleName{};
    std::string accessibleDescription{};
};

// Keys the desktop's dialog navigation and the forms use, as Windows' virtual-key codes.
inline constexpr unsigned VK_TAB = 0x09;
inline constexpr unsigned VK_RETURN = 0x0D;
inline constexpr unsigned VK_ESCAPE = 0x1B;
inline constexpr unsigned VK_SPACE = 0x20;
inline constexpr unsigned VK_LEFT = 0x25;
inline constexpr unsigned VK_UP = 0x26;
inline constexpr unsigned VK_RIGHT = 0x27;
inline constexpr unsigned VK_DOWN = 0x28;

// A key pressed, as its virtual-key code, and the modifier keys held as it was.
struct KeyInput {
    unsigned virtualKey = 0;
    bool shiftHeld = false;
    bool controlHeld = false;
    bool altHeld = false;
};

// What the mouse did on a window: the button pressed, released or double-clicked (none on a
// move), the buttons and keys held as it happened (on a press, the pressed button is held
// already), and where, in the window's client pixels.
enum class MouseAction { Move, Press, Release, DoubleClick };
enum class MouseButton { NoButton, Left, Right, Middle };
struct MouseInput {
    MouseAction action = MouseAction::Move;
    MouseButton button = MouseButton::NoButton;
    bool leftHeld = false;
    bool rightHeld = false;
    bool middleHeld = false;
    bool shiftHeld = false;
    bool controlHeld = false;
    bool altHeld = false;
    int x = 0;
    int y = 0;
};

class NativeWindowEvents {
public:
    virtual void OnSizeChanged() = 0;                 // the frame's size changed (not on a move alone)
    virtual void OnActivated() = 0;                   // became the program's active window
    virtual void OnCloseRequest(CloseReason reason) = 0;
    virtual void OnMouse(const MouseInput& mouse) { (void)mouse; }
    // Space or Enter (VK_SPACE, VK_RETURN) pressed while a child window has the keyboard focus.
    virtual void OnKey(unsigned virtualKey) { (void)virtualKey; }
    // A key pressed while a form's window itself has the keyboard focus: no control took it.
    virtual void OnKeyPressed(const KeyInput& key) { (void)key; }
    virtual ~NativeWindowEvents() = default;
};

// A 32 x 32 monochrome mouse pointer: 1 black, 2 white, 0 transparent; (hotX, hotY) is the point
// that the pointer's position names.
struct PointerImage {
    int hotX = 0;
    int hotY = 0;
    unsigned char pixels[32][32] = {};
};

class NativeWindow {
public:
    virtual ~NativeWindow() = default;
    virtual Hwnd Handle() const = 0;
    virtual void SetVisible(bool visible) = 0;
    virtual void BringForward() = 0;
    // Whole window, frame included, in screen pixels.
    virtual PixelRect FrameRect() const = 0;
    virtual void SetFrameRect(const PixelRect& rect) = 0;
    virtual void SetBackColor(COLORREF color) = 0;
    // A form's window above every window that is not topmost itself, from now on; asked for
    // before the window is first shown.
    virtual void SetTopmost() {}
    // A form's whole window, frame included, drawn with this opacity: 0 invisible, 255 opaque.
    virtual void SetOpacity(unsigned char alpha) { (void)alpha; }
    // A child's content from now on: the surface at the top-left, the background colour beyond it,
    // each part repainted when the surface reports it changed. The surface outlives the window.
    virtual void ShowSurface(PixelSurface& surface) { (void)surface; }
    // The pointer over a child; the arrow until set.
    virtual void SetPointer(const PointerImage& pointer) { (void)pointer; }
    // A form's controls in the order Tab visits them (the controls' handles; children of this
    // window), and the one that has the keyboard focus when the window is next shown or now.
    virtual void SetTabOrder(const std::vector<Hwnd>& order) { (void)order; }
    virtual void SetFocus(Hwnd control) { (void)control; }
};

// A child window inside a form, in the form's client pixels.
struct ChildDesign {
    PixelRect rect;
    bool visible = true;
    bool border = false;        // a sunken single-line border inside the rect
    std::string toolTip{};         // shown while the mouse rests on it; none when empty
    std::string accessibleName{};  // what a screen reader speaks for it
    bool focusFrame = false;       // a dotted frame just inside it while it has the keyboard focus
};

struct MenuItem {
    std::string name;
    std::string caption;  // "&" marks the access key; "-" is a separator line
    std::function<void()> onClick;
};

// Defined by each realisation.
std::unique_ptr<NativeWindow> CreateNativeWindow(const WindowDesign& design, NativeWindowEvents& events);
std::unique_ptr<NativeWindow> CreateNativeChild(NativeWindow& parent, const ChildDesign& design, NativeWindowEvents& events);

// A check box child: 0 clear, 1 set; alignment 1 puts the box at the right of its caption, any
// other value at the left. Colours may be system colours (0x800000nn), which follow the desktop.
struct CheckBoxDesign {
    PixelRect rect;
    std::string caption;
    int value = 0;
    int alignment = 0;
    COLORREF backColor = 0x8000000F;
    COLORREF foreColor = 0x80000012;
    Font font;
    bool visible = true;
};

class NativeCheckBoxEvents {
public:
    // The user changed the state (a click, or the space bar); `value` is the state now shown.
    virtual void OnUserSetValue(int value) = 0;
    virtual ~NativeCheckBoxEvents() = default;
};

// Setting any of these from the program never reports back through NativeCheckBoxEvents.
class NativeCheckBox {
public:
    virtual ~NativeCheckBox() = default;
    virtual Hwnd Handle() const = 0;
    virtual void SetRect(const PixelRect& rect) = 0;
    virtual void SetCaption(const std::string& caption) = 0;
    virtual void SetValue(int value) = 0;
    virtual void SetAlignment(int alignment) = 0;
    virtual void SetColors(COLORREF back, COLORREF fore) = 0;
    virtual void SetFont(const Font& font) = 0;
};

std::unique_ptr<NativeCheckBox> CreateNativeCheckBox(NativeWindow& parent, const CheckBoxDesign& design,
                                                     NativeCheckBoxEvents& events);

// Labels, text boxes, command buttons and links. A label wraps its text within its width. A link
// is a label that acts: its text underlined in its fore colour, it takes the focus, and a click,
// Space or Enter presses it.
enum class ControlKind { Label, TextBox, Button, Link };

struct ControlDesign {
    ControlKind kind = ControlKind::Label;
    PixelRect rect;
    // A label's or button's caption ("&" marks a button's access key, "&&" is one "&"), or a text
    // box's text.
    std::string text;
    Font font{};
    COLORREF foreColor = 0x80000012;  // the text's colour: the button text colour until set
    // What a screen reader speaks for it; for a label, button or link its text when empty.
    std::string accessibleName{};
    bool isDefault = false;  // a button that Enter presses wherever the focus is in its window
    bool isCancel = false;   // a button that Escape presses
    bool visible = true;
};

class NativeControlEvents {
public:
    // A button or link was pressed: a click, Space while it has the focus, its access key, Enter
    // for the default button (or a link with the focus), Escape for the cancel button.
    virtual void OnClicked() {}
    // The user changed a text box's text; `text` is what it holds now.
    virtual void OnTextEdited(const std::string& text) { (void)text; }
    virtual ~NativeControlEvents() = default;
};

// Setting the text from the program never reports back through NativeControlEvents.
class NativeControl {
public:
    virtual ~NativeControl() = default;
    virtual Hwnd Handle() const = 0;
    virtual void SetText(const std::string& text) = 0;
};

std::unique_ptr<NativeControl> CreateNativeControl(NativeWindow& parent, const ControlDesign& design,
                                                   NativeControlEvents& events);

// Opens a pop-up menu at the mouse cursor for `owner` and returns the chosen item's index, or -1
// when the menu was dismissed. Only the left button chooses.
int PopupMenuAtCursor(Hwnd owner, const std::vector<MenuItem>& items);

}  // namespace os
