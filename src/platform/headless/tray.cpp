// The tray on the in-memory desktop: the icon it shows and the calls that changed it, a person's
// acts on the icon, pop-up menus that a test chooses from, and icons.
#include "platform/tray.h"

#include <cstdint>

#include "platform/headless/desktop.h"
#include "platform/headless/headless.h"
#include "platform/native_window.h"

namespace headless {
namespace {

// Icons live as long as the program, so they outlast Reset.
std::vector<std::vector<os::IconImage>>& Icons() {
    static std::vector<std::vector<os::IconImage>> icons;
    return icons;
}

bool Record(TrayCall::Kind kind, bool done) {
    D().trayCalls.push_back({kind, done});
    return done;
}

}  // namespace

const std::optional<TrayIconState>& TrayIcon() { return D().trayIcon; }
const std::vector<TrayCall>& TrayCalls() { return D().trayCalls; }

void TrayAct(os::TrayEvent event) {
    if (!D().trayIcon || !D().trayHandler) return;
    const auto handler = D().trayHandler;  // the program may set another while it runs
    Run([&] { handler(event); });
}

const std::vector<os::IconImage>* IconImages(os::Hicon icon) {
    const auto index = reinterpret_cast<std::uintptr_t>(icon);
    return index >= 1 && index <= Icons().size() ? &Icons()[index - 1] : nullptr;
}

void ChooseFromNextMenu(const std::string& name) { D().menuChoices.push_back(name); }
const std::vector<std::vector<std::string>>& MenusOpened() { return D().menusOpened; }

}  // namespace headless

namespace os {

void SetTrayHandler(std::function<void(TrayEvent)> handler) { headless::D().trayHandler = std::move(handler); }

bool ShowTrayIcon(Hicon icon, const std::string& tip) {
    auto& shown = headless::D().trayIcon;
    if (shown) return headless::Record(headless::TrayCall::Show, false);
    shown = headless::TrayIconState{icon, tip};
    return headless::Record(headless::TrayCall::Show, true);
}

bool SetTrayIcon(Hicon icon, const std::string& tip) {
    auto& shown = headless::D().trayIcon;
    if (!shown) return headless::Record(headless::TrayCall::Set, false);
    *shown = {icon, tip};
    return headless::Record(headless::TrayCall::Set, true);
}

bool RemoveTrayIcon() {
    auto& shown = headless::D().trayIcon;
    const bool done = shown.has_value();
    shown.reset();
    return headless::Record(headless::TrayCall::Remove, done);
}

int PopupMenuAtCursor(Hwnd, const std::vector<MenuItem>& items) {
    std::vector<std::string> captions;
    for (const MenuItem& item : items) captions.push_back(item.caption);
    headless::D().menusOpened.push_back(captions);
    if (headless::D().menuChoices.empty()) return -1;  // nobody chose: dismissed
    const std::string choice = headless::D().menuChoices.front();
    headless::D().menuChoices.pop_front();
    for (size_t i = 0; i < items.size(); ++i) {
        if (items[i].name == choice && items[i].caption != "-") return static_cast<int>(i);
    }
    return -1;
}

// Nothing is stored in the program here: the images are drawn when asked for.
Hicon CreateStoredIcon(StoredIcon, std::vector<IconImage> (*draw)()) { return CreateIconFromImages(draw()); }

Hicon CreateIconFromImages(const std::vector<IconImage>& images) {
    headless::Icons().push_back(images);
    return reinterpret_cast<Hicon>(static_cast<std::uintptr_t>(headless::Icons().size()));
}

}  // namespace os
