// Global hotkeys: ids are handed out by a counter in registration order, so the show hotkey,
// registered first, is id 1 and the hide hotkey id 2.
#pragma once

#include "platform/os_types.h"

enum class HotkeyId { Show = 1, Hide = 2 };

inline constexpr unsigned kCtrlAlt = os::MOD_ALT | os::MOD_CONTROL;

class HotkeyRegistrar {
public:
    // Takes the next id (used up even when the registration fails) and registers it. Returns
    // whether the desktop took the combination.
    bool RegisterNext(unsigned modifiers, int virtualKey);
    // Unregisters ids 1 to Count() and starts the count again.
    void UnregisterAll();
    // Ids handed out since the last UnregisterAll: also the last id handed out.
    int Count() const { return count_; }

private:
    int count_ = 0;
};
