// Hotkey registration: ids are handed out by a counter in registration order, so the show hotkey,
// registered first, is id 1 and the hide hotkey id 2.
#pragma once

#include <cstdint>

#include "platform/os_types.h"

namespace mHotKey {

inline constexpr unsigned kCtrlAlt = os::MOD_ALT | os::MOD_CONTROL;

// Ids handed out since the last UnregisterAllHotKeys: also the last id handed out.
inline std::int32_t HotKeyCount = 0;

// Takes the next id (used up even when the registration fails) and registers it.
std::int32_t RegisterNextHotKey(os::Hwnd window, std::int32_t modifiers, std::int16_t key);
// Unregisters ids 1 to HotKeyCount and starts the count again.
void UnregisterAllHotKeys(os::Hwnd window);

}  // namespace mHotKey
