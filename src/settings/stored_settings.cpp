#include "settings/stored_settings.h"

#include <algorithm>

#include "forms/conversions.h"
#include "platform/settings_store.h"
#include "platform/text.h"
#include "settings/number_text.h"

namespace settings {

double ReadNumber(const char* section, const char* key) { return ParseSettingNumber(os::ReadSetting(section, key)); }

namespace {
float ReadSingle(const char* key) { return static_cast<float>(ReadNumber(kWindow, key)); }
void SaveSingle(const char* key, float value) {
    os::WriteSetting(kWindow, key, FormatSettingNumber(value));
}
}  // namespace

std::string ReadLetter(const char* key, const char* defaultLetter) {
    std::string letter = os::ReadSetting(kDefault, key);
    return letter.empty() ? defaultLetter : letter;
}

int LetterKeyCode(const std::string& letter) { return os::AnsiCharCode(letter); }

bool ReadPanelOnTop() {
    // A number too large for 16 bits counts as absent.
    return forms::ToInt16(ReadNumber(kDefault, kOnTop)) == 1;
}

os::COLORREF ReadPanelColor() {
    // Zero, negative, too large for 32 bits, or beyond 0x00FFFFFF (not a colour): yellow.
    const double value = ReadNumber(kDefault, kBackColor);
    const std::optional<std::int32_t> color = value > 0 ? forms::ToInt32(value) : std::nullopt;
    return color && *color > 0 && *color <= 0xFFFFFF ? static_cast<os::COLORREF>(*color) : kYellow;
}

int ReadPanelOpacity() {
    // Nothing stored, or no number: the panel as it has always been. A number beyond the range was
    // meant as the faintest or the most opaque, and gets that.
    const std::optional<double> value = ParseLeadingNumber(os::ReadSetting(kDefault, kOpacity));
    if (!value) return kDefaultOpacity;
    return static_cast<int>(forms::RoundHalfEven(std::clamp(*value, double{kOpacityFloor}, 255.0)));
}

std::optional<PanelGeometry> ReadPanelGeometry() {
    if (!(ReadNumber(kWindow, "width") > 0)) return std::nullopt;
    return PanelGeometry{ReadSingle("width"), ReadSingle("height"), ReadSingle("left"), ReadSingle("top")};
}

void SavePanelGeometry(const PanelGeometry& geometry) {
    const os::SettingsBatch oneWrite;
    SaveSingle("width", geometry.width);
    SaveSingle("height", geometry.height);
    SaveSingle("left", geometry.left);
    SaveSingle("top", geometry.top);
}

}  // namespace settings
