// Controls on a form: child windows created when their form loads and destroyed with it.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <exception>
#include <string>
#include <vector>

#include "forms/namespace.h"
#include "forms/twips.h"
#include "platform/font.h"
#include "platform/native_window.h"

namespace forms {

class Form;

class Control {
public:
    virtual ~Control() = default;
    // For the form layer: the parent window exists now, or is about to go.
    virtual void Create(NativeWindow& parent) = 0;
    virtual void Destroy() = 0;
    // The form holding it became visible.
    virtual void HostShown() {}
    // Where the keyboard focus goes when Tab reaches it; none for a control that takes no focus.
    virtual Hwnd FocusHandle() const { return {}; }
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
    // The first of its controls that takes the focus.
    Hwnd FirstFocusHandle() const {
        for (const Control* control : controls_) {
            if (Hwnd handle = control->FocusHandle()) return handle;
        }
        return {};
    }

private:
    std::vector<Control*> controls_;
};

// The unit of a surface's mouse coordinates.
enum class ScaleMode { Twips, Pixels };

// The mouse as the form layer reports it. Button: on a press or release the button that
// changed, on a move every button held (1 left, 2 right, 4 middle). Shift: 1 Shift, 2 Ctrl, 4 Alt.
struct MouseEvent {
    enum Kind { None, Down, Move, Up } kind = None;  // a double-click reports nothing
    int button = 0;
    int shift = 0;
    float x = 0;
    float y = 0;
};
MouseEvent ReadMouse(const MouseInput& mouse, ScaleMode scale);

// A picture box: a child window whose handle can stand for the form (as a tray icon's owner), and
// which reports the mouse. X and Y are in twips (ScaleMode twips) or in pixels.
class PictureBox final : public Control, private NativeWindowEvents {
public:
    using MouseHandler = std::function<void(int button, int shift, float x, float y)>;

    PictureBox(ControlContainer& parent, ChildDesign design, ScaleMode scale = ScaleMode::Twips);
    ~PictureBox() override;

    Hwnd hWnd() const { return window_ ? window_->Handle() : Hwnd{}; }
    Hwnd FocusHandle() const override { return hWnd(); }
    MouseHandler MouseDown, MouseMove, MouseUp;
    // A left press and release both on the box, or Space or Enter while it has the focus.
    std::function<void()> Click;

    // The colour the box shows where it does not draw; 0x800000nn names a system colour.
    COLORREF BackColor() const { return backColor_; }
    void SetBackColor(COLORREF color);

    // The box draws: its window shows a surface of the box's size in pixels, cleared to
    // `background`. Surface() is that surface, or null for a box that does not draw.
    PixelSurface& MakeSurface(COLORREF background);
    // The box shows the picture at its top-left, on the button face beyond it. The picture must
    // outlive the box.
    void ShowPicture(const Bitmap& picture);
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
    void OnMouse(const MouseInput& mouse) override;
    void OnKey(unsigned virtualKey) override;

    ChildDesign design_;
    ScaleMode scale_;
    COLORREF backColor_ = 0x8000000F;  // the button face until set
    bool pressed_ = false;
    const PointerImage* pointer_ = nullptr;
    std::unique_ptr<PixelSurface> surface_;  // outlives the window that shows it
    std::unique_ptr<NativeWindow> window_;
};

struct InvalidPropertyValue : std::exception {
    const char* what() const noexcept override { return "Invalid property value"; }
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
    Hwnd FocusHandle() const override { return hWnd(); }

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

// Labels, text boxes and command buttons, placed in twips on their container. Each takes the
// container's font unless given its own.
class TextControl : public Control, private NativeControlEvents {
public:
    struct Design {
        TwipsRect rect{};
        std::string text{};
        std::optional<os::Font> font{};  // the container's font when not given
        COLORREF foreColor = 0x80000012;  // the button text colour
        std::string accessibleName{};    // a screen reader's name for it; see ControlDesign
        bool isDefault = false;
        bool isCancel = false;
    };
    ~TextControl() override;

    const std::string& Text() const { return text_; }
    void SetText(const std::string& text);
    const os::Font& Font() const { return font_; }
    Hwnd hWnd() const { return native_ ? native_->Handle() : Hwnd{}; }
    // A button was pressed, by the mouse or the keyboard.
    std::function<void()> Click;

    void Create(NativeWindow& parent) override;
    void Destroy() override { native_.reset(); }

protected:
    TextControl(ControlContainer& parent, ControlKind kind, Design design);

private:
    void OnClicked() override;
    void OnTextEdited(const std::string& text) override { text_ = text; }

    ControlKind kind_;
    Design design_;
    std::string text_;
    os::Font font_;
    std::unique_ptr<NativeControl> native_;
};

class Label final : public TextControl {
public:
    Label(ControlContainer& parent, Design design) : TextControl(parent, ControlKind::Label, std::move(design)) {}
};

class TextBox final : public TextControl {
public:
    TextBox(ControlContainer& parent, Design design) : TextControl(parent, ControlKind::TextBox, std::move(design)) {}
    Hwnd FocusHandle() const override { return hWnd(); }
};

// A label that acts: see ControlKind::Link.
class LinkLabel final : public TextControl {
public:
    LinkLabel(ControlContainer& parent, Design design) : TextControl(parent, ControlKind::Link, std::move(design)) {}
    Hwnd FocusHandle() const override { return hWnd(); }
};

class CommandButton final : public TextControl {
public:
    CommandButton(ControlContainer& parent, Design design)
        : TextControl(parent, ControlKind::Button, std::move(design)) {}
    Hwnd FocusHandle() const override { return hWnd(); }
};

}  // namespace forms
