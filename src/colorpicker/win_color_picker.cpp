#include "colorpicker/win_color_picker.h"

#include "colorpicker/picker_images.h"
#include "forms/conversions.h"
#include "forms/form.h"

namespace {
constexpr std::int16_t kTrue = -1;
constexpr os::COLORREF kGrey = 0xA0A0A0;
constexpr os::COLORREF kWhite = 0xFFFFFF;
constexpr os::COLORREF kButtonFace = 0xF0F0F0;  // around the field, right of it
constexpr int kSurfaceWidth = 204;  // pixels at 15 twips a pixel
constexpr int kSurfaceHeight = 188;
constexpr int kBarWidth = 20;
constexpr std::int32_t kField = 177;

int Nearest(double v) { return os::CLng(v); }

// The sunken frame: grey at the top and left, white at the right and bottom.
void SunkenFrame(os::PixelSurface& s, int width, int height) {
    s.Line(0, 0, width - 1, 0, kGrey);
    s.Line(0, 0, 0, height - 1, kGrey);
    s.Line(width - 1, 0, width - 1, height, kWhite);
    s.Line(0, height - 1, width, height - 1, kWhite);
}
}  // namespace

WinColorPicker::WinColorPicker(os::ControlContainer& host, os::TwipsRect placement)
    : UserControl(host, placement, std::nullopt),
      PicGrade(*this, {{os::TwipsToPixelsX(2715), 0, kBarWidth, kSurfaceHeight}, true}, os::ScaleMode::Pixels) {
    SetScaleMode(os::ScaleMode::Pixels);
    os::PixelSurface& field = MakeSurface(kSurfaceWidth, kSurfaceHeight, kButtonFace);
    field.SetPicture(&picker_images::ColorField());
    field.Clear();
    PicGrade.MakeSurface(kWhite);
    PicGrade.SetMouseIcon(picker_images::Eyedropper());
    PicGrade.MouseDown = [this](std::int16_t& b, std::int16_t& s, float& x, float& y) { PicGrade_MouseDown(b, s, x, y); };
    PicGrade.MouseMove = [this](std::int16_t& b, std::int16_t& s, float& x, float& y) { PicGrade_MouseMove(b, s, x, y); };
    PicGrade.MouseUp = [this](std::int16_t& b, std::int16_t& s, float& x, float& y) { PicGrade_MouseUp(b, s, x, y); };
}

void WinColorPicker::RedrawField(std::int32_t FieldWidth) {
    Field().Clear();
    SunkenFrame(Field(), FieldWidth, Field().Height());
}

void WinColorPicker::DrawGradeFrame() { SunkenFrame(Bar(), Bar().Width(), Bar().Height()); }

void WinColorPicker::Gradient(os::PixelSurface& TheObject, std::int32_t& TheColor, std::int16_t& TopToBottom) {
    const double h = TheObject.Height(), w = TheObject.Width();
    const std::int16_t step = os::CInt(h / 48);
    std::int16_t y1 = TopToBottom == kTrue ? 0 : os::CInt(h - step);
    const std::int16_t x1 = 0, x2 = os::CInt(w);
    std::int16_t y2 = os::CInt(step / 4.0 + y1);
    std::int16_t r = static_cast<std::int16_t>(TheColor & 255);
    std::int16_t g = static_cast<std::int16_t>((TheColor / 256) & 255);
    std::int16_t b = static_cast<std::int16_t>((TheColor / 65536) & 255);
    for (int band = 0; band <= 63; ++band) {
        TheObject.FillRect(x1, y1, x2, y2, static_cast<os::COLORREF>(r + 256 * g + 65536 * b));
        r = static_cast<std::int16_t>(r - 4 > 0 ? r - 4 : 0);
        g = static_cast<std::int16_t>(g - 4 > 0 ? g - 4 : 0);
        b = static_cast<std::int16_t>(b - 4 > 0 ? b - 4 : 0);
        y1 = TopToBottom == kTrue ? y2 : os::CInt(y1 - step);
        y2 = os::CInt(y1 + step);
    }
    DrawGradeFrame();
}

