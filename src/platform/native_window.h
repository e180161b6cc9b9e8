// The seam between the form layer and a realisation: a realisation creates one native window per
// form and reports what the desktop did to it through NativeWindowEvents.
#pragma once

#include <memory>
#include <string>

#include "platform/os_types.h"

namespace os {

struct PixelRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const PixelRect&) const = default;
};

enum class WindowKind {
    Hidden,            // never shown: the start-up window that owns the tray icon and the hotkeys
    SizableToolWindow  // thin caption with a close button only, resizable, no taskbar button
};

struct WindowSpec {
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
    virtual void OnCloseRequest(int unloadMode) = 0;  // see the UnloadMode values in os_types.h
    virtual ~NativeWindowEvents() = default;
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
};

// Defined by each realisation. A close request from the desktop reaches the form layer as WM_CLOSE
// (or WM_QUERYENDSESSION) through the window's procedure chain, so a replaced procedure sees it.
std::unique_ptr<NativeWindow> CreateNativeWindow(const WindowSpec& spec, NativeWindowEvents& events);

}  // namespace os
