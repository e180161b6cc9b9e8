// Which id holds which combination, as Windows keeps them for a program.
#include "platform/hotkey_bindings.h"

#include <map>
#include <utility>

#include "platform/global_hotkeys.h"

namespace os {

namespace {
// The shell window gives its hotkeys back when the app tears it down, before the process's end
// could take these.
std::map<int, std::pair<unsigned, unsigned>>& Bound() {  // id -> modifiers, virtual key
    static std::map<int, std::pair<unsigned, unsigned>> bound;
    return bound;
}
std::function<void(int)>& Handler() {
    static std::function<void(int)> handler;
    return handler;
}
}  // namespace

void SetHotkeyHandler(std::function<void(int id)> handler) { Handler() = std::move(handler); }

bool BindHotkey(int id, unsigned modifiers, unsigned virtualKey) {
    if (!NamesAKey(virtualKey) || Bound().count(id)) return false;
    for (const auto& [other, combination] : Bound()) {
        if (combination == std::pair{modifiers, virtualKey}) return false;
    }
    if (!GrabHotKey(id, modifiers, virtualKey)) return false;
    Bound()[id] = {modifiers, virtualKey};
    return true;
}

void UnbindHotkey(int id) {
    const auto it = Bound().find(id);
    if (it == Bound().end()) return;
    const auto [modifiers, virtualKey] = it->second;
    Bound().erase(it);
    ReleaseHotKey(id, modifiers, virtualKey);
}

bool DeliverHotKey(unsigned modifiers, unsigned virtualKey) {
    for (const auto& [id, combination] : Bound()) {
        if (combination == std::pair{modifiers, virtualKey}) {
            RunHotkeyHandler(id);  // the id is a copy: the handler may bind hotkeys again
            return true;
        }
    }
    return false;
}

void RunHotkeyHandler(int id) {
    if (Handler()) Handler()(id);
}

}  // namespace os
