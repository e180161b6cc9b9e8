// Keyboard navigation for the program's dialogs. They are plain windows of the form class, not
// dialog boxes, so what the system's dialog procedure would do for them is done here: Tab and
// Shift+Tab along an order the program chooses, Enter for the default button, Escape for the
// cancel button, and access keys, through IsDialogMessage in the message loop.
#pragma once

// The program's Windows-shaped names first: <windows.h> has macros of the same names.
#include "platform/os_types.h"

#include <windows.h>

#include <vector>

namespace os::win32 {

// Makes a form window one whose keys the message loop gives to the dialog navigation.
void MarkAsDialog(HWND window);
void UnmarkDialog(HWND window);

// The message loop's handling of one message: a key for the active dialog moves through it or
// presses its buttons; everything else is translated and dispatched.
void HandleMessage(MSG& message);

// Tab visits exactly `order` (controls of `form`, or of windows inside it that hold controls),
// in that order: they are the only tab stops, placed in that order among their siblings. The
// static texts just before each keep their place just before it: a screen reader names an edit
// control after the text that precedes it, and a label's access key moves to what follows it.
void ArrangeTabOrder(HWND form, const std::vector<Hwnd>& order);

// WM_NEXTDLGCTL, as the dialog procedure answers it: with lParam's low word set, the focus goes
// to the control wParam; otherwise to the next tab stop, or the previous one when wParam is not 0.
void MoveDialogFocus(HWND form, WPARAM wParam, LPARAM lParam);

}  // namespace os::win32
