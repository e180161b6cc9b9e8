// The shell on the in-memory desktop: the notification area's icons and the calls that changed
// them, tray clicks, pop-up menus that a test chooses from, addresses opened, and icons.
#include <cstdint>

#include "platform/browser.h"
#include "platform/emulated/notify_icons.h"
#include "platform/headless/desktop.h"
#include "platform/headless/headless.h"
#include "platform/mouse_message.h"

namespace headless {
namespace {

// Icons live as long as the program, so they outlast Reset.
std::vector<std::vector<os::IconImage>>& Icons() {
    static std::vector<std::vector<os::IconImage>> icons;
    return icons;
}

// Nothing is drawn: the icons kept are what a test reads.
class NoDisplay final : public os::emu::NotifyIconDisplay {
public:
    bool Add(const os::NotifyIcon&) override { return true; }
    void Modify(const os::NotifyIcon&) override {}
    void Delete(const os::emu::NotifyIconKey&) override {}
};

}  // namespace

std::map<std::pair<os::Hwnd, std::uint32_t>, os::NotifyIcon>& TrayIcons() { return os::emu::NotifyIcons(); }
const std::vector<NotifyCall>& NotifyCalls() { return D().notifyCalls; }

void TrayNotify(os::Hwnd owner, std::uint32_t id, unsigned mouseMessage) {
    auto it = TrayIcons().find({owner, id});
    if (it == TrayIcons().end()) return;
    const std::uint32_t callback = it->second.uCallbackMessage;
    // The callback message reaches the owner as any message of its kind would.
    const auto mouse = os::ReadMouseMessage(callback, id, static_cast<int>(mouseMessage), 0);
    Run([&] {
        os::NativeWindowEvents* events = WindowEvents(owner);
        if (events && mouse) events->OnMouse(*mouse);
    });
}

const std::vector<os::IconImage>* IconImages(os::Hicon icon) {
    const auto index = reinterpret_cast<std::uintptr_t>(icon);
    return index >= 1 && index <= Icons().size() ? &Icons()[index - 1] : nullptr;
}

void ChooseFromNextMenu(const std::string& name) { D().menuChoices.push_back(name); }
const std::vector<std::vector<std::string>>& MenusOpened() { return D().menusOpened; }
const std::vector<std::string>& Opened() { return D().opened; }

}  // namespace headless

namespace os {

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

bool emu::IsWindow(Hwnd handle) { return headless::WindowEvents(handle) != nullptr; }

int Shell_NotifyIconA(unsigned message, const NotifyIconRecord& record) {
    headless::D().notifyCalls.push_back({message, record});
    headless::NoDisplay display;
    return emu::ApplyNotifyIcon(message, record, display);
}

bool OpenInBrowser(const std::string& address) {
    headless::D().opened.push_back(address);
    return true;
}

// Nothing is stored in the program here: the images are drawn when asked for.
Hicon CreateStoredIcon(StoredIcon, std::vector<IconImage> (*draw)()) { return CreateIconFromImages(draw()); }

Hicon CreateIconFromImages(const std::vector<IconImage>& images) {
    headless::Icons().push_back(images);
    return reinterpret_cast<Hicon>(static_cast<std::uintptr_t>(headless::Icons().size()));
}

}  // namespace os
