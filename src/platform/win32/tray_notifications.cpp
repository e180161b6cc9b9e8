// A tray icon's double-click, kept whole although its first release opens a menu. The menu takes
// the mouse while it is up, so the second press of a double-click either lands in the menu (it
// opens where the icon was clicked) or, when the menu was slow to come, reaches the icon, whose
// double-click then arrives while the menu is up. Either way the person double-clicked the
// icon: the menu goes, the owner gets the double-click, and the release that follows opens no
// menu again.
#include "platform/win32/realisation.h"

#include <utility>

namespace os::win32 {

namespace {

struct Clicks {
    TrayIconRef delivering;   // whose notification is being handled
    TrayIconRef menuOf;       // whose menu is up
    TrayIconRef reposted;     // a double-click sent again once its icon's menu is gone
    TrayIconRef swallowUpOf;  // whose next release ends a double-click
    DWORD swallowFrom = 0;
};

Clicks& State() {
    static Clicks clicks;
    return clicks;
}

// The release of a double-click comes right after its second press; a later one is a click of
// its own.
void SwallowTheNextRelease(TrayIconRef icon) {
    State().swallowUpOf = icon;
    State().swallowFrom = GetTickCount();
}

}  // namespace

void DeliverNotification(HWND window, UINT message, WPARAM wParam, LPARAM lParam, const std::function<void()>& deliver) {
    if (!IsIconNotification(window, message, wParam)) {
        deliver();
        return;
    }
    Clicks& state = State();
    const TrayIconRef icon{window, message, static_cast<UINT>(wParam), lParam};
    if (lParam == WM_LBUTTONDBLCLK) {
        if (state.reposted == icon) {
            state.reposted = {};
        } else {
            SwallowTheNextRelease(icon);
        }
        if (state.menuOf == icon) {
            // Its menu goes first; the double-click comes back once the menu loop has ended.
            state.reposted = icon;
            EndMenu();
            PostMessageW(window, message, wParam, lParam);
            return;
        }
    } else if (lParam == WM_LBUTTONUP && state.swallowUpOf == icon) {
        state.swallowUpOf = {};
        if (GetTickCount() - state.swallowFrom <= GetDoubleClickTime()) return;
    }
    const TrayIconRef outer = std::exchange(state.delivering, icon);
    deliver();
    State().delivering = outer;
}

TrayIconRef NotifyingIcon() { return State().delivering; }

void SetIconMenu(TrayIconRef icon) { State().menuOf = icon; }

void IconMenuTookDoubleClick(TrayIconRef icon) {
    SwallowTheNextRelease(icon);
    State().reposted = icon;
    PostMessageW(icon.owner, icon.callback, icon.id, WM_LBUTTONDBLCLK);
}

}  // namespace os::win32
