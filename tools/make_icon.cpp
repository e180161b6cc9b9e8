// Writes lisotra.ico: a page of text with a tinted reading band across it, at 16, 32 and 48 pixels
// for windows and 128 pixels for the tray, all 32 bits per pixel with alpha. The 128-pixel image is
// stored as PNG, as icons may be since Windows Vista: 64 KB less in the program. Also writes the
// tray icon the program draws (info/program_icons.cpp) at the small-icon sizes, so that the program
// need not draw and shrink it while it starts. Run on the build machine during the build: standard
// C++ only.
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <vector>

#include "platform/win32/icon_resample.h"
#include "info/program_icons.h"

namespace {

struct Rgba {
    double r, g, b, a;  // straight alpha, 0..1
};

// Paints `top` over `under`.
Rgba Over(const Rgba& under, const Rgba& top) {
    const double a = top.a + under.a * (1 - top.a);
    if (a <= 0) return {0, 0, 0, 0};
    auto mix = [&](double t, double u) { return (t * top.a + u * under.a * (1 - top.a)) / a; };
    return {mix(top.r, under.r), mix(top.g, under.g), mix(top.b, under.b), a};
}

bool Inside(double x, double y, double left, double top, double right, double bottom) {
    return x >= left && x < right && y >= top && y < bottom;
}

// The picture at a point of the unit square; `px` is one pixel in those units.
Rgba Sample(double x, double y, double px) {
    constexpr double kLeft = 0.17, kTop = 0.05, kRight = 0.83, kBottom = 0.95, kFold = 0.2;
    const Rgba outline{0.45, 0.47, 0.52, 1}, paper{1, 1, 1, 1}, flap{0.82, 0.84, 0.88, 1};
    const Rgba ink{0.25, 0.27, 0.32, 1}, band{1.0, 0.85, 0.0, 0.62}, bandEdge{0.85, 0.6, 0.0, 0.9};
    Rgba colour{0, 0, 0, 0};

    // The folded corner: beyond the diagonal nothing, before it the turned-down flap.
    const double intoCorner = (x - (kRight - kFold)) + ((kTop + kFold) - y);
    const bool cut = intoCorner > kFold;
    if (Inside(x, y, kLeft, kTop, kRight, kBottom) && !cut) {
        const double line = std::max(px, 0.025);
        const bool edge = !Inside(x, y, kLeft + line, kTop + line, kRight - line, kBottom - line) ||
                          intoCorner > kFold - line * 1.4;
        colour = edge ? outline : paper;
        if (!edge && x > kRight - kFold && y < kTop + kFold) colour = flap;
        // Lines of text, the last of a paragraph shorter.
        const double thick = std::max(px, 0.045);
        const std::array<double, 7> rows{0.17, 0.27, 0.37, 0.51, 0.65, 0.75, 0.85};
        const std::array<double, 7> ends{0.62, 0.76, 0.70, 0.76, 0.76, 0.72, 0.55};
        for (size_t i = 0; i < rows.size(); ++i) {
            if (Inside(x, y, 0.27, rows[i], ends[i], rows[i] + thick)) colour = ink;
        }
    }
    // The reading band lies across the page and a little beyond it.
    const double bandTop = 0.43, bandBottom = 0.62, edge = std::max(px, 0.03);
    if (Inside(x, y, 0.06, bandTop, 0.94, bandBottom)) {
        const bool rim = y < bandTop + edge || y >= bandBottom - edge;
        colour = Over(colour, rim ? bandEdge : band);
    }
    return colour;
}

// Bottom-up BGRA rows, each pixel the mean of 4 x 4 samples.
std::vector<std::uint8_t> Render(int size) {
    constexpr int kSamples = 4;
    std::vector<std::uint8_t> pixels(static_cast<size_t>(size) * size * 4);
    const double px = 1.0 / size;
    for (int row = 0; row < size; ++row) {
        for (int col = 0; col < size; ++col) {
            double r = 0, g = 0, b = 0, a = 0;  // premultiplied sums
            for (int sy = 0; sy < kSamples; ++sy) {
                for (int sx = 0; sx < kSamples; ++sx) {
                    const Rgba c = Sample((col + (sx + 0.5) / kSamples) * px, (row + (sy + 0.5) / kSamples) * px, px);
                    r += c.r * c.a, g += c.g * c.a, b += c.b * c.a, a += c.a;
                }
            }
            auto byte = [](double v) { return static_cast<std::uint8_t>(std::clamp(v * 255 + 0.5, 0.0, 255.0)); };
            const size_t at = (static_cast<size_t>(size - 1 - row) * size + col) * 4;
            const double n = kSamples * kSamples;
            pixels[at + 0] = a > 0 ? byte(b / a) : 0;
            pixels[at + 1] = a > 0 ? byte(g / a) : 0;
            pixels[at + 2] = a > 0 ? byte(r / a) : 0;
            pixels[at + 3] = byte(a / n);
        }
    }
    return pixels;
}

void Put16(std::vector<std::uint8_t>& out, unsigned v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}
void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

// PNG for the large image: zlib with one fixed-Huffman deflate block and greedy LZ77 matching.
class BitWriter {
public:
    void Bits(std::uint32_t value, int count) {  // least significant bit first
        for (int i = 0; i < count; ++i) Bit((value >> i) & 1);
    }
    void Code(std::uint32_t code, int length) {  // Huffman codes go most significant bit first
        for (int i = length - 1; i >= 0; --i) Bit((code >> i) & 1);
    }
    std::vector<std::uint8_t> Finish() {
        if (used_) bytes_.push_back(current_);
        return bytes_;
    }

private:
    void Bit(std::uint32_t bit) {
        current_ |= static_cast<std::uint8_t>(bit << used_);
        if (++used_ == 8) bytes_.push_back(current_), current_ = 0, used_ = 0;
    }
    std::vector<std::uint8_t> bytes_;
    std::uint8_t current_ = 0;
    int used_ = 0;
};

void Literal(BitWriter& out, unsigned symbol) {
    if (symbol < 144) out.Code(0x30 + symbol, 8);
    else if (symbol < 256) out.Code(0x190 + symbol - 144, 9);
    else if (symbol < 280) out.Code(symbol - 256, 7);
    else out.Code(0xC0 + symbol - 280, 8);
}

void Match(BitWriter& out, unsigned length, unsigned distance) {
    static const unsigned kLengthBase[] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                           31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
    static const int kLengthExtra[] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
    static const unsigned kDistanceBase[] = {1,   2,   3,   4,   5,   7,    9,    13,   17,   25,   33,   49,   65,    97,    129,
                                             193, 257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
    static const int kDistanceExtra[] = {0, 0, 0, 0, 1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6, 6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};
    int l = 28;
    while (kLengthBase[l] > length) --l;
    Literal(out, 257 + static_cast<unsigned>(l));
    out.Bits(length - kLengthBase[l], kLengthExtra[l]);
    int d = 29;
    while (kDistanceBase[d] > distance) --d;
    out.Code(static_cast<std::uint32_t>(d), 5);
    out.Bits(distance - kDistanceBase[d], kDistanceExtra[d]);
}

std::vector<std::uint8_t> Zlib(const std::vector<std::uint8_t>& data) {
    BitWriter out;
    out.Bits(1, 1);  // the final block
    out.Bits(1, 2);  // fixed Huffman codes
    std::vector<int> last(1 << 16, -1);
    auto hash = [&](size_t i) { return (data[i] * 506832829u ^ data[i + 1] * 2654435761u ^ data[i + 2] * 40503u) >> 16; };
    size_t i = 0;
    while (i < data.size()) {
        unsigned length = 0, distance = 0;
        if (i + 3 <= data.size()) {
            const auto h = hash(i);
            const int candidate = last[h];
            last[h] = static_cast<int>(i);
            if (candidate >= 0 && i - static_cast<size_t>(candidate) <= 32768) {
                size_t n = 0;
                while (n < 258 && i + n < data.size() && data[static_cast<size_t>(candidate) + n] == data[i + n]) ++n;
                if (n >= 3) length = static_cast<unsigned>(n), distance = static_cast<unsigned>(i - static_cast<size_t>(candidate));
            }
        }
        if (length) {
            Match(out, length, distance);
            for (size_t k = i + 1; k < i + length && k + 3 <= data.size(); ++k) last[hash(k)] = static_cast<int>(k);
            i += length;
        } else {
            Literal(out, data[i++]);
        }
    }
    Literal(out, 256);  // end of block
    std::vector<std::uint8_t> stream{0x78, 0x01};
    const std::vector<std::uint8_t> deflated = out.Finish();
    stream.insert(stream.end(), deflated.begin(), deflated.end());
    std::uint32_t a = 1, b = 0;
    for (std::uint8_t byte : data) a = (a + byte) % 65521, b = (b + a) % 65521;
    const std::uint32_t adler = (b << 16) | a;
    for (int shift = 24; shift >= 0; shift -= 8) stream.push_back(static_cast<std::uint8_t>(adler >> shift));
    return stream;
}

void PutBig32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<std::uint8_t>(v >> shift));
}

