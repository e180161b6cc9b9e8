#include "info/program_icons.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

namespace program_icons {

namespace {

struct Rgba {
    double r, g, b, a;
};

// Over-paints `top` onto `base` (straight alpha).
Rgba Over(Rgba top, Rgba base) {
    const double a = top.a + base.a * (1 - top.a);
    if (a <= 0) return {0, 0, 0, 0};
    auto mix = [&](double t, double b) { return (t * top.a + b * base.a * (1 - top.a)) / a; };
    return {mix(top.r, base.r), mix(top.g, base.g), mix(top.b, base.b), a};
}

// The drawing in a unit square (0..1 both ways, y down): the colour at one point.
Rgba Sample(double x, double y, Rgba band) {
    const Rgba outline{0.20, 0.22, 0.27, 1};
    const Rgba paper{1, 1, 1, 1};
    const Rgba ink{0.35, 0.38, 0.45, 1};
    const double left = 0.16, right = 0.84, top = 0.06, bottom = 0.94, fold = 0.20, edge = 0.055;
    const bool inPage = x >= left && x <= right && y >= top && y <= bottom && (x - (right - fold)) <= (y - top);
    Rgba c{0, 0, 0, 0};
    if (inPage) {
        const bool border = x < left + edge || x > right - edge || y < top + edge || y > bottom - edge ||
                            (x - (right - fold)) > (y - top) - edge * 1.4;
        c = border ? outline : paper;
        // The dog-ear of the folded corner.
        if (x > right - fold && y < top + fold) c = outline;
        // Lines of text.
        const double lineTop = 0.30, pitch = 0.13, thick = 0.065;
        for (int i = 0; i < 5 && !border; ++i) {
            const double y0 = lineTop + i * pitch;
            const double lineRight = i == 4 ? 0.55 : 0.72;
            if (y >= y0 && y < y0 + thick && x > 0.28 && x < lineRight) c = ink;
        }
    }
    // The reading band across the middle lines, reaching past the page on both sides.
    if (y >= 0.40 && y < 0.66 && x >= 0.04 && x <= 0.96) c = Over(band, c);
    return c;
}

// Draws the picture at a size, 2 x 2 samples a pixel (enough at 128 px; it is drawn at start-up).
std::vector<Rgba> Render(int size, Rgba band) {
    std::vector<Rgba> pixels(static_cast<size_t>(size * size));
    constexpr int n = 2;
    for (int py = 0; py < size; ++py) {
        for (int px = 0; px < size; ++px) {
            Rgba sum{0, 0, 0, 0};
            for (int sy = 0; sy < n; ++sy) {
                for (int sx = 0; sx < n; ++sx) {
                    const Rgba s = Sample((px + (sx + 0.5) / n) / size, (py + (sy + 0.5) / n) / size, band);
                    sum = {sum.r + s.r * s.a, sum.g + s.g * s.a, sum.b + s.b * s.a, sum.a + s.a};
                }
            }
            const double a = sum.a / (n * n);
            pixels[static_cast<size_t>(py * size + px)] =
                a > 0 ? Rgba{sum.r / sum.a, sum.g / sum.a, sum.b / sum.a, a} : Rgba{0, 0, 0, 0};
        }
    }
    return pixels;
}

std::uint32_t Pack(Rgba c) {
    auto byte = [](double v) { return static_cast<std::uint32_t>(std::lround(std::clamp(v, 0.0, 1.0) * 255)); };
    return byte(c.a) << 24 | byte(c.r) << 16 | byte(c.g) << 8 | byte(c.b);
}

// The nearest colour of a palette, opaque, or transparent where the drawing is mostly clear.
std::uint32_t Quantise(Rgba c, const std::vector<std::uint32_t>& palette) {
    if (c.a < 0.5) return 0;
    std::uint32_t best = palette.front();
    double bestDistance = 1e9;
    for (std::uint32_t p : palette) {
        const double dr = ((p >> 16) & 0xFF) / 255.0 - c.r, dg = ((p >> 8) & 0xFF) / 255.0 - c.g,
                     db = (p & 0xFF) / 255.0 - c.b;
        const double d = dr * dr + dg * dg + db * db;
        if (d < bestDistance) bestDistance = d, best = p;
    }
    return 0xFF000000u | best;
}

std::vector<std::uint32_t> SixteenColours() {
    return {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
            0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
}

std::vector<std::uint32_t> ColourCube() {
    std::vector<std::uint32_t> palette;
    for (std::uint32_t r = 0; r < 6; ++r)
        for (std::uint32_t g = 0; g < 6; ++g)
            for (std::uint32_t b = 0; b < 6; ++b) palette.push_back(r * 51 << 16 | g * 51 << 8 | b * 51);
    for (std::uint32_t grey = 8; grey < 248; grey += 10) palette.push_back(grey << 16 | grey << 8 | grey);
    return palette;
}

os::IconImage Image(int size, int bits, const std::vector<Rgba>& pixels, const std::vector<std::uint32_t>* palette) {
    os::IconImage image{size, size, bits, {}};
    for (const Rgba& c : pixels) image.argb.push_back(palette ? Quantise(c, *palette) : Pack(c));
    return image;
}

}  // namespace

os::IconImage ProgramIcon(int size) {
    const Rgba amber{1.0, 0.80, 0.0, 0.78};
    return Image(size, 32, Render(size, amber), nullptr);
}

std::vector<os::IconImage> TrayIcon() { return {ProgramIcon(128)}; }

os::IconImage AboutIcon() {
    const Rgba amber{1.0, 0.80, 0.0, 0.78};
    const std::vector<std::uint32_t> sixteen = SixteenColours();
    return Image(32, 4, Render(32, amber), &sixteen);
}

std::vector<os::IconImage> SampleIcon() {
    const Rgba blue{0.1, 0.45, 1.0, 0.8};
    const std::vector<Rgba> pixels = Render(16, blue);
    const std::vector<std::uint32_t> sixteen = SixteenColours(), cube = ColourCube();
    return {Image(16, 4, pixels, &sixteen), Image(16, 8, pixels, &cube)};
}

}  // namespace program_icons
