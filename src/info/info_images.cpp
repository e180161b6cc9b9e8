#include "info/info_images.h"

#include <array>
#include <cstdint>
#include <string_view>

#include "info/program_icons.h"

namespace info_images {

namespace {
// Capitals of a 5 x 7 grid, one row a string, drawn at 2 x 3 pixels a cell: bold, upright letters.
struct Glyph {
    char letter;
    std::array<std::string_view, 7> rows;
};
constexpr Glyph kGlyphs[] = {
    {'D', {"11110", "10001", "10001", "10001", "10001", "10001", "11110"}},
    {'O', {"01110", "10001", "10001", "10001", "10001", "10001", "01110"}},
    {'N', {"10001", "11001", "10101", "10011", "10001", "10001", "10001"}},
    {'A', {"01110", "10001", "10001", "11111", "10001", "10001", "10001"}},
    {'T', {"11111", "00100", "00100", "00100", "00100", "00100", "00100"}},
    {'E', {"11111", "10000", "10000", "11110", "10000", "10000", "11111"}},
    {'W', {"10001", "10001", "10001", "10101", "10101", "10101", "01010"}},
};
constexpr int kCellWidth = 2, kCellHeight = 3, kGap = 3;
constexpr int kGlyphWidth = 5 * kCellWidth, kGlyphHeight = 7 * kCellHeight;
constexpr int kCornerRadius = 10;
constexpr os::COLORREF kEdge = 0x000099;

const Glyph* GlyphOf(char letter) {
    for (const Glyph& g : kGlyphs) {
        if (g.letter == letter) return &g;
    }
    return nullptr;  // a blank
}

// Inside the button's rounded outline, and on its one-pixel edge.
bool Inside(int x, int y, int inset) {
    const int r = kCornerRadius - inset, left = inset, top = inset;
    const int right = kDonateWidth - 1 - inset, bottom = kDonateHeight - 1 - inset;
    if (x < left || x > right || y < top || y > bottom) return false;
    const int cx = x < left + r ? left + r : x > right - r ? right - r : x;
    const int cy = y < top + r ? top + r : y > bottom - r ? bottom - r : y;
    return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r;
}
}  // namespace

os::Bitmap AboutIcon(os::COLORREF background) {
    const os::IconImage icon = program_icons::AboutIcon();
    os::Bitmap bitmap{icon.width, icon.height, {}};
    for (std::uint32_t argb : icon.argb) {
        // 0xAARRGGBB to 0x00BBGGRR; the 16-colour drawing is opaque or clear.
        bitmap.pixels.push_back(argb >> 24 ? (argb >> 16 & 0xFF) | (argb & 0xFF00) | (argb & 0xFF) << 16 : background);
    }
    return bitmap;
}

os::Bitmap DonateButton(os::COLORREF background) {
    os::Bitmap bitmap{kDonateWidth, kDonateHeight, std::vector<os::COLORREF>(kDonateWidth * kDonateHeight, background)};
    auto put = [&](int x, int y, os::COLORREF c) { bitmap.pixels[static_cast<size_t>(y * kDonateWidth + x)] = c; };
    for (int y = 0; y < kDonateHeight; ++y) {
        for (int x = 0; x < kDonateWidth; ++x) {
            if (Inside(x, y, 1)) put(x, y, kDonateRed);
            else if (Inside(x, y, 0)) put(x, y, kEdge);
        }
    }
    constexpr std::string_view kText = "DONATE NOW";
    const int width = static_cast<int>(kText.size()) * (kGlyphWidth + kGap) - kGap;
    int left = (kDonateWidth - width) / 2;
    const int top = (kDonateHeight - kGlyphHeight) / 2;
    for (char letter : kText) {
        if (const Glyph* g = GlyphOf(letter)) {
            for (int row = 0; row < 7; ++row) {
                for (int col = 0; col < 5; ++col) {
                    if (g->rows[static_cast<size_t>(row)][static_cast<size_t>(col)] != '1') continue;
                    for (int dy = 0; dy < kCellHeight; ++dy) {
                        for (int dx = 0; dx < kCellWidth; ++dx) put(left + col * kCellWidth + dx, top + row * kCellHeight + dy, kDonateText);
                    }
                }
            }
        }
        left += kGlyphWidth + kGap;
    }
    return bitmap;
}

}  // namespace info_images
