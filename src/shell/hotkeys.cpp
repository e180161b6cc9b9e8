#include "shell/hotkeys.h"

#include "platform/global_hotkeys.h"

bool HotkeyRegistrar::RegisterNext(unsigned modifiers, int virtualKey) {
    ++count_;
    // A negative code keeps its sign bits, as a 16-bit key code widened always did: it names no key.
    return os::BindHotkey(count_, modifiers, static_cast<unsigned>(virtualKey));
}

void HotkeyRegistrar::UnregisterAll() {
    for (int id = 1; id <= count_; ++id) os::UnbindHotkey(id);
    count_ = 0;
}