void Chunk(std::vector<std::uint8_t>& png, const char* type, const std::vector<std::uint8_t>& body) {
    PutBig32(png, static_cast<std::uint32_t>(body.size()));
    std::vector<std::uint8_t> crcd(type, type + 4);
    crcd.insert(crcd.end(), body.begin(), body.end());
    png.insert(png.end(), crcd.begin(), crcd.end());
    std::uint32_t crc = 0xFFFFFFFF;
    for (std::uint8_t byte : crcd) {
        crc ^= byte;
        for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
    }
    PutBig32(png, ~crc);
}

std::vector<std::uint8_t> PngImage(int size) {
    const std::vector<std::uint8_t> bgra = Render(size);
    std::vector<std::uint8_t> rows;  // top-down RGBA, each row after its filter byte (none)
    for (int row = size - 1; row >= 0; --row) {
        rows.push_back(0);
        for (int col = 0; col < size; ++col) {
            const size_t at = (static_cast<size_t>(row) * size + col) * 4;
            rows.insert(rows.end(), {bgra[at + 2], bgra[at + 1], bgra[at + 0], bgra[at + 3]});
        }
    }
    std::vector<std::uint8_t> png{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<std::uint8_t> header;
    PutBig32(header, static_cast<std::uint32_t>(size));
    PutBig32(header, static_cast<std::uint32_t>(size));
    header.insert(header.end(), {8, 6, 0, 0, 0});  // 8 bits per channel, RGBA
    Chunk(png, "IHDR", header);
    Chunk(png, "IDAT", Zlib(rows));
    Chunk(png, "IEND", {});
    return png;
}

// One icon image: a BITMAPINFOHEADER of twice the height, the colour rows (bottom-up BGRA), then
// the AND mask, clear where alpha is below `clearBelow`.
std::vector<std::uint8_t> IconImage(int size, const std::vector<std::uint8_t>& pixels, int clearBelow) {
    const int maskStride = ((size + 31) / 32) * 4;
    std::vector<std::uint8_t> image;
    Put32(image, 40);
    Put32(image, static_cast<std::uint32_t>(size));
    Put32(image, static_cast<std::uint32_t>(size * 2));
    Put16(image, 1);
    Put16(image, 32);
    Put32(image, 0);
    Put32(image, static_cast<std::uint32_t>(pixels.size() + static_cast<size_t>(maskStride) * size));
    for (int i = 0; i < 4; ++i) Put32(image, 0);
    image.insert(image.end(), pixels.begin(), pixels.end());
    for (int row = 0; row < size; ++row) {
        std::vector<std::uint8_t> mask(static_cast<size_t>(maskStride), 0);
        for (int col = 0; col < size; ++col) {
            if (pixels[(static_cast<size_t>(row) * size + col) * 4 + 3] < clearBelow) mask[col / 8] |= 0x80 >> (col % 8);
        }
        image.insert(image.end(), mask.begin(), mask.end());
    }
    return image;
}

// The program's drawing at the tray's small sizes, bottom-up BGRA: shrunk from the tray icon as
// the program shrinks it at run time, so the stored images are the ones it would make.
std::vector<std::uint8_t> TrayImage(int size) {
    const std::vector<std::uint32_t> argb = os::win32::Resample(program_icons::TrayIcon().front(), size, size);
    std::vector<std::uint8_t> pixels;
    for (int row = size - 1; row >= 0; --row) {
        for (int col = 0; col < size; ++col) {
            const std::uint32_t p = argb[static_cast<size_t>(row) * size + col];
            pixels.insert(pixels.end(), {static_cast<std::uint8_t>(p), static_cast<std::uint8_t>(p >> 8),
                                         static_cast<std::uint8_t>(p >> 16), static_cast<std::uint8_t>(p >> 24)});
        }
    }
    return pixels;
}

// An .ico file of the images, each `sizes[i]` square and 32 bits per pixel.
bool WriteIcon(const char* path, const std::vector<int>& sizes, const std::vector<std::vector<std::uint8_t>>& images) {
    std::vector<std::uint8_t> file;
    Put16(file, 0);
    Put16(file, 1);  // icon
    Put16(file, static_cast<unsigned>(sizes.size()));
    std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * sizes.size());
    for (size_t i = 0; i < sizes.size(); ++i) {
        file.push_back(static_cast<std::uint8_t>(sizes[i]));
        file.push_back(static_cast<std::uint8_t>(sizes[i]));
        file.push_back(0);  // no palette
        file.push_back(0);
        Put16(file, 1);   // planes
        Put16(file, 32);  // bits per pixel
        Put32(file, static_cast<std::uint32_t>(images[i].size()));
        Put32(file, offset);
        offset += static_cast<std::uint32_t>(images[i].size());
    }
    for (const auto& image : images) file.insert(file.end(), image.begin(), image.end());

    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
    return out.good();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_icon PROGRAM.ico TRAY.ico\n");
        return 2;
    }
    const std::vector<int> sizes{16, 32, 48, 128};
    std::vector<std::vector<std::uint8_t>> images;
    for (int size : sizes) images.push_back(size > 48 ? PngImage(size) : IconImage(size, Render(size), 1));

    // The small-icon sizes at 100, 125, 150 and 200 per cent; the tray draws its icons at that
    // size, and a pixel less than half covered is clear where no alpha is used.
    const std::vector<int> traySizes{16, 20, 24, 32};
    std::vector<std::vector<std::uint8_t>> trayImages;
    for (int size : traySizes) trayImages.push_back(IconImage(size, TrayImage(size), 128));
    return WriteIcon(argv[1], sizes, images) && WriteIcon(argv[2], traySizes, trayImages) ? 0 : 1;
}
