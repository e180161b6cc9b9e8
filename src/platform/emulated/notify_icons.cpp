#include "platform/emulated/notify_icons.h"

namespace os::emu {

NotifyIconMap& NotifyIcons() {
    static auto* icons = new NotifyIconMap;  // never destroyed: see qt/window_list.cpp
    return *icons;
}

int ApplyNotifyIcon(unsigned message, const NotifyIconRecord& record, NotifyIconDisplay& display) {
    const NotifyIcon icon = ReadNotifyIconRecord(record);
    if (icon.cbSize != kNotifyIconRecordSize || !IsWindow(icon.hWnd)) return 0;
    NotifyIconMap& icons = NotifyIcons();
    const NotifyIconKey key{icon.hWnd, icon.uID};
    const auto it = icons.find(key);
    switch (message) {
    case NIM_ADD:
        if (it != icons.end() || !display.Add(icon)) return 0;
        icons.emplace(key, icon);
        return 1;
    case NIM_MODIFY:
        if (it == icons.end()) return 0;
        it->second = icon;
        display.Modify(icon);
        return 1;
    case NIM_DELETE:
        if (it == icons.end()) return 0;
        icons.erase(it);
        display.Delete(key);
        return 1;
    default:
        return 0;
    }
}

}  // namespace os::emu
