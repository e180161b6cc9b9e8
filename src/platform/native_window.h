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
    Hidden,            // never shown: the start-up window that owns the tray icon and the hotkeys
    SizableToolWindow  // thin caption with a close button only, resizable, no taskbar button
};

struct WindowDesign {
    WindowKind kind = WindowKind::Hidden;
    std::string caption;
    int clientWidth = 0;  // pixels
    int clientHeight = 0;
    COLORREF backColor = 0x8000000F;  // a system colour until the form sets its own
};

class NativeWindowEvents {
public:
    virtual void OnSizeChanged() = 0;                 // the frame's size changed (not on a move alone)
    virtual void OnActivated() = 0;                   // became the program's active window
    virtual void OnCloseRequest(CloseReason reason) = 0;
    // A mouse message (WM_MOUSEMOVE, WM_LBUTTONDOWN, ...) with its wParam and client pixels.
    virtual void OnMouse(unsigned message, WPARAM keys, int x, int y) { (void)message, (void)keys, (void)x, (void)y; }
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
    // A child's content from now on: the surface at the top-left, the background colour beyond it,
    // each part repainted when the surface reports it changed. The surface outlives the window.
    virtual void ShowSurface(PixelSurface& surface) { (void)surface; }
    // The pointer over a child; the arrow until set.
    virtual void SetPointer(const PointerImage& pointer) { (void)pointer; }
};

// A child window inside a form, in the form's client pixels.
struct ChildDesign {
    PixelRect rect;
    bool visible = true;
};

struct MenuItem {
    std::string name;
    std::string caption;  // "&" marks the access key; "-" is a separator line
    std::function<void()> onClick;
};

// Defined by each realisation. A close request from the desktop reaches the form layer as WM_CLOSE
// (or WM_QUERYENDSESSION) through the window's procedure chain, so a replaced procedure sees it.
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

// Opens a pop-up menu at the mouse cursor for `owner` and returns the chosen item's index, or -1
// when the menu was dismissed. Only the left button chooses.
int PopupMenuAtCursor(Hwnd owner, const std::vector<MenuItem>& items);

}  // namespace os
