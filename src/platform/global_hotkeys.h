// Global hotkeys: a key combination bound under an id fires wherever the focus is, and the
// program hears which id. Each realisation binds them its own way (RegisterHotKey on Windows, key
// grabs or the desktop portal on Linux); none of these throws.
#pragma once

#include <functional>

namespace os {

// What a press of a bound combination runs, with the id it was bound under; entered from the
// desktop, so the realisation runs it guarded.
void SetHotkeyHandler(std::function<void(int id)> handler);

// Binds the combination (MOD_ values and a virtual-key code) under the id. False when the id is
// bound already, or the desktop refuses it: the code names no key there, or another program (or
// another id) holds the combination.
bool BindHotkey(int id, unsigned modifiers, unsigned virtualKey);
// Gives the combination bound under the id back; an id bound to none is no error.
void UnbindHotkey(int id);

// Virtual-key codes run from 1 to 254: another number names no key on any desktop.
inline bool NamesAKey(unsigned virtualKey) { return virtualKey >= 1 && virtualKey <= 0xFE; }

}  // namespace os
