// The colour picker alone on a window: for the end-to-end test and for looking at it. Each pick
// is written to standard output as "selected BBGGRR" (the colour's hexadecimal value).
#include <cstdio>

#include "colorpicker/color_picker.h"
#include "platform/app.h"
#include "forms/form.h"

namespace {
class PickerWindow : public forms::Form {
public:
    PickerWindow()
        : Form({os::WindowKind::SizableToolWindow, "Lisotra colour picker test", forms::TwipsToPixelsX(3400),
                forms::TwipsToPixelsY(3100)}),
          picker(*this, {120, 120, 3060, 2820}) {
        picker.ColorChanged = [this] {
            std::printf("selected %06X\n", static_cast<unsigned>(picker.SelectedColor()));
            std::fflush(stdout);
        };
    }
    ColorPicker picker;
};
}  // namespace

int main(int argc, char** argv) {
    forms::FormSlot<PickerWindow> window;
    return os::RunApplication(argc, argv, [&window] { window->Show(); }, [&window] { window.Discard(); });
}
