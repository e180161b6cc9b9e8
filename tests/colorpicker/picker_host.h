// A form that hosts one colour picker, as the colour picker dialog will, counting its events.
#pragma once

#include "colorpicker/color_picker.h"
#include "forms/form.h"
#include "support/test_form.h"

class PickerHost : public forms::Form {
public:
    PickerHost() : Form({os::WindowKind::SizableToolWindow, "Picker", 240, 220}), picker(*this, {120, 120, 1500, 900}) {
        picker.ColorChanged = [this] { ++changes; };
    }
    ColorPicker picker;
    int changes = 0;
};

inline TestForm<PickerHost> pickerHost;
