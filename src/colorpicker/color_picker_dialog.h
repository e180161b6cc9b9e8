// The colour picker dialog: the picker, a swatch that follows every pick, and "SET THIS COLOUR",
// which hands the swatch's colour to whoever opened it and closes this one. Each time another of
// the program's windows hands it the activation it starts again from red; coming back from another
// program (the page being read) keeps the colour picked.
#pragma once

#include <functional>

#include "colorpicker/color_picker.h"
#include "forms/controls.h"
#include "forms/form.h"

class ColorPickerDialog : public forms::Form {
public:
    ColorPickerDialog();

    ColorPicker picker;
    forms::PictureBox swatch;
    forms::CommandButton setButton;

    // Set by whoever opens the dialog: SET THIS COLOUR hands it the swatch's colour.
    std::function<void(os::COLORREF)> ColorChosen;

    void SetThisColour();

protected:
    void OnLoad() override;
    void OnActivate() override;
};

