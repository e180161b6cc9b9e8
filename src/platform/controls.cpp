#include "platform/controls.h"

#include "platform/app.h"
#include "platform/form.h"

namespace os {

PictureBox::PictureBox(ControlContainer& parent, ChildDesign design, Scale scale) : design_(design), scale_(scale) {
    parent.AddControl(*this);
}

PictureBox::~PictureBox() = default;

void PictureBox::Create(NativeWindow& parent) { window_ = CreateNativeChild(parent, design_, *this); }

void PictureBox::OnMouse(unsigned message, WPARAM keys, int x, int y) {
    std::int16_t button = 0;
    switch (message) {
    case WM_LBUTTONDOWN: case WM_LBUTTONUP: case WM_LBUTTONDBLCLK: button = 1; break;
    case WM_RBUTTONDOWN: case WM_RBUTTONUP: case WM_RBUTTONDBLCLK: button = 2; break;
    case WM_MBUTTONDOWN: case WM_MBUTTONUP: button = 4; break;
    default:  // a move reports every button held
        button = static_cast<std::int16_t>(((keys & MK_LBUTTON) ? 1 : 0) | ((keys & MK_RBUTTON) ? 2 : 0) |
                                           ((keys & MK_MBUTTON) ? 4 : 0));
    }
    std::int16_t shift = static_cast<std::int16_t>(((keys & MK_SHIFT) ? 1 : 0) | ((keys & MK_CONTROL) ? 2 : 0) |
                                                   ((keys & MK_ALT) ? 4 : 0));
    float fx = static_cast<float>(x);
    float fy = static_cast<float>(y);
    if (scale_ == Scale::Twips) {
        fx *= TwipsPerPixelX();
        fy *= TwipsPerPixelY();
    }
    const MouseHandler* handler = nullptr;
    switch (message) {
    case WM_MOUSEMOVE: handler = &MouseMove; break;
    case WM_LBUTTONDOWN: case WM_RBUTTONDOWN: case WM_MBUTTONDOWN: handler = &MouseDown; break;
    case WM_LBUTTONUP: case WM_RBUTTONUP: case WM_MBUTTONUP: handler = &MouseUp; break;
    default: return;
    }
    if (*handler) (*handler)(button, shift, fx, fy);
}

CheckBox::CheckBox(ControlContainer& parent, Design design)
    : design_(std::move(design)), value_(design_.value), font_(parent.AmbientFont()) {
    parent.AddControl(*this);
}

CheckBox::~CheckBox() = default;

PixelRect CheckBox::Pixels() const {
    return {TwipsToPixelsX(design_.rect.left), TwipsToPixelsY(design_.rect.top), TwipsToPixelsX(design_.rect.width),
            TwipsToPixelsY(design_.rect.height)};
}

void CheckBox::Create(NativeWindow& parent) {
    CheckBoxDesign native;
    native.rect = Pixels();
    native.caption = design_.caption;
    native.value = value_;
    native.alignment = design_.alignment;
    native.backColor = design_.backColor;
    native.foreColor = design_.foreColor;
    native.font = font_;
    native_ = CreateNativeCheckBox(parent, native, *this);
}

void CheckBox::SetValue(int value) {
    if (value != 0 && value != 1) throw InvalidPropertyValue();
    if (value == value_) return;
    value_ = value;
    if (native_) native_->SetValue(value);
    if (Click) Click();
}

void CheckBox::OnUserSetValue(int value) {
    // The desktop shows the new state already; the program hears of it once.
    if (value == value_) return;
    value_ = value;
    if (Click) Click();
}

void CheckBox::SetCaption(const std::string& caption) {
    design_.caption = caption;
    if (native_) native_->SetCaption(caption);
}

void CheckBox::SetAlignment(std::int16_t alignment) {
    design_.alignment = alignment;
    if (native_) native_->SetAlignment(alignment);
}

void CheckBox::SetBackColor(COLORREF color) {
    design_.backColor = color;
    if (native_) native_->SetColors(design_.backColor, design_.foreColor);
}

void CheckBox::SetForeColor(COLORREF color) {
    design_.foreColor = color;
    if (native_) native_->SetColors(design_.backColor, design_.foreColor);
}

void CheckBox::SetFont(const os::Font& font) {
    font_ = font;
    if (native_) native_->SetFont(font);
}

void CheckBox::Move(float left, float top, float width, float height) {
    design_.rect = {left, top, width, height};
    if (native_) native_->SetRect(Pixels());
}

}  // namespace os
