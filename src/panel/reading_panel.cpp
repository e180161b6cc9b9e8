#include "panel/reading_panel.h"

#include "panel/placement.h"
#include "forms/twips.h"
#include "platform/app.h"
#include "settings/stored_settings.h"

namespace {
constexpr float kDesignClientWidth = 4560;  // twips
constexpr float kDesignClientHeight = 3015;
}  // namespace

ReadingPanel::ReadingPanel()
    : Form({os::WindowKind::SizableToolWindow, "Lisotra", forms::TwipsToPixelsX(kDesignClientWidth),
            forms::TwipsToPixelsY(kDesignClientHeight), settings::kYellow}) {}

void ReadingPanel::OnLoad() {
    if (settings::ReadPanelOnTop()) SetTopmost();
    SetBackColor(settings::ReadPanelColor());

    // All four values are read before the first is applied: applying the width reports a resize,
    // which stores the geometry, and would overwrite the height, left and top not yet applied.
    if (const auto stored = settings::ReadPanelGeometry()) {
        const os::ScreenInfo screen = os::Screen();
        const os::PixelRect frame = panel::PlaceOnScreens({stored->left, stored->top, stored->width, stored->height},
                                                          {0, 0, forms::TwipsToPixelsX(Width()), forms::TwipsToPixelsY(Height())},
                                                          screen.monitors, screen.twipsPerPixelX, screen.twipsPerPixelY);
        restoring_ = true;
        SetWidth(forms::PixelsToTwipsX(frame.width));
        SetHeight(forms::PixelsToTwipsY(frame.height));
        SetLeft(forms::PixelsToTwipsX(frame.left));
        SetTop(forms::PixelsToTwipsY(frame.top));
        restoring_ = false;
    }

    SetOpacity(static_cast<unsigned char>(settings::ReadPanelOpacity()));
}

void ReadingPanel::OnResize() {
    if (!restoring_) SaveGeometry();
}

void ReadingPanel::OnUnload() { SaveGeometry(); }

void ReadingPanel::SaveGeometry() { settings::SavePanelGeometry({Width(), Height(), Left(), Top()}); }
