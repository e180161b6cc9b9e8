// The colour field and the marker, checked over every pixel.
#include "colorpicker/picker_images.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

using namespace picker_images;

namespace {
int R(os::COLORREF c) { return static_cast<int>(c & 0xFF); }
int G(os::COLORREF c) { return static_cast<int>((c >> 8) & 0xFF); }
int B(os::COLORREF c) { return static_cast<int>((c >> 16) & 0xFF); }
}  // namespace

TEST(ColorField, BorderIsWhiteAndOnlyTheBorder) {
    const os::Bitmap& f = ColorField();
    ASSERT_EQ(f.width, 177);
    ASSERT_EQ(f.height, 189);
    for (int y = 0; y < 189; ++y) {
        for (int x = 0; x < 177; ++x) {
            const bool border = x == 0 || x == 176 || y == 0 || y == 188;
            EXPECT_EQ(f.At(x, y) == 0xFFFFFF, border) << x << "," << y;
            EXPECT_NE(f.At(x, y), 0u) << x << "," << y;  // no black anywhere
        }
    }
}

TEST(ColorField, HueStepsAndTheirWidths) {
    const std::pair<int, int> landmarks[] = {{0, 1}, {10, 30}, {20, 59}, {30, 88}, {40, 117}, {50, 146}, {59, 173}};
    for (auto [step, column] : landmarks) EXPECT_EQ(HueStepOfColumn(column), step) << column;
    EXPECT_EQ(HueStepOfColumn(175), 59);
    int widths[60] = {};
    for (int x = 1; x <= 175; ++x) ++widths[HueStepOfColumn(x)];
    for (int step = 0; step < 60; ++step) EXPECT_EQ(widths[step], step % 12 == 0 ? 2 : 3) << step;
}

TEST(ColorField, SaturationStepsOfSixOrSevenRows) {
    int rows[30] = {};
    for (int y = 1; y <= 187; ++y) ++rows[SaturationStepOfRow(y)];
    for (int step = 0; step < 30; ++step) EXPECT_TRUE(rows[step] == 6 || rows[step] == 7) << step;
    EXPECT_EQ(SaturationStepOfRow(1), 0);
    EXPECT_EQ(SaturationStepOfRow(6), 0);
    EXPECT_EQ(SaturationStepOfRow(7), 1);
    EXPECT_EQ(SaturationStepOfRow(181), 29);
    EXPECT_EQ(SaturationStepOfRow(187), 29);
}

TEST(ColorField, HalfLightnessFromFullToAlmostGrey) {
    const os::Bitmap& f = ColorField();
    for (int y = 1; y <= 187; ++y) {
        for (int x = 1; x <= 175; ++x) {
            const os::COLORREF c = f.At(x, y);
            const int hi = std::max({R(c), G(c), B(c)}), lo = std::min({R(c), G(c), B(c)});
            EXPECT_NEAR(hi + lo, 255, 1) << x << "," << y;  // lightness one half
            const double saturation = (hi - lo) / 255.0;
            const double expected = (30 - SaturationStepOfRow(y)) / 30.0;
            EXPECT_NEAR(saturation, expected, 0.01) << x << "," << y;
            // Neighbours of one step differ by at most 4 a channel.
            if (x > 1 && HueStepOfColumn(x) == HueStepOfColumn(x - 1)) {
                const os::COLORREF n = f.At(x - 1, y);
                EXPECT_LE(std::abs(R(c) - R(n)) + 0, 4);
                EXPECT_LE(std::abs(G(c) - G(n)), 4);
                EXPECT_LE(std::abs(B(c) - B(n)), 4);
            }
        }
    }
    EXPECT_NEAR((std::max({R(f.At(1, 187)), G(f.At(1, 187)), B(f.At(1, 187))}) -
                 std::min({R(f.At(1, 187)), G(f.At(1, 187)), B(f.At(1, 187))})) / 255.0,
                0.035, 0.005);
}

TEST(ColorField, PureRedOnlyAtTheTopOfTheFirstColumns) {
    const os::Bitmap& f = ColorField();
    for (int y = 0; y < 189; ++y) {
        for (int x = 0; x < 177; ++x) {
            EXPECT_EQ(f.At(x, y) == 0xFF, x >= 1 && x <= 2 && y >= 1 && y <= 6) << x << "," << y;
        }
    }
    EXPECT_EQ(f.At(31, 3), 0x00FFFFu);   // yellow
    EXPECT_EQ(f.At(60, 3), 0x00FF00u);   // green
    EXPECT_EQ(f.At(118, 3), 0xFF0000u);  // blue
}

TEST(Marker, CrosshairArmsOnMagenta) {
    const os::Bitmap& m = Marker();
    ASSERT_EQ(m.width, 19);
    for (int y = 0; y < 19; ++y) {
        for (int x = 0; x < 19; ++x) {
            const bool vertical = x >= 8 && x <= 10 && (y <= 4 || y >= 14);
            const bool horizontal = y >= 8 && y <= 10 && (x <= 4 || x >= 14);
            EXPECT_EQ(m.At(x, y), vertical || horizontal ? 0u : 0xFF00FFu) << x << "," << y;
        }
    }
}

TEST(Eyedropper, HotSpotAtItsTip) {
    const os::PointerImage& c = Eyedropper();
    EXPECT_EQ(c.hotX, 3);
    EXPECT_EQ(c.hotY, 16);
    EXPECT_EQ(c.pixels[16][3], 1);  // drawn, black
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 3; ++x) EXPECT_EQ(c.pixels[y][x], 0) << "nothing left of the tip";
    }
}
