// Labels, text boxes and buttons on the in-memory desktop: each keeps what it shows where a test
// can read it, and takes the user's typing and clicks.
#include <algorithm>

#include "platform/headless/desktop.h"
#include "platform/headless/headless.h"

namespace headless {

class HeadlessControl final : public os::NativeControl {
public:
    HeadlessControl(os::NativeWindow& parent, const os::ControlDesign& design, os::NativeControlEvents& events)
        : events_(events) {
        state_ = {design.kind, design.rect, design.text, design.font, design.foreColor, design.accessibleName,
                  design.isDefault, design.isCancel, parent.Handle()};
        D().nextCheckBox += 0x10;  // one sequence of handles for every kind of control
        handle_ = reinterpret_cast<os::Hwnd>(D().nextCheckBox);
        D().controls[handle_] = this;
        D().controlOrder.push_back(handle_);
    }
    ~HeadlessControl() override {
        D().controls.erase(handle_);
        std::erase(D().controlOrder, handle_);
    }

    os::Hwnd Handle() const override { return handle_; }
    void SetText(const std::string& text) override { state_.text = text; }

    void Type(const std::string& text) {
        state_.text = text;
        events_.OnTextEdited(text);
    }
    void Press() { events_.OnClicked(); }
    const ControlState& State() const { return state_; }

private:
    os::NativeControlEvents& events_;
    os::Hwnd handle_{};
    ControlState state_;
};

namespace {
HeadlessControl* Find(os::Hwnd handle) {
    auto it = D().controls.find(handle);
    return it == D().controls.end() ? nullptr : it->second;
}
}  // namespace

bool PressControl(os::Hwnd control) {
    if (HeadlessControl* c = Find(control); c && (c->State().kind == os::ControlKind::Button || c->State().kind == os::ControlKind::Link)) {
        c->Press();
        return true;
    }
    if (CheckBox(control)) {
        ClickCheckBox(control);
        return true;
    }
    return false;
}

os::Hwnd SpecialButton(os::Hwnd window, bool cancel) {
    for (os::Hwnd handle : D().controlOrder) {
        const ControlState& c = Find(handle)->State();
        if (c.parent == window && c.kind == os::ControlKind::Button && (cancel ? c.isCancel : c.isDefault)) return handle;
    }
    return {};
}

const ControlState* Control(os::Hwnd handle) {
    const HeadlessControl* control = Find(handle);
    return control ? &control->State() : nullptr;
}

std::vector<os::Hwnd> ControlsOf(os::Hwnd parent) {
    std::vector<os::Hwnd> found;
    for (os::Hwnd handle : D().controlOrder) {
        if (Find(handle)->State().parent == parent) found.push_back(handle);
    }
    return found;
}

void TypeText(os::Hwnd textBox, const std::string& text) {
    Run([&] {
        if (HeadlessControl* c = Find(textBox); c && c->State().kind == os::ControlKind::TextBox) c->Type(text);
    });
}

void ClickButton(os::Hwnd button) {
    Run([&] {
        if (HeadlessControl* c = Find(button); c && c->State().kind != os::ControlKind::TextBox) c->Press();
    });
}

}  // namespace headless

namespace os {

std::unique_ptr<NativeControl> CreateNativeControl(NativeWindow& parent, const ControlDesign& design,
                                                   NativeControlEvents& events) {
    return std::make_unique<headless::HeadlessControl>(parent, design, events);
}

}  // namespace os
