// The colour picker control: a colour field on the left and a brightness bar on the right. Every
// pick reads the displayed pixel under the pointer, and GoToColor finds a colour by scanning the
// displayed field, so the images, frame lines and marker are part of the behaviour.
#pragma once

#include <cstdint>
#include <functional>

#include "forms/controls.h"
#include "forms/user_control.h"
#include "platform/surface.h"

class ColorPicker : public forms::UserControl {
public:
    // Placed on `host`; whatever size the placement gives, the control takes its own.
    ColorPicker(forms::ControlContainer& host, forms::TwipsRect placement);

    // The selected colour, 0x00BBGGRR; 0 until the first pick.
    std::int32_t SelectedColor() const { return color_; }
    // Moves the marker to the right-most, then top-most, displayed pixel of that colour; nothing
    // happens when the field shows no such pixel.
    void GoToColor(std::int32_t color);
    // 64 bands, each darker by 4 a channel, from the top or from the bottom of the surface.
    void DrawGradient(os::PixelSurface& surface, std::int32_t color, bool topToBottom);
    // Raised after every pick and every successful GoToColor.
    std::function<void()> ColorChanged;

    // The brightness bar; the control's own surface shows the field (Surface()).
    forms::PictureBox bar;
    static constexpr float kWidthTwips = 3060;
    static constexpr float kHeightTwips = 2820;

    // Mouse events in pixels of the surface that receives them. Button: 1 left, 2 right.
    void OnMouseDown(int button, int shift, float x, float y) override;
    void OnMouseMove(int button, int shift, float x, float y) override;
    void OnMouseUp(int button, int shift, float x, float y) override;
    void OnBarMouseDown(int button, int shift, float x, float y);
    void OnBarMouseMove(int button, int shift, float x, float y);
    void OnBarMouseUp(int button, int shift, float x, float y);

protected:
    void OnShow() override;
    void OnResize() override;

private:
    void RedrawField(int width);
    void DrawBarFrame();
    void DrawMarker(float x, float y);
    os::PixelSurface& Field() { return *Surface(); }
    os::PixelSurface& Bar() { return *bar.Surface(); }

    std::int32_t color_ = 0;
    bool dragging_ = false;
};
