// The emulated desktops use Windows-1252, the ANSI code page of Western Windows.
#include "platform/text.h"

#include <cstdint>

namespace os {

namespace {
// 0x80-0x9F of Windows-1252; 0 where the code page has no character.
constexpr char16_t kHigh[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

// The first code point, or U+FFFD for a malformed start.
char32_t FirstCodePoint(std::string_view s) {
    const auto b0 = static_cast<unsigned char>(s[0]);
    if (b0 < 0x80) return b0;
    int extra = b0 >= 0xF0 ? 3 : b0 >= 0xE0 ? 2 : b0 >= 0xC0 ? 1 : -1;
    if (extra < 0 || s.size() <= static_cast<size_t>(extra)) return 0xFFFD;
    char32_t cp = b0 & (0x3F >> extra);
    for (int i = 1; i <= extra; ++i) {
        const auto b = static_cast<unsigned char>(s[static_cast<size_t>(i)]);
        if ((b & 0xC0) != 0x80) return 0xFFFD;
        cp = (cp << 6) | (b & 0x3F);
    }
    return cp;
}
}  // namespace

int AnsiCharCode(std::string_view utf8) {
    if (utf8.empty()) return 0;
    const char32_t cp = FirstCodePoint(utf8);
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<int>(cp);
    for (int i = 0; i < 32; ++i) {
        if (kHigh[i] != 0 && kHigh[i] == cp) return 0x80 + i;
    }
    return '?';
}

}  // namespace os
