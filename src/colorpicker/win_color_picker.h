// The colour picker control: a colour field on the left and a brightness bar (PicGrade) on the
// right. Every pick reads the displayed pixel under the pointer, and GotoColor finds a colour by
// scanning the displayed field, so the images, frame lines and marker are part of the behaviour.
#pragma once

#include <cstdint>
#include <functional>

#include "forms/controls.h"
#include "platform/surface.h"
#include "forms/user_control.h"

class WinColorPicker : public os::UserControl {
public:
    // Placed on `host`; whatever size the placement gives, the control takes its own.
    WinColorPicker(os::ControlContainer& host, os::TwipsRect placement);

    // The selected colour, 0x00BBGGRR; 0 until the first pick.
    std::int32_t SelectedColor() const { return mColor; }
    // Moves the marker to the right-most, then top-most, displayed pixel of that colour.
    void GotoColor(const std::int32_t& Source);
    // 64 bands, each darker by 4 a channel, on a surface of Width x Height pixels.
    void Gradient(os::PixelSurface& TheObject, std::int32_t& TheColor, std::int16_t& TopToBottom);
    // Raised after every pick and every successful GotoColor.
    std::function<void()> ColorChanged;

    // The brightness bar; the control's own surface shows the field (Surface()).
    os::PictureBox PicGrade;
    static constexpr float kWidthTwips = 3060;
    static constexpr float kHeightTwips = 2820;

    // Mouse events in pixels of the surface that receives them. Button: 1 left, 2 right.
    void UserControl_MouseDown(std::int16_t Button, std::int16_t Shift, float X, float Y) override;
    void UserControl_MouseMove(std::int16_t Button, std::int16_t Shift, float X, float Y) override;
    void UserControl_MouseUp(std::int16_t Button, std::int16_t Shift, float X, float Y) override;
    void PicGrade_MouseDown(std::int16_t Button, std::int16_t Shift, float X, float Y);
    void PicGrade_MouseMove(std::int16_t Button, std::int16_t Shift, float X, float Y);
    void PicGrade_MouseUp(std::int16_t Button, std::int16_t Shift, float X, float Y);

protected:
    void UserControl_Show() override;
    void UserControl_Resize() override;

private:
    void RedrawField(std::int32_t FieldWidth);
    void DrawGradeFrame();
    void DrawMarker(float X, float Y);
    os::PixelSurface& Field() { return *Surface(); }
    os::PixelSurface& Bar() { return *PicGrade.Surface(); }

    std::int32_t mColor = 0;
    std::int16_t mDragging = 0;  // True is -1
};
