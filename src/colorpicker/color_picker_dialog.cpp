#include "colorpicker/color_picker_dialog.h"

#include "forms/twips.h"

namespace {
constexpr float kClientWidth = 6510;  // twips
constexpr float kClientHeight = 3555;
constexpr std::int32_t kRed = 0x0000FF;
constexpr os::COLORREF kWhite = 0xFFFFFF;

// The dialog is laid out in pixels.
forms::TwipsRect TwipsOf(int left, int top, int width, int height) {
    return {forms::PixelsToTwipsX(left), forms::PixelsToTwipsY(top), forms::PixelsToTwipsX(width), forms::PixelsToTwipsY(height)};
}
}  // namespace

ColorPickerDialog::ColorPickerDialog()
    : Form({os::WindowKind::DialogNoTaskbar, "Color Picker", forms::TwipsToPixelsX(kClientWidth),
            forms::TwipsToPixelsY(kClientHeight)}),
      picker(*this, TwipsOf(24, 24, 204, 188)),
      swatch(*this, {.rect = {256, 32, 148, 110}, .border = true, .toolTip = "Click and select color",
                     .accessibleName = "chosen colour"}),
      setButton(*this, {.rect = TwipsOf(256, 168, 153, 41), .text = "SET THIS COLOUR"}) {
    swatch.SetBackColor(kWhite);
    picker.ColorChanged = [this] { swatch.SetBackColor(static_cast<os::COLORREF>(picker.SelectedColor())); };
    // A colour the field shows moves the marker there; one picked from the bar is not found.
    swatch.Click = [this] { picker.GoToColor(static_cast<std::int32_t>(swatch.BackColor())); };
    setButton.Click = [this] { SetThisColour(); };
}

void ColorPickerDialog::OnLoad() { SetTabOrder({&picker, &swatch, &setButton}); }

void ColorPickerDialog::OnActivate() { picker.GoToColor(kRed); }

void ColorPickerDialog::SetThisColour() {
    if (ColorChosen) ColorChosen(swatch.BackColor());
    Unload();
}
