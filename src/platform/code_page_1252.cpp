// The ANSI code page of the Linux desktop and the in-memory one: Windows-1252, that of Western
// Windows.
#include "platform/text.h"

#include <cstdint>

namespace os {

namespace {
// 0x80-0x9F of Windows-1252; 0 where the code page has no character.
constexpr char16_t kHigh[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

// The code point that starts at s[i], moving i past it; U+FFFD for a malformed sequence.
char32_t NextCodePoint(std::string_view s, size_t& i) {
    const auto b0 = static_cast<unsigned char>(s[i++]);
    if (b0 < 0x80) return b0;
    const int extra = b0 >= 0xF0 ? 3 : b0 >= 0xE0 ? 2 : b0 >= 0xC0 ? 1 : -1;
    if (extra < 0) return 0xFFFD;
    char32_t cp = b0 & (0x3F >> extra);
    for (int k = 0; k < extra; ++k) {
        if (i >= s.size() || (static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) return 0xFFFD;
        cp = (cp << 6) | (static_cast<unsigned char>(s[i++]) & 0x3F);
    }
    return cp;
}

unsigned char ToCodePage(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<unsigned char>(cp);
    for (int i = 0; i < 32; ++i) {
        if (kHigh[i] != 0 && kHigh[i] == cp) return static_cast<unsigned char>(0x80 + i);
    }
    return '?';
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}
}  // namespace

int AnsiCharCode(std::string_view utf8) {
    if (utf8.empty()) return 0;
    size_t i = 0;
    return ToCodePage(NextCodePoint(utf8, i));
}

std::string ToAnsi(std::string_view utf8) {
    std::string out;
    for (size_t i = 0; i < utf8.size();) out += static_cast<char>(ToCodePage(NextCodePoint(utf8, i)));
    return out;
}

std::string FromAnsi(std::string_view ansi) {
    std::string out;
    for (char c : ansi) {
        const auto b = static_cast<unsigned char>(c);
        const char32_t cp = b >= 0x80 && b < 0xA0 ? (kHigh[b - 0x80] ? kHigh[b - 0x80] : 0xFFFD) : b;
        AppendUtf8(out, cp);
    }
    return out;
}

}  // namespace os
