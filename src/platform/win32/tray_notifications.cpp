// What a person does with the tray icon, as the program hears it. The icon's double-click is kept
// whole although its first release opens a menu. The menu takes the mouse while it is up, so the
// second press of a double-click either lands in the menu (it opens where the icon was clicked)
// or, when the menu was slow to come, reaches the icon, whose double-click then arrives while the
// menu is up. Either way the person double-clicked the icon: the menu goes, the program hears the
// double-click, and the release that follows opens no menu again.
#include "platform/tray.h"

#include <optional>
#include <utility>

#include "platform/win32/realisation.h"

namespace os {

namespace win32 {

namespace {

struct Clicks {
    UINT delivering = 0;     // the mouse message being handled, 0 when none
    bool menuUp = false;     // the icon's menu is up
    bool reposted = false;   // a double-click sent again once the icon's menu is gone
    bool swallowUp = false;  // the next release ends a double-click
    DWORD swallowFrom = 0;
};

Clicks& State() {
    static Clicks clicks;
    return clicks;
}

std::function<void(TrayEvent)>& Handler() {
    static std::function<void(TrayEvent)> handler;
    return handler;
}

// The release of a double-click comes right after its second press; a later one is a click of
// its own.
void SwallowTheNextRelease() {
    State().swallowUp = true;
    State().swallowFrom = GetTickCount();
}

std::optional<TrayEvent> EventOf(LPARAM mouseMessage) {
    switch (mouseMessage) {
    case WM_LBUTTONUP: return TrayEvent::Clicked;
    case WM_RBUTTONUP: return TrayEvent::MenuAsked;
    case WM_LBUTTONDBLCLK: return TrayEvent::DoubleClicked;
    default: return std::nullopt;
    }
}

}  // namespace

void OnTrayMessage(LPARAM mouseMessage) {
    if (!TrayIconRecord()) return;  // one on its way when the icon went
    Clicks& state = State();
    if (mouseMessage == WM_LBUTTONDBLCLK) {
        if (!std::exchange(state.reposted, false)) SwallowTheNextRelease();
        if (state.menuUp) {
            // Its menu goes first; the double-click comes back once the menu loop has ended.
            state.reposted = true;
            EndMenu();
            PostMessageW(HostWindow(), kTrayMessage, kTrayIconId, mouseMessage);
            return;
        }
    } else if (mouseMessage == WM_LBUTTONUP && state.swallowUp) {
        state.swallowUp = false;
        if (GetTickCount() - state.swallowFrom <= GetDoubleClickTime()) return;
    }
    const std::optional<TrayEvent> event = EventOf(mouseMessage);
    if (!event || !Handler()) return;
    const auto handler = Handler();  // the program may set another while it runs
    const UINT outer = std::exchange(state.delivering, static_cast<UINT>(mouseMessage));
    RunGuarded([&] { handler(*event); });
    State().delivering = outer;
}

void ForgetTrayClicks() {
    State().reposted = false;
    State().swallowUp = false;
}

UINT TrayMouseMessage() { return State().delivering; }

void SetTrayMenuUp(bool up) { State().menuUp = up; }

void TrayMenuTookDoubleClick() {
    SwallowTheNextRelease();
    State().reposted = true;
    PostMessageW(HostWindow(), kTrayMessage, kTrayIconId, WM_LBUTTONDBLCLK);
}

}  // namespace win32

void SetTrayHandler(std::function<void(TrayEvent)> handler) { win32::Handler() = std::move(handler); }

}  // namespace os
