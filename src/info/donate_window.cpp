#include "info/donate_window.h"

#include "forms/twips.h"
#include "info/info_images.h"
#include "info/site.h"
#include "platform/app.h"
#include "platform/browser.h"
#include "platform/system_colors.h"

namespace {
constexpr float kClientWidth = 8310;  // twips
constexpr float kClientHeight = 2805;
constexpr float kFromTheRight = 100;    // twips between the window and the screen's right edge
constexpr float kFromTheBottom = 1200;  // and its bottom edge

constexpr const char* kMessage =
    "If you appreciate the time,money and effort it took to build this software please consider making a "
    "donation (any is better than none). If you wish your name and/ or web-site (as a donor) will be listed on "
    "the donor page it will give me incentive to keep making! Thanks in advance .. ";

os::Font MessageFont() {
    os::Font font;
    font.size = 12;
    return font;
}
}  // namespace

DonateWindow::DonateWindow()
    : Form({os::WindowKind::Dialog, "Lisotra - donate", forms::TwipsToPixelsX(kClientWidth), forms::TwipsToPixelsY(kClientHeight)}),
      message(*this, {.rect = {360, 240, 7575, 1335}, .text = kMessage, .font = MessageFont()}),
      donatePicture(*this, {.rect = {forms::TwipsToPixelsX(5280), forms::TwipsToPixelsY(1800), info_images::kDonateWidth,
                                     info_images::kDonateHeight},
                            .accessibleName = "Donate now"},
                    forms::ScaleMode::Pixels),
      picture_(info_images::DonateButton(os::ResolveColor(os::kButtonFace))) {
    donatePicture.ShowPicture(picture_);
    donatePicture.Click = [this] {
        os::OpenInBrowser(site::Page("/say-thanks"));
    };
}

TwipsPoint DonatePlace(float screenWidth, float screenHeight, float outerWidth, float outerHeight) {
    return {screenWidth - outerWidth - kFromTheRight, screenHeight - outerHeight - kFromTheBottom};
}

void DonateWindow::OnLoad() {
    SetTabOrder({&donatePicture});
    const os::ScreenInfo screen = os::Screen();
    const TwipsPoint place = DonatePlace(static_cast<float>(screen.widthPixels) * screen.twipsPerPixelX,
                                         static_cast<float>(screen.heightPixels) * screen.twipsPerPixelY, Width(), Height());
    SetLeft(place.left);
    SetTop(place.top);
}
