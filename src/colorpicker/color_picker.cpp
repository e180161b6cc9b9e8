#include "colorpicker/color_picker.h"

#include "colorpicker/picker_images.h"
#include "forms/conversions.h"
#include "forms/twips.h"

namespace {
constexpr os::COLORREF kGrey = 0xA0A0A0;
constexpr os::COLORREF kWhite = 0xFFFFFF;
constexpr os::COLORREF kButtonFace = 0xF0F0F0;  // around the field, right of it
constexpr int kSurfaceWidth = 204;  // pixels at 15 twips a pixel
constexpr int kSurfaceHeight = 188;
constexpr float kBarLeft = 2715;  // twips
constexpr int kBarWidth = 20;
// The field inside its white border: columns 1 to 176, rows 1 to 187. The sunken frame is drawn
// round the field's 177 columns.
constexpr int kFieldRight = picker_images::kFieldWidth - 1;
constexpr int kFieldBottom = picker_images::kFieldHeight - 2;
constexpr int kFrameWidth = picker_images::kFieldWidth;
// A drag's picks stay inside the field: a pointer at 177 or beyond picks at 175 (the marker's
// last centre), also vertically, where the field goes on to row 187.
constexpr float kDragLimit = 177;
constexpr float kMarkerLimit = 175;
constexpr float kMarkerCentre = picker_images::kMarkerSize / 2.0f;

int Nearest(double v) { return forms::RoundToInt32(v); }

// The sunken frame: grey at the top and left, white at the right and bottom.
void SunkenFrame(os::PixelSurface& s, int width, int height) {
    s.Line(0, 0, width - 1, 0, kGrey);
    s.Line(0, 0, 0, height - 1, kGrey);
    s.Line(width - 1, 0, width - 1, height, kWhite);
    s.Line(0, height - 1, width, height - 1, kWhite);
}

float AtLeastOne(float v) { return v <= 1 ? 1 : v; }
}  // namespace

ColorPicker::ColorPicker(forms::ControlContainer& host, forms::TwipsRect placement)
    : UserControl(host, placement, std::nullopt),
      bar(*this, {.rect = {forms::TwipsToPixelsX(kBarLeft), 0, kBarWidth, kSurfaceHeight}}, forms::ScaleMode::Pixels) {
    SetScaleMode(forms::ScaleMode::Pixels);
    os::PixelSurface& field = MakeSurface(kSurfaceWidth, kSurfaceHeight, kButtonFace);
    field.SetPicture(&picker_images::ColorField());
    field.Clear();
    bar.MakeSurface(kWhite);
    bar.SetMouseIcon(picker_images::Eyedropper());
    bar.MouseDown = [this](int b, int s, float x, float y) { OnBarMouseDown(b, s, x, y); };
    bar.MouseMove = [this](int b, int s, float x, float y) { OnBarMouseMove(b, s, x, y); };
    bar.MouseUp = [this](int b, int s, float x, float y) { OnBarMouseUp(b, s, x, y); };
}

void ColorPicker::RedrawField(int width) {
    Field().Clear();
    SunkenFrame(Field(), width, Field().Height());
}

void ColorPicker::DrawBarFrame() { SunkenFrame(Bar(), Bar().Width(), Bar().Height()); }

void ColorPicker::DrawGradient(os::PixelSurface& surface, std::int32_t color, bool topToBottom) {
    // The band arithmetic is 16-bit, rounding halves to even, as the bands have always been laid.
    const double h = surface.Height(), w = surface.Width();
    const std::int16_t step = forms::RoundToInt16(h / 48);
    std::int16_t y1 = topToBottom ? 0 : forms::RoundToInt16(h - step);
    const std::int16_t x1 = 0, x2 = forms::RoundToInt16(w);
    std::int16_t y2 = forms::RoundToInt16(step / 4.0 + y1);
    int r = color & 255;
    int g = (color / 256) & 255;
    int b = (color / 65536) & 255;
    for (int band = 0; band < 64; ++band) {
        surface.FillRect(x1, y1, x2, y2, static_cast<os::COLORREF>(r + 256 * g + 65536 * b));
        r = r - 4 > 0 ? r - 4 : 0;
        g = g - 4 > 0 ? g - 4 : 0;
        b = b - 4 > 0 ? b - 4 : 0;
        y1 = topToBottom ? y2 : forms::RoundToInt16(y1 - step);
        y2 = forms::RoundToInt16(y1 + step);
    }
    DrawBarFrame();
}

