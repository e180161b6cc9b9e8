// Controls on a form: child windows created when their form loads and destroyed with it.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/font.h"
#include "platform/native_window.h"

namespace os {

class Form;

class Control {
public:
    virtual ~Control() = default;
    // For the form layer: the parent window exists now, or is about to go.
    virtual void Create(NativeWindow& parent) = 0;
    virtual void Destroy() = 0;
    // The form holding it became visible.
    virtual void HostShown() {}
};

// What holds controls: a form, or a user control's surface.
class ControlContainer {
public:
    virtual ~ControlContainer() = default;
    void AddControl(Control& control) { controls_.push_back(&control); }
    // The font of the container, which a control placed on it takes as its ambient font.
    virtual Font AmbientFont() const = 0;

protected:
    void CreateControls(NativeWindow& window) {
        for (Control* control : controls_) control->Create(window);
    }
    void DestroyControls() {
        for (Control* control : controls_) control->Destroy();
    }
    void ShowControls() {
        for (Control* control : controls_) control->HostShown();
    }

private:
    std::vector<Control*> controls_;
};

// The unit of a surface's mouse coordinates.
enum class ScaleMode { Twips, Pixels };

// A mouse message as the form layer reports it. Button: on a press or release the button that
// changed, on a move every button held (1 left, 2 right, 4 middle). Shift: 1 Shift, 2 Ctrl, 4 Alt.
struct MouseEvent {
    enum Kind { None, Down, Move, Up } kind = None;  // a double-click reports nothing
    int button = 0;
    int shift = 0;
    float x = 0;
    float y = 0;
};
MouseEvent ReadMouse(unsigned message, WPARAM keys, int x, int y, ScaleMode scale);

// A picture box: a child window whose handle can stand for the form (as a tray icon's owner), and
// which reports the mouse. X and Y are in twips (ScaleMode twips) or in pixels.
class PictureBox final : public Control, private NativeWindowEvents {
public:
    using MouseHandler = std::function<void(int button, int shift, float x, float y)>;

    PictureBox(ControlContainer& parent, ChildDesign design, ScaleMode scale = ScaleMode::Twips);
    ~PictureBox() override;

    Hwnd hWnd() const { return window_ ? window_->Handle() : Hwnd{}; }
    MouseHandler MouseDown, MouseMove, MouseUp;

    // The box draws: its window shows a surface of the box's size in pixels, cleared to
    // `background`. Surface() is that surface, or null for a box that does not draw.
    PixelSurface& MakeSurface(COLORREF background);
    PixelSurface* Surface() const { return surface_.get(); }
    // The pointer while the mouse is over the box.
    void SetMouseIcon(const PointerImage& pointer);
    // Scale width and height: the box's size in its scale mode.
    float ScaleWidth() const;
    float ScaleHeight() const;

    void Create(NativeWindow& parent) override;
    void Destroy() override { window_.reset(); }

private:
    void OnSizeChanged() override {}
    void OnActivated() override {}
    void OnCloseRequest(CloseReason) override {}
    void OnMouse(unsigned message, WPARAM keys, int x, int y) override;

    ChildDesign design_;
    ScaleMode scale_;
    const PointerImage* pointer_ = nullptr;
    std::unique_ptr<PixelSurface> surface_;  // outlives the window that shows it
    std::unique_ptr<NativeWindow> window_;
};

struct InvalidPropertyValue : std::invalid_argument {
    InvalidPropertyValue() : std::invalid_argument("Invalid property value") {}
};

// Where a control sits on its container, in twips.
struct TwipsRect {
    float left = 0;
    float top = 0;
    float width = 0;
    float height = 0;
};

// A check box: Value 0 (clear) or 1 (set). Click runs on every change of Value, whether the user
// made it or the program, and never when Value is set to the state it already has.
class CheckBox final : public Control, private NativeCheckBoxEvents {
public:
    struct Design {
        TwipsRect rect;
        std::string caption;
        int value = 0;
        std::int16_t alignment = 0;
        COLORREF backColor = 0x8000000F;  // the button face colour
        COLORREF foreColor = 0x80000012;  // the button text colour
        int tabIndex = 0;
    };

    CheckBox(ControlContainer& parent, Design design);
    ~CheckBox() override;

    std::function<void()> Click;

    int Value() const { return value_; }
    // Raises InvalidPropertyValue for anything but 0 and 1, and changes nothing then.
    void SetValue(int value);
    const std::string& Caption() const { return design_.caption; }
    void SetCaption(const std::string& caption);
    // 1: the box at the right of the caption; any other value keeps the box at the left.
    std::int16_t Alignment() const { return design_.alignment; }
    void SetAlignment(std::int16_t alignment);
    COLORREF BackColor() const { return design_.backColor; }
    void SetBackColor(COLORREF color);
    COLORREF ForeColor() const { return design_.foreColor; }
    void SetForeColor(COLORREF color);
    const os::Font& Font() const { return font_; }
    void SetFont(const os::Font& font);
    int TabIndex() const { return design_.tabIndex; }

    // Place and size in twips, on the container.
    float Left() const { return design_.rect.left; }
    float Top() const { return design_.rect.top; }
    float Width() const { return design_.rect.width; }
    float Height() const { return design_.rect.height; }
    void Move(float left, float top, float width, float height);

    Hwnd hWnd() const { return native_ ? native_->Handle() : Hwnd{}; }

    void Create(NativeWindow& parent) override;
    void Destroy() override { native_.reset(); }

private:
    void OnUserSetValue(int value) override;
    PixelRect Pixels() const;

    Design design_;
    int value_;
    os::Font font_;
    std::unique_ptr<NativeCheckBox> native_;
};

}  // namespace os
