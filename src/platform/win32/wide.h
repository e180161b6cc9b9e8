// UTF-8, the program's text, and UTF-16, the text of the wide Windows API. Both directions replace
// what is malformed with U+FFFD instead of failing, so no text is ever dropped on the way.
#pragma once

#include <string>
#include <string_view>

namespace os::win32 {

std::wstring Wide(std::string_view utf8);
// Text of another code page (an ANSI one) in UTF-16.
std::wstring WideFrom(unsigned codePage, std::string_view text);
std::string Utf8(std::wstring_view utf16);

}  // namespace os::win32
