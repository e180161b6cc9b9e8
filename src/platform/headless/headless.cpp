// The headless realisation: windows, screen, settings store, hotkeys and End, all in memory.
#include "platform/headless/headless.h"

#include <algorithm>
#include <deque>
#include <functional>
#include <set>
#include <utility>

#include "platform/app.h"
#include "forms/conversions.h"
#include "platform/emulated/hotkeys.h"
#include "platform/emulated/window_table.h"
#include "forms/form.h"
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
    std::map<std::pair<os::Hwnd, std::uint32_t>, os::NotifyIcon> trayIcons;
    std::vector<NotifyCall> notifyCalls;
    std::deque<std::string> menuChoices;
    std::vector<std::vector<std::string>> menusOpened;
    std::vector<std::pair<std::string, int>> opened;
    std::string programFile = "C:\\Program Files\\Lisotra\\lisotra.exe";
    std::map<os::Hwnd, class HeadlessCheckBox*> checkBoxes;
    std::uintptr_t nextCheckBox = 0x70000000;
    os::WPARAM buttonsHeld = 0;
};

// Icons live as long as the program, so they outlast Reset.
std::vector<std::vector<os::IconImage>>& Icons() {
    static std::vector<std::vector<os::IconImage>> icons;
    return icons;
}

Desktop& D() {
    static Desktop desktop;
    return desktop;
}

// Tool-window frame around the client area.
constexpr int kBorder = 4;
constexpr int kCaption = 18;

class HeadlessWindow;
HeadlessWindow* Find(os::Hwnd handle);

class HeadlessWindow final : public os::emu::EmulatedWindow {
public:
    // A child window: its frame is in its parent's client pixels.
    HeadlessWindow(const os::ChildDesign& design, os::NativeWindowEvents& events) : events_(events) {
        state_.kind = os::WindowKind::Hidden;
        state_.visible = design.visible;
        state_.frame = design.rect;
        state_.backColor = 0x8000000F;  // the button face, as a child window's class paints it
        handle_ = os::emu::AddWindow(events, *this, 0);
    }
    HeadlessWindow(const os::WindowDesign& design, os::NativeWindowEvents& events) : events_(events) {
        state_.kind = design.kind;
        state_.caption = design.caption;
        state_.backColor = design.backColor;
        const int cascade = 26 * (D().placed++ % 8);
        state_.frame = {120 + cascade, 90 + cascade, design.clientWidth + 2 * kBorder,
                        design.clientHeight + 2 * kBorder + kCaption};
        handle_ = os::emu::AddWindow(events, *this, 0);
    }
    ~HeadlessWindow() override {
        if (surface_) surface_->Changed = nullptr;
        os::emu::RemoveWindow(handle_);
    }

    os::Hwnd Handle() const override { return handle_; }
    void SetVisible(bool visible) override { state_.visible = visible; }
    void BringForward() override {
        // The one active window of the desktop: becoming it is an activation.
        for (os::Hwnd other : os::emu::AllWindows()) {
            if (HeadlessWindow* w = Find(other); w && w != this) w->state_.active = false;
        }
        if (!std::exchange(state_.active, true)) events_.OnActivated();
    }
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
    void ShowSurface(os::PixelSurface& surface) override {
        surface_ = &surface;
        state_.surface = &surface;
        surface.Changed = [this](const os::PixelRect& changed) { repaints_.push_back(changed); };
        repaints_.push_back({0, 0, surface.Width(), surface.Height()});
    }
    void SetPointer(const os::PointerImage& pointer) override { state_.pointer = &pointer; }

    const WindowState& State() const { return state_; }
    std::vector<os::PixelRect> TakeRepaints() { return std::exchange(repaints_, {}); }

private:
    os::PixelSurface* surface_ = nullptr;
    std::vector<os::PixelRect> repaints_;
    os::NativeWindowEvents& events_;
    os::Hwnd handle_{};
    WindowState state_;
};