void ColorPicker::DrawMarker(float x, float y) {
    const float size = picker_images::kMarkerSize;
    Field().KeyedCopy(picker_images::Marker(), Nearest(x - size + kMarkerCentre), Nearest(y - size + kMarkerCentre),
                      picker_images::kMarkerKey);
}

void ColorPicker::GoToColor(std::int32_t color) {
    int fx = 0, fy = 0;
    const os::PixelSurface& field = Field();
    for (int x = 1; x <= kFieldRight; ++x) {
        for (int y = 1; y <= kFieldBottom; ++y) {
            if (static_cast<std::int32_t>(field.Pixel(x, y)) == color) {
                color_ = color;
                fx = x, fy = y;
                break;  // the column's top-most match; the next column may hold one further right
            }
        }
    }
    if (fx > 0 && fy > 0) {
        RedrawField(kFrameWidth);
        DrawMarker(static_cast<float>(fx), static_cast<float>(fy));
        DrawGradient(Bar(), color_, true);
        if (ColorChanged) ColorChanged();
    }
}

void ColorPicker::OnMouseDown(int button, int shift, float x, float y) {
    if (button != 1) return;
    dragging_ = true;
    OnMouseMove(button, shift, x, y);  // picks before the old marker goes
    RedrawField(kFrameWidth);
}

void ColorPicker::OnMouseMove(int, int, float x, float y) {
    if (!dragging_) return;
    x = AtLeastOne(x);
    y = AtLeastOne(y);
    if (x >= kDragLimit) x = kMarkerLimit;
    if (y >= kDragLimit) y = kMarkerLimit;
    color_ = static_cast<std::int32_t>(Field().Pixel(Nearest(x), Nearest(y)));
    DrawGradient(Bar(), color_, true);
    if (ColorChanged) ColorChanged();
}

void ColorPicker::OnMouseUp(int button, int, float x, float y) {
    if (button != 1) return;
    // Tighter than the move's clamp on purpose: the marker never centres beyond 175.
    x = AtLeastOne(x);
    y = AtLeastOne(y);
    if (x >= kMarkerLimit) x = kMarkerLimit;
    if (y >= kMarkerLimit) y = kMarkerLimit;
    dragging_ = false;
    RedrawField(kFrameWidth);
    DrawMarker(x, y);
}

void ColorPicker::OnBarMouseDown(int button, int shift, float x, float y) {
    if (button != 1) return;
    dragging_ = true;
    OnBarMouseMove(button, shift, x, y);
}

void ColorPicker::OnBarMouseMove(int button, int, float x, float y) {
    if (button != 1 || !dragging_) return;
    // The bar's frame is never picked.
    const float width = bar.ScaleWidth(), height = bar.ScaleHeight();
    x = AtLeastOne(x);
    y = AtLeastOne(y);
    if (x >= width - 1) x = width - 2;
    if (y >= height - 1) y = height - 2;
    color_ = static_cast<std::int32_t>(Bar().Pixel(Nearest(x), Nearest(y)));
    if (ColorChanged) ColorChanged();
}

void ColorPicker::OnBarMouseUp(int, int, float, float) { dragging_ = false; }

void ColorPicker::OnShow() {
    RedrawField(kFrameWidth);
    DrawGradient(Bar(), static_cast<std::int32_t>(kWhite), true);
}

// The control keeps its one size, whatever its host asks.
void ColorPicker::OnResize() {
    SetWidth(kWidthTwips);
    SetHeight(kHeightTwips);
}
