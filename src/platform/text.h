// Texts as the user's ANSI code page sees them.
#pragma once

#include <string>
#include <string_view>

namespace os {

// The code of the first character of a UTF-8 text in the user's ANSI code page, as Asc gives it:
// 0 for an empty text, and the code page's default character "?" for one it cannot hold.
int AnsiCharCode(std::string_view utf8);

// A UTF-8 text in the user's ANSI code page, "?" for each character it cannot hold; and back.
std::string ToAnsi(std::string_view utf8);
std::string FromAnsi(std::string_view ansi);

}  // namespace os