HeadlessWindow* Find(os::Hwnd handle) {
    os::emu::WindowEntry* entry = os::emu::FindWindow(handle);
    return entry ? static_cast<HeadlessWindow*>(entry->window) : nullptr;
}

using Key = std::tuple<std::string, std::string, std::string>;

class HeadlessCheckBox final : public os::NativeCheckBox {
public:
    HeadlessCheckBox(os::NativeWindow& parent, const os::CheckBoxDesign& design, os::NativeCheckBoxEvents& events)
        : events_(events) {
        state_.parent = parent.Handle();
        state_.rect = design.rect;
        state_.caption = design.caption;
        state_.value = design.value;
        state_.alignment = design.alignment;
        state_.font = design.font;
        SetColors(design.backColor, design.foreColor);
        D().nextCheckBox += 0x10;
        handle_ = reinterpret_cast<os::Hwnd>(D().nextCheckBox);
        D().checkBoxes[handle_] = this;
    }
    ~HeadlessCheckBox() override { D().checkBoxes.erase(handle_); }

    os::Hwnd Handle() const override { return handle_; }
    void SetRect(const os::PixelRect& rect) override { state_.rect = rect; }
    void SetCaption(const std::string& caption) override { state_.caption = caption; }
    void SetValue(int value) override { state_.value = value; }
    void SetAlignment(int alignment) override { state_.alignment = alignment; }
    void SetColors(os::COLORREF back, os::COLORREF fore) override {
        state_.backColor = back;
        state_.foreColor = fore;
        state_.shownBack = os::ResolveColor(back);
        state_.shownFore = os::ResolveColor(fore);
    }
    void SetFont(const os::Font& font) override { state_.font = font; }

    void Click() {
        state_.value = state_.value == 1 ? 0 : 1;
        events_.OnUserSetValue(state_.value);
    }
    const CheckBoxState& State() const { return state_; }

private:
    os::NativeCheckBoxEvents& events_;
    os::Hwnd handle_{};
    CheckBoxState state_;
};

// The in-memory key of a path as the registry folds it.
std::pair<os::HKEY, std::string> MemoryKeyOf(os::HKEY root, const std::string& path) {
    return {root, os::emu::FoldKeyPath(path.c_str()).value_or(path)};
}

}  // namespace

