// Icons from images drawn in code. A Windows icon holds one image, so the handle the program gets
// holds the image that suits this screen best at its own size; beside it, the same picture at the
// small-icon size is kept for the notification area.
//
// Why the small one: the notification area shows icons at the small-icon size, and a large icon
// handed to it is shrunk by plain stretching (nearest pixels under Wine), which drops whole rows:
// the thin lines of the page vanish and the reading band turns ragged. Averaging every source
// pixel into the small one keeps them, and is what the shell asks for anyway (an icon of the
// small-icon size, as LoadIconMetric gives one).
#include "platform/picture.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>

#include "platform/win32/realisation.h"

namespace os {

namespace {

// Small-icon images by the handle the program holds.
std::map<HICON, HICON>& SmallIcons() {
    static std::map<HICON, HICON> icons;
    return icons;
}

// The screen's colour depth, asked once and only when a choice depends on it: under wine the
// question goes to the X server's display settings, which took milliseconds of the start-up.
// Every image of 8 bits or fewer shows on any screen Windows 8 and later (which the manifest
// names) can have, so only a deeper image beside another one makes it ask.
int ScreenBits() {
    static const int bits = [] {
        HDC screen = GetDC(nullptr);
        const int value = screen ? GetDeviceCaps(screen, BITSPIXEL) * GetDeviceCaps(screen, PLANES) : 32;
        if (screen) ReleaseDC(nullptr, screen);
        return value;
    }();
    return bits;
}

// As Windows picks from an icon file: the size closest to `size`, preferring a larger image to a
// smaller one (shrinking loses less than enlarging), then the deepest colours the screen shows.
const IconImage* Pick(const std::vector<IconImage>& images, int size) {
    const IconImage* best = nullptr;
    auto score = [&](const IconImage& image) {
        const int difference = image.width - size;
        const int sizeRank = difference >= 0 ? difference : 100000 - difference;
        const bool shown = image.bitsPerPixel <= 8 || image.bitsPerPixel <= ScreenBits();
        return std::make_pair(sizeRank, shown ? -image.bitsPerPixel : image.bitsPerPixel);
    };
    for (const IconImage& image : images) {
        if (image.width <= 0 || image.height <= 0 ||
            image.argb.size() != static_cast<size_t>(image.width) * static_cast<size_t>(image.height)) {
            continue;
        }
        if (!best || score(image) < score(*best)) best = &image;
    }
    return best;
}

// The image at width x height, each target pixel the area-weighted mean of the source pixels it
// covers, in premultiplied alpha so that clear pixels lend no colour to their neighbours.
std::vector<std::uint32_t> Resample(const IconImage& image, int width, int height) {
    if (image.width == width && image.height == height) return image.argb;
    // How much of source column (row) s falls into target column (row) t.
    auto weights = [](int from, int to) {
        std::vector<std::vector<std::pair<int, double>>> spans(static_cast<size_t>(to));
        const double scale = static_cast<double>(from) / to;
        for (int t = 0; t < to; ++t) {
            const double begin = t * scale, end = (t + 1) * scale;
            for (int s = static_cast<int>(begin); s < from && s < end; ++s) {
                const double part = std::min(end, s + 1.0) - std::max(begin, static_cast<double>(s));
                if (part > 0) spans[static_cast<size_t>(t)].emplace_back(s, part / scale);
            }
        }
        return spans;
    };
    const auto columns = weights(image.width, width);
    const auto rows = weights(image.height, height);
    std::vector<std::uint32_t> out(static_cast<size_t>(width) * static_cast<size_t>(height));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            double a = 0, r = 0, g = 0, b = 0;
            for (const auto& [sy, wy] : rows[static_cast<size_t>(y)]) {
                for (const auto& [sx, wx] : columns[static_cast<size_t>(x)]) {
                    const std::uint32_t p = image.argb[static_cast<size_t>(sy) * static_cast<size_t>(image.width) +
                                                       static_cast<size_t>(sx)];
                    const double w = wx * wy, alpha = (p >> 24) / 255.0;
                    a += w * alpha;
                    r += w * alpha * ((p >> 16) & 0xFF);
                    g += w * alpha * ((p >> 8) & 0xFF);
                    b += w * alpha * (p & 0xFF);
                }
            }
            auto byte = [](double v) { return static_cast<std::uint32_t>(std::lround(std::clamp(v, 0.0, 255.0))); };
            out[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)] =
                a > 0 ? byte(a * 255) << 24 | byte(r / a) << 16 | byte(g / a) << 8 | byte(b / a) : 0;
        }
    }
    return out;
}

// A true-colour icon with its alpha, and a mask for whoever draws without alpha: a pixel less
// than half covered is clear there.
HICON MakeIcon(const std::vector<std::uint32_t>& argb, int width, int height) {
    BITMAPV5HEADER header{};
    header.bV5Size = sizeof header;
    header.bV5Width = width;
    header.bV5Height = -height;  // rows from the top, as the images are
    header.bV5Planes = 1;
    header.bV5BitCount = 32;
    header.bV5Compression = BI_BITFIELDS;
    header.bV5RedMask = 0x00FF0000;
    header.bV5GreenMask = 0x0000FF00;
    header.bV5BlueMask = 0x000000FF;
    header.bV5AlphaMask = 0xFF000000;
    void* bits = nullptr;
    // Colours given as RGB need no device context.
    HBITMAP colour = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!colour) return nullptr;
    // 0xAARRGGBB in memory is blue, green, red, alpha: the DIB's own order.
    std::memcpy(bits, argb.data(), argb.size() * sizeof(std::uint32_t));

    const size_t stride = static_cast<size_t>((width + 15) / 16 * 2);  // mask rows are whole words
    std::vector<BYTE> maskBits(stride * static_cast<size_t>(height), 0);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if ((argb[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)] >> 24) < 128) {
                maskBits[static_cast<size_t>(y) * stride + static_cast<size_t>(x / 8)] |= static_cast<BYTE>(0x80 >> (x % 8));
            }
        }
    }
    HBITMAP mask = CreateBitmap(width, height, 1, 1, maskBits.data());
    ICONINFO info{};
    info.fIcon = TRUE;
    info.hbmColor = colour;
    info.hbmMask = mask;
    HICON icon = mask ? CreateIconIndirect(&info) : nullptr;
    DeleteObject(colour);  // the icon holds copies
    if (mask) DeleteObject(mask);
    return icon;
}

}  // namespace

Hicon CreateIconFromImages(const std::vector<IconImage>& images) {
    int largest = 0;
    for (const IconImage& image : images) largest = std::max(largest, image.width);
    const IconImage* full = Pick(images, largest);
    if (!full) return nullptr;
    HICON icon = MakeIcon(full->argb, full->width, full->height);
    if (!icon) return nullptr;

    const int smallWidth = GetSystemMetrics(SM_CXSMICON), smallHeight = GetSystemMetrics(SM_CYSMICON);
    const IconImage* source = Pick(images, smallWidth);
    HICON small = MakeIcon(Resample(*source, smallWidth, smallHeight), smallWidth, smallHeight);
    if (small) SmallIcons()[icon] = small;
    return reinterpret_cast<Hicon>(icon);
}

namespace win32 {

HICON NotificationAreaIcon(HICON icon) {
    auto it = SmallIcons().find(icon);
    return it == SmallIcons().end() ? icon : it->second;
}

}  // namespace win32

}  // namespace os