void WinColorPicker::DrawMarker(float X, float Y) {
    Field().KeyedCopy(picker_images::Marker(), Nearest(X - 19 + 9.5), Nearest(Y - 19 + 9.5), picker_images::kMarkerKey);
}

void WinColorPicker::GotoColor(const std::int32_t& Source) {
    int fx = 0, fy = 0;
    const os::PixelSurface& field = Field();
    for (int x = 1; x <= 176; ++x) {
        for (int y = 1; y <= 187; ++y) {
            if (static_cast<std::int32_t>(field.Pixel(x, y)) == Source) {
                mColor = Source;
                fx = x, fy = y;
                break;  // the column's top-most match; the next column may hold one further right
            }
        }
    }
    if (fx > 0 && fy > 0) {
        RedrawField(kField);
        DrawMarker(static_cast<float>(fx), static_cast<float>(fy));
        std::int16_t topToBottom = kTrue;
        Gradient(Bar(), mColor, topToBottom);
        if (ColorChanged) ColorChanged();
    }
}

void WinColorPicker::UserControl_MouseDown(std::int16_t Button, std::int16_t Shift, float X, float Y) {
    if (Button != 1) return;
    mDragging = kTrue;
    UserControl_MouseMove(Button, Shift, X, Y);  // picks before the old marker goes
    RedrawField(kField);
}

void WinColorPicker::UserControl_MouseMove(std::int16_t, std::int16_t, float X, float Y) {
    if (mDragging != kTrue) return;
    if (X <= 1) X = 1;
    if (Y <= 1) Y = 1;
    if (X >= 177) X = 175;
    if (Y >= 177) Y = 175;
    mColor = static_cast<std::int32_t>(Field().Pixel(Nearest(X), Nearest(Y)));
    std::int16_t topToBottom = kTrue;
    Gradient(Bar(), mColor, topToBottom);
    if (ColorChanged) ColorChanged();
}

void WinColorPicker::UserControl_MouseUp(std::int16_t Button, std::int16_t, float X, float Y) {
    if (Button != 1) return;
    // Tighter than the move's clamp on purpose: the marker never centres beyond 175.
    if (X <= 1) X = 1;
    if (Y <= 1) Y = 1;
    if (X >= 175) X = 175;
    if (Y >= 175) Y = 175;
    mDragging = 0;
    RedrawField(kField);
    DrawMarker(X, Y);
}

void WinColorPicker::PicGrade_MouseDown(std::int16_t Button, std::int16_t Shift, float X, float Y) {
    if (Button != 1) return;
    mDragging = kTrue;
    PicGrade_MouseMove(Button, Shift, X, Y);
}

void WinColorPicker::PicGrade_MouseMove(std::int16_t Button, std::int16_t, float X, float Y) {
    if (Button != 1 || mDragging != kTrue) return;
    const float sw = PicGrade.ScaleWidth(), sh = PicGrade.ScaleHeight();
    if (X <= 1) X = 1;
    if (Y <= 1) Y = 1;
    if (X >= sw - 1) X = sw - 2;
    if (Y >= sh - 1) Y = sh - 2;
    mColor = static_cast<std::int32_t>(Bar().Pixel(Nearest(X), Nearest(Y)));
    if (ColorChanged) ColorChanged();
}

void WinColorPicker::PicGrade_MouseUp(std::int16_t, std::int16_t, float, float) { mDragging = 0; }

void WinColorPicker::UserControl_Show() {
    RedrawField(kField);
    std::int32_t white = kWhite;
    std::int16_t topToBottom = kTrue;
    Gradient(Bar(), white, topToBottom);
}

// The control keeps its one size, whatever its host asks.
void WinColorPicker::UserControl_Resize() {
    SetWidth(kWidthTwips);
    SetHeight(kHeightTwips);
}
