// The headless realisation: windows, screen, settings store, hotkeys and End, all in memory.
#include "platform/headless/headless.h"

#include <deque>
#include <functional>
#include <set>
#include <utility>

#include "platform/app.h"
#include "platform/emulated/hotkeys.h"
#include "platform/emulated/window_table.h"
#include "platform/form.h"
#include "platform/settings_store.h"
#include "platform/user32.h"

namespace headless {
namespace {

struct Desktop {
    SettingsMap settings;
    int saveCount = 0;
    os::ScreenInfo screen;
    std::set<std::pair<unsigned, unsigned>> heldElsewhere;
    std::set<std::pair<unsigned, unsigned>> grabbed;
    std::deque<std::function<void()>> deferred;
    bool ended = false;
    int placed = 0;  // windows placed so far, for the window system's cascade
};

Desktop& D() {
    static Desktop desktop;
    return desktop;
}

// Tool-window frame around the client area.
constexpr int kBorder = 4;
constexpr int kCaption = 18;

class HeadlessWindow final : public os::emu::EmulatedWindow {
public:
    HeadlessWindow(const os::WindowSpec& spec, os::NativeWindowEvents& events) : events_(events) {
        state_.kind = spec.kind;
        state_.caption = spec.caption;
        state_.backColor = spec.backColor;
        const int cascade = 26 * (D().placed++ % 8);
        state_.frame = {120 + cascade, 90 + cascade, spec.clientWidth + 2 * kBorder,
                        spec.clientHeight + 2 * kBorder + kCaption};
        handle_ = os::emu::AddWindow(events, *this, 0);
    }
    ~HeadlessWindow() override { os::emu::RemoveWindow(handle_); }

    os::Hwnd Handle() const override { return handle_; }
    void SetVisible(bool visible) override { state_.visible = visible; }
    void BringForward() override { state_.active = true; }
    os::PixelRect FrameRect() const override { return state_.frame; }
    void SetFrameRect(const os::PixelRect& rect) override {
        const bool resized = rect.width != state_.frame.width || rect.height != state_.frame.height;
        state_.frame = rect;
        if (resized) events_.OnSizeChanged();  // reported at once, as Windows sends WM_SIZE
    }
    void SetBackColor(os::COLORREF color) override { state_.backColor = color; }
    void ApplyTopmost() override { state_.topmost = true; }
    void ApplyExStyle(os::LONG_PTR) override {}
    void ApplyOpacity(unsigned char alpha) override { state_.opacity = alpha; }

    const WindowState& State() const { return state_; }

private:
    os::NativeWindowEvents& events_;
    os::Hwnd handle_{};
    WindowState state_;
};

HeadlessWindow* Find(os::Hwnd handle) {
    os::emu::WindowEntry* entry = os::emu::FindWindow(handle);
    return entry ? static_cast<HeadlessWindow*>(entry->window) : nullptr;
}

using Key = std::tuple<std::string, std::string, std::string>;

}  // namespace

void Reset() {
    RunDeferred();  // forms unloaded by the last step are destroyed first
    os::DiscardAllForms();
    D() = Desktop{};
    D().screen.twipsPerPixelX = D().screen.twipsPerPixelY = 15;
    D().screen.widthPixels = 1920;
    D().screen.heightPixels = 1080;
    D().screen.monitors = {{0, 0, 1920, 1080}};
}

bool Ended() { return D().ended; }
SettingsMap& Settings() { return D().settings; }
int SaveCount() { return D().saveCount; }

void SetScreen(float twipsPerPixel, std::vector<os::PixelRect> monitors) {
    D().screen.twipsPerPixelX = D().screen.twipsPerPixelY = twipsPerPixel;
    D().screen.widthPixels = monitors.at(0).width;
    D().screen.heightPixels = monitors.at(0).height;
    D().screen.monitors = std::move(monitors);
}

const WindowState* Window(os::Hwnd handle) {
    const HeadlessWindow* window = Find(handle);
    return window ? &window->State() : nullptr;
}

std::vector<os::Hwnd> Windows() { return os::emu::AllWindows(); }

void UserResize(os::Hwnd handle, os::PixelRect frame) {
    Run([&] {
        if (HeadlessWindow* window = Find(handle)) window->SetFrameRect(frame);
    });
}

void UserMove(os::Hwnd handle, int left, int top) {
    Run([&] {
        if (HeadlessWindow* window = Find(handle)) {
            os::PixelRect frame = window->FrameRect();
            frame.left = left;
            frame.top = top;
            window->SetFrameRect(frame);
        }
    });
}

void UserClose(os::Hwnd handle) {
    Run([&] { os::SendMessageA(handle, os::WM_CLOSE, 0, 0); });
}

bool PressHotKey(unsigned modifiers, unsigned virtualKey) {
    bool delivered = false;
    if (D().grabbed.count({modifiers, virtualKey})) {
        Run([&] { delivered = os::emu::DeliverHotKey(modifiers, virtualKey); });
    }
    return delivered;
}

void HoldHotKeyElsewhere(unsigned modifiers, unsigned virtualKey) {
    D().heldElsewhere.insert({modifiers, virtualKey});
}

void EndSession() {
    Run([] { os::emu::EndSession(); });
}

void RunDeferred() {
    while (!D().deferred.empty()) {
        auto work = std::move(D().deferred.front());
        D().deferred.pop_front();
        work();
    }
}

}  // namespace headless

namespace os {

namespace emu {
bool GrabHotKey(unsigned modifiers, unsigned virtualKey) {
    // As on Windows, a code that names no key cannot be registered.
    if (virtualKey == 0 || virtualKey > 0xFE) return false;
    if (headless::D().heldElsewhere.count({modifiers, virtualKey})) return false;
    headless::D().grabbed.insert({modifiers, virtualKey});
    return true;
}
void ReleaseHotKey(unsigned modifiers, unsigned virtualKey) {
    headless::D().grabbed.erase({modifiers, virtualKey});
}
}  // namespace emu

std::unique_ptr<NativeWindow> CreateNativeWindow(const WindowSpec& spec, NativeWindowEvents& events) {
    return std::make_unique<headless::HeadlessWindow>(spec, events);
}

int RunApplication(int, char**, const std::function<void()>& startup) {
    headless::Run(startup);
    return 0;
}

void End() {
    headless::D().ended = true;
    throw headless::ProcessEnded{};
}

void PostDeferred(std::function<void()> work) { headless::D().deferred.push_back(std::move(work)); }

ScreenInfo Screen() { return headless::D().screen; }
float TwipsPerPixelX() { return headless::D().screen.twipsPerPixelX; }
float TwipsPerPixelY() { return headless::D().screen.twipsPerPixelY; }

std::string GetSetting(const std::string& app, const std::string& section, const std::string& key) {
    auto it = headless::D().settings.find({app, section, key});
    return it == headless::D().settings.end() ? std::string() : it->second;
}

void SaveSetting(const std::string& app, const std::string& section, const std::string& key,
                 const std::string& value) {
    headless::D().settings[{app, section, key}] = value;
    ++headless::D().saveCount;
}

}  // namespace os
