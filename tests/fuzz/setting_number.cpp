// The settings' number texts: any text reads as a number without harm, a written number reads back
// as itself (whole numbers exactly, singles to their 7 significant digits), and the panel's readers
// give values they may use whatever is stored.
#include <cmath>
#include <cstring>

#include "fuzz.h"
#include "platform/headless/headless.h"
#include "settings/number_text.h"
#include "settings/stored_settings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string whole(reinterpret_cast<const char*>(data), size);
    const double parsed = settings::ParseSettingNumber(whole);
    FUZZ_CHECK(!std::isnan(parsed));

    if (size >= sizeof(float)) {
        float single;
        std::memcpy(&single, data, sizeof single);
        const std::string text = settings::FormatSettingNumber(single);
        FUZZ_CHECK(text[0] == ' ' || text[0] == '-');
        if (std::isfinite(single)) {
            FUZZ_CHECK(text.find_first_not_of(" -0123456789.") == std::string::npos);
            const double back = settings::ParseSettingNumber(text);
            FUZZ_CHECK(std::fabs(back - single) <= std::fabs(static_cast<double>(single)) * 5.0000001e-7);
            FUZZ_CHECK(settings::FormatSettingNumber(static_cast<float>(back)) == text);
        }
        int whole32;
        std::memcpy(&whole32, data, sizeof whole32);
        FUZZ_CHECK(settings::ParseSettingNumber(settings::FormatSettingNumber(whole32)) == whole32);
    }

    // The same texts as stored values.
    const auto fields = fuzz::Fields(data, size, 6);
    headless::Settings().clear();
    const char* keys[][2] = {{settings::kDefault, settings::kBackColor}, {settings::kDefault, settings::kOnTop},
                             {settings::kWindow, "width"}, {settings::kWindow, "height"},
                             {settings::kWindow, "left"}, {settings::kWindow, "top"}};
    for (std::size_t i = 0; i < fields.size(); ++i) headless::Settings()[{"Lisotra", keys[i][0], keys[i][1]}] = fields[i];
    const os::COLORREF color = settings::ReadPanelColor();
    FUZZ_CHECK(color > 0 && color <= 0xFFFFFF);
    (void)settings::ReadPanelOnTop();
    // A positive width too small for a single reads as 0, which placing the panel makes its least.
    if (const auto geometry = settings::ReadPanelGeometry()) FUZZ_CHECK(geometry->width >= 0);
    return 0;
}
