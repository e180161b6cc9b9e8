// Global hotkeys for the emulated realisations: the shared part keeps which window holds which id,
// the realisation grabs the keys on its desktop and reports presses.
#pragma once

#include "platform/os_types.h"

namespace os::emu {

// Defined by the realisation. GrabHotKey fails when the key names nothing on this desktop or
// another program holds the combination. The id is the one the window registered it under: a
// desktop that binds shortcuts by name (the Wayland portal) names them after it.
bool GrabHotKey(int id, unsigned modifiers, unsigned virtualKey);
void ReleaseHotKey(int id, unsigned modifiers, unsigned virtualKey);

// Called by the realisation for a grabbed combination: sends WM_HOTKEY to the window that
// registered it. Returns whether one did.
bool DeliverHotKey(unsigned modifiers, unsigned virtualKey);

// A destroyed window's hotkeys go with it.
void UnregisterWindowHotKeys(Hwnd window);

}  // namespace os::emu
