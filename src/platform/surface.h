// Pixel surfaces: what a picture box or a user control shows, kept in memory. Reading a pixel
// gives the same answer on every desktop; a realisation only copies the surface to the screen.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

#include "platform/os_types.h"

namespace os {

// An image of 0x00BBGGRR pixels, rows from the top.
struct Bitmap {
    int width = 0;
    int height = 0;
    std::vector<COLORREF> pixels;
    COLORREF At(int x, int y) const { return pixels[static_cast<size_t>(y * width + x)]; }
};

inline constexpr COLORREF CLR_INVALID = 0xFFFFFFFF;

class PixelSurface {
public:
    PixelSurface(int width, int height, COLORREF background);

    int Width() const { return width_; }
    int Height() const { return height_; }

    // What Clear brings back: the background colour, and a picture at the top-left if one is set.
    void SetBackground(COLORREF color);
    void SetPicture(const Bitmap* picture);
    void Clear();

    // One-pixel line from (x1, y1) up to, not including, (x2, y2), as GDI draws it.
    void Line(int x1, int y1, int x2, int y2, COLORREF color);
    // Filled rectangle, both corners included.
    void FillRect(int x1, int y1, int x2, int y2, COLORREF color);
    // Copies an image with its corner at (x, y), leaving out pixels of the key colour.
    void KeyedCopy(const Bitmap& image, int x, int y, COLORREF key);

    // The pixel as displayed, or CLR_INVALID outside the surface (as GetPixel answers).
    COLORREF Pixel(int x, int y) const {
        return x >= 0 && y >= 0 && x < width_ && y < height_ ? pixels_[static_cast<size_t>(y * width_ + x)]
                                                              : CLR_INVALID;
    }
    const std::vector<COLORREF>& Pixels() const { return pixels_; }

    // Told of every part that changes, so that whatever shows the surface repaints only that.
    std::function<void(const PixelRect& changed)> Changed;

private:
    void Set(int x, int y, COLORREF color);
    void Touch(int x1, int y1, int x2, int y2);  // inclusive

    int width_;
    int height_;
    COLORREF background_;
    const Bitmap* picture_ = nullptr;
    std::vector<COLORREF> pixels_;
};

}  // namespace os
