#include "shell/mHotKey.h"

#include "platform/user32.h"

namespace mHotKey {

std::int32_t RegisterNextHotKey(os::Hwnd window, std::int32_t modifiers, std::int16_t key) {
    ++HotKeyCount;
    // The key code is widened with its sign, as the 16-bit code always was.
    return os::RegisterHotKey(window, HotKeyCount, static_cast<unsigned>(modifiers),
                              static_cast<unsigned>(static_cast<std::int32_t>(key)));
}

void UnregisterAllHotKeys(os::Hwnd window) {
    for (std::int32_t id = 1; id <= HotKeyCount; ++id) os::UnregisterHotKey(window, id);
    HotKeyCount = 0;
}

}  // namespace mHotKey
