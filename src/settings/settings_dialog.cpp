#include "settings/settings_dialog.h"

#include <optional>
#include <string_view>

#include "forms/conversions.h"
#include "forms/twips.h"
#include "platform/app.h"
#include "platform/font.h"
#include "platform/settings_store.h"
#include "platform/text.h"
#include "settings/form_descriptions.h"
#include "settings/number_text.h"
#include "settings/stored_settings.h"

namespace {
constexpr float kClientWidth = 7170;  // twips
constexpr float kClientHeight = 4200;
constexpr float kLetterBoxWidth = 300;

// Each letter box sits over the "E" between the blanks of its label.
constexpr std::string_view kBeforeTheE = "Press CTRL+Alt+  ";
constexpr const char* kShowText = "Press CTRL+Alt+  E  to show";
constexpr const char* kHideText = "Press CTRL+Alt+  E  to hide";

os::Font LabelFont() {
    os::Font font;
    font.size = 13.5;
    return font;
}

// The letter box's left, in twips: centred over the label's "E" as the desktop's font draws it.
// With the font the dialog was laid out in, that is 2520.
float LetterBoxLeft(float labelLeft) {
    const os::Font font = LabelFont();
    const int before = os::MeasureText(font, kBeforeTheE).width;
    const int e = os::MeasureText(font, "E").width;
    return labelLeft + forms::PixelsToTwipsX(before) + forms::PixelsToTwipsX(e) / 2 - kLetterBoxWidth / 2;
}

// Gentle reading tints offered beside the colour button, each under its name.
struct Preset {
    const char* name;
    os::COLORREF color;
};
constexpr Preset kPresets[] = {{"Peach", 0xB9DAFF},
                               {"Orange", 0x47B3FF},
                               {"Yellow", 0x99FFFF},
                               {"Rose", 0xC2C2F4},
                               {"Blue-grey", 0xDEC4B0}};
// A row under the swatch, from its left edge, in the space above the letters.
constexpr float kPresetTop = 2115, kPresetSize = 255, kPresetStep = 315;

forms::PictureBox PresetBox(forms::Form& dialog, int index) {
    const forms::TwipsRect rect{3840 + kPresetStep * static_cast<float>(index), kPresetTop, kPresetSize, kPresetSize};
    return forms::PictureBox(dialog, {.rect = forms::TwipsToPixels(rect), .border = true, .toolTip = kPresets[index].name,
                                      .accessibleName = kPresets[index].name, .focusFrame = true});
}

// The opacity box speaks in percent of opaque, the store and the panel in alpha, of 255. The
// box's lowest, 10 %, is the store's floor, 26.
constexpr int kLowestPercent = 10;
constexpr const char* kOpacityRefused = "Opacity (%) takes a whole number from 10 to 100.";
int AlphaOf(int percent) { return static_cast<int>(forms::RoundHalfEven(percent * 255 / 100.0)); }
std::string PercentText(int alpha) { return std::to_string(static_cast<int>(forms::RoundHalfEven(alpha * 100 / 255.0))); }

// What the opacity box holds, blanks and a "%" sign aside: nothing when it is empty, the percent
// when it is a whole number from 10 to 100, or -1 for anything else.
std::optional<int> PercentIn(const std::string& text) {
    std::string digits;
    for (char c : text) {
        if (c != ' ') digits += c;
    }
    if (digits.empty()) return std::nullopt;
    if (digits.back() == '%') digits.pop_back();
    int percent = digits.empty() ? -1 : 0;
    for (char c : digits) {
        if (c < '0' || c > '9' || percent > 100) return -1;
        percent = percent * 10 + (c - '0');
    }
    return percent >= kLowestPercent && percent <= 100 ? percent : -1;
}

void Store(const char* section, const char* key, const std::string& text) {
    os::WriteSetting(section, key, text);
}
}  // namespace

