// Windows on the in-memory desktop: forms and their children keep their state where a test can
// read it, and the user's actions on them (drags, the close button, the mouse) arrive as the
// desktop would send them.
#include <algorithm>
#include <cctype>
#include <cstdint>
#include <map>
#include <optional>
#include <utility>

#include "platform/headless/desktop.h"
#include "platform/headless/headless.h"
#include "platform/mouse_message.h"
#include "platform/system_colors.h"

namespace headless {
namespace {

// Tool-window frame around the client area.
constexpr int kBorder = 4;
constexpr int kCaption = 18;

class HeadlessWindow;

// The program's windows, forms and children, by handle. Never destroyed: a window still open at
// the end of the process (a test's own, say) may take itself off after the statics are gone.
std::map<os::Hwnd, HeadlessWindow*>& Table() {
    static auto* table = new std::map<os::Hwnd, HeadlessWindow*>;
    return *table;
}

os::Hwnd AddWindow(HeadlessWindow& window) {
    static std::uintptr_t nextHandle = 0x10000;
    nextHandle += 0x10;  // never reused, so a stale handle finds nothing
    const auto handle = reinterpret_cast<os::Hwnd>(nextHandle);
    Table()[handle] = &window;
    return handle;
}

HeadlessWindow* Find(os::Hwnd handle) {
    const auto it = Table().find(handle);
    return it == Table().end() ? nullptr : it->second;
}

class HeadlessWindow final : public os::NativeWindow {
public:
    // A child window: its frame is in its parent's client pixels.
    HeadlessWindow(const os::ChildDesign& design, os::NativeWindowEvents& events) : events_(events) {
        state_.kind = os::WindowKind::Hidden;
        state_.visible = design.visible;
        state_.frame = design.rect;
        state_.backColor = 0x8000000F;  // the button face, as a child window's class paints it
        state_.border = design.border;
        state_.toolTip = design.toolTip;
        state_.accessibleName = design.accessibleName;
        state_.focusFrame = design.focusFrame;
        handle_ = AddWindow(*this);
    }
    HeadlessWindow(const os::WindowDesign& design, os::NativeWindowEvents& events) : events_(events) {
        state_.kind = design.kind;
        state_.caption = design.caption;
        state_.backColor = design.backColor;
        state_.accessibleName = design.accessibleName;
        state_.accessibleDescription = design.accessibleDescription;
        const int cascade = 26 * (D().placed++ % 8);
        state_.frame = {120 + cascade, 90 + cascade, design.clientWidth + 2 * kBorder,
                        design.clientHeight + 2 * kBorder + kCaption};
        handle_ = AddWindow(*this);
    }
    ~HeadlessWindow() override {
        if (surface_) surface_->Changed = nullptr;
        Table().erase(handle_);
    }

    os::Hwnd Handle() const override { return handle_; }
    void SetVisible(bool visible) override {
        state_.visible = visible;
        // A dialog shown is activated at once, before the call returns, as Windows does it.
        const bool dialog = state_.kind == os::WindowKind::Dialog || state_.kind == os::WindowKind::DialogNoTaskbar;
        if (visible && dialog) BringForward();
    }
    void BringForward() override { Activate(true); }
    // The one active window of the desktop: becoming it is an activation when the program asked
    // for it or another of its windows was active (the person coming back from another program
    // is not one).
    void Activate(bool byProgram) {
        for (const auto& [other, window] : Table()) {
            if (window != this) window->state_.active = false;
        }
        const bool fromAnotherProgram = std::exchange(headless::D().anotherProgramActive, false);
        if (!std::exchange(state_.active, true) && (byProgram || !fromAnotherProgram)) events_.OnActivated();
    }
    void Deactivate() { state_.active = false; }
    void SetTabOrder(const std::vector<os::Hwnd>& order) override { state_.tabOrder = order; }
    void Key(unsigned virtualKey) { events_.OnKey(virtualKey); }
    void SetFocus(os::Hwnd control) override { state_.focus = control; }
    os::PixelRect FrameRect() const override { return state_.frame; }
    void SetFrameRect(const os::PixelRect& rect) override {
        const bool resized = rect.width != state_.frame.width || rect.height != state_.frame.height;
        state_.frame = rect;
        if (resized) events_.OnSizeChanged();  // reported at once, as Windows sends WM_SIZE
    }
    void SetBackColor(os::COLORREF color) override { state_.backColor = color; }
    void SetTopmost() override { state_.topmost = true; }
    void SetOpacity(unsigned char alpha) override { state_.opacity = alpha; }
    void ShowSurface(os::PixelSurface& surface) override {
        surface_ = &surface;
        state_.surface = &surface;
        surface.Changed = [this](const os::PixelRect& changed) { repaints_.push_back(changed); };
        repaints_.push_back({0, 0, surface.Width(), surface.Height()});
    }
    void SetPointer(const os::PointerImage& pointer) override { state_.pointer = &pointer; }

