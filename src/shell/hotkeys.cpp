#include "shell/hotkeys.h"

#include "platform/text.h"
#include "platform/user32.h"

int LetterKeyCode(const std::string& letter) { return os::AnsiCharCode(letter); }

bool HotkeyRegistrar::RegisterNext(os::Hwnd window, unsigned modifiers, int virtualKey) {
    ++count_;
    // A negative code keeps its sign bits, as a 16-bit key code widened always did: it names no key.
    return os::RegisterHotKey(window, count_, modifiers, static_cast<unsigned>(virtualKey)) != 0;
}

void HotkeyRegistrar::UnregisterAll(os::Hwnd window) {
    for (int id = 1; id <= count_; ++id) os::UnregisterHotKey(window, id);
    count_ = 0;
}
