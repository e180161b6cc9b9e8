// Icons made from images drawn in code: a real icon with its alpha, the image that suits the
// screen, and the small image the notification area gets, shrunk without losing thin lines.
#include "platform/picture.h"
#include "info/program_icons.h"
#include "win32_test.h"

#include <vector>

namespace {

struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> argb;  // rows from the top
    std::uint32_t At(int x, int y) const { return argb[static_cast<size_t>(y * width + x)]; }
};

// The colour image of an icon, as 0xAARRGGBB.
Pixels ColourOf(HICON icon) {
    ICONINFO info{};
    if (!GetIconInfo(icon, &info)) return {};
    BITMAP bitmap{};
    GetObjectW(info.hbmColor, sizeof bitmap, &bitmap);
    Pixels pixels{bitmap.bmWidth, bitmap.bmHeight, std::vector<std::uint32_t>(static_cast<size_t>(bitmap.bmWidth * bitmap.bmHeight))};
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = bitmap.bmWidth;
    format.bmiHeader.biHeight = -bitmap.bmHeight;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    HDC screen = GetDC(nullptr);
    GetDIBits(screen, info.hbmColor, 0, static_cast<UINT>(bitmap.bmHeight), pixels.argb.data(), &format, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return pixels;
}

os::IconImage Image(int size, int bits, std::uint32_t (*colour)(int x, int y)) {
    os::IconImage image{size, size, bits, {}};
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) image.argb.push_back(colour(x, y));
    return image;
}

HICON Made(const std::vector<os::IconImage>& images) {
    return reinterpret_cast<HICON>(os::CreateIconFromImages(images));
}

}  // namespace

TEST(Win32Icon, TheIconIsTheImageAtItsOwnSizeWithItsAlpha) {
    // Left half opaque red, right half clear.
    HICON icon = Made({Image(128, 32, [](int x, int) -> std::uint32_t { return x < 64 ? 0xFFFF0000 : 0; })});
    ASSERT_NE(icon, nullptr);
    const Pixels pixels = ColourOf(icon);
    ASSERT_EQ(pixels.width, 128);
    ASSERT_EQ(pixels.height, 128);
    EXPECT_EQ(pixels.At(10, 100), 0xFFFF0000u);
    EXPECT_EQ(pixels.At(100, 10) >> 24, 0u);

    // Drawn without alpha (the mask alone), the clear half leaves what is under it.
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP canvas = CreateCompatibleBitmap(screen, 128, 128);
    HGDIOBJ old = SelectObject(memory, canvas);
    RECT all{0, 0, 128, 128};
    FillRect(memory, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    DrawIconEx(memory, 0, 0, icon, 128, 128, 0, nullptr, DI_MASK);
    EXPECT_EQ(GetPixel(memory, 100, 10), 0xFFFFFFu);  // clear: the mask keeps the white
    EXPECT_EQ(GetPixel(memory, 10, 10), 0u);          // opaque: the mask blanks it for the colour
    SelectObject(memory, old);
    DeleteObject(canvas);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
}

TEST(Win32Icon, TheNotificationAreaGetsTheSmallSizeShrunkByAveragingNotBySkippingRows) {
    // One opaque dark row in every eight: stretching by picking rows keeps all or none of them.
    HICON icon = Made({Image(128, 32, [](int, int y) -> std::uint32_t { return y % 8 == 3 ? 0xFF202020 : 0; })});
    HICON small = os::win32::NotificationAreaIcon(icon);
    ASSERT_NE(small, icon);
    const Pixels pixels = ColourOf(small);
    ASSERT_EQ(pixels.width, GetSystemMetrics(SM_CXSMICON));
    ASSERT_EQ(pixels.height, GetSystemMetrics(SM_CYSMICON));
    for (int y = 0; y < pixels.height; ++y) {
        const std::uint32_t p = pixels.At(pixels.width / 2, y);
        EXPECT_NEAR(static_cast<int>(p >> 24), 255 / 8, 2) << "row " << y;
        EXPECT_EQ(p & 0xFFFFFF, 0x202020u) << "row " << y;  // the clear rows lend no colour
    }

    // Other icons go as they are.
    HICON system = LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_APPLICATION));
    EXPECT_EQ(os::win32::NotificationAreaIcon(system), system);
}

// The tray icon stored during the build is the icon the program would draw now: same size, same
// pixels, alpha and mask; and taking it draws nothing.
TEST(Win32Icon, TheStoredTrayIconIsTheDrawnOnesSmallImage) {
    static int drawn = 0;
    HICON stored = reinterpret_cast<HICON>(os::CreateStoredIcon(os::StoredIcon::Tray, [] {
        ++drawn;
        return program_icons::TrayIcon();
    }));
    ASSERT_NE(stored, nullptr);
    EXPECT_EQ(drawn, 0);
    HICON made = os::win32::NotificationAreaIcon(Made(program_icons::TrayIcon()));
    const Pixels storedPixels = ColourOf(stored), madePixels = ColourOf(made);
    EXPECT_EQ(storedPixels.width, GetSystemMetrics(SM_CXSMICON));
    EXPECT_EQ(storedPixels.height, GetSystemMetrics(SM_CYSMICON));
    EXPECT_EQ(storedPixels.argb, madePixels.argb);
    ICONINFO storedInfo{}, madeInfo{};
    ASSERT_TRUE(GetIconInfo(stored, &storedInfo) && GetIconInfo(made, &madeInfo));
    auto maskBits = [](HBITMAP mask) {
        std::vector<BYTE> bits(256);
        bits.resize(static_cast<size_t>(GetBitmapBits(mask, static_cast<LONG>(bits.size()), bits.data())));
        return bits;
    };
    EXPECT_EQ(maskBits(storedInfo.hbmMask), maskBits(madeInfo.hbmMask));
    for (HBITMAP bitmap : {storedInfo.hbmColor, storedInfo.hbmMask, madeInfo.hbmColor, madeInfo.hbmMask}) DeleteObject(bitmap);
}

TEST(Win32Icon, ImagesThatHoldNoPixelsMakeNoIcon) {
    EXPECT_EQ(os::CreateIconFromImages({}), nullptr);
    EXPECT_EQ(os::CreateIconFromImages({os::IconImage{16, 16, 32, {}}}), nullptr);
}

TEST(Win32Icon, OfImagesOfOneSizeTheDeepestTheScreenShowsIsTheIcon) {
    // This screen shows true colour: of a 16-colour, a 256-colour and a true-colour image, the
    // last; of the first two alone, the 256-colour one.
    const auto blue = [](int, int) -> std::uint32_t { return 0xFF0000FF; };
    const auto green = [](int, int) -> std::uint32_t { return 0xFF00FF00; };
    const auto red = [](int, int) -> std::uint32_t { return 0xFFFF0000; };
    HDC screen = GetDC(nullptr);
    const int screenBits = GetDeviceCaps(screen, BITSPIXEL);
    ReleaseDC(nullptr, screen);
    ASSERT_GE(screenBits, 24);
    HICON deep = Made({Image(32, 4, blue), Image(32, 32, red), Image(32, 8, green)});
    EXPECT_EQ(ColourOf(deep).At(5, 5), 0xFFFF0000u);
    const Pixels paletted = ColourOf(Made({Image(32, 4, blue), Image(32, 8, green)}));
    ASSERT_EQ(paletted.width, 32);
    EXPECT_EQ(paletted.At(5, 5), 0xFF00FF00u);
}
