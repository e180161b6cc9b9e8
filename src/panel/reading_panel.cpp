#include "panel/reading_panel.h"

#include "panel/keyboard.h"
#include "panel/placement.h"
#include "forms/twips.h"
#include "platform/app.h"
#include "settings/stored_settings.h"

namespace {
constexpr float kDesignClientWidth = 4560;  // twips
constexpr float kDesignClientHeight = 3015;
constexpr const char* kAccessibleName = "Lisotra reading panel";
constexpr const char* kAccessibleDescription =
    "A tinted panel over the text you read. Arrow keys move it, Ctrl+arrow keys resize it, "
    "Shift makes the steps larger, Escape hides it.";
}  // namespace

ReadingPanel::ReadingPanel()
    : Form({os::WindowKind::SizableToolWindow, "Lisotra", forms::TwipsToPixelsX(kDesignClientWidth),
            forms::TwipsToPixelsY(kDesignClientHeight), settings::kYellow, kAccessibleName, kAccessibleDescription}) {}

ReadingPanel::~ReadingPanel() { os::SetScreensChangedHandler(nullptr); }

void ReadingPanel::OnLoad() {
    if (settings::ReadPanelOnTop()) SetTopmost();
    SetBackColor(settings::ReadPanelColor());

    // All four values are read before the first is applied: applying the width reports a resize,
    // which stores the geometry, and would overwrite the height, left and top not yet applied.
    if (const auto stored = settings::ReadPanelGeometry()) {
        const os::ScreenInfo screen = os::Screen();
        Restore(panel::PlaceOnScreens({stored->left, stored->top, stored->width, stored->height},
                                      {0, 0, forms::TwipsToPixelsX(Width()), forms::TwipsToPixelsY(Height())},
                                      screen.monitors, screen.twipsPerPixelX, screen.twipsPerPixelY));
    }

    SetOpacity(static_cast<unsigned char>(settings::ReadPanelOpacity()));
    os::SetScreensChangedHandler([this] { FollowScreens(); });
}

void ReadingPanel::OnResize() {
    if (!restoring_) SaveGeometry();
}

void ReadingPanel::OnKeyDown(const os::KeyInput& key) {
    if (key.virtualKey == os::VK_ESCAPE && !key.shiftHeld && !key.controlHeld && !key.altHeld) {
        Unload(os::CloseReason::User);  // as its close button does
        return;
    }
    // A move stores nothing, as a drag of the caption; a size change is a resize, which stores.
    if (const auto frame = panel::FrameAfterKey(Frame(), key, os::Screen().monitors)) SetFrame(*frame);
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
    Restore(frame);
    SaveGeometry();
}

void ReadingPanel::Restore(const os::PixelRect& frame) {
    restoring_ = true;
    SetWidth(forms::PixelsToTwipsX(frame.width));
    SetHeight(forms::PixelsToTwipsY(frame.height));
    SetLeft(forms::PixelsToTwipsX(frame.left));
    SetTop(forms::PixelsToTwipsY(frame.top));
    restoring_ = false;
}
