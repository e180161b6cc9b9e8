// What Qt does not offer on X11: the skip-taskbar and skip-pager states, the X connection, and
// whether it is XWayland's.
#pragma once

#include <xcb/xcb.h>

class QWindow;

namespace os::qt {

// Whether the person's session is a Wayland one: the program's windows then go through XWayland.
bool WaylandSession();

// The application's X connection, or null when Qt does not run on X11 (Wayland, offscreen).
xcb_connection_t* XConnection();
xcb_window_t XRootWindow();
xcb_atom_t Atom(const char* name);

// Before the window maps: keeps it out of the taskbar and the pager. Qt merges these states with
// its own when it maps the window.
void SetSkipTaskbar(QWindow* window);

// The frame the window manager would put around a new window of that type (a utility window or a
// normal one), when it says so on request; all zero when it cannot tell.
struct FrameExtents {
    int left = 0, right = 0, top = 0, bottom = 0;
};
FrameExtents EstimateFrame(bool utility);
// Asks the window manager for both estimates without waiting, so that they are there when wanted.
void RequestFrameEstimates();

}  // namespace os::qt
