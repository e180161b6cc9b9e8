#include "forms/controls.h"

#include "platform/app.h"
#include "forms/twips.h"
#include "platform/system_colors.h"

#include <utility>

namespace forms {

namespace {
int ButtonBit(MouseButton button) {
    switch (button) {
    case MouseButton::Left: return 1;
    case MouseButton::Right: return 2;
    case MouseButton::Middle: return 4;
    case MouseButton::NoButton: break;
    }
    return 0;
}
}  // namespace

MouseEvent ReadMouse(const MouseInput& mouse, ScaleMode scale) {
    MouseEvent event;
    switch (mouse.action) {
    case MouseAction::Move:
        event.kind = MouseEvent::Move;
        event.button = (mouse.leftHeld ? 1 : 0) | (mouse.rightHeld ? 2 : 0) | (mouse.middleHeld ? 4 : 0);
        break;
    case MouseAction::Press:
    case MouseAction::Release:
        event.button = ButtonBit(mouse.button);
        if (event.button == 0) return event;
        event.kind = mouse.action == MouseAction::Press ? MouseEvent::Down : MouseEvent::Up;
        break;
    case MouseAction::DoubleClick:
        return event;
    }
    event.shift = (mouse.shiftHeld ? 1 : 0) | (mouse.controlHeld ? 2 : 0) | (mouse.altHeld ? 4 : 0);
    event.x = static_cast<float>(mouse.x);
    event.y = static_cast<float>(mouse.y);
    if (scale == ScaleMode::Twips) {
        event.x *= TwipsPerPixelX();
        event.y *= TwipsPerPixelY();
    }
    return event;
}

PictureBox::PictureBox(ControlContainer& parent, ChildDesign design, ScaleMode scale) : design_(design), scale_(scale) {
    parent.AddControl(*this);
}

PictureBox::~PictureBox() = default;

void PictureBox::Create(NativeWindow& parent) {
    window_ = CreateNativeChild(parent, design_, *this);
    window_->SetBackColor(backColor_);
    if (surface_) window_->ShowSurface(*surface_);
    if (pointer_) window_->SetPointer(*pointer_);
}

PixelSurface& PictureBox::MakeSurface(COLORREF background) {
    surface_ = std::make_unique<PixelSurface>(design_.rect.width, design_.rect.height, background);
    if (window_) window_->ShowSurface(*surface_);
    return *surface_;
}

void PictureBox::ShowPicture(const Bitmap& picture) {
    PixelSurface& surface = MakeSurface(ResolveColor(kButtonFace));
    surface.SetPicture(&picture);
    surface.Clear();
}

void PictureBox::SetMouseIcon(const PointerImage& pointer) {
    pointer_ = &pointer;
    if (window_) window_->SetPointer(pointer);
}

float PictureBox::ScaleWidth() const {
    const auto w = static_cast<float>(design_.rect.width);
    return scale_ == ScaleMode::Twips ? w * TwipsPerPixelX() : w;
}

float PictureBox::ScaleHeight() const {
    const auto h = static_cast<float>(design_.rect.height);
    return scale_ == ScaleMode::Twips ? h * TwipsPerPixelY() : h;
}

void PictureBox::OnKey(unsigned virtualKey) {
    if ((virtualKey == VK_SPACE || virtualKey == VK_RETURN) && Click) Click();
}

void PictureBox::SetBackColor(COLORREF color) {
    backColor_ = color;
    if (window_) window_->SetBackColor(color);
}

void PictureBox::OnMouse(const MouseInput& mouse) {
    const bool left = mouse.button == MouseButton::Left;
    if (left && mouse.action == MouseAction::Press) pressed_ = true;
    const bool clicked = left && mouse.action == MouseAction::Release && std::exchange(pressed_, false) && mouse.x >= 0 &&
                         mouse.y >= 0 && mouse.x < design_.rect.width && mouse.y < design_.rect.height;
    const MouseEvent e = ReadMouse(mouse, scale_);
    const MouseHandler* handler = e.kind == MouseEvent::Down   ? &MouseDown
                                  : e.kind == MouseEvent::Move ? &MouseMove
                                  : e.kind == MouseEvent::Up   ? &MouseUp
                                                               : nullptr;
    if (handler && *handler) (*handler)(e.button, e.shift, e.x, e.y);
    if (clicked && Click) Click();
}

CheckBox::CheckBox(ControlContainer& parent, Design design)
    : design_(std::move(design)), value_(design_.value), font_(parent.AmbientFont()) {
    parent.AddControl(*this);
}

CheckBox::~CheckBox() = default;

PixelRect CheckBox::Pixels() const { return TwipsToPixels(design_.rect); }

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

TextControl::TextControl(ControlContainer& parent, ControlKind kind, Design design)
    : kind_(kind), design_(std::move(design)), text_(design_.text), font_(design_.font.value_or(parent.AmbientFont())) {
    parent.AddControl(*this);
}

TextControl::~TextControl() = default;

void TextControl::Create(NativeWindow& parent) {
    ControlDesign native;
    native.kind = kind_;
    native.rect = TwipsToPixels(design_.rect);
    native.text = text_;
    native.font = font_;
    native.foreColor = design_.foreColor;
    native.accessibleName = design_.accessibleName;
    native.isDefault = design_.isDefault;
    native.isCancel = design_.isCancel;
    native_ = CreateNativeControl(parent, native, *this);
}

void TextControl::SetText(const std::string& text) {
    text_ = text;
    if (native_) native_->SetText(text);
}

void TextControl::OnClicked() {
    if (Click) Click();
}

}  // namespace forms
