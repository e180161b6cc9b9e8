#include "colorpicker/picker_images.h"

#include <algorithm>
#include <cmath>

namespace picker_images {

namespace {

constexpr int kHueSteps = 60;
constexpr int kSaturationSteps = 30;

// Steps at 0, 72, 144, 216 and 288 degrees are two columns wide, the others three: 175 columns.
int HueStepWidth(int step) { return step % 12 == 0 ? 2 : 3; }

// 6 or 7 rows a step over rows 1 to 187, the extra rows spread evenly.
int FirstRowOfStep(int step) { return 1 + step * 187 / kSaturationSteps; }

// Half lightness: the strongest channel is 0.5 + s/2, the weakest 0.5 - s/2.
os::COLORREF HslAtHalfLightness(double hueDegrees, double saturation) {
    auto channel = [&](double n) {
        const double k = std::fmod(n + hueDegrees / 30.0, 12.0);
        const double a = saturation * 0.5;
        const double v = 0.5 - a * std::max(-1.0, std::min({k - 3.0, 9.0 - k, 1.0}));
        return static_cast<os::COLORREF>(std::lround(v * 255));
    };
    return channel(0) | channel(8) << 8 | channel(4) << 16;
}

os::Bitmap MakeField() {
    os::Bitmap field{kFieldWidth, kFieldHeight, std::vector<os::COLORREF>(kFieldWidth * kFieldHeight, 0xFFFFFF)};
    for (int y = 1; y < kFieldHeight - 1; ++y) {
        const double saturation = (kSaturationSteps - SaturationStepOfRow(y)) / double(kSaturationSteps);
        for (int x = 1; x < kFieldWidth - 1; ++x) {
            field.pixels[static_cast<size_t>(y * kFieldWidth + x)] = HslAtHalfLightness(6.0 * HueStepOfColumn(x), saturation);
        }
    }
    return field;
}

os::Bitmap MakeMarker() {
    os::Bitmap marker{kMarkerSize, kMarkerSize, std::vector<os::COLORREF>(kMarkerSize * kMarkerSize, kMarkerKey)};
    for (int a = 0; a < kMarkerSize; ++a) {
        for (int b = 8; b <= 10; ++b) {
            if (a <= 4 || a >= 14) {
                marker.pixels[static_cast<size_t>(a * kMarkerSize + b)] = 0;  // vertical arms
                marker.pixels[static_cast<size_t>(b * kMarkerSize + a)] = 0;  // horizontal arms
            }
        }
    }
    return marker;
}

os::PointerImage MakeEyedropper() {
    os::PointerImage cursor;
    cursor.hotX = 3;
    cursor.hotY = 16;
    // A pipette lying from the tip at (3, 16) up to the right: a thin glass tube, then the bulb.
    auto put = [&](int x, int y, unsigned char v) {
        if (x >= 0 && y >= 0 && x < 32 && y < 32) cursor.pixels[y][x] = v;
    };
    for (int i = 0; i <= 20; ++i) {
        const int x = 3 + i, y = 16 - i * 12 / 20;   // the axis
        const int half = i < 3 ? 0 : i < 13 ? 1 : 3;  // tip, tube, bulb
        for (int d = -half - 1; d <= half + 1; ++d) put(x, y + d, 1);  // outline
        for (int d = -half; d <= half; ++d) put(x, y + d, i < 3 ? 1 : 2);
    }
    put(3, 16, 1);
    return cursor;
}

}  // namespace

int HueStepOfColumn(int column) {
    if (column < 1 || column > 175) return -1;
    int first = 1;
    for (int step = 0; step < kHueSteps; ++step) {
        if (column < first + HueStepWidth(step)) return step;
        first += HueStepWidth(step);
    }
    return -1;
}

int SaturationStepOfRow(int row) {
    if (row < 1 || row > 187) return -1;
    int step = 0;
    while (step + 1 < kSaturationSteps && FirstRowOfStep(step + 1) <= row) ++step;
    return step;
}

const os::Bitmap& ColorField() {
    static const os::Bitmap field = MakeField();
    return field;
}

const os::Bitmap& Marker() {
    static const os::Bitmap marker = MakeMarker();
    return marker;
}

const os::PointerImage& Eyedropper() {
    static const os::PointerImage cursor = MakeEyedropper();
    return cursor;
}

}  // namespace picker_images
