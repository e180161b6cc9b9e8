#include "platform/controls.h"

#include "platform/app.h"
#include "platform/form.h"

namespace os {

PictureBox::PictureBox(Form& parent, ChildDesign design, Scale scale) : design_(design), scale_(scale) {
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

}  // namespace os
