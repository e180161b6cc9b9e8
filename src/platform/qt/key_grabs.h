// The two ways the Linux realisation takes a global hotkey: X key grabs on the root window, and
// shortcuts bound through the desktop portal on Wayland, which falls back to the grabs.
#pragma once

namespace os::qt {

// Grabs the combination on the X root window. Fails when there is no X connection, the key has
// no keycode here, or another program holds the combination.
bool GrabKeys(unsigned modifiers, unsigned virtualKey);
void UngrabKeys(unsigned modifiers, unsigned virtualKey);

// The portal's part: whether it took, or gave back, the hotkey registered under that id. While it
// takes hotkeys they are bound as the portal's shortcuts; once it has found it cannot, it takes
// none and grabs the keys of those it had taken.
bool PortalTakesHotKey(int id, unsigned modifiers, unsigned virtualKey);
bool PortalDropsHotKey(int id);

}  // namespace os::qt