void Reset() {
    RunDeferred();  // forms unloaded by the last step are destroyed first
    os::DiscardAllForms();
    D() = Desktop{};
    os::emu::ResetRegistry();
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

std::map<std::pair<os::Hwnd, std::uint32_t>, os::NotifyIcon>& TrayIcons() { return D().trayIcons; }
const std::vector<NotifyCall>& NotifyCalls() { return D().notifyCalls; }

void TrayNotify(os::Hwnd owner, std::uint32_t id, unsigned mouseMessage) {
    auto it = D().trayIcons.find({owner, id});
    if (it == D().trayIcons.end()) return;
    const std::uint32_t callback = it->second.uCallbackMessage;
    Run([&] { os::SendMessageA(owner, callback, id, static_cast<os::LPARAM>(mouseMessage)); });
}

const std::vector<os::IconImage>* IconImages(os::Hicon icon) {
    const auto index = reinterpret_cast<std::uintptr_t>(icon);
    return index >= 1 && index <= Icons().size() ? &Icons()[index - 1] : nullptr;
}

void ChooseFromNextMenu(const std::string& name) { D().menuChoices.push_back(name); }
const std::vector<std::vector<std::string>>& MenusOpened() { return D().menusOpened; }
const std::vector<std::pair<std::string, int>>& Opened() { return D().opened; }

void SetProgramFile(const std::string& path) { D().programFile = path; }

void PlantRegistryValue(os::HKEY root, const std::string& path, const std::string& name, os::DWORD type,
                        const std::vector<unsigned char>& data) {
    const auto key = MemoryKeyOf(root, path);
    // The parents exist, as they would on a real registry.
    for (size_t end = 0; end != std::string::npos;) {
        end = key.second.find('\\', end + 1);
        os::emu::Memory().keys[{root, key.second.substr(0, end)}];
    }
    os::emu::Memory().keys[key].values[os::emu::FoldName(name)] = {name, {type, data, false}};
}

void PlantRegistryText(os::HKEY root, const std::string& path, const std::string& name, const std::string& text,
                       os::DWORD type) {
    std::vector<unsigned char> data(text.begin(), text.end());
    data.push_back(0);
    PlantRegistryValue(root, path, name, type, data);
}

std::optional<os::emu::RegistryValue> RegistryValue(os::HKEY root, const std::string& path, const std::string& name) {
    auto key = os::emu::Memory().keys.find(MemoryKeyOf(root, path));
    if (key == os::emu::Memory().keys.end()) return std::nullopt;
    auto value = key->second.values.find(os::emu::FoldName(name));
    if (value == key->second.values.end()) return std::nullopt;
    return value->second.second;
}

bool RegistryKeyExists(os::HKEY root, const std::string& path) {
    return os::emu::Memory().keys.count(MemoryKeyOf(root, path)) > 0;
}

void RemoveRegistryKey(os::HKEY root, const std::string& path) {
    const auto key = MemoryKeyOf(root, path);
    std::erase_if(os::emu::Memory().keys, [&](const auto& entry) {
        return entry.first.first == root &&
               (entry.first.second == key.second || entry.first.second.starts_with(key.second + '\\'));
    });
}

int RegistryWrites() { return os::emu::Memory().valueWrites; }
int RegistryDeletes() { return os::emu::Memory().valueDeletes; }
void SetRegistryReadOnly(bool readOnly) { os::emu::Memory().readOnly = readOnly; }

const CheckBoxState* CheckBox(os::Hwnd handle) {
    auto it = D().checkBoxes.find(handle);
    return it == D().checkBoxes.end() ? nullptr : &it->second->State();
}

void ClickCheckBox(os::Hwnd handle) {
    Run([&] {
        auto it = D().checkBoxes.find(handle);
        if (it != D().checkBoxes.end()) it->second->Click();
    });
}

os::COLORREF ShownPixel(os::Hwnd handle, int x, int y) {
    const WindowState* window = Window(handle);
    if (!window) return os::CLR_INVALID;
    if (window->surface && window->surface->Pixel(x, y) != os::CLR_INVALID) return window->surface->Pixel(x, y);
    return os::ResolveColor(window->backColor);
}

std::vector<os::PixelRect> TakeRepaints(os::Hwnd handle) {
    HeadlessWindow* window = Find(handle);
    return window ? window->TakeRepaints() : std::vector<os::PixelRect>{};
}

void Mouse(os::Hwnd handle, unsigned message, int x, int y, os::WPARAM keys) {
    os::WPARAM& held = D().buttonsHeld;
    switch (message) {
    case os::WM_LBUTTONDOWN: held |= os::MK_LBUTTON; break;
    case os::WM_LBUTTONUP: held &= ~os::MK_LBUTTON; break;
    case os::WM_RBUTTONDOWN: held |= os::MK_RBUTTON; break;
    case os::WM_RBUTTONUP: held &= ~os::MK_RBUTTON; break;
    case os::WM_MBUTTONDOWN: held |= os::MK_MBUTTON; break;
    case os::WM_MBUTTONUP: held &= ~os::MK_MBUTTON; break;
    default: break;
    }
    Run([&] { os::SendMessageA(handle, message, held | keys, os::MAKELPARAM(x, y)); });
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
ValueStore* StoreOfKey(HKEY, const std::string&) { return nullptr; }

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

std::unique_ptr<NativeWindow> CreateNativeWindow(const WindowDesign& design, NativeWindowEvents& events) {
    return std::make_unique<headless::HeadlessWindow>(design, events);
}

std::unique_ptr<NativeWindow> CreateNativeChild(NativeWindow&, const ChildDesign& design, NativeWindowEvents& events) {
    return std::make_unique<headless::HeadlessWindow>(design, events);
}

std::unique_ptr<NativeCheckBox> CreateNativeCheckBox(NativeWindow& parent, const CheckBoxDesign& design,
                                                     NativeCheckBoxEvents& events) {
    return std::make_unique<headless::HeadlessCheckBox>(parent, design, events);
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

int Shell_NotifyIconA(unsigned message, const NotifyIconRecord& record) {
    headless::D().notifyCalls.push_back({message, record});
    const NotifyIcon icon = ReadNotifyIconRecord(record);
    auto& icons = headless::D().trayIcons;
    const auto key = std::make_pair(icon.hWnd, icon.uID);
    if (icon.cbSize != kNotifyIconRecordSize || !emu::FindWindow(icon.hWnd)) return 0;
    switch (message) {
    case NIM_ADD:
        if (icons.count(key)) return 0;
        icons[key] = icon;
        return 1;
    case NIM_MODIFY:
        if (!icons.count(key)) return 0;
        icons[key] = icon;
        return 1;
    case NIM_DELETE:
        return icons.erase(key) ? 1 : 0;
    default:
        return 0;
    }
}

std::intptr_t ShellExecuteA(Hwnd, const char*, const char* file, const char*, const char*, int show) {
    headless::D().opened.emplace_back(file, show);
    return 42;
}

Hicon CreateIconFromImages(const std::vector<IconImage>& images) {
    headless::Icons().push_back(images);
    return reinterpret_cast<Hicon>(static_cast<std::uintptr_t>(headless::Icons().size()));
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

namespace os {

namespace {
// The program file split at its last separator, "\\" or "/".
std::pair<std::string, std::string> ProgramFileParts() {
    const std::string& file = headless::D().programFile;
    const size_t slash = file.find_last_of("\\/");
    if (slash == std::string::npos) return {std::string(), file};
    std::string folder = slash == std::string::npos ? std::string() : file.substr(0, slash);
    // At the root the separator stays: "C:\\", "/".
    if (folder.empty() || (folder.size() == 2 && folder[1] == ':')) folder += file[slash];
    return {folder, file.substr(slash + 1)};
}
}  // namespace

std::string AppPath() { return ProgramFileParts().first; }

std::string AppEXEName() {
    const std::string name = ProgramFileParts().second;
    const size_t dot = name.rfind('.');
    return dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
}

COLORREF GetSysColor(int index) {
    // A fixed palette of light grey faces and black text.
    switch (index) {
    case 5: return 0xFFFFFF;   // COLOR_WINDOW
    case 8: return 0x000000;   // COLOR_WINDOWTEXT
    case 13: return 0xD77800;  // COLOR_HIGHLIGHT
    case 14: return 0xFFFFFF;  // COLOR_HIGHLIGHTTEXT
    case 15: return 0xF0F0F0;  // COLOR_BTNFACE
    case 16: return 0xA0A0A0;  // COLOR_BTNSHADOW
    case 17: return 0x6D6D6D;  // COLOR_GRAYTEXT
    case 18: return 0x000000;  // COLOR_BTNTEXT
    case 20: return 0xFFFFFF;  // COLOR_BTNHIGHLIGHT
    default: return index >= 0 && index <= 30 ? 0xC0C0C0 : 0;
    }
}

TextExtent MeasureText(const Font& font, std::string_view text) {
    const int advance = static_cast<int>(RoundHalfEven(0.6 * font.size)) + (font.weight >= 600 ? 1 : 0);
    const int line = static_cast<int>(RoundHalfEven(1.6 * font.size));
    TextExtent extent{0, line};
    int width = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c == '\n') {
            extent.height += line;
            width = 0;
        } else if ((c & 0xC0) != 0x80) {  // one per character, not per UTF-8 byte
            width += advance;
            extent.width = std::max(extent.width, width);
        }
    }
    return extent;
}

}  // namespace os
