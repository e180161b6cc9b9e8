// Global hotkeys on the desktops without a registry of them (qt, headless): this part keeps which
// id holds which combination, each id one combination and each combination one id, and runs the
// program's handler; the realisation grabs the keys on its desktop and reports presses.
#pragma once

namespace os {

// Defined by the realisation. GrabHotKey fails when the key names nothing on this desktop or
// another program holds the combination. The id is the one it is bound under: a desktop that
// binds shortcuts by name (the Wayland portal) names them after it.
bool GrabHotKey(int id, unsigned modifiers, unsigned virtualKey);
void ReleaseHotKey(int id, unsigned modifiers, unsigned virtualKey);

// Called by the realisation, guarded, for a press of a grabbed combination: runs the handler with
// the id it is bound under. Returns whether one is.
bool DeliverHotKey(unsigned modifiers, unsigned virtualKey);

// Runs the handler with the id, as a press of what is bound under it would.
void RunHotkeyHandler(int id);

}  // namespace os
