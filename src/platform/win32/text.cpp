#include "platform/text.h"

#include <cstdint>
#include <string>

#include "platform/win32/realisation.h"
#include "platform/win32/wide.h"

namespace os {

namespace win32 {

int AnsiCharCodeIn(unsigned codePage, std::string_view utf8) {
    if (utf8.empty()) return 0;
    const std::wstring wide = Wide(utf8);
    if (wide.empty()) return '?';
    // The first character: one UTF-16 unit, or a surrogate pair.
    const int units = IS_HIGH_SURROGATE(wide[0]) && wide.size() > 1 && IS_LOW_SURROGATE(wide[1]) ? 2 : 1;

    char bytes[8] = {};
    const int count = WideCharToMultiByte(codePage, 0, wide.data(), units, bytes, sizeof bytes, nullptr, nullptr);
    if (count <= 0) return '?';
    // A character the code page cannot hold comes out as its default character or a best-fit
    // look-alike ("A" for "Ā"); neither converts back to the same character.
    wchar_t back[4] = {};
    const int backCount = MultiByteToWideChar(codePage, 0, bytes, count, back, 4);
    if (backCount != units || std::wstring_view(back, static_cast<size_t>(units)) != std::wstring_view(wide.data(), static_cast<size_t>(units))) {
        return '?';
    }
    const auto lead = static_cast<unsigned char>(bytes[0]);
    if (count == 1) return lead;
    // A double-byte character: both bytes as one 16-bit code, negative from a lead byte of 0x80 on.
    if (count == 2 && IsDBCSLeadByteEx(codePage, lead)) {
        return static_cast<std::int16_t>((lead << 8) | static_cast<unsigned char>(bytes[1]));
    }
    return '?';  // several bytes (a UTF-8 code page): no single code
}

}  // namespace win32

int AnsiCharCode(std::string_view utf8) { return win32::AnsiCharCodeIn(CP_ACP, utf8); }

}  // namespace os
