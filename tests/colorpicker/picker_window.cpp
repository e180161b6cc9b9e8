// The colour picker alone on a window: for the end-to-end test and for looking at it. Each pick
// is written to standard output as "selected BBGGRR" (the colour's hexadecimal value).
#include <cstdio>

#include "colorpicker/win_color_picker.h"
#include "platform/app.h"
#include "forms/form.h"

namespace {
class PickerWindow : public os::Form {
public:
    PickerWindow()
        : Form({os::WindowKind::SizableToolWindow, "Lisotra colour picker test", os::TwipsToPixelsX(3400),
                os::TwipsToPixelsY(3100)}),
          WinColorPicker1(*this, {120, 120, 3060, 2820}) {
        WinColorPicker1.ColorChanged = [this] {
            std::printf("selected %06X\n", static_cast<unsigned>(WinColorPicker1.SelectedColor()));
            std::fflush(stdout);
        };
    }
    WinColorPicker WinColorPicker1;
};
os::FormRef<PickerWindow> window;
}  // namespace

int main(int argc, char** argv) {
    return os::RunApplication(argc, argv, [] { window->Show(); });
}
