// Text as the in-memory desktop cases it: the capitals of the Latin, Greek and Cyrillic letters,
// the same on every machine the tests run on.
#include "platform/text.h"

namespace os {

namespace {
char16_t Capital(char16_t c) {
    if (c >= u'a' && c <= u'z') return static_cast<char16_t>(c - 32);
    if ((c >= 0xE0 && c <= 0xFE && c != 0xF7) || (c >= 0x3B1 && c <= 0x3C9 && c != 0x3C2) || (c >= 0x430 && c <= 0x44F)) {
        return static_cast<char16_t>(c - 32);  // Latin-1, Greek, Cyrillic
    }
    if (c == 0xFF) return 0x178;
    if (c >= 0x450 && c <= 0x45F) return static_cast<char16_t>(c - 80);
    if (c >= 0x100 && c <= 0x17F && c != 0x131 && c != 0x138 && c != 0x149 && c != 0x17F) {
        // Latin Extended-A: capital then small, in pairs (odd from U+0139 to U+0148, U+0179 on).
        const bool oddPairs = (c >= 0x139 && c <= 0x148) || c >= 0x179;
        if ((c % 2 == 1) != oddPairs) return static_cast<char16_t>(c - 1);
    }
    return c;
}
}  // namespace

std::string UpperCase(std::string_view utf8) {
    std::u16string text = ToUtf16(utf8);
    for (char16_t& c : text) c = Capital(c);
    return FromUtf16(text);
}

}  // namespace os
