#include "platform/text.h"

#include <climits>
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

std::string ToAnsiIn(unsigned codePage, std::string_view utf8) {
    std::wstring wide = Wide(utf8);
    if (wide.empty()) return {};
    if (codePage == CP_UTF8 || (codePage == CP_ACP && GetACP() == CP_UTF8)) return Utf8(wide);
    // A character beyond the 16-bit plane is one character: one "?", not one for each half.
    for (size_t i = 0; i + 1 < wide.size(); ++i) {
        if (IS_HIGH_SURROGATE(wide[i]) && IS_LOW_SURROGATE(wide[i + 1])) wide.replace(i, 2, 1, L'\xFFFD');
    }
    const int length = static_cast<int>(wide.size());
    // No best fit: "Ā" is not "A", it is a character the code page does not hold.
    DWORD flags = WC_NO_BEST_FIT_CHARS;
    const char* fallback = "?";
    int count = WideCharToMultiByte(codePage, flags, wide.data(), length, nullptr, 0, fallback, nullptr);
    if (count <= 0 && GetLastError() == ERROR_INVALID_FLAGS) {  // a code page that takes no flags
        flags = 0;
        fallback = nullptr;
        count = WideCharToMultiByte(codePage, flags, wide.data(), length, nullptr, 0, fallback, nullptr);
    }
    if (count <= 0) return {};
    std::string ansi(static_cast<size_t>(count), '\0');
    WideCharToMultiByte(codePage, flags, wide.data(), length, ansi.data(), count, fallback, nullptr);
    return ansi;
}

std::string FromAnsiIn(unsigned codePage, std::string_view ansi) { return Utf8(WideFrom(codePage, ansi)); }

}  // namespace win32

int AnsiCharCode(std::string_view utf8) { return win32::AnsiCharCodeIn(CP_ACP, utf8); }
std::string ToAnsi(std::string_view utf8) { return win32::ToAnsiIn(CP_ACP, utf8); }
std::string FromAnsi(std::string_view ansi) { return win32::FromAnsiIn(CP_ACP, ansi); }

std::string UpperCase(std::string_view utf8) {
    std::wstring wide = win32::Wide(utf8);
    if (!wide.empty()) CharUpperBuffW(wide.data(), static_cast<DWORD>(wide.size()));
    return win32::Utf8(wide);
}

}  // namespace os
