#include "panel/reading_panel.h"

#include "panel/placement.h"
#include "forms/twips.h"
#include "platform/app.h"
#include "settings/stored_settings.h"

namespace {
constexpr float kDesignClientWidth = 4560;  // twips
constexpr float kDesignClientHeight = 3015;
constexpr unsigned char kOpacity = 140;  // of 255
}  // namespace

ReadingPanel::ReadingPanel()
    : Form({os::WindowKind::SizableToolWindow, "Lisotra", forms::TwipsToPixelsX(kDesignClientWidth),
            forms::TwipsToPixelsY(kDesignClientHeight), settings::kYellow}) {}

ReadingPanel::~ReadingPanel() { os::SetScreensChangedHandler(nullptr); }

void ReadingPanel::OnLoad() {
    if (settings::ReadPanelOnTop()) SetTopmost();
    SetBackColor(settings::ReadPanelColor());

    // All four values are read before the first is applied: applying the width reports a resize,
    // which stores the geometry, and would overwrite the height, left and top not yet applied.
    if (const auto stored = settings::ReadPanelGeometry()) {
        const os::ScreenInfo screen = os::Screen();
        SetFrame(panel::PlaceOnScreens({stored->left, stored->top, stored->width, stored->height},
                                       {0, 0, forms::TwipsToPixelsX(Width()), forms::TwipsToPixelsY(Height())},
                                       screen.monitors, screen.twipsPerPixelX, screen.twipsPerPixelY));
    }

    SetOpacity(kOpacity);
    os::SetScreensChangedHandler([this] { FollowScreens(); });
}

void ReadingPanel::OnResize() {
    if (!restoring_) SaveGeometry();
}

void ReadingPanel::OnUnload() {
    os::SetScreensChangedHandler(nullptr);
    SaveGeometry();
}

void ReadingPanel::SaveGeometry() { settings::SavePanelGeometry({Width(), Height(), Left(), Top()}); }

// The rule that places a restored panel, applied to where it is now: a panel still reachable stays
// as it is; one that is not moves whole, and its new place is stored.
void ReadingPanel::FollowScreens() {
    const os::ScreenInfo screen = os::Screen();
    const os::PixelRect now{forms::TwipsToPixelsX(Left()), forms::TwipsToPixelsY(Top()),
                            forms::TwipsToPixelsX(Width()), forms::TwipsToPixelsY(Height())};
    const os::PixelRect frame = panel::PlaceOnScreens({Left(), Top(), Width(), Height()}, now, screen.monitors,
                                                      screen.twipsPerPixelX, screen.twipsPerPixelY);
    if (frame == now) return;
    SetFrame(frame);
    SaveGeometry();
}

void ReadingPanel::SetFrame(const os::PixelRect& frame) {
    restoring_ = true;
    SetWidth(forms::PixelsToTwipsX(frame.width));
    SetHeight(forms::PixelsToTwipsY(frame.height));
    SetLeft(forms::PixelsToTwipsX(frame.left));
    SetTop(forms::PixelsToTwipsY(frame.top));
    restoring_ = false;
}
