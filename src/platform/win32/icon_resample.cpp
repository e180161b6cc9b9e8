#include "platform/win32/icon_resample.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace os::win32 {

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

}  // namespace os::win32
