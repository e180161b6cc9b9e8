// Controls on a form: child windows created when their form loads and destroyed with it.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "platform/native_window.h"

namespace os {

class Form;

class Control {
public:
    virtual ~Control() = default;
    // For the form layer: the parent window exists now, or is about to go.
    virtual void Create(NativeWindow& parent) = 0;
    virtual void Destroy() = 0;
};

// A picture box: a child window whose handle can stand for the form (as a tray icon's owner), and
// which reports the mouse. X and Y are in twips (ScaleMode twips) or in pixels.
class PictureBox final : public Control, private NativeWindowEvents {
public:
    enum class Scale { Twips, Pixels };
    // Button: 1 left, 2 right, 4 middle. Shift: 1 Shift, 2 Ctrl, 4 Alt.
    using MouseHandler = std::function<void(std::int16_t& button, std::int16_t& shift, float& x, float& y)>;

    PictureBox(Form& parent, ChildDesign design, Scale scale = Scale::Twips);
    ~PictureBox() override;

    Hwnd hWnd() const { return window_ ? window_->Handle() : Hwnd{}; }
    MouseHandler MouseDown, MouseMove, MouseUp;

    void Create(NativeWindow& parent) override;
    void Destroy() override { window_.reset(); }

private:
    void OnSizeChanged() override {}
    void OnActivated() override {}
    void OnCloseRequest(int) override {}
    void OnMouse(unsigned message, WPARAM keys, int x, int y) override;

    ChildDesign design_;
    Scale scale_;
    std::unique_ptr<NativeWindow> window_;
};

}  // namespace os