SettingsDialog::SettingsDialog()
    : Form({os::WindowKind::Dialog, "Lisotra Settings.", forms::TwipsToPixelsX(kClientWidth), forms::TwipsToPixelsY(kClientHeight)}),
      runAtStartup(*this, {360, 480, 1365, 195}, settings::SettingsDialogDescription().Instance("Run_At_StartUp1")),
      onTop(*this, {{360, 960, 4335, 375}, "Always on top", 0, 0, os::kButtonFace, os::kButtonText, 0}),
      colorButton(*this, {.rect = {360, 1680, 3135, 375}, .text = "Select reading panel background colour"}),
      swatch(*this, {.rect = forms::TwipsToPixels({3840, 1680, 1935, 375}), .border = true, .accessibleName = "reading panel colour"}),
      showLabel(*this, {.rect = {240, 2400, 3615, 360}, .text = kShowText, .font = LabelFont()}),
      showLetter(*this, {.rect = {LetterBoxLeft(240), 2400, kLetterBoxWidth, 285}, .accessibleName = "show hotkey letter"}),
      hideLabel(*this, {.rect = {240, 3000, 3495, 360}, .text = kHideText, .font = LabelFont()}),
      hideLetter(*this, {.rect = {LetterBoxLeft(240), 3000, kLetterBoxWidth, 285}, .accessibleName = "hide hotkey letter"}),
      okButton(*this, {.rect = {5880, 3480, 1095, 375}, .text = "&OK", .isDefault = true}),
      presets{PresetBox(*this, 0), PresetBox(*this, 1), PresetBox(*this, 2), PresetBox(*this, 3), PresetBox(*this, 4)},
      opacityLabel(*this, {.rect = {4800, 1020, 1035, 255}, .text = "Opacity (%):"}),
      opacityBox(*this, {.rect = {5880, 1005, 600, 285}, .accessibleName = "reading panel opacity in percent"}) {
    okButton.Click = [this] { Confirm(); };
    for (size_t i = 0; i < presets.size(); ++i) {
        presets[i].SetBackColor(kPresets[i].color);
        // As a colour set in the picker: into the swatch, stored at OK.
        presets[i].Click = [this, i] { SetColor(kPresets[i].color); };
    }
    colorButton.Click = [this] { ChooseColor(); };
}

void SettingsDialog::OnLoad() {
    SetTabOrder({&okButton, &hideLetter, &showLetter, &runAtStartup, &onTop, &colorButton, &swatch, &presets[0],
                 &presets[1], &presets[2], &presets[3], &presets[4], &opacityBox});
    // What is in force: the letters the shell window registered at start and the colour and opacity
    // the panel shows, so that OK with nothing changed changes nothing.
    showLetter.SetText(settings::ReadLetter(settings::kShowLetter, settings::kDefaultShowLetter));
    hideLetter.SetText(settings::ReadLetter(settings::kHideLetter, settings::kDefaultHideLetter));
    if (settings::ReadPanelOnTop()) onTop.SetValue(1);
    SetColor(settings::ReadPanelColor());
    shownOpacity_ = settings::ReadPanelOpacity();
    opacityBox.SetText(PercentText(shownOpacity_));
}

void SettingsDialog::Confirm() {
    // An empty letter box keeps the letter stored before, and its hotkey.
    const std::string showText = os::UpperCase(showLetter.Text()), hideText = os::UpperCase(hideLetter.Text());
    const std::string show = showText.empty() ? settings::ReadLetter(settings::kShowLetter, settings::kDefaultShowLetter) : showText;
    const std::string hide = hideText.empty() ? settings::ReadLetter(settings::kHideLetter, settings::kDefaultHideLetter) : hideText;
    // One key cannot do both: the dialog stays open, nothing stored, for the person to choose again.
    if (settings::LetterKeyCode(show) == settings::LetterKeyCode(hide)) {
        os::ShowMessage("CTRL+Alt+" + os::FirstCharacter(show) + " cannot both show and hide the reading panel. "
                        "Choose two different letters.",
                        "Lisotra Settings.");
        return;
    }
    // Untouched, the opacity box keeps the alpha in force, which a whole percent may not name;
    // emptied, it keeps what was stored, as a letter box does; what is not a percent is refused.
    std::optional<int> alpha;
    if (opacityBox.Text() == PercentText(shownOpacity_)) {
        alpha = shownOpacity_;
    } else if (const std::optional<int> percent = PercentIn(opacityBox.Text())) {
        if (*percent < 0) {
            os::ShowMessage(kOpacityRefused, "Lisotra Settings.");
            return;
        }
        alpha = AlphaOf(*percent);
    }
    Store("start", "autoload", runAtStartup.Query() ? "1" : "666");
    if (!showText.empty()) Store(settings::kDefault, settings::kShowLetter, showText);
    if (!hideText.empty()) Store(settings::kDefault, settings::kHideLetter, hideText);
    Store(settings::kDefault, settings::kOnTop, settings::FormatSettingNumber(onTop.Value()));
    Store(settings::kDefault, settings::kBackColor, settings::FormatSettingNumber(static_cast<std::int32_t>(Color())));
    if (alpha) Store(settings::kDefault, settings::kOpacity, settings::FormatSettingNumber(*alpha));

    const std::string refused = BindLetters ? BindLetters(show, hide) : std::string();
    if (!refused.empty()) {
        os::ShowMessage(refused + " could not be registered as a hotkey: another program may be using it, or the "
                                  "character is not a key. The letters are stored; choose another letter to use.",
                        "Lisotra Settings.");
    }
    Unload();
}

void SettingsDialog::ChooseColor() {
    if (OpenColorPicker) OpenColorPicker();
}
