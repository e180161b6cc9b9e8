#include "platform/surface.h"

#include <algorithm>
#include <cstdlib>

namespace os {

PixelSurface::PixelSurface(int width, int height, COLORREF background)
    : width_(std::max(0, width)), height_(std::max(0, height)), background_(background),
      pixels_(static_cast<size_t>(width_) * static_cast<size_t>(height_), background) {}

void PixelSurface::SetBackground(COLORREF color) { background_ = color; }
void PixelSurface::SetPicture(const Bitmap* picture) { picture_ = picture; }

void PixelSurface::Clear() {
    std::fill(pixels_.begin(), pixels_.end(), background_);
    if (picture_) {
        const int w = std::min(width_, picture_->width), h = std::min(height_, picture_->height);
        for (int y = 0; y < h; ++y) {
            std::copy_n(picture_->pixels.begin() + y * picture_->width, w, pixels_.begin() + y * width_);
        }
    }
    Touch(0, 0, width_ - 1, height_ - 1);
}

void PixelSurface::Set(int x, int y, COLORREF color) {
    if (x >= 0 && y >= 0 && x < width_ && y < height_) pixels_[static_cast<size_t>(y * width_ + x)] = color;
}

void PixelSurface::Touch(int x1, int y1, int x2, int y2) {
    x1 = std::max(x1, 0), y1 = std::max(y1, 0);
    x2 = std::min(x2, width_ - 1), y2 = std::min(y2, height_ - 1);
    if (x2 < x1 || y2 < y1) return;
    if (Changed) Changed({x1, y1, x2 - x1 + 1, y2 - y1 + 1});
}

void PixelSurface::Line(int x1, int y1, int x2, int y2, COLORREF color) {
    // Bresenham, the end point left out.
    const int dx = std::abs(x2 - x1), dy = -std::abs(y2 - y1);
    const int sx = x1 < x2 ? 1 : -1, sy = y1 < y2 ? 1 : -1;
    int error = dx + dy, x = x1, y = y1;
    Touch(std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2));
    while (x != x2 || y != y2) {
        Set(x, y, color);
        const int e2 = 2 * error;
        if (e2 >= dy) error += dy, x += sx;
        if (e2 <= dx) error += dx, y += sy;
    }
}

void PixelSurface::FillRect(int x1, int y1, int x2, int y2, COLORREF color) {
    const int left = std::max(std::min(x1, x2), 0), right = std::min(std::max(x1, x2), width_ - 1);
    const int top = std::max(std::min(y1, y2), 0), bottom = std::min(std::max(y1, y2), height_ - 1);
    for (int y = top; y <= bottom; ++y) {
        std::fill_n(pixels_.begin() + y * width_ + left, std::max(0, right - left + 1), color);
    }
    Touch(left, top, right, bottom);
}

void PixelSurface::KeyedCopy(const Bitmap& image, int x, int y, COLORREF key) {
    for (int row = 0; row < image.height; ++row) {
        for (int col = 0; col < image.width; ++col) {
            const COLORREF c = image.At(col, row);
            if (c != key) Set(x + col, y + row, c);
        }
    }
    Touch(x, y, x + image.width - 1, y + image.height - 1);
}

}  // namespace os
