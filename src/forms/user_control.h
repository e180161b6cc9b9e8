// User controls: a control made of a surface and constituent controls, hosted on a form. The host
// runs its events in this order: OnInitialize when the instance is created, then
// OnReadProperties (an instance saved in the form description) or
// OnInitProperties (a new instance placed by a designer), then OnResize;
// OnShow each time the form becomes visible; OnWriteProperties when the host
// saves the instance.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "forms/namespace.h"
#include "forms/controls.h"
#include "platform/font.h"
#include "forms/property_bag.h"

namespace forms {

class UserControl : public Control, public ControlContainer, private NativeWindowEvents {
public:
    // Placed on `host` at `placement`. A saved instance's extent entries ("_ExtentX", "_ExtentY",
    // hundredths of a millimetre) give its size; without them the placement's size stands.
    UserControl(ControlContainer& host, TwipsRect placement, std::optional<PropertyBag> saved);
    ~UserControl() override;

    // Told whenever the control reports a change of a saved property ("" when it names none).
    std::function<void(const std::string& name)> OnPropertyChanged;

    // The host saves the instance: OnWriteProperties into a fresh bag, then the extent.
    PropertyBag SaveProperties();

    // The surface, on the host, in twips.
    float Left() const { return rect_.left; }
    float Top() const { return rect_.top; }
    float Width() const { return rect_.width; }
    float Height() const { return rect_.height; }
    Hwnd hWnd() const { return window_ ? window_->Handle() : Hwnd{}; }
    // What the control's window shows, if it draws (see MakeSurface).
    PixelSurface* Surface() const { return drawing_.get(); }

    void Create(NativeWindow& parent) override;
    void Destroy() override;
    void HostShown() override { OnShow(); }
    Hwnd FocusHandle() const override { return FirstFocusHandle(); }

    // The font of the surface: what TextWidth and TextHeight measure with, and the ambient font of
    // the constituent controls.
    os::Font AmbientFont() const override { return font_; }

protected:
    virtual void OnInitialize() {}
    virtual void OnInitProperties() {}
    virtual void OnReadProperties(PropertyBag& bag) { (void)bag; }
    virtual void OnWriteProperties(PropertyBag& bag) { (void)bag; }
    virtual void OnResize() {}
    virtual void OnShow() {}
    // The mouse on the control's own surface, in its scale mode (see controls.h for the arguments).
    // A surface keeps the mouse while a button is held, so a drag reports beyond its edges.
    virtual void OnMouseDown(int button, int shift, float x, float y) { (void)button, (void)shift, (void)x, (void)y; }
    virtual void OnMouseMove(int button, int shift, float x, float y) { (void)button, (void)shift, (void)x, (void)y; }
    virtual void OnMouseUp(int button, int shift, float x, float y) { (void)button, (void)shift, (void)x, (void)y; }

    void SetScaleMode(ScaleMode scale) { scale_ = scale; }
    // The control draws: its window shows this surface of width x height pixels at its top-left.
    PixelSurface& MakeSurface(int width, int height, COLORREF background);

    // The surface's size, set by the control itself; a change runs OnResize.
    void SetWidth(float twips);
    void SetHeight(float twips);
    void SetSurfaceFont(const os::Font& font) { font_ = font; }
    // Width and height, in twips, of a text drawn in the surface's font.
    float TextWidth(std::string_view text) const;
    float TextHeight(std::string_view text) const;
    // What the form that hosts the control offers it: its font.
    struct AmbientProperties {
        os::Font Font;
    };
    AmbientProperties Ambient() const { return {host_.AmbientFont()}; }
    // Tells the host that a saved property changed.
    void PropertyChanged(const std::string& name = std::string());

private:
    void OnSizeChanged() override;
    void OnActivated() override {}
    void OnCloseRequest(CloseReason) override {}
    void OnMouse(const MouseInput& mouse) override;
    PixelRect Pixels() const;

    ControlContainer& host_;
    TwipsRect rect_;
    std::optional<PropertyBag> saved_;
    os::Font font_;
    ScaleMode scale_ = ScaleMode::Twips;
    std::unique_ptr<PixelSurface> drawing_;  // outlives the window that shows it
    std::unique_ptr<NativeWindow> window_;
};

}  // namespace forms
