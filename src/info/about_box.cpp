#include "info/about_box.h"

#include <string>

#include "forms/twips.h"
#include "info/info_images.h"
#include "info/site.h"
#include "info/system_info.h"
#include "platform/browser.h"
#include "platform/system_colors.h"
#include "version.h"

namespace {
constexpr float kClientWidth = 5730;  // twips
constexpr float kClientHeight = 3555;
constexpr os::COLORREF kBlack = 0x000000;
constexpr os::COLORREF kHighlight = 0x8000000D;  // the system highlight colour

os::Font LinkFont() {
    os::Font font;  // MS Sans Serif 8.25
    font.underline = true;
    return font;
}

// The separator runs across the dialog just above the bottom row of buttons and notice.
constexpr float kSeparatorLeft = 105, kSeparatorTop = 2505, kSeparatorWidth = 5520;
}  // namespace

AboutBox::AboutBox()
    : Form({os::WindowKind::Dialog, std::string("About ") + version::kTitle, forms::TwipsToPixelsX(kClientWidth),
            forms::TwipsToPixelsY(kClientHeight)}),
      icon(*this, {.rect = forms::TwipsToPixels({240, 240, 540, 540}), .accessibleName = "Lisotra icon"}, forms::ScaleMode::Pixels),
      title(*this, {.rect = {1050, 240, 3885, 480}}),
      versionLabel(*this, {.rect = {1050, 780, 3885, 225}}),
      description(*this, {.rect = {1050, 1125, 3885, 1170}, .text = "Change the background color of what you're reading",
                          .foreColor = kBlack}),
      notice(*this, {.rect = {255, 2625, 3870, 465}, .text = "Free software (MIT).", .foreColor = kBlack}),
      homePage(*this, {.rect = {1920, 2640, 2175, 375}, .text = site::kBase, .font = LinkFont(), .foreColor = kHighlight,
                       .accessibleName = "Lisotra home page"}),
      okButton(*this, {.rect = {4245, 2625, 1260, 345}, .text = "OK", .isDefault = true, .isCancel = true}),
      sysInfoButton(*this, {.rect = {4260, 3075, 1245, 345}, .text = "&System Info..."}),
      etchedDark(*this, {.rect = forms::TwipsToPixels({kSeparatorLeft, kSeparatorTop, kSeparatorWidth, 15})}),
      etchedLight(*this, {.rect = forms::TwipsToPixels({kSeparatorLeft, kSeparatorTop + 15, kSeparatorWidth, 15})}),
      iconPicture_(info_images::AboutIcon(os::ResolveColor(os::kButtonFace))) {
    etchedDark.SetBackColor(0x808080);
    etchedLight.SetBackColor(0xFFFFFF);
    icon.ShowPicture(iconPicture_);
    okButton.Click = [this] { Unload(); };
    sysInfoButton.Click = [] { system_info::Start(version::kTitle); };
    // A normal window, as every page the program opens.
    homePage.Click = [] { os::OpenInBrowser(site::kBase); };
}

void AboutBox::OnLoad() {
    SetTabOrder({&okButton, &sysInfoButton, &homePage});
    versionLabel.SetText("Version " + std::to_string(version::kMajor) + "." + std::to_string(version::kMinor) + "." +
                         std::to_string(version::kRevision));
    title.SetText(version::kTitle);
}
