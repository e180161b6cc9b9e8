// A form that hosts one colour picker, as the colour picker dialog will, counting its events.
#pragma once

#include "colorpicker/win_color_picker.h"
#include "forms/form.h"

class PickerHost : public os::Form {
public:
    PickerHost() : Form({os::WindowKind::SizableToolWindow, "Picker", 240, 220}), WinColorPicker1(*this, {120, 120, 1500, 900}) {
        WinColorPicker1.ColorChanged = [this] { ++changes; };
    }
    WinColorPicker WinColorPicker1;
    int changes = 0;
};

inline os::FormRef<PickerHost> pickerHost;