    os::NativeWindowEvents& Events() const { return events_; }
    const WindowState& State() const { return state_; }
    std::vector<os::PixelRect> TakeRepaints() { return std::exchange(repaints_, {}); }

private:
    os::PixelSurface* surface_ = nullptr;
    std::vector<os::PixelRect> repaints_;
    os::NativeWindowEvents& events_;
    os::Hwnd handle_{};
    WindowState state_;
};

void KeyOnChild(os::Hwnd child, unsigned virtualKey) {
    if (HeadlessWindow* window = Find(child)) window->Key(virtualKey);
}

}  // namespace

const WindowState* Window(os::Hwnd handle) {
    const HeadlessWindow* window = Find(handle);
    return window ? &window->State() : nullptr;
}

os::NativeWindowEvents* WindowEvents(os::Hwnd handle) {
    HeadlessWindow* window = Find(handle);
    return window ? &window->Events() : nullptr;
}

std::vector<os::Hwnd> Windows() {
    std::vector<os::Hwnd> handles;
    for (const auto& [handle, window] : Table()) handles.push_back(handle);
    return handles;
}

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
    Run([&] {
        if (os::NativeWindowEvents* events = WindowEvents(handle)) events->OnCloseRequest(os::CloseReason::User);
    });
}

void EndSession() {
    // Every window the session end finds, each asked only while it still exists: an unload may
    // take others with it.
    Run([] {
        for (os::Hwnd handle : Windows()) {
            if (os::NativeWindowEvents* events = WindowEvents(handle)) events->OnCloseRequest(os::CloseReason::SessionEnd);
        }
    });
}

os::COLORREF ShownPixel(os::Hwnd handle, int x, int y) {
    const WindowState* window = Window(handle);
    if (!window) return os::CLR_INVALID;
    if (window->surface && window->surface->Pixel(x, y) != os::CLR_INVALID) return window->surface->Pixel(x, y);
    return os::ResolveColor(window->backColor);
}

void PressKey(os::Hwnd handle, const os::KeyInput& key) {
    Run([&] {
        HeadlessWindow* window = Find(handle);
        if (!window) return;
        // The window itself hears what no control takes; it may unload its form and go.
        const unsigned virtualKey = key.virtualKey;
        if (key.shiftHeld || key.controlHeld || key.altHeld) {
            window->Events().OnKeyPressed(key);
            return;
        }
        const WindowState& state = window->State();
        const os::Hwnd focus = state.focus;
        switch (virtualKey) {
        case os::VK_TAB: {
            const std::vector<os::Hwnd>& order = state.tabOrder;
            if (order.empty()) return;
            auto at = std::find(order.begin(), order.end(), focus);
            window->SetFocus(at == order.end() || at + 1 == order.end() ? order.front() : *(at + 1));
            break;
        }
        case os::VK_SPACE:
            if (!PressControl(focus)) KeyOnChild(focus, virtualKey);
            break;
        case os::VK_RETURN:
            // A focused button or link takes it, else the default button, else a focused child.
            if (Control(focus) && Control(focus)->kind != os::ControlKind::Label && Control(focus)->kind != os::ControlKind::TextBox) {
                PressControl(focus);
            } else if (const os::Hwnd button = SpecialButton(handle, false)) {
                PressControl(button);
            } else {
                KeyOnChild(focus, virtualKey);
            }
            break;
        case os::VK_ESCAPE:
            if (const os::Hwnd button = SpecialButton(handle, true)) {
                PressControl(button);
            } else {
                window->Events().OnKeyPressed(key);
            }
            break;
        default: window->Events().OnKeyPressed(key); break;
        }
    });
}

void PressShiftTab(os::Hwnd handle) {
    Run([&] {
        HeadlessWindow* window = Find(handle);
        if (!window || window->State().tabOrder.empty()) return;
        const std::vector<os::Hwnd>& order = window->State().tabOrder;
        auto at = std::find(order.begin(), order.end(), window->State().focus);
        window->SetFocus(at == order.end() || at == order.begin() ? order.back() : *(at - 1));
    });
}

void PressAccessKey(os::Hwnd handle, char letter) {
    Run([&] {
        for (os::Hwnd child : ControlsOf(handle)) {
            const ControlState* c = Control(child);
            if (c->kind != os::ControlKind::Button) continue;
            for (std::size_t i = 0; i + 1 < c->text.size(); ++i) {
                if (c->text[i] != '&') continue;
                if (c->text[i + 1] == '&') {
                    ++i;
                } else if (std::toupper(static_cast<unsigned char>(c->text[i + 1])) == std::toupper(static_cast<unsigned char>(letter))) {
                    PressControl(child);
                    return;
                }
            }
        }
    });
}

void Activate(os::Hwnd handle) {
    Run([&] {
        if (HeadlessWindow* window = Find(handle)) window->Activate(false);
    });
}

void ActivateAnotherProgram() {
    for (const auto& [handle, window] : Table()) window->Deactivate();
    D().anotherProgramActive = true;
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
    const std::optional<os::MouseInput> mouse = os::ReadMouseMessage(message, held | keys, x, y);
    Run([&] {
        os::NativeWindowEvents* events = WindowEvents(handle);
        if (events && mouse) events->OnMouse(*mouse);
    });
}

}  // namespace headless

namespace os {

std::unique_ptr<NativeWindow> CreateNativeWindow(const WindowDesign& design, NativeWindowEvents& events) {
    return std::make_unique<headless::HeadlessWindow>(design, events);
}

std::unique_ptr<NativeWindow> CreateNativeChild(NativeWindow&, const ChildDesign& design, NativeWindowEvents& events) {
    return std::make_unique<headless::HeadlessWindow>(design, events);
}

}  // namespace os
