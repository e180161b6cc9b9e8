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

#include "platform/win32/icon_resample.h"
#include "platform/win32/realisation.h"
#include "platform/win32/resource_ids.h"

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
    HICON small = MakeIcon(win32::Resample(*source, smallWidth, smallHeight), smallWidth, smallHeight);
    if (small) SmallIcons()[icon] = small;
    return reinterpret_cast<Hicon>(icon);
}

Hicon CreateStoredIcon(StoredIcon stored, std::vector<IconImage> (*draw)()) {
    int id = 0;
    switch (stored) {
    case StoredIcon::Tray:
        id = LISOTRA_TRAY_ICON;
        break;
    }
    const int width = GetSystemMetrics(SM_CXSMICON), height = GetSystemMetrics(SM_CYSMICON);
    if (HICON icon = win32::StoredIconImage(id, width, height)) return reinterpret_cast<Hicon>(icon);
    return CreateIconFromImages(draw());  // a small-icon size the build did not foresee
}

namespace win32 {

HICON StoredIconImage(int id, int width, int height) {
    auto resource = [](int name, const char* type, DWORD* size) -> const BYTE* {
        HMODULE program = GetModuleHandleW(nullptr);
        HRSRC found = FindResourceW(program, MAKEINTRESOURCEW(name), reinterpret_cast<LPCWSTR>(type));
        HGLOBAL loaded = found ? LoadResource(program, found) : nullptr;
        *size = loaded ? SizeofResource(program, found) : 0;
        return loaded ? static_cast<const BYTE*>(LockResource(loaded)) : nullptr;
    };
    // The group: a 6-byte header whose last word is the count, then 14-byte entries of width,
    // height (0 for 256), colours, reserved, planes, bits, bytes and the image's own number.
    constexpr size_t kHeader = 6, kEntry = 14;
    DWORD size = 0;
    const BYTE* group = resource(id, RT_GROUP_ICON, &size);
    if (!group || size < kHeader) return nullptr;
    WORD count = 0;
    std::memcpy(&count, group + 4, sizeof count);
    for (size_t i = 0; i < count && kHeader + (i + 1) * kEntry <= size; ++i) {
        const BYTE* entry = group + kHeader + i * kEntry;
        if ((entry[0] ? entry[0] : 256) != width || (entry[1] ? entry[1] : 256) != height) continue;
        WORD imageId = 0;
        std::memcpy(&imageId, entry + 12, sizeof imageId);
        DWORD imageSize = 0;
        const BYTE* image = resource(imageId, RT_ICON, &imageSize);
        if (!image) return nullptr;
        return CreateIconFromResourceEx(const_cast<BYTE*>(image), imageSize, TRUE, 0x00030000, width, height, LR_DEFAULTCOLOR);
    }
    return nullptr;
}

HICON NotificationAreaIcon(HICON icon) {
    auto it = SmallIcons().find(icon);
    return it == SmallIcons().end() ? icon : it->second;
}

}  // namespace win32

}  // namespace os
